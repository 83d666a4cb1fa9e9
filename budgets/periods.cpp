#include "budgets/periods.h"

#include <algorithm>

namespace budgets {

int monthsPer(PeriodLength length) {
    switch (length) {
        case PeriodLength::Monthly:
            return 1;
        case PeriodLength::Quarterly:
            return 3;
        case PeriodLength::SixMonthly:
            return 6;
        case PeriodLength::Yearly:
            return 12;
    }
    return 1;
}

int periodCount(PeriodLength length, bool split) {
    const int whole = 12 / monthsPer(length);
    return split ? std::max(1, whole / 2) : whole;
}

QString periodCode(PeriodLength length) {
    switch (length) {
        case PeriodLength::Monthly:
            return QStringLiteral("M");
        case PeriodLength::Quarterly:
            return QStringLiteral("Q");
        case PeriodLength::SixMonthly:
            return QStringLiteral("6");
        case PeriodLength::Yearly:
            return QStringLiteral("Y");
    }
    return QStringLiteral("M");
}

PeriodLength periodLengthOf(const QString& code) {
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("Q")) return PeriodLength::Quarterly;
    if (c == QLatin1String("6")) return PeriodLength::SixMonthly;
    // "1" is what a "12" cut to the field's width reads as.
    if (c == QLatin1String("Y") || c == QLatin1String("1") || c == QLatin1String("12"))
        return PeriodLength::Yearly;
    return PeriodLength::Monthly;
}

std::vector<Period> followingPeriods(const QDate& start, PeriodLength length, int count) {
    std::vector<Period> periods;
    if (!start.isValid()) return periods;
    QDate begin = start;
    for (int i = 0; i < count; ++i) {
        const QDate lastMonth =
            QDate(begin.year(), begin.month(), 1).addMonths(monthsPer(length) - 1);
        const QDate end(lastMonth.year(), lastMonth.month(), lastMonth.daysInMonth());
        periods.push_back({begin, end});
        begin = end.addDays(1);
    }
    return periods;
}

int monthsSpanned(const QDate& a, const QDate& b) {
    return (b.year() - a.year()) * 12 + (b.month() - a.month()) + 1;
}

QDate yearEarlier(const QDate& date) {
    // A February month end stays a month end: 28 February 2025 gives 29 February 2024.
    if (date.month() == 2 && date.day() == date.daysInMonth()) {
        const QDate first(date.year() - 1, 2, 1);
        return QDate(first.year(), 2, first.daysInMonth());
    }
    return date.addYears(-1);
}

}  // namespace budgets
