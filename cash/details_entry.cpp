#include "cash/details_entry.h"

#include "banking/bank_entry_steps.h"
#include "store/error.h"
#include "store/format.h"
#include "store/transaction.h"

namespace cash {

double detailsEntryAmount(banking::EntryType type, double previous, const RunningValue& attached) {
    const qint64 p = store::fmt::cents(previous);
    const qint64 cents = type == banking::EntryType::Withdrawal
                             ? p + attached.expense - attached.income
                             : p + attached.income - attached.expense;
    return double(cents) / 100.0;
}

QString detailsNotSavedText() { return QStringLiteral("Transaction details not saved!"); }

namespace {

banking::SaveResult refusedBy(banking::Problem problem) {
    banking::SaveResult r;
    r.outcome = banking::Outcome::Refused;
    r.problem = problem;
    r.message = banking::problemText(problem);
    return r;
}

// An edited row that had a single journal line gives it up to its details.
void deleteSingleLine(store::Connection& c, const banking::ResolvedEntry& r) {
    if (!r.stored || r.stored->details || r.stored->purpose.trimmed().isEmpty()) return;
    const banking::BankEntry& e = r.entry;
    const auto ledger = banking::findLedgerAccount(c, e.coy, r.stored->purpose);
    if (ledger)
        banking::deleteEntryLines(c, r.stored->linkCode, *ledger, e.bankCode, e.acctNo,
                                  e.reference);
    else
        banking::deleteEntryLines(c, r.stored->linkCode, r.stored->purpose, e.bankCode, e.acctNo,
                                  e.reference);
}

}  // namespace

banking::SaveResult postDetailsEntry(store::Connection& connection, banking::BankEntry entry,
                                     banking::EntryMode mode, double previous,
                                     const RunningValue& attached,
                                     const banking::Confirm& confirm) {
    entry.hasDetails = true;
    entry.source = QStringLiteral("DETAILS");
    entry.ledgerAccount.clear();
    entry.tax = 0.0;
    entry.amount = detailsEntryAmount(entry.type, previous, attached);
    try {
        // The overdraft question is asked before the write transaction opens.
        const banking::Resolution first = banking::resolveBankEntry(connection, entry, mode);
        if (first.problem != banking::Problem::None) return refusedBy(first.problem);
        const auto question =
            banking::overdraftQuestion(first.resolved, banking::entryBalances(first.resolved));
        if (question && !confirm(*question)) {
            banking::SaveResult declined;
            declined.outcome = banking::Outcome::Declined;
            declined.message = QStringLiteral("Transaction not saved!");
            return declined;
        }
        store::Transaction tx(connection);
        const banking::Resolution r = banking::resolveBankEntry(connection, entry, mode);
        if (r.problem != banking::Problem::None) return refusedBy(r.problem);
        if (const banking::Problem p = banking::postingProblem(r.resolved);
            p != banking::Problem::None)
            return refusedBy(p);
        const banking::EntryBalances balances = banking::entryBalances(r.resolved);
        if (!question && banking::overdraftQuestion(r.resolved, balances)) {
            banking::SaveResult declined;
            declined.outcome = banking::Outcome::Declined;
            declined.message = QStringLiteral("Transaction not saved!");
            return declined;
        }
        deleteSingleLine(connection, r.resolved);
        const banking::SaveResult result =
            banking::writeResolvedEntry(connection, r.resolved, balances);
        tx.commit();
        return result;
    } catch (const store::StoreError& e) {
        banking::SaveResult failed;
        failed.outcome = banking::Outcome::Failed;
        failed.message = detailsNotSavedText();
        failed.detail = e.text();
        return failed;
    }
}

}  // namespace cash
