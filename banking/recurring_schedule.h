#pragma once
// When a recurring transaction runs next, when its schedule ends, and what the schedule window
// stores. No widgets and no store here: the window and the run call these.

#include <QDate>
#include <QString>
#include <optional>

namespace banking {

// TYPE of a definition: how its schedule ends.
enum class EndRule { Continuous, StopDate, FixedNumber };
QString endRuleCode(EndRule rule);  // "CONT", "SDATE", "FXNUM"
// The rule of a stored TYPE; nothing for a schedule that was never completed.
std::optional<EndRule> endRuleOf(const QString& code);

// WEEKLY: 0 = a day of every n months, 1, 2, 3 = every one, two or three weeks.
struct Frequency {
    int weekly = 0;
    int runDay = 0;     // RUNDAY, 1 to 31, for WEEKLY 0
    int runMonths = 0;  // RUNMTH, 1 to 12, for WEEKLY 0
};

// The run date after `nextRun`: 7, 14 or 21 days on for the weekly choices; day RUNDAY of the
// month RUNMTH months after nextRun's month otherwise (the day of nextRun plays no part), or
// that month's last day when it is shorter. Nothing when the frequency was never set.
std::optional<QDate> followingRunDate(const QDate& nextRun, const Frequency& f);

// A definition's counters after one run.
struct Advance {
    int transNo = 0;     // TRANSNO
    bool active = true;  // TRACTIVE
};
// "CONT" counts on; "SDATE" stops (TRANSNO 0) once the new date passes the stop date;
// "FXNUM" stops on the run that makes the count reach NUMTRANS, so n runs post n transactions.
Advance advanceAfterRun(EndRule rule, int transNo, int numTrans, const QDate& newNextRun,
                        const QDate& stopDate);

// The largest NUMTRANS the store holds (a small integer).
inline constexpr int kMostTransactions = 32767;

// The schedule window's choices.
struct ScheduleChoice {
    EndRule rule = EndRule::Continuous;
    QDate stopDate;    // StopDate only
    int numTrans = 0;  // FixedNumber only
    Frequency frequency;
    bool active = true;
};
// "Must enter valid values to save!" unless the day and months are above 0 (and the count for a
// fixed number); an empty text when the choice may be stored.
QString scheduleProblem(const ScheduleChoice& choice);

}  // namespace banking
