#include "banking/recurring_run.h"

#include "banking/bank_entry_steps.h"
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

const QString kRunSource = QStringLiteral("AP");

QString runFailedText() {
    return QStringLiteral("Unable to update bank transactions. Run discontinued.");
}

RunResult runStopped(RunOutcome outcome, const QString& message, const QString& detail = {}) {
    RunResult r;
    r.outcome = outcome;
    r.message = message;
    r.detail = detail;
    return r;
}

// Thrown inside the run's transaction when the bank entry rules refuse it.
struct RunRefused {
    QString detail;
};

void writeChangedAmounts(store::Connection& c, const Definition& d, const RunAmounts& a) {
    store::Table t(c, QStringLiteral("QVRecTr.DBF"));
    t.open();
    if (!t.gotoRowId(d.rowId)) throw store::StoreError(QStringLiteral("The definition vanished."));
    t.edit();
    t.setValue(QStringLiteral("AMOUNT"), a.amount);
    t.setValue(QStringLiteral("ACTAMT"), a.amount);
    t.setValue(QStringLiteral("BUSAMT"), a.busAmt);
    t.setValue(QStringLiteral("DOMAMT"), a.domAmt);
    t.setValue(QStringLiteral("GSTAMT"), a.gstAmt);
    t.post();
}

// The definition as a bank entry of the bank transaction window, numbered `reference`.
BankEntry entryOf(const Definition& d, const BankAccount& account, const RunAmounts& a,
                  qint64 reference) {
    BankEntry e;
    e.coy = d.coy;
    e.bankCode = account.bankCode;
    e.acctNo = account.acctNo;
    e.type = d.deposit ? EntryType::Deposit : EntryType::Withdrawal;
    e.reference = reference;
    e.date = d.nextRun;
    e.amount = a.amount;
    e.tax = a.gstAmt;
    e.ledgerAccount = d.acctCode;
    e.narrative = d.descr;
    e.source = kRunSource;
    return e;
}

// The private share of the run's entry, on the account that takes it; found again (and deleted
// with the entry by the bank transaction window) by the bank entries' split key.
void writePrivateShareLine(store::Connection& c, const Definition& d, const ResolvedEntry& r,
                           double amount) {
    const qint64 n = r.entry.reference;
    const QString journalLink = r.journalLink();
    const QString privateLink = keys::journalLinkCode(d.domLink, d.coy);
    store::Table t(c, QStringLiteral("QVActTr.DBF"));
    t.open();
    t.insert();
    try {
        t.setValue(QStringLiteral("TRANNUM"), n);
        t.setValue(QStringLiteral("COYCODE"), QString::number(d.coy));
        t.setValue(QStringLiteral("BRANCH"), d.domDept.toInt());
        t.setValue(QStringLiteral("REF"), QString::number(n));
        t.setValue(QStringLiteral("LINKCODE"), privateLink);
        t.setValue(QStringLiteral("SPLITLINK"), entrySplitLink(journalLink, d.domAcct, n));
        t.setValue(QStringLiteral("SRCHCODE"), entrySearchCode(privateLink, d.domAcct, n));
        t.setValue(QStringLiteral("BNKLINKNO"),
                   entryBnkLinkNo(r.account.bankCode, r.account.acctNo, n));
        t.setValue(QStringLiteral("BNKTRNLNK"),
                   entryBnkTrnLnk(r.account.bankCode, r.account.acctNo, n, d.coy));
        t.setValue(QStringLiteral("ACCTCODE"), d.domAcct);
        t.setValue(QStringLiteral("DESC"),
                   QStringLiteral("AP - ") + d.who + QLatin1Char(' ') + d.descr);
        t.setValue(QStringLiteral("TRANDATE"), d.nextRun);
        t.setValue(QStringLiteral("BANKACCT"), r.account.acctNo);
        t.setValue(QStringLiteral("AMOUNT"), fmt::roundTo(amount, 2));
        t.setValue(QStringLiteral("HASBNKACCT"), 1);
        t.setValue(QStringLiteral("TRANTYPE"), d.tranType);
        t.setValue(QStringLiteral("GSTTYPE"), QStringLiteral("N"));
        t.setValue(QStringLiteral("REASON"), kRunSource);
        t.setValue(QStringLiteral("SPLITSOURC"), d.acctCode);
        t.setValue(QStringLiteral("FULLCODE"), d.domFullCode.isEmpty()
                                                   ? keys::fullCodeFromLink(privateLink, d.domAcct)
                                                   : d.domFullCode);
        for (const char* zero : {"ZERORATED", "BUSAMT", "GSTAMT", "GSTCALC", "HASGST", "LINENO"})
            t.setValue(QLatin1String(zero), 0);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
}

void advanceDefinition(store::Connection& c, const Definition& d, EndRule rule, const QDate& next) {
    const Advance a = advanceAfterRun(rule, d.transNo, d.numTrans, next, d.finDate);
    store::Table t(c, QStringLiteral("QVRecTr.DBF"));
    t.open();
    if (!t.gotoRowId(d.rowId)) throw store::StoreError(QStringLiteral("The definition vanished."));
    t.edit();
    t.setValue(QStringLiteral("TRANSNO"), a.transNo);
    t.setValue(QStringLiteral("TRACTIVE"), a.active ? 1 : 0);
    t.setValue(QStringLiteral("RUNDATE"), d.nextRun);
    t.setValue(QStringLiteral("NEXTRUN"), next);
    t.post();
}

// The run's writes, in order, inside the caller's transaction; returns the entry's number.
qint64 postRun(store::Connection& c, const Definition& d, const RunAmounts& amounts) {
    const auto account = lookUpDefinitionBank(c, d.coy, d.bankAccount);
    if (!account) throw RunRefused{problemText(Problem::AccountNotFound)};
    const qint64 n = account->lastRefNo > 0 ? account->lastRefNo + 1 : 1;
    Resolution res = resolveBankEntry(c, entryOf(d, *account, amounts, n), EntryMode::Add);
    if (res.problem == Problem::None) res.problem = postingProblem(res.resolved);
    if (res.problem != Problem::None) throw RunRefused{problemText(res.problem)};
    const ResolvedEntry& r = res.resolved;
    // No overdraft question: a run posts what the definition says.
    writeAccountBalance(c, d.coy, account->bankCode, account->acctNo, entryBalances(r).balance, n);
    writeBankRow(c, bankRowOf(r));
    EntryLine line = entryLineOf(r);
    line.reason = kRunSource;
    line.description = QStringLiteral("AP - ") + d.descr;
    (d.deposit ? line.clientCode : line.suppCode) = d.who;
    writeEntryLine(c, LineMode::Add, line);
    if (d.hasSplit && fmt::cents(amounts.domAmt) > 0)
        writePrivateShareLine(c, d, r, amounts.domAmt);
    return n;
}

}  // namespace

std::vector<Definition> dueDefinitions(store::Connection& c, int coy, const QDate& runDate) {
    store::Query q(c);
    q.setSql(QStringList{
        QStringLiteral("select rowid from QVRecTr"), QStringLiteral("where COYNO = :iCoyCode"),
        QStringLiteral("and AUTORUN = 0"), QStringLiteral("and NEXTRUN <= :dRunDate"),
        QStringLiteral("and TRACTIVE = 1")});
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.bind(QStringLiteral("dRunDate"), runDate);
    q.open();
    std::vector<Definition> due;
    store::Table t(c, QStringLiteral("QVRecTr.DBF"));
    t.open();
    for (; !q.eof(); q.next())
        if (t.gotoRowId(q.value(0).toLongLong())) due.push_back(definitionAt(t));
    return due;
}

double companyTaxRate(store::Connection& c, int coy) {
    store::Table control(c, QStringLiteral("QVCntrl.DBF"));
    control.setIndexName(QStringLiteral("COYCODE"));
    control.open();
    if (!control.findKey(coy)) return 0.0;
    return control.integer(QStringLiteral("GSTENABLED")) == 1
               ? control.number(QStringLiteral("GSTPERCENT"))
               : 0.0;
}

RunAmounts changedAmounts(const Definition& d, const std::optional<LedgerAccount>& account,
                          double newAmount, double ratePercent) {
    RunAmounts a;
    a.amount = fmt::roundTo(newAmount, 2);
    const int share = account ? businessShare(*account) : 100;
    a.busAmt = businessPart(a.amount, share);
    a.domAmt = fmt::roundTo(a.amount - a.busAmt, 2);
    if (d.hasGst && account && account->gstApplies && share > 0)
        a.gstAmt = taxContained(a.amount, ratePercent);
    return a;
}

RunResult runDefinition(store::Connection& c, const QString& tranLink,
                        const std::optional<double>& changed) {
    try {
        store::Transaction tx(c);
        const auto d = findDefinition(c, tranLink);
        if (!d)
            return runStopped(RunOutcome::NotFound,
                              QStringLiteral("Could not find transaction information."));
        const auto rule = endRuleOf(d->type);
        const auto next = followingRunDate(d->nextRun, d->frequency);
        if (!rule || !next)
            return runStopped(RunOutcome::NoSchedule,
                              QStringLiteral("The schedule of \"") + d->descr +
                                  QStringLiteral("\" was never completed. Complete it with "
                                                 "\"Schedule\" in bank set-up before running it."));
        RunAmounts amounts{d->actAmt, d->busAmt, d->domAmt, d->gstAmt};
        if (changed) {
            amounts = changedAmounts(*d, findLedgerAccount(c, d->coy, d->acctCode), *changed,
                                     companyTaxRate(c, d->coy));
            writeChangedAmounts(c, *d, amounts);
        }
        RunResult result;
        result.reference = postRun(c, *d, amounts);
        advanceDefinition(c, *d, *rule, *next);
        tx.commit();
        result.outcome = RunOutcome::Done;
        result.posted = d->nextRun;
        result.nextRun = *next;
        return result;
    } catch (const RunRefused& refused) {
        return runStopped(RunOutcome::Failed, runFailedText(), refused.detail);
    } catch (const store::StoreError& e) {
        return runStopped(RunOutcome::Failed, runFailedText(), e.text());
    }
}

}  // namespace banking
