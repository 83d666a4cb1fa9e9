#include "cash/cash_lines.h"

#include "banking/money_limits.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace cash {

namespace keys = store::keys;

QString accountNotFoundText() { return QStringLiteral("Cannot find account!"); }
QString amountNotPositiveText() {
    return QStringLiteral("You must enter a transaction amount greater than zero.");
}
QString saveFailedText() { return QStringLiteral("Unable to save... try again."); }
QString deleteFailedText() { return QStringLiteral("Unable to delete this entry!"); }
QString taxCalculatedDeleteText() {
    return QStringLiteral("Cannot delete, Tax has been calculated.");
}

std::optional<CashAccount> resolveCashAccount(store::Connection& connection, int coy,
                                              const QString& acctCode) {
    const auto ledger = banking::findLedgerAccount(connection, coy, acctCode);
    if (!ledger) return std::nullopt;
    CashAccount a;
    a.ledger = *ledger;
    a.linkCode = banking::journalLinkOf(*ledger, coy);
    const QString stored = ledger->linkCode.trimmed();
    if (stored.isEmpty() || stored == QLatin1String(keys::kCompanyLevelLinkCode)) return a;
    store::Query q(connection);
    q.setSql({QStringLiteral("SELECT DEPTCODE, BUSNAME, BRANCH, GSTENABLED FROM QVCOY"),
              QStringLiteral("WHERE LINKCODE = :sLinkCode")});
    q.bind(QStringLiteral("sLinkCode"), stored);
    q.open();
    if (q.eof()) return a;
    a.deptCode = q.text(QStringLiteral("DEPTCODE"));
    a.deptName = q.text(QStringLiteral("BUSNAME"));
    a.branch = int(q.integer(QStringLiteral("BRANCH")));
    a.deptTaxable = q.integer(QStringLiteral("GSTENABLED")) != 0;
    return a;
}

bool lineTaxable(bool companyTaxable, const CashAccount& account) {
    return companyTaxable && account.deptTaxable;
}

double proposedCashTax(bool companyTaxable, double ratePercent, const CashAccount& account,
                       double amount) {
    if (!lineTaxable(companyTaxable, account) || !account.ledger.gstApplies) return 0.0;
    return banking::taxContained(amount, ratePercent);
}

QString lineType(const banking::LedgerAccount& account) {
    if (account.isExpense()) return QStringLiteral("E");
    if (account.isIncome()) return QStringLiteral("I");
    return {};
}

void openCashList(store::Table& lines, int coy) {
    // Store order within the company is append order. The condition matches the store's
    // partial index of cash lines word for word (the key and 'PAY' written, not bound), so the
    // count, the last line and the grid's pages read that index, already in append order.
    lines.setIndexName(QString());
    lines.setFilter(
        QStringLiteral("COYCODE = :coy AND BNKLINKNO = '0-0-0' AND \"REASON\" <> 'PAY'"),
        {{QStringLiteral("coy"), QString::number(coy)}});
    lines.open();
}

double cashListTotal(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql({QStringLiteral("SELECT SUM(CASE WHEN TRANTYPE = 'E' THEN -AMOUNT ELSE AMOUNT END)"),
              QStringLiteral("FROM QVACTTR WHERE +COYCODE = :sCoyCode"),
              QStringLiteral("AND BNKLINKNO = :sLink AND REASON <> :sReason")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sLink"), QString::fromLatin1(keys::kNoBankEntry));
    q.bind(QStringLiteral("sReason"), QStringLiteral("PAY"));
    q.open();
    return store::fmt::roundTo(q.number(0), 2);
}

namespace {

qint64 lastListedValue(store::Connection& connection, int coy, const QString& field) {
    store::Table lines(connection, QStringLiteral("QVActTr.DBF"));
    openCashList(lines, coy);
    if (lines.isEmpty()) return 0;
    lines.last();
    return lines.integer(field);
}

}  // namespace

qint64 nextCashNumber(store::Connection& connection, int coy) {
    return lastListedValue(connection, coy, QStringLiteral("TRANNUM")) + 1;
}

qint64 nextDetailLineNumber(store::Connection& connection, int coy) {
    return lastListedValue(connection, coy, QStringLiteral("LINENO")) + 1;
}

banking::LineAmounts cashLineAmounts(const CashAccount& account, double amount, double tax,
                                     bool companyTaxable) {
    banking::EntryLine line;
    line.type = banking::EntryType::Deposit;
    line.amount = amount;
    line.tax = tax;
    line.account = account.ledger;
    banking::LineAmounts a = banking::lineAmounts(line);
    // A line of a company (or department) without tax, or of a wholly private account, carries
    // none, whatever the account says.
    if (!lineTaxable(companyTaxable, account) || banking::businessShare(account.ledger) == 0)
        a.gstAmt = 0.0, a.hasGst = 0;
    return a;
}

namespace {

void writeNewLineKeys(store::Table& t, const CashEntry& e) {
    const QString none = QString::fromLatin1(keys::kNoBankEntry);
    t.setValue(QStringLiteral("COYCODE"), QString::number(e.coy));
    t.setValue(QStringLiteral("HASBNKACCT"), 0);
    t.setValue(QStringLiteral("BNKLINKNO"), none);
    if (e.kind == CashKind::Transaction) {
        t.setValue(QStringLiteral("TRANNUM"), e.number);
    } else {
        t.setValue(QStringLiteral("BNKTRNLNK"), none);
        t.setValue(QStringLiteral("LINENO"), e.number);
    }
}

void writeLineFields(store::Table& t, const CashEntry& e, const CashAccount& a) {
    const QString acct = a.ledger.acctCode.trimmed();
    const QString number = QString::number(e.number);
    const QString type = lineType(a.ledger);
    // The department follows the account, also when an edit moves the line to another one.
    t.setValue(QStringLiteral("BRANCH"), a.branch);
    t.setValue(QStringLiteral("LINKCODE"), a.linkCode);
    if (!type.isEmpty()) t.setValue(QStringLiteral("TRANTYPE"), type);
    t.setValue(QStringLiteral("ACCTCODE"), acct);
    t.setValue(QStringLiteral("FULLCODE"), keys::fullCodeFromLink(a.linkCode, acct));
    t.setValue(QStringLiteral("TRANDATE"), e.date);
    t.setValue(QStringLiteral("DESC"), e.narrative);
    t.setValue(QStringLiteral("GSTCALC"), 0);
    t.setValue(QStringLiteral("REASON"), QStringLiteral("CSH"));
    t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("N"));
    t.setValue(QStringLiteral("REF"), number);
    t.setValue(QStringLiteral("SUPPCODE"), QString());
    t.setValue(QStringLiteral("SRCHCODE"), keys::cashSearchCode(acct, number, e.coy));
    t.setValue(QStringLiteral("ZERORATED"), 0);
    const banking::LineAmounts m = cashLineAmounts(a, e.amount, e.tax, e.companyTaxable);
    t.setValue(QStringLiteral("AMOUNT"), m.amount);
    t.setValue(QStringLiteral("BUSAMT"), m.busAmt);
    t.setValue(QStringLiteral("GSTAMT"), m.gstAmt);
    t.setValue(QStringLiteral("HASGST"), m.hasGst);
}

CashResult refused(const QString& message) { return {false, message, 0}; }

}  // namespace

CashResult saveCashLine(store::Connection& connection, const CashEntry& entry, qint64 rowIdToEdit) {
    if (store::fmt::cents(entry.amount) <= 0) return refused(amountNotPositiveText());
    if (!banking::fitsField(entry.amount, banking::largestAmount()) ||
        !banking::fitsField(entry.tax, banking::largestAmount()))
        return refused(banking::amountTooLargeText());
    CashResult result;
    try {
        const auto account = resolveCashAccount(connection, entry.coy, entry.acctCode);
        if (!account) return refused(accountNotFoundText());
        store::Transaction tx(connection);
        store::Table t(connection, QStringLiteral("QVActTr.DBF"));
        t.open();
        if (rowIdToEdit == 0) {
            t.insert();
            writeNewLineKeys(t, entry);
        } else {
            if (!t.gotoRowId(rowIdToEdit)) return refused(saveFailedText());
            t.edit();
        }
        writeLineFields(t, entry, *account);
        t.post();
        result.rowId = t.rowId();
        tx.commit();
    } catch (const store::StoreError&) {
        return refused(saveFailedText());
    }
    return result;
}

CashResult deleteCashLine(store::Connection& connection, qint64 rowId) {
    try {
        store::Transaction tx(connection);
        store::Table t(connection, QStringLiteral("QVActTr.DBF"));
        t.open();
        if (!t.gotoRowId(rowId)) return refused(deleteFailedText());
        if (t.integer(QStringLiteral("GSTCALC")) != 0) return refused(taxCalculatedDeleteText());
        t.remove();
        tx.commit();
    } catch (const store::StoreError&) {
        return refused(deleteFailedText());
    }
    return {};
}

}  // namespace cash
