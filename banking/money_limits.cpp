#include "banking/money_limits.h"

#include <cmath>

#include "store/catalogue.h"
#include "store/error.h"

namespace banking {

double largestValue(const char* table, const char* field) {
    const store::TableDef* t = store::findTable(QString::fromLatin1(table));
    const store::FieldDef* f = t ? t->field(QString::fromLatin1(field)) : nullptr;
    if (!f || f->kind != store::FieldKind::Numeric)
        throw store::StoreError(QStringLiteral("%1.%2 is not a numeric field.")
                                    .arg(QLatin1String(table), QLatin1String(field)));
    const int wholeDigits = f->width - (f->decimals > 0 ? f->decimals + 1 : 0);
    return std::pow(10.0, wholeDigits) - std::pow(10.0, -f->decimals);
}

double largestAmount() {
    static const double largest = largestValue("QVBnkTr.DBF", "AMOUNT");
    return largest;
}

double largestBalance() {
    static const double largest = largestValue("QVBnkAct.DBF", "CURRBAL");
    return largest;
}

qint64 largestReference() {
    static const qint64 largest = qint64(largestValue("QVBnkTr.DBF", "TRANNUM"));
    return largest;
}

bool fitsField(double value, double largest) {
    // Half a cent of room: a value that rounds to the largest still fits.
    return std::isfinite(value) && std::fabs(value) < largest + 0.005;
}

QString amountTooLargeText() { return QStringLiteral("Amount too large."); }

QString referenceRangeText() {
    return QStringLiteral("The transaction number must be a whole number from 1 to %1.")
        .arg(largestReference());
}

qint64 referenceFromText(const QString& text) {
    bool ok = false;
    const qint64 number = text.trimmed().toLongLong(&ok);
    return ok && number >= 1 && number <= largestReference() ? number : 0;
}

}  // namespace banking
