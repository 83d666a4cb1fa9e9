// Conversions between what callers set, what the store keeps and what fields read as.
#include "store/error.h"
#include "store/table.h"

#include <cmath>

namespace store {
namespace {

double roundHalfAway(double v, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double scaled = v * scale;
    // Nudge by a relative epsilon so 2.675 (stored as 2.67499...) rounds as typed.
    const double eps = 1e-9 * std::max(1.0, std::fabs(scaled));
    scaled = scaled >= 0 ? std::floor(scaled + 0.5 + eps) : -std::floor(-scaled + 0.5 + eps);
    return scaled / scale;
}

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

qint64 toInteger(const FieldDef& f, const QVariant& v) {
    if (!v.isValid() || v.isNull()) return 0;
    if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
        return qint64(roundHalfAway(v.toDouble(), 0));
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
        QString s = v.isValid() && !v.isNull() ? v.toString() : QString();
        if (f.width > 0 && s.size() > f.width) s.truncate(f.width);
        return rightTrimmed(s);
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
        if (f.decimals <= 0) return toInteger(f, v);
        if (!v.isValid() || v.isNull()) return 0.0;
        bool ok = false;
        double d = v.typeId() == QMetaType::QString ? v.toString().trimmed().toDouble(&ok)
                                                     : v.toDouble(&ok);
        if (v.typeId() == QMetaType::QString && v.toString().trimmed().isEmpty()) ok = true, d = 0;
        if (!ok || !std::isfinite(d)) badValue(f, v, "number");
        d = roundHalfAway(d, f.decimals);
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
