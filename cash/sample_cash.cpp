#include "cash/sample_cash.h"

#include "banking/bank_entry_reads.h"
#include "banking/bank_posting.h"
#include "cash/attach.h"
#include "cash/cash_lines.h"
#include "cash/details_entry.h"
#include "store/error.h"

namespace cash::sample {

namespace {

constexpr int kDemoCoy = 1;

qint64 saveOrThrow(store::Connection& c, const CashEntry& e) {
    const CashResult r = saveCashLine(c, e);
    if (!r.ok) throw store::StoreError(r.message);
    return r.rowId;
}

CashEntry demoEntry(store::Connection& c, CashKind kind, const QString& acct, const QDate& date,
                    double amount, const QString& narrative) {
    const banking::Company company = banking::readCompany(c);
    const auto account = resolveCashAccount(c, kDemoCoy, acct);
    if (!account) throw store::StoreError(QStringLiteral("Account %1 missing.").arg(acct));
    CashEntry e;
    e.kind = kind;
    e.coy = kDemoCoy;
    e.number = kind == CashKind::Transaction ? nextCashNumber(c, kDemoCoy)
                                             : nextDetailLineNumber(c, kDemoCoy);
    e.acctCode = acct;
    e.date = date;
    e.narrative = narrative;
    e.amount = amount;
    e.companyTaxable = company.gstEnabled;
    e.tax = proposedCashTax(company.gstEnabled, company.gstPercent, *account, amount);
    return e;
}

// A market-day deposit of two detail lines, attached and posted as "Misc" does.
void attachedDeposit(store::Connection& c, const QDate& date) {
    const auto account = banking::defaultBankAccount(c, kDemoCoy);
    if (!account) return;
    const qint64 income = saveOrThrow(
        c, demoEntry(c, CashKind::DetailLine, "SALESCAFE", date, 640.00, "Market stall takings"));
    const qint64 expense = saveOrThrow(
        c, demoEntry(c, CashKind::DetailLine, "PURCHASES", date, 58.40, "Stall ice and cups"));
    banking::BankEntry e;
    e.coy = kDemoCoy;
    e.bankCode = account->bankCode;
    e.acctNo = account->acctNo;
    e.type = banking::EntryType::Deposit;
    e.date = date;
    e.narrative = QStringLiteral("Market day banking");
    e.reference = banking::reserveReferenceNumber(c, kDemoCoy, e.bankCode, e.acctNo);
    const BankEntryKeys keys{e.acctNo, e.reference,
                             banking::entryBnkLinkNo(e.bankCode, e.acctNo, e.reference),
                             banking::entryBnkTrnLnk(e.bankCode, e.acctNo, e.reference, kDemoCoy)};
    RunningValue value;
    for (const auto& [id, type, amount] :
         {std::tuple{income, "INC", 640.00}, std::tuple{expense, "EXP", 58.40}}) {
        const AttachStep step = attachStep(BankSide::Deposit, type, value, amount);
        if (!step.accepted || !attachLine(c, id, keys).ok)
            throw store::StoreError(QStringLiteral("Detail line not attached."));
        value = step.after;
    }
    const banking::SaveResult r =
        postDetailsEntry(c, e, banking::EntryMode::Add, 0.0, value, banking::alwaysYes);
    if (!r.ok()) throw store::StoreError(r.message + QLatin1Char(' ') + r.detail);
}

}  // namespace

int addDemoCashLines(store::Connection& c, const QDate& today) {
    int written = 0;
    for (int m = 11; m >= 0; --m) {
        const QDate date = today.addMonths(-m).addDays(-today.day() + 5);
        saveOrThrow(c, demoEntry(c, CashKind::Transaction, m % 3 ? "OTHERINC" : "REPAIRS", date,
                                 m % 3 ? 45.00 + m : 120.50,
                                 m % 3 ? "Cash from recipe book sales" : "Plumber paid in cash"));
        ++written;
    }
    for (const auto& [acct, amount, text] :
         {std::tuple{"SALESCAFE", 212.30, "Weekend market takings"},
          std::tuple{"MOTOR", 86.00, "Fuel paid in cash"}}) {
        saveOrThrow(c, demoEntry(c, CashKind::DetailLine, acct, today, amount, text));
        ++written;
    }
    attachedDeposit(c, today.addDays(-3));
    return written + 2;
}

}  // namespace cash::sample
