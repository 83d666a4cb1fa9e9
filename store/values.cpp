// Conversions between what callers set, what the store keeps and what fields read as.
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"

#include <cmath>
#include <optional>

namespace store {
namespace {

QString rightTrimmed(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    s.truncate(n);
    return s;
}

[[noreturn]] void badValue(const FieldDef& f, const QVariant& v, const char* what) {
    throw StoreError(QStringLiteral("'%1' is not a valid %2 for field %3.")
                         .arg(v.toString(), QLatin1String(what), QLatin1String(f.name)));
}

// A numeric field of width w with d decimals holds w characters, the point among them:
// 14.2 holds up to 99,999,999,999.99 either way of zero.
// `scaled` is the value in units of its last decimal place.
bool fitsWidth(const FieldDef& f, qint64 scaled) {
    const int digits = f.width - (f.decimals > 0 ? 1 : 0);
    if (digits <= 0 || digits >= 19) return true;  // no usable width given
    qint64 limit = 1;
    for (int i = 0; i < digits; ++i) limit *= 10;
    return scaled < limit && scaled > -limit;
}

qint64 toInteger(const FieldDef& f, const QVariant& v) {
    if (!v.isValid() || v.isNull()) return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
        const std::optional<qint64> n = fmt::checkedScaled(v.toDouble(), 0);
        if (!n) badValue(f, v, "integer");
        return *n;
    }
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? 1 : 0;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) return 0;
        bool ok = false;
        qint64 n = s.toLongLong(&ok);
        if (!ok) badValue(f, v, "integer");
        return n;
    }
    bool ok = false;
    qint64 n = v.toLongLong(&ok);
    if (!ok) badValue(f, v, "integer");
    return n;
}

}  // namespace

QVariant toStored(const FieldDef& f, const QVariant& v) {
    switch (f.kind) {
    case FieldKind::Char: {
        const QString s = v.isValid() && !v.isNull() ? v.toString() : QString();
        return rightTrimmed(f.width > 0 ? keys::cutToWidth(s, f.width) : s);
    }
    case FieldKind::Memo:
        return v.isValid() && !v.isNull() ? rightTrimmed(v.toString()) : QString();
    case FieldKind::Integer: {
        const qint64 n = toInteger(f, v);
        if (n < INT32_MIN || n > INT32_MAX) badValue(f, v, "integer");
        return n;
    }
    case FieldKind::SmallInt: {
        const qint64 n = toInteger(f, v);
        if (n < INT16_MIN || n > INT16_MAX) badValue(f, v, "small integer");
        return n;
    }
    case FieldKind::Numeric: {
        if (f.decimals <= 0) {
            const qint64 n = toInteger(f, v);
            if (!fitsWidth(f, n))
                throw StoreError(QStringLiteral("'%1' is too large for field %2.")
                                     .arg(v.toString(), QLatin1String(f.name)));
            return n;
        }
        if (!v.isValid() || v.isNull()) return 0.0;
        bool ok = false;
        double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                     : v.toDouble(&ok);
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()) ok = true, d = 0;
        if (!ok || std::isnan(d)) badValue(f, v, "number");
        const std::optional<qint64> scaled = fmt::checkedScaled(d, f.decimals);
        if (!scaled || !fitsWidth(f, *scaled))
            throw StoreError(QStringLiteral("Amount too large."));
        d = fmt::roundTo(d, f.decimals);
        return d == 0.0 ? 0.0 : d;  // never store -0
    }
    case FieldKind::Date: {
        if (!v.isValid() || v.isNull()) return QString();
        if (v.typeId() == QMetaType::QDate) {
            const QDate d = v.toDate();
            return d.isValid() ? d.toString(Qt::ISODate) : QString();
        }
        if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date().toString(Qt::ISODate);
        const QString s = v.toString().trimmed();
        if (s.isEmpty()) return QString();
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid()) badValue(f, v, "date");
        return d.toString(Qt::ISODate);
    }
    }
    return v;
}

QVariant fromStored(const FieldDef& f, const QVariant& stored) {
    switch (f.kind) {
    case FieldKind::Char:
    case FieldKind::Memo:
        return stored.isNull() ? QString() : stored.toString();
    case FieldKind::Integer:
    case FieldKind::SmallInt:
        return stored.toLongLong();
    case FieldKind::Numeric:
        if (f.decimals <= 0) return stored.toLongLong();
        return stored.toDouble();
    case FieldKind::Date: {
        const QString s = stored.toString();
        return s.isEmpty() ? QDate() : QDate::fromString(s, Qt::ISODate);
    }
    }
    return stored;
}

}  // namespace store
