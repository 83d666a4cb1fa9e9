#include "banking/journal_rules.h"

#include <cmath>

#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

double taxContained(double amount, double ratePercent) {
    if (!(amount > 0.0) || ratePercent == 0.0) return 0.0;
    const double divisor = 100.0 / ratePercent + 1.0;
    return fmt::roundTo(amount / divisor, 2);
}

double taxAdded(double amount, double ratePercent) {
    return fmt::roundTo(amount * ratePercent / 100.0, 2);
}

Company readCompany(store::Connection& connection) {
    store::Table control(connection, QStringLiteral("QVCntrl.DBF"));
    control.setIndexName(QStringLiteral("COYCODE"));
    control.open();
    if (control.isEmpty()) throw store::StoreError(QStringLiteral("No company control record."));
    Company c;
    c.coy = int(control.integer(QStringLiteral("COYCODE")));
    c.busName = control.text(QStringLiteral("BUSNAME"));
    c.busCode = control.text(QStringLiteral("BUSCODE"));
    c.gstEnabled = control.integer(QStringLiteral("GSTENABLED")) == 1;
    c.gstPercent = control.number(QStringLiteral("GSTPERCENT"));
    return c;
}

std::optional<LedgerAccount> findLedgerAccount(store::Connection& connection, int coy,
                                               const QString& acctCode) {
    const QString code = acctCode.trimmed();
    if (code.isEmpty()) return std::nullopt;
    store::Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT ACCTCODE, LINKCODE, BRANCH, FULLCODE, TYPECODE, DESCR, GSTAPPLIES,"),
        QStringLiteral(" DOMESTIC, ALLOCPER, DOMLINK, DOMACCT, DOMDEPT, DOMFULLCOD FROM QVACCDET"),
        QStringLiteral("WHERE COYCODE = :sCoyCode AND ACCTCODE = :sAcctCode")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sAcctCode"), code);
    q.open();
    if (q.eof()) return std::nullopt;
    LedgerAccount a;
    a.acctCode = q.text(QStringLiteral("ACCTCODE"));
    a.linkCode = q.text(QStringLiteral("LINKCODE"));
    a.branch = q.text(QStringLiteral("BRANCH")).trimmed().toInt();
    a.fullCode = q.text(QStringLiteral("FULLCODE"));
    a.typeCode = q.text(QStringLiteral("TYPECODE")).trimmed();
    a.descr = q.text(QStringLiteral("DESCR"));
    a.gstApplies = q.integer(QStringLiteral("GSTAPPLIES")) == 1;
    a.domestic = q.integer(QStringLiteral("DOMESTIC")) == 1;
    a.allocPer = int(q.integer(QStringLiteral("ALLOCPER")));
    a.domLink = q.text(QStringLiteral("DOMLINK"));
    a.domAcct = q.text(QStringLiteral("DOMACCT"));
    a.domDept = q.text(QStringLiteral("DOMDEPT"));
    a.domFullCode = q.text(QStringLiteral("DOMFULLCOD"));
    return a;
}

int businessShare(const LedgerAccount& account) {
    if (!account.domestic) return 100;
    if (account.allocPer == 100) return 0;
    return 100 - account.allocPer;
}

QString shareDescription(const LedgerAccount& account) {
    if (!account.domestic) return account.descr;
    if (account.allocPer == 100) return account.descr + QStringLiteral(" is wholly domestic.");
    return account.descr + QLatin1Char(' ') + QString::number(account.allocPer) +
           QStringLiteral(" percent is domestic.");
}

bool hasPrivateShareDestination(const LedgerAccount& account) {
    return account.domestic && !account.domLink.trimmed().isEmpty();
}

QString journalLinkOf(const LedgerAccount& account, int coy) {
    return keys::journalLinkCode(account.linkCode, coy);
}

QString bankRowType(EntryType type) {
    switch (type) {
        case EntryType::Deposit:
            return QStringLiteral("DEP");
        case EntryType::Withdrawal:
            return QStringLiteral("WD");
        case EntryType::Transfer:
            return QStringLiteral("TR");
        case EntryType::Interest:
            return QStringLiteral("INT");
        case EntryType::Fees:
            return QStringLiteral("FEES");
        case EntryType::Cheque:
            return QStringLiteral("CHQ");
    }
    return {};
}

std::optional<EntryType> entryTypeOfRow(const QString& tranType) {
    const QString t = tranType.trimmed();
    for (EntryType e : {EntryType::Deposit, EntryType::Withdrawal, EntryType::Transfer,
                        EntryType::Interest, EntryType::Fees, EntryType::Cheque})
        if (bankRowType(e) == t) return e;
    return std::nullopt;
}

QString journalReason(EntryType type) {
    switch (type) {
        case EntryType::Deposit:
            return QStringLiteral("DEP");
        case EntryType::Withdrawal:
            return QStringLiteral("WD");
        case EntryType::Transfer:
            return QStringLiteral("TRAN");
        case EntryType::Interest:
            return QStringLiteral("INT");
        case EntryType::Fees:
            return QStringLiteral("FEES");
        case EntryType::Cheque:
            return QStringLiteral("CHQ");
    }
    return {};
}

bool isMoneyIn(EntryType type) { return type == EntryType::Deposit || type == EntryType::Interest; }

double signedAmount(EntryType type, double amount) {
    const double a = fmt::roundTo(std::abs(amount), 2);
    return isMoneyIn(type) ? a : -a;
}

double proposedTax(EntryType type, const Company& company, const LedgerAccount& account,
                   double amount) {
    if (type != EntryType::Deposit && type != EntryType::Withdrawal) return 0.0;
    if (!company.gstEnabled || !account.gstApplies) return 0.0;
    return taxContained(amount, company.gstPercent);
}

LineAmounts lineAmounts(const EntryLine& line) {
    LineAmounts a;
    const int share = businessShare(line.account);
    a.amount = fmt::roundTo(line.amount, 2);
    a.busAmt = share > 0 ? a.amount : 0.0;
    const bool moneyOnly = line.type == EntryType::Interest || line.type == EntryType::Fees;
    const bool taxed = moneyOnly ? (share > 0 && line.account.gstApplies) : line.account.gstApplies;
    if (taxed) {
        a.gstAmt = fmt::roundTo(line.tax, 2);
        a.hasGst = 1;
    }
    return a;
}

QString entrySearchCode(const QString& journalLink, const QString& acctCode, qint64 reference) {
    return keys::journalSearchCode(journalLink, acctCode, QString::number(reference));
}

QString entrySplitLink(const QString& journalLink, const QString& domAcct, qint64 reference) {
    return keys::splitLink(journalLink, domAcct, QString::number(reference));
}

QString entryBnkLinkNo(const QString& bankCode, const QString& acctNo, qint64 reference) {
    return keys::bnkLinkNo(bankCode, acctNo, QString::number(reference));
}

QString entryBnkTrnLnk(const QString& bankCode, const QString& acctNo, qint64 reference, int coy) {
    return keys::journalBankEntryKey(bankCode, acctNo, QString::number(reference), coy);
}

QVariantMap entryLineKeys(const QString& bankCode, const QString& acctNo, qint64 reference,
                          int coy) {
    return {{QStringLiteral("sBnkLinkNo"),
             keys::cutToWidth(entryBnkLinkNo(bankCode, acctNo, reference), keys::kBnkLinkNoWidth)},
            {QStringLiteral("sBnkTrnLnk"),
             keys::cutToWidth(entryBnkTrnLnk(bankCode, acctNo, reference, coy),
                              keys::kBankEntryKeyWidth)}};
}

void bindEntryLineKeys(store::Query& q, const QString& bankCode, const QString& acctNo,
                       qint64 reference, int coy) {
    const QVariantMap keys = entryLineKeys(bankCode, acctNo, reference, coy);
    for (auto it = keys.begin(); it != keys.end(); ++it) q.bind(it.key(), it.value());
}

qint64 findEntryLine(store::Connection& connection, const QString& searchCode,
                     const QString& bankCode, const QString& acctNo, qint64 reference) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVACTTR"),
                         QStringLiteral("WHERE SRCHCODE = :sSrchCode AND BNKLINKNO = :sBnkLinkNo"),
                         QStringLiteral("ORDER BY rowid")});
    q.bind(QStringLiteral("sSrchCode"), keys::cutToWidth(searchCode, keys::kSearchCodeWidth));
    q.bind(QStringLiteral("sBnkLinkNo"),
           keys::cutToWidth(entryBnkLinkNo(bankCode, acctNo, reference), keys::kBnkLinkNoWidth));
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

qint64 findSplitLine(store::Connection& connection, const QString& splitLink) {
    const QString key = keys::cutToWidth(splitLink, keys::kSplitLinkWidth);
    if (key.isEmpty()) return 0;
    store::Query q(connection);
    // The condition as the partial index states it, so the engine takes that index.
    q.setSql(QStringList{QStringLiteral("SELECT rowid FROM QVACTTR"),
                         QStringLiteral("WHERE SPLITLINK = :sSplitLink AND SPLITLINK <> ''"),
                         QStringLiteral("ORDER BY rowid")});
    q.bind(QStringLiteral("sSplitLink"), key);
    q.open();
    return q.eof() ? 0 : q.value(0).toLongLong();
}

namespace {

void setLineFields(store::Table& t, const EntryLine& line) {
    const QString link = journalLinkOf(line.account, line.coy);
    const QString acct = line.account.acctCode.trimmed();
    t.setValue(QStringLiteral("LINKCODE"), link);
    // The department number follows the link code, also when an edit moves the line.
    t.setValue(QStringLiteral("BRANCH"), line.account.branch);
    t.setValue(QStringLiteral("LINENO"), line.lineNo);
    t.setValue(QStringLiteral("BANKACCT"), line.acctNo.trimmed());
    t.setValue(QStringLiteral("SRCHCODE"), entrySearchCode(link, acct, line.reference));
    t.setValue(QStringLiteral("TRANTYPE"), line.account.isExpense()  ? QStringLiteral("E")
                                           : line.account.isIncome() ? QStringLiteral("I")
                                                                     : QString());
    t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("N"));
    t.setValue(QStringLiteral("ACCTCODE"), acct);
    t.setValue(QStringLiteral("FULLCODE"), keys::fullCodeFromLink(link, acct));
    t.setValue(QStringLiteral("TRANDATE"), line.date);
    t.setValue(QStringLiteral("DESC"), line.description.isEmpty()
                                           ? line.source + QLatin1Char('-') + line.narrative
                                           : line.description);
    t.setValue(QStringLiteral("GSTCALC"), 0);
    t.setValue(QStringLiteral("ZERORATED"), 0);
    t.setValue(QStringLiteral("REASON"),
               line.reason.isEmpty() ? journalReason(line.type) : line.reason);
    if (!line.suppCode.isEmpty()) t.setValue(QStringLiteral("SUPPCODE"), line.suppCode);
    if (!line.clientCode.isEmpty()) t.setValue(QStringLiteral("CLIENTCODE"), line.clientCode);
    // A line moved to an account without a private share loses its old destination.
    t.setValue(QStringLiteral("SPLITDEST"), hasPrivateShareDestination(line.account)
                                                ? line.account.domAcct.trimmed()
                                                : QString());
    const LineAmounts a = lineAmounts(line);
    t.setValue(QStringLiteral("AMOUNT"), a.amount);
    t.setValue(QStringLiteral("BUSAMT"), a.busAmt);
    t.setValue(QStringLiteral("GSTAMT"), a.gstAmt);
    t.setValue(QStringLiteral("HASGST"), a.hasGst);
}

}  // namespace

bool writeEntryLine(store::Connection& connection, LineMode mode, const EntryLine& line,
                    const QString& previousSearchCode) {
    store::Table t(connection, QStringLiteral("QVActTr.DBF"));
    t.open();
    if (mode == LineMode::Add) {
        t.insert();
        t.setValue(QStringLiteral("TRANNUM"), line.reference);
        t.setValue(QStringLiteral("COYCODE"), QString::number(line.coy));
        t.setValue(QStringLiteral("REF"), QString::number(line.reference));
        t.setValue(QStringLiteral("HASBNKACCT"), 1);
        t.setValue(QStringLiteral("BNKLINKNO"),
                   entryBnkLinkNo(line.bankCode, line.acctNo, line.reference));
        t.setValue(QStringLiteral("BNKTRNLNK"),
                   entryBnkTrnLnk(line.bankCode, line.acctNo, line.reference, line.coy));
    } else {
        const qint64 id = findEntryLine(connection, previousSearchCode, line.bankCode, line.acctNo,
                                        line.reference);
        if (id == 0 || !t.gotoRowId(id)) return false;
        t.edit();
    }
    try {
        setLineFields(t, line);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
    return true;
}

namespace {

int deleteLines(store::Connection& connection, const QString& journalLink, const QString& acctCode,
                const LedgerAccount* account, const QString& bankCode, const QString& acctNo,
                qint64 reference) {
    int count = 0;
    store::Table t(connection, QStringLiteral("QVActTr.DBF"));
    t.open();
    if (account && hasPrivateShareDestination(*account)) {
        const qint64 split =
            findSplitLine(connection, entrySplitLink(journalLink, account->domAcct, reference));
        if (split != 0 && t.gotoRowId(split)) {
            t.remove();
            ++count;
        }
    }
    const QString search = entrySearchCode(journalLink, acctCode, reference);
    while (const qint64 id = findEntryLine(connection, search, bankCode, acctNo, reference)) {
        if (!t.gotoRowId(id))
            throw store::StoreError(QStringLiteral("Journal line %1 vanished.").arg(id));
        t.remove();
        ++count;
    }
    return count;
}

}  // namespace

int deleteEntryLines(store::Connection& connection, const QString& journalLink,
                     const LedgerAccount& account, const QString& bankCode, const QString& acctNo,
                     qint64 reference) {
    return deleteLines(connection, journalLink, account.acctCode, &account, bankCode, acctNo,
                       reference);
}

int deleteEntryLines(store::Connection& connection, const QString& journalLink,
                     const QString& acctCode, const QString& bankCode, const QString& acctNo,
                     qint64 reference) {
    return deleteLines(connection, journalLink, acctCode, nullptr, bankCode, acctNo, reference);
}

bool detachLine(store::Connection& connection, qint64 lineRowId) {
    store::Table t(connection, QStringLiteral("QVActTr.DBF"));
    t.open();
    if (!t.gotoRowId(lineRowId)) return false;
    t.edit();
    t.setValue(QStringLiteral("BNKTRNLNK"), QString::fromLatin1(keys::kNoBankEntry));
    t.setValue(QStringLiteral("BNKLINKNO"), QString::fromLatin1(keys::kNoBankEntry));
    t.setValue(QStringLiteral("HASBNKACCT"), 0);
    t.setValue(QStringLiteral("TRANNUM"), 0);
    t.setValue(QStringLiteral("REF"), QStringLiteral("0"));
    t.post();
    return true;
}

}  // namespace banking
