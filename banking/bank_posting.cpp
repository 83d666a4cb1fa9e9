#include "banking/bank_posting.h"

#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

#include <cmath>

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

const QString kTransferSource = QStringLiteral("TRNFR");
const QString kDetailsSource = QStringLiteral("DETAILS");

QString coyText(int coy) { return QString::number(coy); }

BankAccount readBankAccount(const store::Table& t)
{
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
bool seekBankAccount(store::Table& t, int coy, const QString& bankCode, const QString& acctNo)
{
    t.setIndexName(QStringLiteral("BANKLINK"));
    if (!t.isOpen()) t.open();
    return t.findKey(keys::cutToWidth(keys::bankLink(coy, bankCode, acctNo),
                                      keys::kBankAccountLinkWidth));
}

// The row id of an account's bank row with this number, 0 when none.
qint64 findBankRow(store::Connection& c, int coy, const QString& bankCode, const QString& acctNo,
                   qint64 reference)
{
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVBNKTR"),
                         QStringLiteral("WHERE TRANNUM = :iTranNum AND BANKLINK = :sBankLink"),
                         QStringLiteral("ORDER BY rowid")});
    q.bind(QStringLiteral("iTranNum"), reference);
    q.bind(QStringLiteral("sBankLink"), keys::cutToWidth(keys::bankLink(coy, bankCode, acctNo),
                                                         keys::kBankRowLinkWidth));
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

// The destination row of a transfer: in the destination account, its TRANREF built from the
// source row's number and the destination's account number, and (since every account counts
// from the same start) its source account named.
qint64 findTransferDestination(store::Connection& c, int coy, const QString& sourceAcct,
                               const QString& destBank, const QString& destAcct, qint64 reference)
{
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVBNKTR"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink AND TRANREF = :sTranRef"),
                         QStringLiteral("AND SOURCEACCT = :sSourceAcct ORDER BY rowid")});
    q.bind(QStringLiteral("sBankLink"), keys::cutToWidth(keys::bankLink(coy, destBank, destAcct),
                                                         keys::kBankRowLinkWidth));
    q.bind(QStringLiteral("sTranRef"),
           keys::cutToWidth(keys::tranRef(QString::number(reference), destAcct),
                            keys::kTranRefWidth));
    q.bind(QStringLiteral("sSourceAcct"), sourceAcct.trimmed());
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

struct StoredRow {
    qint64 rowId = 0;
    QString tranType;
    double amount = 0.0;
    QString linkCode;
    int branch = 0;
    QString purpose;
    QString destBank, destAcct, sourceAcct;
    bool details = false;
    bool reconciled = false;
    int confirmed = 0;
};

StoredRow readRow(const store::Table& t)
{
    StoredRow r;
    r.rowId = t.rowId();
    r.tranType = t.text(QStringLiteral("TRANTYPE")).trimmed();
    r.amount = t.number(QStringLiteral("AMOUNT"));
    r.linkCode = t.text(QStringLiteral("LINKCODE")).trimmed();
    r.branch = int(t.integer(QStringLiteral("BRANCH")));
    r.purpose = t.text(QStringLiteral("PURPOSE")).trimmed();
    r.destBank = t.text(QStringLiteral("DESTBANK")).trimmed();
    r.destAcct = t.text(QStringLiteral("DESTACCT")).trimmed();
    r.sourceAcct = t.text(QStringLiteral("SOURCEACCT")).trimmed();
    r.details = t.integer(QStringLiteral("CSHACCDET")) != 0;
    r.reconciled = t.integer(QStringLiteral("RECONCILED")) != 0;
    r.confirmed = int(t.integer(QStringLiteral("CONFIRMED")));
    return r;
}

SaveResult refused(Problem p)
{
    SaveResult r;
    r.outcome = Outcome::Refused;
    r.problem = p;
    r.message = problemText(p);
    return r;
}

SaveResult failed(const QString& message, const QString& detail)
{
    SaveResult r;
    r.outcome = Outcome::Failed;
    r.message = message;
    r.detail = detail;
    return r;
}

SaveResult declined(const QString& message)
{
    SaveResult r;
    r.outcome = Outcome::Declined;
    r.message = message;
    return r;
}

// The overdraft question a new balance asks of an account, if any.
std::optional<Confirmation> overdraftQuestion(const BankAccount& a, double newBalance)
{
    const qint64 balance = fmt::cents(newBalance);
    if (!a.allowOd && balance < 0)
        return Confirmation{Question::OverdraftNotPermitted,
                            QStringLiteral("Overdraft not permitted...proceed anyway?")};
    if (a.allowOd && balance < -fmt::cents(a.odAmount))
        return Confirmation{Question::OverdraftLimitExceeded,
                            QStringLiteral("Transaction exceeds overdraft limit...proceed?")};
    return std::nullopt;
}

void writeBalance(store::Table& accounts, int coy, const QString& bankCode, const QString& acctNo,
                  double balance, qint64 lastRefNo = 0)
{
    if (!seekBankAccount(accounts, coy, bankCode, acctNo))
        throw store::StoreError(QStringLiteral("Bank account %1-%2 not found.").arg(bankCode, acctNo));
    accounts.edit();
    accounts.setValue(QStringLiteral("CURRBAL"), fmt::roundTo(balance, 2));
    if (lastRefNo > 0) accounts.setValue(QStringLiteral("LASTREFNO"), lastRefNo);
    accounts.post();
}

}  // namespace

std::optional<BankAccount> findBankAccount(store::Connection& connection, int coy,
                                           const QString& bankCode, const QString& acctNo)
{
    if (bankCode.trimmed().isEmpty() || acctNo.trimmed().isEmpty()) return std::nullopt;
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(t, coy, bankCode, acctNo)) return std::nullopt;
    return readBankAccount(t);
}

int countBankAccounts(store::Connection& connection, int coy)
{
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT COUNT(*) FROM QVBNKACT"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode")});
    q.bind(QStringLiteral("sCoyCode"), coyText(coy));
    q.open();
    return int(q.value(0).toLongLong());
}

qint64 reserveReferenceNumber(store::Connection& connection, int coy, const QString& bankCode,
                              const QString& acctNo)
{
    store::Transaction tx(connection);
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(t, coy, bankCode, acctNo))
        throw store::StoreError(QStringLiteral("Account cannot be found."));
    const qint64 last = t.integer(QStringLiteral("LASTREFNO"));
    const qint64 next = last > 0 ? last + 1 : 1;
    t.edit();
    t.setValue(QStringLiteral("LASTREFNO"), next);
    t.post();
    tx.commit();
    return next;
}

QString problemText(Problem problem)
{
    switch (problem) {
    case Problem::None: return {};
    case Problem::AccountNotFound: return QStringLiteral("Account cannot be found.");
    case Problem::OnlyOneAccount:
        return QStringLiteral("Only one bank account set up. Nothing to transfer to!");
    case Problem::NoDestination: return QStringLiteral("Please select a destination bank account.");
    case Problem::DestinationIsSource:
        return QStringLiteral("Destination Account cannot be the same as source!");
    case Problem::DestinationNotFound: return QStringLiteral("No such account, or cannot use it!");
    case Problem::InvalidLedgerAccount:
        return QStringLiteral(
            "Please select a valid journal account (Withdrawal/expense, deposit/income).");
    case Problem::DepartmentMismatch:
        return QStringLiteral("Bank account is not linked to account department!");
    case Problem::NoSource: return QStringLiteral("Please select a source.");
    case Problem::DuplicateReference: return QStringLiteral("Reference number is a duplicate.");
    case Problem::NoAmount: return QStringLiteral("Transaction amount must be entered!");
    case Problem::NothingToEdit: return QStringLiteral("Nothing to edit.");
    case Problem::EditInPayments: return {};
    case Problem::TransferNotEditable:
        return QStringLiteral("Transfer has been reconciled or you are viewing the destination. "
                              "Cannot edit.");
    case Problem::HasDetails: return QStringLiteral("Please remove details before deleting.");
    case Problem::ChequeRow:
        return QStringLiteral("Transaction is a cheque... delete in cheques maintenance!");
    case Problem::Reconciled: return QStringLiteral("Entry has been reconciled....cannot delete!");
    case Problem::MustDeleteFromSource: return QStringLiteral("Must delete from the source account!");
    case Problem::DestinationRow:
        return QStringLiteral(
            "Transfer transaction could not be deleted. Or switch to the source account!");
    }
    return {};
}

QString ledgerAccountRefusal(EntryType type, const LedgerAccount& account)
{
    if (type == EntryType::Deposit && account.isExpense())
        return QStringLiteral("Journal account for a deposit must be income.");
    if (type == EntryType::Withdrawal && account.isIncome())
        return QStringLiteral("Journal account for a withdrawal must be expense.");
    return {};
}

bool departmentMismatch(const BankAccount& bankAccount, const LedgerAccount& account)
{
    return bankAccount.deptOnly && bankAccount.branch != account.branch;
}

bool alwaysYes(const Confirmation&) { return true; }

Problem editRefusal(store::Connection& connection, int coy, const QString& bankCode,
                    const QString& acctNo, qint64 reference)
{
    const qint64 id = findBankRow(connection, coy, bankCode, acctNo, reference);
    if (id == 0) return Problem::NothingToEdit;
    store::Table rows(connection, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    if (!rows.gotoRowId(id)) return Problem::NothingToEdit;
    const StoredRow row = readRow(rows);
    if (row.tranType == QLatin1String("CHQ")) return Problem::EditInPayments;
    if (row.tranType == QLatin1String("TR")) {
        // A destination row names no destination, so its counterpart is never found.
        const qint64 other = row.destAcct.isEmpty()
                                 ? 0
                                 : findTransferDestination(connection, coy, acctNo, row.destBank,
                                                           row.destAcct, reference);
        if (other == 0 || !rows.gotoRowId(other) || rows.integer(QStringLiteral("RECONCILED")) != 0)
            return Problem::TransferNotEditable;
    }
    return Problem::None;
}

SaveResult checkBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                          const Confirm& confirm)
{
    const auto account = findBankAccount(connection, entry.coy, entry.bankCode, entry.acctNo);
    if (!account) return refused(Problem::AccountNotFound);
    if (mode == EntryMode::Edit) {
        const Problem p = editRefusal(connection, entry.coy, entry.bankCode, entry.acctNo,
                                      entry.reference);
        if (p != Problem::None) return refused(p);
    }
    if (entry.type == EntryType::Transfer) {
        if (countBankAccounts(connection, entry.coy) == 1) return refused(Problem::OnlyOneAccount);
        if (entry.destAcct.trimmed().isEmpty()) return refused(Problem::NoDestination);
        if (keys::bankLink(entry.coy, entry.destBank, entry.destAcct) ==
            keys::bankLink(entry.coy, entry.bankCode, entry.acctNo))
            return refused(Problem::DestinationIsSource);
        if (!findBankAccount(connection, entry.coy, entry.destBank, entry.destAcct))
            return refused(Problem::DestinationNotFound);
    } else if (!entry.hasDetails) {
        const auto ledger = findLedgerAccount(connection, entry.coy, entry.ledgerAccount);
        if (!ledger || !ledgerAccountRefusal(entry.type, *ledger).isEmpty())
            return refused(Problem::InvalidLedgerAccount);
        if (entry.source.trimmed().isEmpty()) return refused(Problem::NoSource);
        if (departmentMismatch(*account, *ledger)) return refused(Problem::DepartmentMismatch);
    }
    if (mode == EntryMode::Add && entry.type != EntryType::Transfer) {
        store::Query same(connection);
        same.setSql(QStringList{
            QStringLiteral("Select T.TRANNUM,T.REASON,T.TRANDATE from QVBNKTR T"),
            QStringLiteral("where T.COYCODE=:iCoyCode"), QStringLiteral("and T.AMOUNT=:dAmount"),
            QStringLiteral("and T.TRANTYPE <>:sType"), QStringLiteral("AND T.BANKACCT =:sBankAcct")});
        same.bind(QStringLiteral("iCoyCode"), entry.coy);
        same.bind(QStringLiteral("dAmount"), signedAmount(entry.type, entry.amount));
        same.bind(QStringLiteral("sType"), QStringLiteral("CHQ"));
        same.bind(QStringLiteral("sBankAcct"), entry.acctNo.trimmed());
        same.open();
        for (; !same.eof(); same.next()) {
            if (same.date(QStringLiteral("TRANDATE")) != entry.date) continue;
            const Confirmation question{
                Question::SameAmountSameDate,
                QStringLiteral("New entry matches entry No. ") +
                    QString::number(same.integer(QStringLiteral("TRANNUM"))) +
                    QStringLiteral(" for ") + same.text(QStringLiteral("REASON")) +
                    QStringLiteral(". Save anyway?")};
            if (!confirm(question)) return declined(QString());
            break;
        }
        store::Query number(connection);
        number.setSql(QStringList{
            QStringLiteral("Select T.TRANNUM,T.REASON, T.TRANDATE from QVBNKTR T"),
            QStringLiteral("where T.COYCODE=:iCoyCode"), QStringLiteral("and T.TRANNUM =:iTranNum"),
            QStringLiteral("AND T.BANKLINK =:sBankLink")});
        number.bind(QStringLiteral("iCoyCode"), entry.coy);
        number.bind(QStringLiteral("iTranNum"), entry.reference);
        number.bind(QStringLiteral("sBankLink"), account->bankLink);
        number.open();
        if (!number.eof()) return refused(Problem::DuplicateReference);
    }
    if (fmt::cents(entry.amount) <= 0) return refused(Problem::NoAmount);
    return {};
}

namespace {

// The body of postBankEntry, inside its transaction. Returns a result that is not Done to
// have the transaction rolled back.
SaveResult post(store::Connection& c, const BankEntry& e, EntryMode mode, const Confirm& confirm)
{
    const bool transfer = e.type == EntryType::Transfer;
    if (e.type == EntryType::Cheque) return refused(Problem::EditInPayments);
    if (fmt::cents(e.amount) <= 0) return refused(Problem::NoAmount);

    store::Table accounts(c, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(accounts, e.coy, e.bankCode, e.acctNo))
        return refused(Problem::AccountNotFound);
    const BankAccount account = readBankAccount(accounts);

    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    StoredRow before;
    if (mode == EntryMode::Edit) {
        const qint64 id = findBankRow(c, e.coy, account.bankCode, account.acctNo, e.reference);
        if (id == 0 || !rows.gotoRowId(id)) return refused(Problem::NothingToEdit);
        before = readRow(rows);
        if (before.tranType == QLatin1String("CHQ")) return refused(Problem::EditInPayments);
        if (before.tranType != bankRowType(e.type))
            return failed(QStringLiteral("Transaction not saved!"),
                          QStringLiteral("The type of a saved transaction cannot be changed."));
    } else if (findBankRow(c, e.coy, account.bankCode, account.acctNo, e.reference) != 0) {
        return refused(Problem::DuplicateReference);
    }
    const bool details = !transfer && (e.hasDetails || before.details);

    // The ledger account and the link code the row and its line carry.
    std::optional<LedgerAccount> ledger;
    QString journalLink = coyText(e.coy);
    int branch = account.deptOnly ? account.branch : 0;
    if (!transfer && !details) {
        ledger = findLedgerAccount(c, e.coy, e.ledgerAccount);
        if (!ledger || !ledgerAccountRefusal(e.type, *ledger).isEmpty())
            return refused(Problem::InvalidLedgerAccount);
        journalLink = journalLinkOf(*ledger, e.coy);
        branch = ledger->branch;
    } else if (details && mode == EntryMode::Edit && !before.linkCode.isEmpty()) {
        // The lines of a row with details were written under its link code; it stays.
        journalLink = before.linkCode;
        branch = before.branch;
    } else if (details) {
        if (const auto l = findLedgerAccount(c, e.coy, e.ledgerAccount)) {
            journalLink = journalLinkOf(*l, e.coy);
            branch = l->branch;
        }
    }

    // A transfer's destination: chosen when adding, the stored one when editing.
    std::optional<BankAccount> dest;
    qint64 destRowId = 0;
    if (transfer) {
        const QString destBank = mode == EntryMode::Edit ? before.destBank : e.destBank.trimmed();
        const QString destAcct = mode == EntryMode::Edit ? before.destAcct : e.destAcct.trimmed();
        if (mode == EntryMode::Edit) {
            destRowId = destAcct.isEmpty() ? 0
                                           : findTransferDestination(c, e.coy, account.acctNo,
                                                                     destBank, destAcct, e.reference);
            if (destRowId == 0) return refused(Problem::TransferNotEditable);
        }
        if (destAcct.isEmpty()) return refused(Problem::NoDestination);
        dest = findBankAccount(c, e.coy, destBank, destAcct);
        if (!dest) return refused(Problem::DestinationNotFound);
        if (dest->bankLink == account.bankLink) return refused(Problem::DestinationIsSource);
    }

    const double amount = fmt::roundTo(std::abs(e.amount), 2);
    const double previous = mode == EntryMode::Edit ? std::abs(before.amount) : 0.0;
    SaveResult result;
    result.balance = account.currBal;

    // 5. Balances.
    if (!e.depositsNotOnStatement) {
        double balance = account.currBal;
        if (mode == EntryMode::Edit) balance -= signedAmount(e.type, previous);
        balance += signedAmount(e.type, amount);
        balance = fmt::roundTo(balance, 2);
        if (e.type != EntryType::Deposit) {
            if (const auto q = overdraftQuestion(account, balance); q && !confirm(*q))
                return declined(QStringLiteral("Transaction not saved!"));
        }
        if (transfer) {
            const double destBalance =
                fmt::roundTo(dest->currBal - previous + amount, 2);
            const qint64 destNumber =
                mode == EntryMode::Add ? (dest->lastRefNo > 0 ? dest->lastRefNo + 1 : 1) : 0;
            writeBalance(accounts, e.coy, dest->bankCode, dest->acctNo, destBalance, destNumber);
            result.destinationBalance = destBalance;
            result.destinationReference = destNumber;
        }
        writeBalance(accounts, e.coy, account.bankCode, account.acctNo, balance);
        result.balance = balance;
    } else if (transfer && mode == EntryMode::Add) {
        const qint64 destNumber = dest->lastRefNo > 0 ? dest->lastRefNo + 1 : 1;
        writeBalance(accounts, e.coy, dest->bankCode, dest->acctNo, dest->currBal, destNumber);
        result.destinationReference = destNumber;
    }

    // 6. The bank row.
    const QString reference = QString::number(e.reference);
    if (mode == EntryMode::Add) {
        rows.insert();
        rows.setValue(QStringLiteral("BANKCODE"), account.bankCode);
        rows.setValue(QStringLiteral("COYCODE"), e.coy);
        rows.setValue(QStringLiteral("BANKACCT"), account.acctNo);
        rows.setValue(QStringLiteral("BNKTRNLNK"),
                      keys::bankEntryKey(account.bankCode, account.acctNo, reference));
        rows.setValue(QStringLiteral("CONFIRMED"), 0);
        rows.setValue(QStringLiteral("RECONCILED"), e.reconciled ? 1 : 0);
    } else {
        if (!rows.gotoRowId(before.rowId)) return refused(Problem::NothingToEdit);
        rows.edit();
    }
    // The department number follows the link code, also when an edit changes the account.
    rows.setValue(QStringLiteral("BRANCH"), branch);
    rows.setValue(QStringLiteral("LINKCODE"), journalLink);
    rows.setValue(QStringLiteral("TRANTYPE"), bankRowType(e.type));
    rows.setValue(QStringLiteral("AMOUNT"), signedAmount(e.type, amount));
    if (transfer) {
        rows.setValue(QStringLiteral("TRANREF"), keys::tranRef(reference, account.acctNo));
        rows.setValue(QStringLiteral("DESTBANK"), dest->bankCode);
        rows.setValue(QStringLiteral("DESTACCT"), dest->acctNo);
        rows.setValue(QStringLiteral("SOURCE"), kTransferSource);
        rows.setValue(QStringLiteral("CSHACCDET"), 0);
        rows.setValue(QStringLiteral("FULLCODE"), QString());
        rows.setValue(QStringLiteral("PURPOSE"), QString());
        rows.setValue(QStringLiteral("FULLLINK"),
                      keys::transferFullLink(account.bankCode, account.acctNo, e.coy));
    } else {
        rows.setValue(QStringLiteral("SOURCE"), details ? kDetailsSource : e.source.trimmed());
        rows.setValue(QStringLiteral("CSHACCDET"), details ? 1 : 0);
        rows.setValue(QStringLiteral("FULLCODE"),
                      details ? QStringLiteral(" ")
                              : keys::fullCodeFromLink(journalLink, ledger->acctCode));
        rows.setValue(QStringLiteral("PURPOSE"), details ? QString() : ledger->acctCode.trimmed());
        rows.setValue(QStringLiteral("FULLLINK"),
                      keys::fullLink(account.bankCode, account.acctNo, journalLink));
    }
    rows.setValue(QStringLiteral("BANKLINK"), keys::bankLink(e.coy, account.bankCode, account.acctNo));
    rows.setValue(QStringLiteral("TRANNUM"), e.reference);
    rows.setValue(QStringLiteral("TRANDATE"), e.date);
    rows.setValue(QStringLiteral("REASON"), e.narrative);
    rows.post();

    // 7. A transfer's destination row.
    if (transfer) {
        if (mode == EntryMode::Add) {
            rows.insert();
            rows.setValue(QStringLiteral("TRANTYPE"), QStringLiteral("TR"));
            rows.setValue(QStringLiteral("LINKCODE"), coyText(e.coy));
            rows.setValue(QStringLiteral("COYCODE"), e.coy);
            rows.setValue(QStringLiteral("BRANCH"), branch);
            rows.setValue(QStringLiteral("TRANREF"), keys::tranRef(reference, dest->acctNo));
            rows.setValue(QStringLiteral("TRANNUM"), result.destinationReference);
            rows.setValue(QStringLiteral("FULLLINK"),
                          keys::transferFullLink(dest->bankCode, dest->acctNo, e.coy));
            rows.setValue(QStringLiteral("RECONCILED"), 0);
            rows.setValue(QStringLiteral("CONFIRMED"), 0);
        } else {
            if (!rows.gotoRowId(destRowId)) return refused(Problem::TransferNotEditable);
            result.destinationReference = rows.integer(QStringLiteral("TRANNUM"));
            rows.edit();
        }
        rows.setValue(QStringLiteral("SOURCEBANK"), account.bankCode);
        rows.setValue(QStringLiteral("SOURCEACCT"), account.acctNo);
        rows.setValue(QStringLiteral("BANKLINK"), dest->bankLink);
        rows.setValue(QStringLiteral("BANKCODE"), dest->bankCode);
        rows.setValue(QStringLiteral("BANKACCT"), dest->acctNo);
        rows.setValue(QStringLiteral("AMOUNT"), amount);
        rows.setValue(QStringLiteral("TRANDATE"), e.date);
        rows.setValue(QStringLiteral("CSHACCDET"), 0);
        rows.setValue(QStringLiteral("SOURCE"), kTransferSource);
        rows.setValue(QStringLiteral("REASON"),
                      QStringLiteral("Transfer from: ") + account.bankCode + QLatin1Char('-') +
                          account.acctNo);
        rows.post();
    }

    // 8. The journal line.
    if (!transfer && !details) {
        EntryLine line;
        line.coy = e.coy;
        line.bankCode = account.bankCode;
        line.acctNo = account.acctNo;
        line.reference = e.reference;
        line.type = e.type;
        line.date = e.date;
        line.amount = amount;
        line.tax = e.tax;
        line.source = e.source.trimmed();
        line.narrative = e.narrative;
        line.account = *ledger;
        bool written = false;
        if (mode == EntryMode::Edit && !before.details) {
            const QString previousSearch =
                entrySearchCode(before.linkCode, before.purpose, e.reference);
            written = writeEntryLine(c, LineMode::Edit, line, previousSearch);
        }
        if (!written) writeEntryLine(c, LineMode::Add, line);
    }
    return result;
}

}  // namespace

SaveResult postBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm)
{
    try {
        store::Transaction tx(connection);
        SaveResult result = post(connection, entry, mode, confirm);
        if (result.ok()) tx.commit();
        return result;
    } catch (const store::StoreError& e) {
        return failed(QStringLiteral("Transaction not saved!"), e.text());
    }
}

SaveResult saveBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode,
                         const Confirm& confirm)
{
    SaveResult check = checkBankEntry(connection, entry, mode, confirm);
    if (!check.ok()) return check;
    return postBankEntry(connection, entry, mode, confirm);
}

namespace {

SaveResult remove(store::Connection& c, int coy, const QString& bankCode, const QString& acctNo,
                  qint64 reference, const Confirm& confirm, bool depositsNotOnStatement)
{
    store::Table accounts(c, QStringLiteral("QVBnkAct.DBF"));
    if (!seekBankAccount(accounts, coy, bankCode, acctNo)) return refused(Problem::AccountNotFound);
    const BankAccount account = readBankAccount(accounts);
    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    const qint64 id = findBankRow(c, coy, account.bankCode, account.acctNo, reference);
    if (id == 0 || !rows.gotoRowId(id)) return refused(Problem::NothingToEdit);
    const StoredRow row = readRow(rows);
    const bool transfer = row.tranType == QLatin1String("TR");
    const bool destinationRow = transfer && !row.sourceAcct.isEmpty();

    qint64 counterpart = 0;
    if (transfer && !row.destAcct.isEmpty())
        counterpart = findTransferDestination(c, coy, account.acctNo, row.destBank, row.destAcct,
                                              reference);
    if (!depositsNotOnStatement) {
        if (row.details) return refused(Problem::HasDetails);
        if (row.tranType == QLatin1String("CHQ")) return refused(Problem::ChequeRow);
        if (row.reconciled) return refused(Problem::Reconciled);
        if (transfer) {
            bool usable = counterpart != 0 && rows.gotoRowId(counterpart) &&
                          rows.integer(QStringLiteral("RECONCILED")) == 0;
            if (!usable) return refused(Problem::MustDeleteFromSource);
        }
    }
    if (destinationRow) return refused(Problem::DestinationRow);

    const double amount = std::abs(row.amount);
    SaveResult result;
    result.balance = account.currBal;

    // The questions come before anything is deleted, so "No" keeps rows and balances together.
    std::optional<BankAccount> dest;
    double balance = account.currBal, destBalance = 0.0;
    if (!depositsNotOnStatement) {
        balance = fmt::roundTo(account.currBal - row.amount, 2);
        if (fmt::cents(balance) < fmt::cents(account.currBal)) {
            if (const auto q = overdraftQuestion(account, balance); q && !confirm(*q))
                return declined(QString());
        }
        if (transfer && counterpart != 0) {
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
    // 3. A transfer's destination row.
    if (transfer && counterpart != 0 && rows.gotoRowId(counterpart)) rows.remove();
    // 4. The bank row.
    if (!rows.gotoRowId(row.rowId)) return refused(Problem::NothingToEdit);
    rows.remove();
    // 5. Balances.
    if (!depositsNotOnStatement) {
        writeBalance(accounts, coy, account.bankCode, account.acctNo, balance);
        result.balance = balance;
        if (dest) {
            writeBalance(accounts, coy, dest->bankCode, dest->acctNo, destBalance);
            result.destinationBalance = destBalance;
        }
    }
    return result;
}

}  // namespace

SaveResult deleteBankEntry(store::Connection& connection, int coy, const QString& bankCode,
                           const QString& acctNo, qint64 reference, const Confirm& confirm,
                           bool depositsNotOnStatement)
{
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
