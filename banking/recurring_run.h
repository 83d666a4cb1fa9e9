#pragma once
// One run of a recurring transaction definition: the bank account's balance and counter, the
// bank row, the journal line and (for an account with a private share) the private-share line,
// and the definition's advance to its next run date, written through the bank entry's own
// steps in one database transaction. No widgets here.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "banking/recurring_definitions.h"
#include "store/connection.h"

namespace banking {

// The due list: the company's active definitions (AUTORUN 0) whose next run is on or before
// `runDate`, in the store's order.
std::vector<Definition> dueDefinitions(store::Connection& connection, int coy,
                                       const QDate& runDate);

// A changed amount ("Change"): its business and private parts at the account's business share
// (a wholly private account passes the whole amount privately) and its tax, the bank entry's
// rule on the whole amount, rounded to cents; 0 when the definition carries no tax or the rate
// is 0.
struct RunAmounts {
    double amount = 0.0;
    double busAmt = 0.0;
    double domAmt = 0.0;
    double gstAmt = 0.0;
};
RunAmounts changedAmounts(const Definition& definition, const std::optional<LedgerAccount>& account,
                          double newAmount, double ratePercent);

enum class RunOutcome {
    Done,
    NotFound,    // "Could not find transaction information."
    NoSchedule,  // the schedule was never completed
    Failed       // "Unable to update bank transactions. Run discontinued."; nothing changed
};
struct RunResult {
    RunOutcome outcome = RunOutcome::Failed;
    QString message;
    QString detail;        // the store's or the posting rule's words on failure
    qint64 reference = 0;  // the bank row's TRANNUM
    QDate posted;          // its date (the old NEXTRUN)
    QDate nextRun;         // the definition's new NEXTRUN
    bool ok() const { return outcome == RunOutcome::Done; }
};

// Runs the definition with this TRANLINK once, dated its NEXTRUN. With `changed` the definition
// first takes the new amounts for good and the run posts them. The company's tax rate is read
// from its control record (0 unless it records tax).
RunResult runDefinition(store::Connection& connection, const QString& tranLink,
                        const std::optional<double>& changed = std::nullopt);

// The company's tax rate as the run window keeps it: GSTPERCENT when GSTENABLED is 1, else 0.
double companyTaxRate(store::Connection& connection, int coy);

}  // namespace banking
