#include "banking/recurring_sample.h"

#include <vector>

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
    // Accounts the folder lacks are added (a folder made for other windows may have none).
    const std::vector<LedgerSpec> accounts{
        {"RENT", "Rent of premises", "EXP", 0, true, "O"},
        {"WAGES", "Wages and salaries", "EXP", 0, false},
        {"LOAN", "Loan repayments", "EXP", 0, false, "O", false}};
    for (const LedgerSpec& a : accounts)
        if (!findLedgerAccount(c, 1, a.code)) addLedgerAccount(c, 1, a);
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
