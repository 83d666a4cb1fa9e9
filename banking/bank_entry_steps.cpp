#include "banking/bank_entry_steps.h"

#include <array>
#include <cmath>
#include <iterator>

#include "banking/money_limits.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "tax/tax_period.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

const QString kTransferSource = QStringLiteral("TRNFR");
const QString kDetailsSource = QStringLiteral("DETAILS");

QString coyText(int coy) { return QString::number(coy); }

StoredBankRow readStoredRow(const store::Table& t) {
    StoredBankRow r;
    r.rowId = t.rowId();
    r.tranNum = t.integer(QStringLiteral("TRANNUM"));
    r.tranType = t.text(QStringLiteral("TRANTYPE")).trimmed();
    r.date = t.date(QStringLiteral("TRANDATE"));
    r.amount = t.number(QStringLiteral("AMOUNT"));
    r.narrative = t.text(QStringLiteral("REASON"));
    r.linkCode = t.text(QStringLiteral("LINKCODE")).trimmed();
    r.branch = int(t.integer(QStringLiteral("BRANCH")));
    r.purpose = t.text(QStringLiteral("PURPOSE")).trimmed();
    r.destBank = t.text(QStringLiteral("DESTBANK")).trimmed();
    r.destAcct = t.text(QStringLiteral("DESTACCT")).trimmed();
    r.sourceAcct = t.text(QStringLiteral("SOURCEACCT")).trimmed();
    r.details = t.integer(QStringLiteral("CSHACCDET")) != 0;
    r.reconciled = t.integer(QStringLiteral("RECONCILED")) != 0;
    return r;
}

std::optional<StoredBankRow> storedRowAt(store::Connection& c, qint64 rowId) {
    if (rowId == 0) return std::nullopt;
    store::Table rows(c, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    if (!rows.gotoRowId(rowId)) return std::nullopt;
    return readStoredRow(rows);
}

qint64 firstRowId(store::Query& q) {
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

std::optional<SameAmountEntry> findSameAmount(store::Connection& c, const BankEntry& e) {
    store::Query same(c);
    same.setSql(QStringList{
        QStringLiteral("Select T.TRANNUM,T.REASON,T.TRANDATE from QVBNKTR T"),
        QStringLiteral("where T.COYCODE=:iCoyCode"), QStringLiteral("and T.AMOUNT=:dAmount"),
        QStringLiteral("and T.TRANTYPE <>:sType"), QStringLiteral("AND T.BANKACCT =:sBankAcct")});
    same.bind(QStringLiteral("iCoyCode"), e.coy);
    same.bind(QStringLiteral("dAmount"), signedAmount(e.type, e.amount));
    same.bind(QStringLiteral("sType"), QStringLiteral("CHQ"));
    same.bind(QStringLiteral("sBankAcct"), e.acctNo.trimmed());
    same.open();
    for (; !same.eof(); same.next()) {
        if (same.date(QStringLiteral("TRANDATE")) != e.date) continue;
        return SameAmountEntry{same.integer(QStringLiteral("TRANNUM")),
                               same.text(QStringLiteral("REASON"))};
    }
    return std::nullopt;
}

bool referenceTaken(store::Connection& c, const BankAccount& a, qint64 reference) {
    store::Query number(c);
    number.setSql(QStringList{
        QStringLiteral("Select T.TRANNUM,T.REASON, T.TRANDATE from QVBNKTR T"),
        QStringLiteral("where T.COYCODE=:iCoyCode"), QStringLiteral("and T.TRANNUM =:iTranNum"),
        QStringLiteral("AND T.BANKLINK =:sBankLink")});
    number.bind(QStringLiteral("iCoyCode"), a.coy);
    number.bind(QStringLiteral("iTranNum"), reference);
    number.bind(QStringLiteral("sBankLink"), keys::bankRowLink(a.coy, a.bankCode, a.acctNo));
    number.open();
    return !number.eof();
}

// A transfer's destination: the stored one when editing, the chosen one when adding.
void resolveDestination(store::Connection& c, ResolvedEntry& r) {
    const BankEntry& e = r.entry;
    r.accountCount = countBankAccounts(c, e.coy);
    const bool editing = r.stored.has_value();
    const QString destBank = editing ? r.stored->destBank : e.destBank.trimmed();
    const QString destAcct = editing ? r.stored->destAcct : e.destAcct.trimmed();
    if (destAcct.isEmpty()) return;
    r.destination = findBankAccount(c, e.coy, destBank, destAcct);
    if (editing)
        r.destinationRow =
            findTransferDestinationRow(c, e.coy, r.account.acctNo, destBank, destAcct, e.reference);
}

// Half a save must never land: the writers run only inside the caller's transaction.
void requireTransaction(store::Connection& c, const char* what) {
    if (c.transactionDepth() == 0)
        throw store::StoreError(
            QStringLiteral("%1 written outside a transaction.").arg(QLatin1String(what)));
}

bool fitsAmount(double v) { return fitsField(v, largestAmount()); }
bool fitsBalance(double v) { return fitsField(v, largestBalance()); }

Problem numberAndAmountProblem(const ResolvedEntry& r) {
    const BankEntry& e = r.entry;
    if (e.reference < 1 || e.reference > largestReference()) return Problem::BadReference;
    if (!fitsAmount(e.amount) || !fitsAmount(e.tax)) return Problem::AmountTooLarge;
    if (fmt::cents(e.amount) <= 0) return Problem::NoAmount;
    return Problem::None;
}

Problem destinationProblem(const ResolvedEntry& r) {
    const BankEntry& e = r.entry;
    if (r.mode == EntryMode::Edit && (!r.destinationRow || r.destinationRow->reconciled))
        return Problem::TransferNotEditable;
    if (r.accountCount == 1) return Problem::OnlyOneAccount;
    const QString destAcct = r.stored ? r.stored->destAcct : e.destAcct.trimmed();
    if (destAcct.isEmpty()) return Problem::NoDestination;
    const QString destBank = r.stored ? r.stored->destBank : e.destBank.trimmed();
    if (keys::bankLink(e.coy, destBank, destAcct) ==
        keys::bankLink(e.coy, r.account.bankCode, r.account.acctNo))
        return Problem::DestinationIsSource;
    if (!r.destination) return Problem::DestinationNotFound;
    return Problem::None;
}

Problem ledgerProblem(const ResolvedEntry& r, bool withSource) {
    if (!r.ledger || !ledgerAccountRefusal(r.entry.type, *r.ledger).isEmpty())
        return Problem::InvalidLedgerAccount;
    if (withSource && r.entry.source.trimmed().isEmpty()) return Problem::NoSource;
    if (withSource && departmentMismatch(r.account, *r.ledger)) return Problem::DepartmentMismatch;
    return Problem::None;
}

Problem balanceProblem(const ResolvedEntry& r) {
    const EntryBalances b = entryBalances(r);
    if (!b.moves) return Problem::None;
    if (!fitsBalance(b.balance)) return Problem::BalanceTooLarge;
    if (r.isTransfer() && !fitsBalance(b.destinationBalance)) return Problem::BalanceTooLarge;
    return Problem::None;
}

// The checks both lists share, the entry's own words first.
Problem commonProblem(const ResolvedEntry& r, bool windowChecks) {
    if (r.entry.type == EntryType::Cheque) return Problem::EditInPayments;
    if (r.stored && r.stored->tranType != bankRowType(r.entry.type)) return Problem::TypeChanged;
    if (r.isTransfer()) {
        if (const Problem p = destinationProblem(r); p != Problem::None) return p;
    } else if (!r.hasDetails()) {
        if (const Problem p = ledgerProblem(r, windowChecks); p != Problem::None) return p;
    }
    if (r.mode == EntryMode::Add && r.referenceTaken) return Problem::DuplicateReference;
    if (const Problem p = numberAndAmountProblem(r); p != Problem::None) return p;
    return balanceProblem(r);
}

}  // namespace

std::optional<StoredBankRow> findStoredBankRow(store::Connection& connection, int coy,
                                               const QString& bankCode, const QString& acctNo,
                                               qint64 reference) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVBNKTR"),
                         QStringLiteral("WHERE TRANNUM = :iTranNum AND BANKLINK = :sBankLink"),
                         QStringLiteral("ORDER BY rowid")});
    q.bind(QStringLiteral("iTranNum"), reference);
    q.bind(QStringLiteral("sBankLink"), keys::bankRowLink(coy, bankCode, acctNo));
    return storedRowAt(connection, firstRowId(q));
}

std::optional<StoredBankRow> findTransferDestinationRow(store::Connection& connection, int coy,
                                                        const QString& sourceAcct,
                                                        const QString& destBank,
                                                        const QString& destAcct, qint64 reference) {
    // Every account counts from the same start, so the source account is named too.
    store::Query q(connection);
    // A destination row names its source account; SOURCEACCT is indexed only where set.
    q.setSql(QStringList{
        QStringLiteral("SELECT rowid FROM QVBNKTR"),
        QStringLiteral("WHERE BANKLINK = :sBankLink AND TRANREF = :sTranRef"),
        QStringLiteral("AND SOURCEACCT = :sSourceAcct"),
        sourceAcct.trimmed().isEmpty() ? QString() : QStringLiteral("AND SOURCEACCT <> ''"),
        QStringLiteral("ORDER BY rowid")});
    q.bind(QStringLiteral("sBankLink"), keys::bankRowLink(coy, destBank, destAcct));
    q.bind(
        QStringLiteral("sTranRef"),
        keys::cutToWidth(keys::tranRef(QString::number(reference), destAcct), keys::kTranRefWidth));
    q.bind(QStringLiteral("sSourceAcct"), sourceAcct.trimmed());
    return storedRowAt(connection, firstRowId(q));
}

bool ResolvedEntry::hasDetails() const {
    return !isTransfer() && (entry.hasDetails || (stored && stored->details));
}

double ResolvedEntry::amount() const {
    return fitsField(entry.amount, largestAmount()) ? fmt::roundTo(std::abs(entry.amount), 2) : 0.0;
}

double ResolvedEntry::previousAmount() const { return stored ? std::abs(stored->amount) : 0.0; }

QString ResolvedEntry::journalLink() const {
    if (isTransfer()) return coyText(entry.coy);
    // The lines of a row with details were written under its link code; it stays.
    if (hasDetails() && stored && !stored->linkCode.isEmpty()) return stored->linkCode;
    if (ledger) return journalLinkOf(*ledger, entry.coy);
    return coyText(entry.coy);
}

int ResolvedEntry::branch() const {
    if (!isTransfer() && hasDetails() && stored && !stored->linkCode.isEmpty())
        return stored->branch;
    if (!isTransfer() && ledger) return ledger->branch;
    return account.deptOnly ? account.branch : 0;
}

Resolution resolveBankEntry(store::Connection& connection, const BankEntry& entry, EntryMode mode) {
    Resolution out;
    ResolvedEntry& r = out.resolved;
    r.entry = entry;
    r.mode = mode;
    const auto account = findBankAccount(connection, entry.coy, entry.bankCode, entry.acctNo);
    if (!account) {
        out.problem = Problem::AccountNotFound;
        return out;
    }
    r.account = *account;
    if (mode == EntryMode::Edit) {
        r.stored = findStoredBankRow(connection, entry.coy, account->bankCode, account->acctNo,
                                     entry.reference);
        if (!r.stored) {
            out.problem = Problem::NothingToEdit;
            return out;
        }
        if (r.stored->tranType == QLatin1String("CHQ")) {
            out.problem = Problem::EditInPayments;
            return out;
        }
    } else if (entry.reference >= 1 && entry.reference <= largestReference()) {
        r.referenceTaken = referenceTaken(connection, r.account, entry.reference);
    }
    if (entry.type == EntryType::Transfer) {
        resolveDestination(connection, r);
    } else {
        r.ledger = findLedgerAccount(connection, entry.coy, entry.ledgerAccount);
        if (mode == EntryMode::Add && fitsField(entry.amount, largestAmount()))
            r.sameAmount = findSameAmount(connection, entry);
    }
    return out;
}

Problem entryProblem(const ResolvedEntry& r) { return commonProblem(r, true); }

Problem postingProblem(const ResolvedEntry& r) { return commonProblem(r, false); }

EntryBalances entryBalances(const ResolvedEntry& r) {
    EntryBalances b;
    b.balance = r.account.currBal;
    const bool adding = r.mode == EntryMode::Add;
    if (r.isTransfer() && adding && r.destination)
        b.destinationNumber = r.destination->lastRefNo > 0 ? r.destination->lastRefNo + 1 : 1;
    if (r.isTransfer() && r.destination) b.destinationBalance = r.destination->currBal;
    if (r.entry.depositsNotOnStatement) return b;
    b.moves = true;
    const double amount = r.amount(), previous = r.previousAmount();
    b.balance = fmt::roundTo(r.account.currBal - signedAmount(r.entry.type, previous) +
                                 signedAmount(r.entry.type, amount),
                             2);
    if (r.isTransfer() && r.destination)
        b.destinationBalance = fmt::roundTo(r.destination->currBal - previous + amount, 2);
    return b;
}

std::optional<Confirmation> sameAmountQuestion(const ResolvedEntry& r) {
    if (r.mode != EntryMode::Add || r.isTransfer() || !r.sameAmount) return std::nullopt;
    return Confirmation{Question::SameAmountSameDate,
                        QStringLiteral("New entry matches entry No. ") +
                            QString::number(r.sameAmount->tranNum) + QStringLiteral(" for ") +
                            r.sameAmount->reason + QStringLiteral(". Save anyway?")};
}

std::optional<Confirmation> overdraftQuestion(const BankAccount& a, double newBalance) {
    if (!fitsField(newBalance, largestBalance())) return std::nullopt;
    const qint64 balance = fmt::cents(newBalance);
    if (!a.allowOd && balance < 0)
        return Confirmation{Question::OverdraftNotPermitted,
                            QStringLiteral("Overdraft not permitted...proceed anyway?")};
    if (a.allowOd && balance < -fmt::cents(a.odAmount))
        return Confirmation{Question::OverdraftLimitExceeded,
                            QStringLiteral("Transaction exceeds overdraft limit...proceed?")};
    return std::nullopt;
}

std::optional<Confirmation> filedPeriodQuestion(store::Connection& connection, int coy,
                                                const QDate& date) {
    const auto filed = tax::filedPeriodContaining(connection, coy, date);
    if (!filed) return std::nullopt;
    return Confirmation{Question::FiledTaxPeriod, tax::filedPeriodQuestion(*filed)};
}

std::optional<Confirmation> filedPeriodQuestion(store::Connection& connection,
                                                const ResolvedEntry& r) {
    const bool newDate = r.mode == EntryMode::Add || (r.stored && r.stored->date != r.entry.date);
    if (!newDate) return std::nullopt;
    return filedPeriodQuestion(connection, r.entry.coy, r.entry.date);
}

std::optional<Confirmation> overdraftQuestion(const ResolvedEntry& r, const EntryBalances& b) {
    if (!b.moves || r.entry.type == EntryType::Deposit) return std::nullopt;
    return overdraftQuestion(r.account, b.balance);
}

void writeAccountBalance(store::Connection& connection, int coy, const QString& bankCode,
                         const QString& acctNo, double balance, qint64 lastRefNo) {
    requireTransaction(connection, "A bank balance");
    store::Table accounts(connection, QStringLiteral("QVBnkAct.DBF"));
    accounts.setIndexName(QStringLiteral("BANKLINK"));
    accounts.open();
    if (!accounts.findKey(keys::bankAccountLink(coy, bankCode, acctNo)))
        throw store::StoreError(
            QStringLiteral("Bank account %1-%2 not found.").arg(bankCode, acctNo));
    accounts.edit();
    accounts.setValue(QStringLiteral("CURRBAL"), fmt::roundTo(balance, 2));
    if (lastRefNo > 0) accounts.setValue(QStringLiteral("LASTREFNO"), lastRefNo);
    accounts.post();
}

qint64 writeBankRow(store::Connection& connection, const BankRow& row, qint64 rowIdToEdit) {
    store::Table t(connection, QStringLiteral("QVBnkTr.DBF"));
    t.open();
    return writeBankRow(t, row, rowIdToEdit);
}

namespace {

// The fields of a bank row in the order writeBankRow writes them; the first three only when
// the row is inserted.
constexpr int kInsertOnlyBankFields = 3;
constexpr const char* kBankRowFields[] = {
    "BNKTRNLNK", "CONFIRMED", "RECONCILED", "COYCODE",    "BANKCODE", "BANKACCT",
    "BANKLINK",  "BRANCH",    "LINKCODE",   "TRANTYPE",   "AMOUNT",   "TRANREF",
    "DESTBANK",  "DESTACCT",  "SOURCEBANK", "SOURCEACCT", "SOURCE",   "CSHACCDET",
    "FULLCODE",  "PURPOSE",   "FULLLINK",   "TRANNUM",    "TRANDATE", "REASON"};
constexpr int kBankRowFieldCount = int(std::size(kBankRowFields));

// The values of kBankRowFields, in its order.
std::array<QVariant, kBankRowFieldCount> bankRowValues(const BankRow& row) {
    return {row.bnkTrnLnk,
            0,
            row.reconciled ? 1 : 0,
            row.coy,
            row.bankCode,
            row.acctNo,
            keys::bankLink(row.coy, row.bankCode, row.acctNo),
            row.branch,
            row.linkCode,
            row.tranType,
            fmt::roundTo(row.amount, 2),
            row.tranRef,
            row.destBank,
            row.destAcct,
            row.sourceBank,
            row.sourceAcct,
            row.source,
            row.details ? 1 : 0,
            row.fullCode,
            row.purpose,
            row.fullLink,
            row.tranNum,
            row.date,
            row.narrative};
}

}  // namespace

qint64 writeBankRow(store::Table& t, const BankRow& row, qint64 rowIdToEdit) {
    requireTransaction(t.connection(), "A bank row");
    if (rowIdToEdit == 0) {
        t.insert();
    } else {
        if (!t.gotoRowId(rowIdToEdit))
            throw store::StoreError(QStringLiteral("Bank row %1 vanished.").arg(rowIdToEdit));
        t.edit();
    }
    try {
        const auto values = bankRowValues(row);
        for (int i = rowIdToEdit == 0 ? 0 : kInsertOnlyBankFields; i < kBankRowFieldCount; ++i)
            t.setValue(QLatin1String(kBankRowFields[i]), values[size_t(i)]);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
    return t.rowId();
}

store::RowInserter bankRowInserter(store::Connection& connection) {
    return store::RowInserter(
        connection, QStringLiteral("QVBnkTr"),
        std::vector<const char*>(std::begin(kBankRowFields), std::end(kBankRowFields)));
}

qint64 writeBankRow(store::RowInserter& inserter, const BankRow& row) {
    const auto values = bankRowValues(row);
    for (int i = 0; i < kBankRowFieldCount; ++i) inserter.set(i, values[size_t(i)]);
    return inserter.insert();  // refuses to run outside a transaction
}

BankRow bankRowOf(const ResolvedEntry& r) {
    const BankEntry& e = r.entry;
    const QString reference = QString::number(e.reference);
    BankRow row;
    row.coy = e.coy;
    row.bankCode = r.account.bankCode;
    row.acctNo = r.account.acctNo;
    row.tranNum = e.reference;
    row.date = e.date;
    row.tranType = bankRowType(e.type);
    row.amount = signedAmount(e.type, r.amount());
    row.branch = r.branch();
    row.linkCode = r.journalLink();
    row.narrative = e.narrative;
    row.bnkTrnLnk = keys::bankEntryKey(row.bankCode, row.acctNo, reference);
    row.reconciled = e.reconciled;
    if (r.isTransfer()) {
        row.tranRef = keys::tranRef(reference, row.acctNo);
        row.destBank = r.destination ? r.destination->bankCode : QString();
        row.destAcct = r.destination ? r.destination->acctNo : QString();
        row.source = kTransferSource;
        row.fullLink = keys::transferFullLink(row.bankCode, row.acctNo, e.coy);
    } else {
        const bool details = r.hasDetails();
        row.source = details ? kDetailsSource : e.source.trimmed();
        row.details = details;
        const QString acctCode = r.ledger ? r.ledger->acctCode.trimmed() : QString();
        row.fullCode =
            details ? QStringLiteral(" ") : keys::fullCodeFromLink(row.linkCode, acctCode);
        row.purpose = details ? QString() : acctCode;
        row.fullLink = keys::fullLink(row.bankCode, row.acctNo, row.linkCode);
    }
    return row;
}

BankRow destinationRowOf(const ResolvedEntry& r, qint64 destinationNumber) {
    const BankEntry& e = r.entry;
    BankRow row;
    row.coy = e.coy;
    row.bankCode = r.destination ? r.destination->bankCode : QString();
    row.acctNo = r.destination ? r.destination->acctNo : QString();
    row.tranNum = r.destinationRow ? r.destinationRow->tranNum : destinationNumber;
    row.date = e.date;
    row.tranType = bankRowType(EntryType::Transfer);
    row.amount = r.amount();
    row.branch = r.branch();
    row.linkCode = coyText(e.coy);
    row.tranRef = keys::tranRef(QString::number(e.reference), row.acctNo);
    row.fullLink = keys::transferFullLink(row.bankCode, row.acctNo, e.coy);
    row.sourceBank = r.account.bankCode;
    row.sourceAcct = r.account.acctNo;
    row.source = kTransferSource;
    row.narrative = QStringLiteral("Transfer from: ") + r.account.bankCode + QLatin1Char('-') +
                    r.account.acctNo;
    return row;
}

EntryLine entryLineOf(const ResolvedEntry& r) {
    const BankEntry& e = r.entry;
    EntryLine line;
    line.coy = e.coy;
    line.bankCode = r.account.bankCode;
    line.acctNo = r.account.acctNo;
    line.reference = e.reference;
    line.type = e.type;
    line.date = e.date;
    line.amount = r.amount();
    line.tax = e.tax;
    line.source = e.source.trimmed();
    line.narrative = e.narrative;
    if (r.ledger) line.account = *r.ledger;
    return line;
}

SaveResult writeResolvedEntry(store::Connection& c, const ResolvedEntry& r,
                              const EntryBalances& b) {
    const BankEntry& e = r.entry;
    SaveResult result;
    result.balance = b.balance;
    result.destinationBalance = b.destinationBalance;
    result.destinationReference =
        r.destinationRow ? r.destinationRow->tranNum : b.destinationNumber;

    // 5. Balances: the destination's first, then the account's own.
    if (r.isTransfer() && r.destination && (b.moves || b.destinationNumber > 0))
        writeAccountBalance(c, e.coy, r.destination->bankCode, r.destination->acctNo,
                            b.destinationBalance, b.destinationNumber);
    if (b.moves) writeAccountBalance(c, e.coy, r.account.bankCode, r.account.acctNo, b.balance);

    // 6. The bank row; 7. a transfer's destination row.
    writeBankRow(c, bankRowOf(r), r.stored ? r.stored->rowId : 0);
    if (r.isTransfer())
        writeBankRow(c, destinationRowOf(r, b.destinationNumber),
                     r.destinationRow ? r.destinationRow->rowId : 0);

    // 8. The journal line: the edited row's line rewritten (or moved), else a new one.
    if (!r.isTransfer() && !r.hasDetails()) {
        const EntryLine line = entryLineOf(r);
        bool written = false;
        if (r.stored && !r.stored->details)
            written =
                writeEntryLine(c, LineMode::Edit, line,
                               entrySearchCode(r.stored->linkCode, r.stored->purpose, e.reference));
        if (!written) writeEntryLine(c, LineMode::Add, line);
    }
    return result;
}

}  // namespace banking
