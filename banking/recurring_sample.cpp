#include "banking/recurring_sample.h"

#include "banking/journal_rules.h"
#include "banking/sample_company.h"
#include "store/error.h"

namespace banking::sample {

QString addDefinition(store::Connection& c, const DefinitionInput& input,
                      const ScheduleChoice& schedule) {
    const DefinitionResult saved = saveDefinition(c, input);
    if (!saved.ok()) throw store::StoreError(saved.message + QLatin1Char(' ') + saved.detail);
    saveSchedule(c, saved.tranLink, schedule, true);
    return saved.tranLink;
}

namespace {

DefinitionInput demoInput(const QString& descr, const QString& purpose, double amount,
                          const QString& who, const QDate& nextRun) {
    DefinitionInput in;
    in.coy = 1;
    in.descr = descr;
    in.purpose = purpose;
    in.bankAccount = QStringLiteral("030100-0123456-00");
    in.amount = amount;
    in.who = who;
    in.nextRun = nextRun;
    return in;
}

ScheduleChoice monthly(int day) {
    ScheduleChoice s;
    s.frequency = Frequency{0, day, 1};
    return s;
}

}  // namespace

void addDemoDefinitions(store::Connection& c, const QDate& today) {
    if (!findLedgerAccount(c, 1, QStringLiteral("LOAN")))
        addLedgerAccount(c, 1, {"LOAN", "Loan repayments", "EXP", 0, false, "O", false});
    const QDate rentDay(today.year(), today.month(), 1);
    addDefinition(c, demoInput("Shop rent", "RENT", 2300.00, "LANDLORD", rentDay), monthly(1));
    ScheduleChoice fortnightly = monthly(1);
    fortnightly.frequency.weekly = 2;
    addDefinition(c, demoInput("Fortnightly wages", "WAGES", 3850.00, "STAFF", today.addDays(-3)),
                  fortnightly);
    ScheduleChoice loan = monthly(20);
    loan.rule = EndRule::FixedNumber;
    loan.numTrans = 36;
    addDefinition(c,
                  demoInput("Van loan repayment", "LOAN", 612.45, "KAURIBANK",
                            QDate(today.year(), today.month(), 1).addDays(19)),
                  loan);
}

}  // namespace banking::sample
