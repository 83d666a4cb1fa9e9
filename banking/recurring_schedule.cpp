#include "banking/recurring_schedule.h"

namespace banking {

QString endRuleCode(EndRule rule) {
    switch (rule) {
        case EndRule::Continuous:
            return QStringLiteral("CONT");
        case EndRule::StopDate:
            return QStringLiteral("SDATE");
        case EndRule::FixedNumber:
            return QStringLiteral("FXNUM");
    }
    return {};
}

std::optional<EndRule> endRuleOf(const QString& code) {
    const QString c = code.trimmed();
    for (EndRule r : {EndRule::Continuous, EndRule::StopDate, EndRule::FixedNumber})
        if (endRuleCode(r) == c) return r;
    return std::nullopt;
}

std::optional<QDate> followingRunDate(const QDate& nextRun, const Frequency& f) {
    if (!nextRun.isValid()) return std::nullopt;
    if (f.weekly >= 1 && f.weekly <= 3) return nextRun.addDays(7 * f.weekly);
    if (f.weekly != 0 || f.runDay < 1 || f.runDay > 31 || f.runMonths < 1 || f.runMonths > 12)
        return std::nullopt;
    const QDate month = QDate(nextRun.year(), nextRun.month(), 1).addMonths(f.runMonths);
    return QDate(month.year(), month.month(), std::min(f.runDay, month.daysInMonth()));
}

Advance advanceAfterRun(EndRule rule, int transNo, int numTrans, const QDate& newNextRun,
                        const QDate& stopDate) {
    Advance a;
    a.transNo = transNo + 1;
    switch (rule) {
        case EndRule::Continuous:
            break;
        case EndRule::StopDate:
            if (!stopDate.isValid() || newNextRun > stopDate) a = Advance{0, false};
            break;
        case EndRule::FixedNumber:
            a.active = a.transNo < numTrans;
            break;
    }
    return a;
}

QString scheduleProblem(const ScheduleChoice& c) {
    const bool valid =
        c.frequency.runDay > 0 && c.frequency.runMonths > 0 &&
        (c.rule != EndRule::FixedNumber || (c.numTrans > 0 && c.numTrans <= kMostTransactions));
    return valid ? QString() : QStringLiteral("Must enter valid values to save!");
}

}  // namespace banking
