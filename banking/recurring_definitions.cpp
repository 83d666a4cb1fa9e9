#include "banking/recurring_definitions.h"

#include "banking/bank_entry_steps.h"
#include "banking/money_limits.h"
#include "ledger/departments.h"
#include "payments/suppliers.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

Definition definitionAt(const store::Table& t) {
    Definition d;
    d.rowId = t.rowId();
    d.tranLink = t.text(QStringLiteral("TRANLINK")).trimmed();
    d.coy = int(t.integer(QStringLiteral("COYNO")));
    d.branch = int(t.integer(QStringLiteral("BRANCH")));
    d.linkCode = t.text(QStringLiteral("LINKCODE")).trimmed();
    d.acctCode = t.text(QStringLiteral("ACCTCODE")).trimmed();
    d.bank = t.text(QStringLiteral("BANK")).trimmed();
    d.bankAccount = t.text(QStringLiteral("BANKCODE")).trimmed();
    d.acctNo = t.text(QStringLiteral("BANKACCT")).trimmed();
    d.active = t.integer(QStringLiteral("TRACTIVE")) == 1;
    d.amount = t.number(QStringLiteral("AMOUNT"));
    d.actAmt = t.number(QStringLiteral("ACTAMT"));
    d.domAmt = t.number(QStringLiteral("DOMAMT"));
    d.busAmt = t.number(QStringLiteral("BUSAMT"));
    d.gstAmt = t.number(QStringLiteral("GSTAMT"));
    d.deposit = t.integer(QStringLiteral("DEPOSIT")) == 1;
    d.who = t.text(QStringLiteral("WHO")).trimmed();
    d.descr = t.text(QStringLiteral("DESCR")).trimmed();
    d.nextRun = t.date(QStringLiteral("NEXTRUN"));
    d.runDate = t.date(QStringLiteral("RUNDATE"));
    d.finDate = t.date(QStringLiteral("FINDATE"));
    d.type = t.text(QStringLiteral("TYPE")).trimmed();
    d.tranType = t.text(QStringLiteral("TRANTYPE")).trimmed();
    d.numTrans = int(t.integer(QStringLiteral("NUMTRANS")));
    d.transNo = int(t.integer(QStringLiteral("TRANSNO")));
    d.frequency.weekly = int(t.integer(QStringLiteral("WEEKLY")));
    d.frequency.runDay = int(t.integer(QStringLiteral("RUNDAY")));
    d.frequency.runMonths = int(t.integer(QStringLiteral("RUNMTH")));
    d.hasSplit = t.integer(QStringLiteral("HASSPLIT")) == 1;
    d.domLink = t.text(QStringLiteral("DOMLINK")).trimmed();
    d.domAcct = t.text(QStringLiteral("DOMACCT")).trimmed();
    d.domDept = t.text(QStringLiteral("DOMDEPT")).trimmed();
    d.domFullCode = t.text(QStringLiteral("DOMFULLCOD")).trimmed();
    d.hasGst = t.integer(QStringLiteral("HASGST")) == 1;
    return d;
}

namespace {

bool seekDefinition(store::Table& t, const QString& tranLink) {
    t.setIndexName(QStringLiteral("TRANLINK"));
    if (!t.isOpen()) t.open();
    return !tranLink.trimmed().isEmpty() &&
           t.findKey(keys::cutToWidth(tranLink.trimmed(), keys::kTranLinkWidth));
}

}  // namespace

std::optional<Definition> findDefinition(store::Connection& connection, const QString& tranLink) {
    store::Table t(connection, QStringLiteral("QVRecTr.DBF"));
    if (!seekDefinition(t, tranLink)) return std::nullopt;
    return definitionAt(t);
}

PurposeLookup lookUpPurpose(store::Connection& connection, int coy, const QString& code) {
    PurposeLookup out;
    out.linkCode = QString::number(coy);
    if (code.trimmed().isEmpty()) return out;
    out.account = findLedgerAccount(connection, coy, code);
    // TRANCODE's department part for a company-level account: the company's first department.
    const auto departments = ledger::departmentsOf(connection, coy);
    if (!departments.empty()) out.deptCode = departments.front().deptCode.trimmed();
    if (!out.account) {
        out.label = QStringLiteral("Not found!");
        return out;
    }
    const QString link = out.account->linkCode.trimmed();
    if (link != QLatin1String(keys::kCompanyLevelLinkCode) && !link.isEmpty()) {
        out.linkCode = link;
        out.branch = out.account->branch;
        if (const auto dept = ledger::departmentByLinkCode(connection, coy, link)) {
            out.deptCode = dept->deptCode.trimmed();
            out.label = QStringLiteral("Account is for : ") + dept->deptCode.trimmed() +
                        QLatin1Char(' ') + dept->name.trimmed();
        }
    } else {
        out.label = QStringLiteral("Company level account.");
    }
    return out;
}

std::optional<BankAccount> lookUpDefinitionBank(store::Connection& connection, int coy,
                                                const QString& boxText) {
    // Bank codes hold no hyphen: the account number is what follows the first one.
    const QString text = boxText.trimmed();
    const int dash = text.indexOf(QLatin1Char('-'));
    if (dash <= 0) return std::nullopt;
    return findBankAccount(connection, coy, text.left(dash), text.mid(dash + 1));
}

double businessPart(double amount, int share) {
    if (share <= 0) return 0.0;
    if (share >= 100) return fmt::roundTo(amount, 2);
    return fmt::roundTo(amount * share / 100.0, 2);
}

QString definitionSaveFailedText() {
    return QStringLiteral("Save did not succeed - make sure you have entered all the key fields!");
}

namespace {

// Everything a save reads, read before the write transaction opens.
struct ResolvedDefinition {
    PurposeLookup purpose;
    std::optional<BankAccount> bank;
    std::optional<Definition> stored;
    bool hasGst = false;
    double tax = 0.0;
};

DefinitionResult refusedDefinition(DefinitionSave why, const QString& message) {
    DefinitionResult r;
    r.outcome = why;
    r.message = message;
    return r;
}

ResolvedDefinition resolveDefinition(store::Connection& c, const DefinitionInput& in,
                                     const QString& editTranLink) {
    ResolvedDefinition r;
    r.purpose = lookUpPurpose(c, in.coy, in.purpose);
    r.bank = lookUpDefinitionBank(c, in.coy, in.bankAccount);
    if (!editTranLink.isEmpty()) r.stored = findDefinition(c, editTranLink);
    if (!r.purpose.account) return r;
    const LedgerAccount& a = *r.purpose.account;
    r.hasGst = a.gstApplies;
    if (!in.deposit && a.gstApplies)
        if (const auto supplier = payments::findSupplier(c, in.coy, in.who))
            r.hasGst = supplier->details.gstReg;
    const EntryType type = in.deposit ? EntryType::Deposit : EntryType::Withdrawal;
    if (r.hasGst && businessShare(a) > 0)
        r.tax = proposedTax(type, readCompany(c), a, fmt::roundTo(in.amount, 2));
    return r;
}

void writeDefinitionFields(store::Table& t, const DefinitionInput& in, const ResolvedDefinition& r,
                           const QString& tranCode, const QString& tranLink) {
    const LedgerAccount& a = *r.purpose.account;
    const double amount = fmt::roundTo(in.amount, 2);
    const int share = businessShare(a);
    const double business = businessPart(amount, share);
    // The link code and department follow the account, also when an edit changes it.
    t.setValue(QStringLiteral("COYNO"), in.coy);
    t.setValue(QStringLiteral("BRANCH"), r.purpose.branch);
    t.setValue(QStringLiteral("LINKCODE"), r.purpose.linkCode);
    t.setValue(QStringLiteral("TRANCODE"), keys::cutToWidth(tranCode, keys::kTranCodeWidth));
    t.setValue(QStringLiteral("TRANLINK"), tranLink);
    t.setValue(QStringLiteral("TRANTYPE"),
               a.isExpense() ? QStringLiteral("E") : QStringLiteral("I"));
    t.setValue(QStringLiteral("AMOUNT"), amount);
    t.setValue(QStringLiteral("ACTAMT"), amount);
    t.setValue(QStringLiteral("ACCTCODE"), in.purpose.trimmed());
    t.setValue(QStringLiteral("BANK"), r.bank->bankCode);
    t.setValue(QStringLiteral("BANKACCT"), r.bank->acctNo);
    t.setValue(QStringLiteral("BANKCODE"), in.bankAccount.trimmed());
    t.setValue(QStringLiteral("DESCR"), in.descr);
    t.setValue(QStringLiteral("WHO"), in.who);
    const bool split = hasPrivateShareDestination(a);
    t.setValue(QStringLiteral("HASSPLIT"), split ? 1 : 0);
    t.setValue(QStringLiteral("DOMLINK"), split ? a.domLink.trimmed() : QString());
    t.setValue(QStringLiteral("DOMACCT"), split ? a.domAcct.trimmed() : QString());
    t.setValue(QStringLiteral("DOMDEPT"), split ? a.domDept.trimmed() : QString());
    t.setValue(QStringLiteral("DOMFULLCOD"), split ? a.domFullCode.trimmed() : QString());
    t.setValue(QStringLiteral("AUTORUN"), 0);
    t.setValue(QStringLiteral("DEPOSIT"), in.deposit ? 1 : 0);
    t.setValue(QStringLiteral("NEXTRUN"), in.nextRun);
    t.setValue(QStringLiteral("BUSAMT"), business);
    t.setValue(QStringLiteral("DOMAMT"), fmt::roundTo(amount - business, 2));
    t.setValue(QStringLiteral("GSTAMT"), r.tax);
    t.setValue(QStringLiteral("HASGST"), r.hasGst ? 1 : 0);
}

std::optional<DefinitionResult> definitionProblem(store::Connection& c, const DefinitionInput& in,
                                                  const ResolvedDefinition& r, bool editing,
                                                  const QString& tranLink) {
    if (!fitsField(in.amount, largestAmount()))
        return refusedDefinition(DefinitionSave::TooLarge, problemText(Problem::AmountTooLarge));
    if (fmt::cents(in.amount) == 0)
        return refusedDefinition(DefinitionSave::NoAmount,
                                 QStringLiteral("Transaction amount must be entered."));
    if (!r.purpose.account || !r.bank || (editing && !r.stored))
        return refusedDefinition(DefinitionSave::AccountNotFound, definitionSaveFailedText());
    const QString wrong = ledgerAccountRefusal(
        in.deposit ? EntryType::Deposit : EntryType::Withdrawal, *r.purpose.account);
    if (!wrong.isEmpty()) return refusedDefinition(DefinitionSave::WrongAccountType, wrong);
    if (!editing && findDefinition(c, tranLink))
        return refusedDefinition(DefinitionSave::Duplicate,
                                 QStringLiteral("Duplicate transaction codes are not permitted!"));
    if (editing && r.stored->runDate.isValid() && r.stored->runDate >= in.nextRun)
        return refusedDefinition(DefinitionSave::BeforeLastRun,
                                 QStringLiteral("Next run date cannot be earlier than last run ") +
                                     fmt::shortDate(r.stored->runDate));
    return std::nullopt;
}

}  // namespace

DefinitionResult saveDefinition(store::Connection& c, const DefinitionInput& in,
                                const QString& editTranLink) {
    const bool editing = !editTranLink.trimmed().isEmpty();
    const ResolvedDefinition r = resolveDefinition(c, in, editTranLink);
    const qint64 number = r.bank ? r.bank->lastRefNo + 1 : 0;
    const QString tranCode = keys::tranCode(r.purpose.deptCode, in.purpose, in.who);
    const QString tranLink = keys::cutToWidth(
        keys::tranLink(keys::cutToWidth(tranCode, keys::kTranCodeWidth), int(number)),
        keys::kTranLinkWidth);
    if (auto refusal = definitionProblem(c, in, r, editing, tranLink)) return *refusal;
    try {
        store::Transaction tx(c);
        store::Table t(c, QStringLiteral("QVRecTr.DBF"));
        if (editing) {
            if (!seekDefinition(t, editTranLink))
                throw store::StoreError(QStringLiteral("The definition was deleted."));
            t.edit();
        } else {
            t.open();
            t.insert();
            t.setValue(QStringLiteral("TRACTIVE"), 1);
            t.setValue(QStringLiteral("TRANSNO"), 0);
        }
        writeDefinitionFields(t, in, r, tranCode, tranLink);
        t.post();
        // Each save uses up one number of the account's counter; the balance stays.
        writeAccountBalance(c, in.coy, r.bank->bankCode, r.bank->acctNo, r.bank->currBal, number);
        tx.commit();
    } catch (const store::StoreError& e) {
        DefinitionResult failed =
            refusedDefinition(DefinitionSave::Failed, definitionSaveFailedText());
        failed.detail = e.text();
        return failed;
    }
    DefinitionResult saved;
    saved.outcome = DefinitionSave::Saved;
    saved.tranLink = tranLink;
    return saved;
}

bool deleteDefinition(store::Connection& c, const QString& tranLink) {
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVRecTr.DBF"));
    if (!seekDefinition(t, tranLink)) return false;
    t.remove();
    tx.commit();
    return true;
}

void saveSchedule(store::Connection& c, const QString& tranLink, const ScheduleChoice& s,
                  bool restartCount) {
    store::Transaction tx(c);
    store::Table t(c, QStringLiteral("QVRecTr.DBF"));
    if (!seekDefinition(t, tranLink))
        throw store::StoreError(QStringLiteral("Could not find transaction information."));
    t.edit();
    t.setValue(QStringLiteral("TYPE"), endRuleCode(s.rule));
    if (s.rule == EndRule::StopDate) t.setValue(QStringLiteral("FINDATE"), s.stopDate);
    t.setValue(QStringLiteral("NUMTRANS"), s.rule == EndRule::FixedNumber ? s.numTrans : 0);
    const bool monthly = s.frequency.weekly == 0;
    t.setValue(QStringLiteral("WEEKLY"), s.frequency.weekly);
    t.setValue(QStringLiteral("RUNDAY"), monthly ? s.frequency.runDay : 0);
    t.setValue(QStringLiteral("RUNMTH"), monthly ? s.frequency.runMonths : 0);
    t.setValue(QStringLiteral("TRACTIVE"), s.active ? 1 : 0);
    if (restartCount) t.setValue(QStringLiteral("TRANSNO"), 0);
    t.post();
    tx.commit();
}

}  // namespace banking
