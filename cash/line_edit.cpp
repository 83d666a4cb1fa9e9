#include "cash/line_edit.h"

#include "banking/journal_rules.h"
#include "banking/money_limits.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace cash {

namespace keys = store::keys;

QString privateShareFailedText() { return QStringLiteral("Unable to save to domestic account!"); }

double privatePart(const banking::LedgerAccount& account, double amount) {
    return store::fmt::roundTo(amount * account.allocPer / 100.0, 2);
}

namespace {

struct StoredLine {
    qint64 reference = 0;  // TRANNUM: the bank entry's reference number
    qint64 lineNo = 0;
};

void writeEditedLine(store::Table& t, const LineEdit& e, const CashAccount& a) {
    const QString acct = a.ledger.acctCode.trimmed();
    t.edit();
    t.setValue(QStringLiteral("LINKCODE"), a.linkCode);
    t.setValue(QStringLiteral("BRANCH"), a.branch);
    t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("N"));
    t.setValue(QStringLiteral("ACCTCODE"), acct);
    t.setValue(QStringLiteral("FULLCODE"), keys::fullCodeFromLink(a.linkCode, acct));
    t.setValue(QStringLiteral("TRANDATE"), e.date);
    t.setValue(QStringLiteral("DESC"), e.narrative);
    t.setValue(QStringLiteral("GSTCALC"), 0);
    t.setValue(QStringLiteral("ZERORATED"), 0);
    t.setValue(QStringLiteral("REASON"), QStringLiteral("CSH"));
    const QString type = lineType(a.ledger);
    if (!type.isEmpty()) t.setValue(QStringLiteral("TRANTYPE"), type);
    if (banking::hasPrivateShareDestination(a.ledger))
        t.setValue(QStringLiteral("SPLITDEST"), a.ledger.domAcct.trimmed());
    const banking::LineAmounts m = cashLineAmounts(a, e.amount, e.tax, e.companyTaxable);
    t.setValue(QStringLiteral("AMOUNT"), m.amount);
    t.setValue(QStringLiteral("BUSAMT"), m.busAmt);
    t.setValue(QStringLiteral("GSTAMT"), m.gstAmt);
    t.setValue(QStringLiteral("HASGST"), m.hasGst);
    t.post();
}

void writePrivateShareLine(store::Connection& connection, const LineEdit& e, const CashAccount& a,
                           const StoredLine& stored) {
    const banking::LedgerAccount& l = a.ledger;
    const QString split = banking::entrySplitLink(a.linkCode, l.domAcct, stored.reference);
    store::Table t(connection, QStringLiteral("QVActTr.DBF"));
    t.open();
    const qint64 splitRow = banking::findSplitLine(connection, split);
    if (splitRow != 0 && t.gotoRowId(splitRow)) {
        t.edit();
    } else {
        const QString none = QString::fromLatin1(keys::kNoBankEntry);
        t.insert();
        t.setValue(QStringLiteral("COYCODE"), QString::number(e.coy));
        t.setValue(QStringLiteral("REF"), QString::number(stored.lineNo));
        t.setValue(QStringLiteral("HASBNKACCT"), 1);
        t.setValue(QStringLiteral("BNKLINKNO"), none);
        t.setValue(QStringLiteral("BNKTRNLNK"), none);
        t.setValue(QStringLiteral("LINENO"), 1);
        t.setValue(QStringLiteral("SPLITLINK"), split);
    }
    t.setValue(QStringLiteral("BRANCH"), a.branch);
    t.setValue(QStringLiteral("LINKCODE"), a.linkCode);
    t.setValue(QStringLiteral("SRCHCODE"), QString());
    t.setValue(QStringLiteral("ACCTCODE"), l.domAcct.trimmed());
    t.setValue(QStringLiteral("FULLCODE"), keys::fullCodeFromLink(l.domLink, l.domAcct));
    t.setValue(QStringLiteral("DESC"), e.narrative);
    t.setValue(QStringLiteral("TRANDATE"), e.date);
    t.setValue(QStringLiteral("BUSAMT"), 0.0);
    t.setValue(QStringLiteral("AMOUNT"), privatePart(l, e.amount));
    t.setValue(QStringLiteral("GSTAMT"), 0.0);
    t.setValue(QStringLiteral("GSTCALC"), 0);
    t.setValue(QStringLiteral("SPLITSOURC"), l.acctCode.trimmed());
    t.post();
}

}  // namespace

LineEditResult saveJournalLine(store::Connection& connection, const LineEdit& e) {
    LineEditResult r;
    if (store::fmt::cents(e.amount) <= 0) {
        r.line = {false, amountNotPositiveText(), 0};
        return r;
    }
    if (!banking::fitsField(e.amount, banking::largestAmount()) ||
        !banking::fitsField(e.tax, banking::largestAmount())) {
        r.line = {false, banking::amountTooLargeText(), 0};
        return r;
    }
    try {
        const auto account = resolveCashAccount(connection, e.coy, e.acctCode);
        if (!account) {
            r.line = {false, accountNotFoundText(), 0};
            return r;
        }
        store::Transaction tx(connection);
        store::Table t(connection, QStringLiteral("QVActTr.DBF"));
        t.open();
        if (!t.gotoRowId(e.rowId)) {
            r.line = {false, saveFailedText(), 0};
            return r;
        }
        const StoredLine stored{t.integer(QStringLiteral("TRANNUM")),
                                t.integer(QStringLiteral("LINENO"))};
        writeEditedLine(t, e, *account);
        if (banking::hasPrivateShareDestination(account->ledger)) {
            // A savepoint of its own: the edited line stays saved when this part fails.
            try {
                store::Transaction inner(connection);
                writePrivateShareLine(connection, e, *account, stored);
                inner.commit();
            } catch (const store::StoreError&) {
                r.privateShareProblem = privateShareFailedText();
            }
        }
        tx.commit();
        r.line = {true, {}, e.rowId};
    } catch (const store::StoreError&) {
        r.line = {false, saveFailedText(), 0};
    }
    return r;
}

}  // namespace cash
