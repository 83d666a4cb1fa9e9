#include "exchange/statement_import.h"

#include <algorithm>
#include <cmath>

#include "banking/bank_entry_steps.h"
#include "banking/money_limits.h"
#include "exchange/statement_duplicates.h"
#include "payments/payment_entry.h"
#include "payments/payment_numbers.h"
#include "payments/payment_steps.h"
#include "payments/payment_tax.h"
#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/transaction.h"

namespace exchange {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

// The supplier an imported cheque is paid to.
const QString kMiscSupplier = QStringLiteral("MISC");

qint64 nextImportCounter(qint64 last) { return last > 0 ? last + 1 : 1; }

// LASTCHQ, which the bank entries' account record does not carry.
qint64 readLastCheque(store::Connection& c, const QString& bankLink) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT LASTCHQ FROM QVBNKACT"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink")});
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.open();
    return q.eof() ? 0 : q.integer(QStringLiteral("LASTCHQ"));
}

struct DepartmentOfAccount {
    QString name;
    bool gstEnabled = true;
};
std::optional<DepartmentOfAccount> departmentOfLink(store::Connection& c, const QString& linkCode) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT BUSNAME, GSTENABLED FROM QVCOY"),
                         QStringLiteral("WHERE LINKCODE = :sLinkCode")});
    q.bind(QStringLiteral("sLinkCode"), linkCode.trimmed());
    q.open();
    if (q.eof()) return std::nullopt;
    return DepartmentOfAccount{q.text(QStringLiteral("BUSNAME")).trimmed(),
                               q.integer(QStringLiteral("GSTENABLED")) == 1};
}

bool ledgerActive(store::Connection& c, int coy, const QString& acctCode) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT ACTACTIVE FROM QVACCDET"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode AND ACCTCODE = :sAcctCode")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sAcctCode"), acctCode.trimmed());
    q.open();
    return !q.eof() && q.integer(QStringLiteral("ACTACTIVE")) == 1;
}

bool bankRowKeyUsed(store::Connection& c, int coy, const QString& bankCode, const QString& acctNo,
                    const QString& reference) {
    store::Query q(c);
    q.setSql(QStringList{QStringLiteral("SELECT TRANNUM FROM QVBNKTR"),
                         QStringLiteral("WHERE COYCODE =:iCoyCode"),
                         QStringLiteral("AND BNKTRNLNK =:sBnkTrnLnk")});
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.bind(QStringLiteral("sBnkTrnLnk"),
           keys::bankEntryKey(bankCode.trimmed(), acctNo.trimmed(), reference.trimmed()));
    q.open();
    return !q.eof();
}

bool paymentNumberUsed(store::Connection& c, int coy, const QString& reference) {
    const qint64 number = banking::referenceFromText(reference);
    return number > 0 && payments::duplicatePayment(c, coy, number);
}

AcceptResult importRefused(const QString& message, bool beep = true) {
    AcceptResult r;
    r.outcome = banking::Outcome::Refused;
    r.message = message;
    r.beep = beep;
    return r;
}

AcceptResult notImported(const QString& detail) {
    AcceptResult r;
    r.outcome = banking::Outcome::Failed;
    r.message = kNotImportedText;
    r.detail = detail;
    r.beep = true;
    return r;
}

banking::BankEntry bankEntryOf(const AcceptInput& in, double tax) {
    banking::BankEntry e;
    e.coy = in.coy;
    e.bankCode = in.bankCode.trimmed();
    e.acctNo = in.acctNo.trimmed();
    e.type = bankEntryType(in.details.type);
    e.reference = banking::referenceFromText(in.details.reference);
    e.date = in.details.date;
    e.amount = std::abs(in.details.amount);
    e.tax = std::abs(tax);
    e.ledgerAccount = in.details.purpose.trimmed();
    e.narrative = in.details.narrative;
    e.source = in.details.source.trimmed();
    return e;
}

payments::NewPayment paymentOf(const AcceptInput& in) {
    payments::NewPayment p;
    p.coy = in.coy;
    p.bankCode = in.bankCode.trimmed();
    p.acctNo = in.acctNo.trimmed();
    p.type = payments::PayType::Cheque;
    p.number = banking::referenceFromText(in.details.reference);
    p.date = in.details.date;
    p.supplier = kMiscSupplier;
    p.lines.push_back(
        {in.details.purpose.trimmed(), std::abs(in.details.amount), false, in.details.narrative});
    return p;
}

// Every refusal of "Accept" in the window's order; empty message when the line may be posted.
AcceptResult acceptProblem(store::Connection& c, const AcceptInput& in) {
    const BankAccountCheck bank = checkImportBankAccount(c, in.coy, in.bankCode, in.acctNo);
    if (bank.state == BankAccountState::NotFound) return importRefused(kAccountNotFoundText);
    if (bank.state == BankAccountState::NoOpeningBalance)
        return importRefused(kOpeningMissingError);
    if (!in.bankChosen) return importRefused(kNoSourceText);
    const ImportDetails& d = in.details;
    const ImportLedger ledger = resolveImportLedger(c, in.coy, d.purpose, &bank.found, d.type);
    if (!ledger.ok())
        return importRefused(ledger.problem.isEmpty() ? kLedgerNotFoundText : ledger.problem);
    if (banking::referenceFromText(d.reference) == 0)
        return importRefused(banking::referenceRangeText());
    if (!banking::fitsField(d.amount, banking::largestAmount()))
        return importRefused(banking::amountTooLargeText());
    if (fmt::cents(d.amount) == 0) return importRefused(kNoAmountText);
    const bool cheque = d.type == ImportType::Cheque;
    if ((!cheque && bankRowKeyUsed(c, in.coy, in.bankCode, in.acctNo, d.reference)) ||
        paymentNumberUsed(c, in.coy, d.reference))
        return importRefused(alreadyExistsText(d.reference.trimmed()));
    return AcceptResult{};
}

// The overdraft question the line asks of its account, in the words of the rules that post it.
std::optional<banking::Confirmation> acceptQuestion(store::Connection& c, const AcceptInput& in,
                                                    double tax) {
    if (in.details.type == ImportType::Cheque) {
        const auto account = banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo);
        if (!account) return std::nullopt;
        return payments::paymentOverdraftQuestion(
            *account, fmt::roundTo(account->currBal - std::abs(in.details.amount), 2));
    }
    const banking::Resolution res =
        banking::resolveBankEntry(c, bankEntryOf(in, tax), banking::EntryMode::Add);
    if (res.problem != banking::Problem::None) return std::nullopt;
    return banking::overdraftQuestion(res.resolved, banking::entryBalances(res.resolved));
}

// The tax of the line as the window proposes it.
double acceptedLineTax(store::Connection& c, const AcceptInput& in) {
    const auto company = payments::readPaymentCompany(c, in.coy);
    const BankAccountCheck bank = checkImportBankAccount(c, in.coy, in.bankCode, in.acctNo);
    const ImportLedger ledger =
        resolveImportLedger(c, in.coy, in.details.purpose, &bank.found, in.details.type);
    if (!company || !ledger.account) return 0.0;
    const bool taxed = company->taxable && bank.found.departmentTaxed && ledger.departmentTaxed &&
                       ledger.account->gstApplies;
    return importTax(taxed, company->rate, in.details.amount);
}

// The statement line kept with the bank row the entry became (payments and bank entries key
// their rows alike).
void recordStatementLine(store::Connection& c, const AcceptInput& in,
                         const banking::BankAccount& account, qint64 reference) {
    if (!in.statementLine) return;
    recordImportedLine(
        c, in.coy, account.bankCode, account.acctNo,
        keys::bankEntryKey(account.bankCode, account.acctNo, QString::number(reference)),
        *in.statementLine);
}

// The writes of one line inside the caller's transaction: the posting rules' own path, then the
// counter of a bank entry (a payment settles its own), then the statement line.
QString writeAcceptedLine(store::Connection& c, const AcceptInput& in, double tax,
                          const banking::Confirm& replay) {
    if (in.details.type == ImportType::Cheque) {
        const payments::EnteredPayment entered = payments::enterPayment(c, paymentOf(in), replay);
        if (!entered.result.ok())
            return entered.result.message.isEmpty() ? entered.result.detail
                                                    : entered.result.message;
        const auto account = banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo);
        if (!account) return kAccountNotFoundText;
        recordStatementLine(c, in, *account, entered.number);
        return {};
    }
    const banking::SaveResult saved =
        banking::postBankEntry(c, bankEntryOf(in, tax), banking::EntryMode::Add, replay);
    if (!saved.ok())
        return saved.message.isEmpty() ? banking::problemText(saved.problem) : saved.message;
    const auto account = banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo);
    if (!account) return kAccountNotFoundText;
    const qint64 reference = banking::referenceFromText(in.details.reference);
    // The counter is never lowered: a smaller number typed by hand must not bring back used ones.
    banking::writeAccountBalance(c, in.coy, account->bankCode, account->acctNo, account->currBal,
                                 std::max(account->lastRefNo, reference));
    recordStatementLine(c, in, *account, reference);
    return {};
}

// The questions of a line, in the bank entries' order: the filed tax period, then the overdraft.
// Each is asked before the write transaction opens.
std::vector<banking::Confirmation> acceptQuestions(store::Connection& c, const AcceptInput& in,
                                                   double tax) {
    std::vector<banking::Confirmation> questions;
    if (auto filed = banking::filedPeriodQuestion(c, in.coy, in.details.date))
        questions.push_back(std::move(*filed));
    if (auto overdraft = acceptQuestion(c, in, tax)) questions.push_back(std::move(*overdraft));
    return questions;
}

}  // namespace

const QStringList& importTypeNames() {
    static const QStringList names{QStringLiteral("Deposit"), QStringLiteral("Withdrawal"),
                                   QStringLiteral("Cheque/Payment"), QStringLiteral("Interest"),
                                   QStringLiteral("Fees/Debits")};
    return names;
}

std::optional<ImportType> importTypeOfIndex(int index) {
    if (index < 0 || index > int(ImportType::Fees)) return std::nullopt;
    return ImportType(index);
}

banking::EntryType bankEntryType(ImportType type) {
    switch (type) {
        case ImportType::Deposit:
            return banking::EntryType::Deposit;
        case ImportType::Withdrawal:
            return banking::EntryType::Withdrawal;
        case ImportType::Cheque:
            return banking::EntryType::Cheque;
        case ImportType::Interest:
            return banking::EntryType::Interest;
        case ImportType::Fees:
            return banking::EntryType::Fees;
    }
    return banking::EntryType::Deposit;
}

QString referenceInUseText(const QString& reference) {
    return QStringLiteral("Reference number  ") + reference + QStringLiteral(" is in use.");
}

QString alreadyExistsText(const QString& reference) {
    return QStringLiteral("Cannot import! Reference number ") + reference +
           QStringLiteral(" already exists!");
}

BankAccountCheck checkImportBankAccount(store::Connection& c, int coy, const QString& bankCode,
                                        const QString& acctNo) {
    BankAccountCheck out;
    const auto account = banking::findBankAccount(c, coy, bankCode.trimmed(), acctNo.trimmed());
    if (!account) return out;
    ImportBankAccount& found = out.found;
    found.account = *account;
    found.lastChq = readLastCheque(c, account->bankLink);
    if (account->deptOnly) {
        if (const auto dept = departmentOfLink(c, account->linkCode)) {
            found.allocatedText = QStringLiteral("Account is allocated to : ") + dept->name;
            found.departmentTaxed = dept->gstEnabled;
        }
    }
    out.state = fmt::cents(account->openBal) == 0 ? BankAccountState::NoOpeningBalance
                                                  : BankAccountState::Found;
    return out;
}

ImportLedger resolveImportLedger(store::Connection& c, int coy, const QString& code,
                                 const ImportBankAccount* bank, ImportType type) {
    ImportLedger out;
    if (code.trimmed().isEmpty()) return out;
    out.account = banking::findLedgerAccount(c, coy, code);
    if (!out.account) {
        out.problem = kLedgerNotFoundText;
        return out;
    }
    const payments::LineDepartment dept = payments::lineDepartment(c, coy, *out.account);
    out.belongsText = dept.companyLevel ? kCompanyLevelText
                                        : QStringLiteral("Account belongs to : ") + dept.busName;
    out.departmentTaxed = dept.gstEnabled;
    if (!ledgerActive(c, coy, code)) {
        out.problem = kLedgerInactiveText;
        out.beep = true;
    } else if (bank && banking::departmentMismatch(bank->account, *out.account)) {
        out.problem = kOtherDepartmentText;
    } else {
        out.problem = banking::ledgerAccountRefusal(bankEntryType(type), *out.account);
    }
    return out;
}

double importTax(bool taxed, double ratePercent, double amount) {
    if (!taxed || !banking::fitsField(amount, banking::largestAmount())) return 0.0;
    const double tax = banking::taxContained(std::abs(amount), ratePercent);
    return amount < 0 ? -tax : tax;
}

ImportDetails resetDetails(const ImportBankAccount& bank, const QDate& today) {
    ImportDetails d;
    d.reference = QString::number(nextImportCounter(bank.account.lastRefNo));
    d.date = today;
    return d;
}

QString proposedReference(const ImportBankAccount& bank, ImportType type,
                          bool formatCarriesCheques) {
    if (type != ImportType::Cheque)
        return QString::number(nextImportCounter(bank.account.lastRefNo));
    if (formatCarriesCheques) return {};
    return QString::number(nextImportCounter(bank.lastChq));
}

void fillFromStatement(ImportDetails& d, const StatementLine& line,
                       const std::optional<RememberedNarrative>& memory) {
    d.amount = line.amount();
    d.date = line.date;
    d.narrative = line.narrative;
    if (memory) {
        if (!memory->code.trimmed().isEmpty()) d.purpose = memory->code.trimmed();
        if (!memory->source.trimmed().isEmpty()) d.source = memory->source;
        if (memory->type)
            if (const auto type = importTypeOfIndex(*memory->type)) d.type = *type;
    }
    // Money out cannot stay a deposit or interest; a remembered fee or cheque stays what it was.
    if (line.cents < 0 && (d.type == ImportType::Deposit || d.type == ImportType::Interest))
        d.type = ImportType::Withdrawal;
    if (line.cheque) {
        d.type = ImportType::Cheque;
        d.reference = line.reference;
    }
}

bool sourceMakesCheque(const QString& source) {
    return source.trimmed() == QLatin1String("CHEQUE");
}

bool overlapsLastDate(const QDate& date, const QDate& lastDate) {
    return lastDate.isValid() && date.isValid() && date <= lastDate;
}

bool importReferenceInUse(store::Connection& c, int coy, ImportType type, const QString& bankCode,
                          const QString& acctNo, const QString& reference) {
    if (type == ImportType::Cheque) return paymentNumberUsed(c, coy, reference);
    return bankRowKeyUsed(c, coy, bankCode, acctNo, reference);
}

AcceptResult acceptImportLine(store::Connection& c, const AcceptInput& in,
                              const banking::Confirm& confirm) {
    try {
        if (AcceptResult refusal = acceptProblem(c, in); !refusal.ok()) return refusal;
        const double tax = acceptedLineTax(c, in);
        // Asked before the write transaction opens; inside it the same questions are answered as
        // the user did, and one the user was not asked is answered "No".
        const std::vector<banking::Confirmation> questions = acceptQuestions(c, in, tax);
        for (const banking::Confirmation& q : questions)
            if (!confirm(q)) {
                AcceptResult declined;
                declined.outcome = banking::Outcome::Declined;
                return declined;
            }
        const banking::Confirm replay = [&questions](const banking::Confirmation& q) {
            return std::any_of(questions.begin(), questions.end(),
                               [&q](const banking::Confirmation& a) { return a.text == q.text; });
        };
        store::Transaction tx(c);
        if (const QString failure = writeAcceptedLine(c, in, tax, replay); !failure.isEmpty())
            return notImported(failure);
        tx.commit();
        AcceptResult done;
        if (const auto account = banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo))
            done.balance = account->currBal;
        return done;
    } catch (const store::StoreError& e) {
        return notImported(e.text());
    }
}

}  // namespace exchange
