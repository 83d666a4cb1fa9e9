#pragma once
// Whole cents as the "0.00" text the tax windows and reports show, exactly at every size.

#include <QString>
#include <QtGlobal>

namespace tax {

inline QString centsText(qint64 cents) {
    const bool negative = cents < 0;
    const quint64 size = negative ? 0 - quint64(cents) : quint64(cents);
    return (negative ? QStringLiteral("-") : QString()) + QString::number(size / 100) +
           QLatin1Char('.') + QString::number(size % 100).rightJustified(2, QLatin1Char('0'));
}

}  // namespace tax
