#include "banking/bank_posting.h"

#include <cmath>

#include "banking/bank_entry_steps.h"
#include "banking/money_limits.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

BankAccount readBankAccount(const store::Table& t) {
    BankAccount a;
    a.coy = t.text(QStringLiteral("COYCODE")).trimmed().toInt();
    a.bankCode = t.text(QStringLiteral("BANKCODE")).trimmed();
    a.acctNo = t.text(QStringLiteral("ACCTNO")).trimmed();
    a.bankLink = t.text(QStringLiteral("BANKLINK"));
    a.desc = t.text(QStringLiteral("DESC"));
    a.deptOnly = t.integer(QStringLiteral("BRALLOC")) == 1;
    a.branch = t.text(QStringLiteral("BRANCH")).trimmed().toInt();
    a.linkCode = t.text(QStringLiteral("LINKCODE"));
    a.allowOd = t.integer(QStringLiteral("ALLOWOD")) == 1;
    a.odAmount = t.number(QStringLiteral("ODAMOUNT"));
    a.openBal = t.number(QStringLiteral("OPENBAL"));
    a.initBal = t.number(QStringLiteral("INITBAL"));
    a.currBal = t.number(QStringLiteral("CURRBAL"));
    a.lastRefNo = t.integer(QStringLiteral("LASTREFNO"));
    return a;
}

// The bank account row, positioned, or false.
bool seekBankAccount(store::Table& t, int coy, const QString& bankCode, const QString& acctNo) {
    t.setIndexName(QStringLiteral("BANKLINK"));
    if (!t.isOpen()) t.open();
    return t.findKey(keys::bankAccountLink(coy, bankCode, acctNo));
}

SaveResult refused(Problem p) {
    SaveResult r;
    r.outcome = Outcome::Refused;
    r.problem = p;
    r.message = problemText(p);
    return r;
}

SaveResult failed(const QString& message, const QString& detail) {
    SaveResult r;
    r.outcome = Outcome::Failed;
    r.message = message;
    r.detail = detail;
    return r;
}

SaveResult declined(const QString& message) {
    SaveResult r;
    r.outcome = Outcome::Declined;
    r.message = message;
    return r;
}

// A finalised tax return marked one of the entry's journal lines.
bool countedInFiledReturn(store::Connection& c, int coy, const QString& bankCode,
                          const QString& acctNo, qint64 reference) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) FROM QVACTTR"),
                         QStringLiteral("WHERE ") + QLatin1String(kEntryLinesWhere),
                         QStringLiteral("AND GSTCALC <> 0")});
    bindEntryLineKeys(q, bankCode, acctNo, reference, coy);
    q.open();
    return q.value(0).toLongLong() > 0;
}

}  // namespace

std::optional<BankAccount> findBankAccount(store::Connection& connection, int coy,
                                           const QString& bankCode, const QString& acctNo) {
    if (bankCode.trimmed().isEmpty() || acctNo.trimmed().isEmpty()) return std::nullopt;
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(t, coy, bankCode, acctNo)) return std::nullopt;
    return readBankAccount(t);
}

int countBankAccounts(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) FROM QVBNKACT"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.open();
    return int(q.value(0).toLongLong());
}

qint64 reserveReferenceNumber(store::Connection& connection, int coy, const QString& bankCode,
                              const QString& acctNo) {
    store::Transaction tx(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(t, coy, bankCode, acctNo))
        throw store::StoreError(QStringLiteral("Account cannot be found."));
    const qint64 last = t.integer(QStringLiteral("LASTREFNO"));
    const qint64 next = last > 0 ? last + 1 : 1;
    if (next > largestReference())
        throw store::StoreError(QStringLiteral("The transaction numbers of this account are used "
                                               "up: the last is %1.")
                                    .arg(last));
    t.edit();
    t.setValue(QStringLiteral("LASTREFNO"), next);
    t.post();
    tx.commit();
    return next;
}

QString problemText(Problem problem) {
    switch (problem) {
        case Problem::None:
            return {};
        case Problem::AccountNotFound:
            return QStringLiteral("Account cannot be found.");
        case Problem::OnlyOneAccount:
            return QStringLiteral("Only one bank account set up. Nothing to transfer to!");
        case Problem::NoDestination:
            return QStringLiteral("Please select a destination bank account.");
        case Problem::DestinationIsSource:
            return QStringLiteral("Destination Account cannot be the same as source!");
        case Problem::DestinationNotFound:
            return QStringLiteral("No such account, or cannot use it!");
        case Problem::InvalidLedgerAccount:
            return QStringLiteral(
                "Please select a valid journal account (Withdrawal/expense, deposit/income).");
        case Problem::DepartmentMismatch:
            return QStringLiteral("Bank account is not linked to account department!");
        case Problem::NoSource:
            return QStringLiteral("Please select a source.");
        case Problem::DuplicateReference:
            return QStringLiteral("Reference number is a duplicate.");
        case Problem::NoAmount:
            return QStringLiteral("Transaction amount must be entered!");
        case Problem::NothingToEdit:
            return QStringLiteral("Nothing to edit.");
        case Problem::EditInPayments:
            return {};
        case Problem::TransferNotEditable:
            return QStringLiteral(
                "Transfer has been reconciled or you are viewing the destination. "
                "Cannot edit.");
        case Problem::HasDetails:
            return QStringLiteral("Please remove details before deleting.");
        case Problem::ChequeRow:
            return QStringLiteral("Transaction is a cheque... delete in cheques maintenance!");
        case Problem::Reconciled:
            return QStringLiteral("Entry has been reconciled....cannot delete!");
        case Problem::MustDeleteFromSource:
            return QStringLiteral("Must delete from the source account!");
        case Problem::DestinationRow:
            return QStringLiteral(
                "Transfer transaction could not be deleted. Or switch to the source account!");
        case Problem::TypeChanged:
            return QStringLiteral("The type of a saved transaction cannot be changed.");
        case Problem::BadReference:
            return referenceRangeText();
        case Problem::AmountTooLarge:
            return amountTooLargeText();
        case Problem::BalanceTooLarge:
            return amountTooLargeText() + QStringLiteral(" The account's balance cannot pass ") +
                   fmt::money(largestBalance()) + QLatin1Char('.');
        case Problem::TaxCalculated:
            return QStringLiteral("Cannot edit... Sales tax has been calculated.");
        case Problem::TaxCalculatedDelete:
            return QStringLiteral("Cannot delete, Tax has been calculated.");
    }
    return {};
}

QString ledgerAccountRefusal(EntryType type, const LedgerAccount& account) {
    if (type == EntryType::Deposit && account.isExpense())
        return QStringLiteral("Journal account for a deposit must be income.");
    if (type == EntryType::Withdrawal && account.isIncome())
        return QStringLiteral("Journal account for a withdrawal must be expense.");
    return {};
}

bool departmentMismatch(const BankAccount& bankAccount, const LedgerAccount& account) {
    return bankAccount.deptOnly && bankAccount.branch != account.branch;
}

bool alwaysYes(const Confirmation&) { return true; }

Problem editRefusal(store::Connection& connection, int coy, const QString& bankCode,
                    const QString& acctNo, qint64 reference) {
    const auto row = findStoredBankRow(connection, coy, bankCode, acctNo, reference);
    if (!row) return Problem::NothingToEdit;
    if (row->tranType == QLatin1String("CHQ")) return Problem::EditInPayments;
    if (countedInFiledReturn(connection, coy, bankCode, acctNo, reference))
        return Problem::TaxCalculated;
    if (row->tranType == QLatin1String("TR")) {
        // A destination row names no destination, so its counterpart is never found.
        const auto other = row->destAcct.isEmpty()
                               ? std::nullopt
                               : findTransferDestinationRow(connection, coy, acctNo, row->destBank,
                                                            row->destAcct, reference);
        if (!other || other->reconciled) return Problem::TransferNotEditable;
    }
    return Problem::None;
}

SaveResult checkBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                          const Confirm& confirm) {
    const Resolution resolution = resolveBankEntry(connection, entry, mode);
    if (resolution.problem != Problem::None) return refused(resolution.problem);
    if (const Problem p = entryProblem(resolution.resolved); p != Problem::None) return refused(p);
    if (const auto q = sameAmountQuestion(resolution.resolved); q && !confirm(*q))
        return declined(QString());
    if (const auto q = filedPeriodQuestion(connection, resolution.resolved); q && !confirm(*q))
        return declined(QString());
    return {};
}

namespace {

// The write transaction of a save: the entry is resolved and checked again, since another
// program may have written since the questions were answered.
SaveResult postInTransaction(store::Connection& c, const BankEntry& e, EntryMode mode,
                             bool overdraftAnswered) {
    store::Transaction tx(c);
    const Resolution now = resolveBankEntry(c, e, mode);
    if (now.problem != Problem::None) return refused(now.problem);
    if (const Problem p = postingProblem(now.resolved); p != Problem::None) return refused(p);
    const EntryBalances balances = entryBalances(now.resolved);
    if (overdraftQuestion(now.resolved, balances) && !overdraftAnswered)
        return declined(QStringLiteral("Transaction not saved!"));
    SaveResult result = writeResolvedEntry(c, now.resolved, balances);
    tx.commit();
    return result;
}

}  // namespace

SaveResult postBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm) {
    try {
        // The question comes before the write transaction, which must not wait on the user.
        const Resolution before = resolveBankEntry(connection, entry, mode);
        if (before.problem != Problem::None) return refused(before.problem);
        const ResolvedEntry& r = before.resolved;
        if (const Problem p = postingProblem(r); p != Problem::None) return refused(p);
        const auto question = overdraftQuestion(r, entryBalances(r));
        if (question && !confirm(*question))
            return declined(QStringLiteral("Transaction not saved!"));
        return postInTransaction(connection, entry, mode, question.has_value());
    } catch (const store::StoreError& e) {
        return failed(QStringLiteral("Transaction not saved!"), e.text());
    }
}

SaveResult saveBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm) {
    SaveResult check = checkBankEntry(connection, entry, mode, confirm);
    if (!check.ok()) return check;
    return postBankEntry(connection, entry, mode, confirm);
}

namespace {

// The refusals of "Delete F6" for a stored row and its transfer counterpart.
Problem deleteRefusal(const StoredBankRow& row, const std::optional<StoredBankRow>& counterpart,
                      bool depositsNotOnStatement) {
    const bool transfer = row.tranType == QLatin1String("TR");
    if (!depositsNotOnStatement) {
        if (row.details) return Problem::HasDetails;
        if (row.tranType == QLatin1String("CHQ")) return Problem::ChequeRow;
        if (row.reconciled) return Problem::Reconciled;
        if (transfer && (!counterpart || counterpart->reconciled))
            return Problem::MustDeleteFromSource;
    }
    if (transfer && !row.sourceAcct.isEmpty()) return Problem::DestinationRow;
    return Problem::None;
}

void deleteBankRow(store::Connection& c, qint64 rowId) {
    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    if (!rows.gotoRowId(rowId))
        throw store::StoreError(QStringLiteral("Bank row %1 vanished.").arg(rowId));
    rows.remove();
}

SaveResult remove(store::Connection& c, int coy, const QString& bankCode, const QString& acctNo,
                  qint64 reference, const Confirm& confirm, bool depositsNotOnStatement) {
    const auto found = findBankAccount(c, coy, bankCode, acctNo);
    if (!found) return refused(Problem::AccountNotFound);
    const BankAccount& account = *found;
    const auto stored = findStoredBankRow(c, coy, account.bankCode, account.acctNo, reference);
    if (!stored) return refused(Problem::NothingToEdit);
    const StoredBankRow& row = *stored;
    const bool transfer = row.tranType == QLatin1String("TR");
    std::optional<StoredBankRow> counterpart;
    if (transfer && !row.destAcct.isEmpty())
        counterpart = findTransferDestinationRow(c, coy, account.acctNo, row.destBank, row.destAcct,
                                                 reference);
    if (const Problem p = deleteRefusal(row, counterpart, depositsNotOnStatement);
        p != Problem::None)
        return refused(p);
    if (!depositsNotOnStatement &&
        countedInFiledReturn(c, coy, account.bankCode, account.acctNo, reference))
        return refused(Problem::TaxCalculatedDelete);

    const double amount = std::abs(row.amount);
    SaveResult result;
    result.balance = account.currBal;

    // The questions come before anything is deleted, so "No" keeps rows and balances together.
    std::optional<BankAccount> dest;
    double balance = account.currBal, destBalance = 0.0;
    if (!depositsNotOnStatement) {
        balance = fmt::roundTo(account.currBal - row.amount, 2);
        if (!fitsField(balance, largestBalance())) return refused(Problem::BalanceTooLarge);
        if (fmt::cents(balance) < fmt::cents(account.currBal)) {
            if (const auto q = overdraftQuestion(account, balance); q && !confirm(*q))
                return declined(QString());
        }
        if (counterpart) {
            dest = findBankAccount(c, coy, row.destBank, row.destAcct);
            if (dest) {
                destBalance = fmt::roundTo(dest->currBal - amount, 2);
                if (const auto q = overdraftQuestion(*dest, destBalance); q && !confirm(*q))
                    return declined(QString());
            }
        }
    }

    // 2. The journal lines.
    if (!transfer && !row.details && fmt::cents(amount) != 0 && !row.purpose.isEmpty()) {
        try {
            const auto ledger = findLedgerAccount(c, coy, row.purpose);
            if (ledger)
                deleteEntryLines(c, row.linkCode, *ledger, account.bankCode, account.acctNo,
                                 reference);
            else
                deleteEntryLines(c, row.linkCode, row.purpose, account.bankCode, account.acctNo,
                                 reference);
        } catch (const store::StoreError& e) {
            return failed(QStringLiteral("Could not delete account entry ") + fmt::money(amount) +
                              QLatin1Char('!'),
                          e.text());
        }
    }
    // 3. A transfer's destination row; 4. the bank row.
    if (counterpart) deleteBankRow(c, counterpart->rowId);
    deleteBankRow(c, row.rowId);
    // 5. Balances.
    if (!depositsNotOnStatement) {
        writeAccountBalance(c, coy, account.bankCode, account.acctNo, balance);
        result.balance = balance;
        if (dest) {
            writeAccountBalance(c, coy, dest->bankCode, dest->acctNo, destBalance);
            result.destinationBalance = destBalance;
        }
    }
    return result;
}

}  // namespace

SaveResult deleteBankEntry(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo, qint64 reference, const Confirm& confirm,
                           bool depositsNotOnStatement) {
    try {
        store::Transaction tx(connection);
        SaveResult result =
            remove(connection, coy, bankCode, acctNo, reference, confirm, depositsNotOnStatement);
        if (result.ok()) tx.commit();
        return result;
    } catch (const store::StoreError& e) {
        return failed(e.text(), e.text());
    }
}

}  // namespace banking
