#include "reports/trialbalance.h"

#include "ledger/account_totals.h"
#include "ledger/last_lines.h"
#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace reports {
namespace {

using store::fmt::roundTo;

const QString kNoBankEntry = QStringLiteral("0-0-0");
constexpr int kWhollyDomestic = 100;

bool isZero(double amount) { return store::fmt::cents(amount) == 0; }

// A bank account counts from its start date; one without a start date has always counted.
const char* const kStartedBy = "AND (STARTDATE IS NULL OR STARTDATE = '' OR STARTDATE <=:EndDate)";
bool startedBy(const QDate& start, const QDate& to) { return !start.isValid() || start <= to; }

// Business amounts (SUM of BUSAMT) of the cash journal (lines not tied to a bank entry) of
// the company's income and expenditure accounts, both in one pass over the cash lines. The
// lines' own company is tested too: with several companies in one data folder another
// company's lines under the same account code must not count. The plus sign keeps the engine
// on the BNKLINKNO index: cash lines are few among a million.
struct CashAmounts {
    double income = 0, expenditure = 0;
};

CashAmounts cashBusinessAmounts(store::Connection& c, int coy, bool profitAndLossOnly,
                                const ledger::DateSpan& span) {
    const ledger::AccountSums cash =
        ledger::lineSumsByAccount(c, {QString::number(coy), {}, {}, true}, span);
    store::Query accounts(c);
    QStringList sql = {"SELECT ACCTCODE, TYPECODE FROM QVACCDET D", "WHERE D.COYCODE =:iCoyCode",
                       "AND D.ALLOCPER <>:dAllocPer", "AND D.TYPECODE IN ('INC', 'EXP')"};
    if (profitAndLossOnly) sql << "AND D.INCLPL =:iInclPL";
    accounts.setSql(sql);
    accounts.bind("iCoyCode", QString::number(coy));
    accounts.bind("dAllocPer", kWhollyDomestic);
    if (profitAndLossOnly) accounts.bind("iInclPL", 1);
    accounts.open();
    // Each account row counts its lines, as joining the rows with the lines would.
    qint64 income = 0, expenditure = 0;
    for (; !accounts.eof(); accounts.next()) {
        const qint64 business = ledger::sumsOf(cash, accounts.text("ACCTCODE")).business;
        (accounts.text("TYPECODE") == QLatin1String("INC") ? income : expenditure) += business;
    }
    return {ledger::moneyOf(income), ledger::moneyOf(expenditure)};
}

}  // namespace

BroughtForward broughtForward(store::Connection& c, int coy, const QDate& from, const QDate& to) {
    const QString sCoy = QString::number(coy);
    // The opening balance as first set. OPENBAL is moved to each reconciled statement
    // balance, which already holds the movements counted below. An account opened after the
    // to-date has no row in the report, so its opening balance stays out too.
    store::Query openings(c);
    QStringList openingSql = {"SELECT SUM(INITBAL) FROM QVBNKACT", "WHERE COYCODE =:sCoyCode"};
    if (to.isValid()) openingSql << kStartedBy;
    openings.setSql(openingSql);
    openings.bind("sCoyCode", sCoy);
    if (to.isValid()) openings.bind("EndDate", to);
    openings.open();
    const double ob = roundTo(openings.number(0), 2);

    double loan = 0;
    store::Query loanCode(c);
    loanCode.setSql({"SELECT CAPCODE3 FROM QVDEPCNTR", "WHERE COYCODE =:iCoyCode"});
    loanCode.bind("iCoyCode", coy);
    loanCode.open();
    const QString code = loanCode.eof() ? QString() : loanCode.text("CAPCODE3").trimmed();
    if (!code.isEmpty()) {
        // One line's amount, the first in the order the lines were written.
        store::Query line(c);
        line.setSql({"SELECT BUSAMT FROM QVACTTR", "WHERE COYCODE =:sCoyCode",
                     "AND ACCTCODE =:sLoanCode", "AND TRANDATE <:StartDate",
                     "ORDER BY rowid LIMIT 1"});
        line.bind("sCoyCode", sCoy);
        line.bind("sLoanCode", code);
        line.bind("StartDate", from);
        line.open();
        if (!line.eof()) loan = roundTo(line.number(0), 2);
    }

    const ledger::DateSpan beforeFrom = ledger::DateSpan::before(from);
    const CashAmounts prior = cashBusinessAmounts(c, coy, false, beforeFrom);

    // Every bank row of the company: their BANKLINK starts with the company number and a
    // hyphen ('.' follows '-').
    const double priorBank =
        ledger::moneyOf(ledger::bankRowSum(c, QString::number(coy) + QLatin1Char('-'),
                                           QString::number(coy) + QLatin1Char('.'), beforeFrom));

    const double bf = roundTo(priorBank + ob + (prior.income - prior.expenditure) - loan, 2);
    BroughtForward out;
    if (!isZero(bf))
        out.bf = bf;
    else
        out.ob = ob;
    return out;
}

std::vector<const TrialRow*> TrialBalanceFigures::rowsOf(TrialRowKind kind) const {
    std::vector<const TrialRow*> out;
    for (const TrialRow& r : rows)
        if (r.kind == kind) out.push_back(&r);
    return out;
}

const TrialRow* TrialBalanceFigures::row(TrialRowKind kind) const {
    for (const TrialRow& r : rows)
        if (r.kind == kind) return &r;
    return nullptr;
}

TTrialBalanceReport::TTrialBalanceReport(store::Connection& connection, int coy, const QDate& from,
                                         const QDate& to, const BroughtForward& carried)
    : connection_(connection), coy_(coy), from_(from), to_(to), carried_(carried) {}

std::vector<TTrialBalanceReport::Account> TTrialBalanceReport::accounts(const QString& type,
                                                                        int inclPl) {
    store::Query q(connection_);
    q.setSql({"SELECT ACCTCODE, DESCR FROM QVACCDET D", "WHERE D.COYCODE =:iCoyCode",
              "AND D.TYPECODE =:sTypeCode", "AND D.ALLOCPER <>:dAllocPer", "AND D.INCLPL =:iInclPL",
              "ORDER BY D.ACCTCODE"});
    q.bind("iCoyCode", QString::number(coy_));
    q.bind("sTypeCode", type);
    q.bind("dAllocPer", kWhollyDomestic);
    q.bind("iInclPL", inclPl);
    q.open();
    std::vector<Account> out;
    for (; !q.eof(); q.next()) out.push_back({q.text("ACCTCODE"), q.text("DESCR")});
    return out;
}

void TTrialBalanceReport::add(TrialRowKind kind, const QString& code, const QString& description,
                              std::optional<double> debit, std::optional<double> credit) {
    if (debit) figures_.debitTotal = roundTo(figures_.debitTotal + *debit, 2);
    if (credit) figures_.creditTotal = roundTo(figures_.creditTotal + *credit, 2);
    figures_.rows.push_back({kind, code, description, debit, credit});
}

// Income accounts: the tax-exclusive business amount, shown when the business amounts do not
// sum to 0. Balance-sheet accounts take every line up to the to-date.
void TTrialBalanceReport::incomeAccount(const Account& a, TrialRowKind kind, bool wholeHistory) {
    const ledger::LineSums sums = ledger::sumsOf(wholeHistory ? toDate_ : period_, a.code);
    if (sums.business == 0) return;
    const double amount = ledger::moneyOf(sums.business - sums.tax);
    add(kind, a.code, a.description, std::nullopt, amount);
    if (kind == TrialRowKind::Income) figures_.profit = roundTo(figures_.profit + amount, 2);
}

// Expense accounts: the tax-exclusive business amount of the period's lines, shown only when
// the last line in date order (lines of one date in the order written) has an amount.
void TTrialBalanceReport::expenseAccount(const Account& a, TrialRowKind kind) {
    const auto last = lastAmounts_.find(a.code);
    if (last == lastAmounts_.end() || isZero(last->second)) return;

    const ledger::LineSums sums = ledger::sumsOf(period_, a.code);
    const double amount = ledger::moneyOf(sums.business - sums.taxOfBusiness);
    add(kind, a.code, a.description, amount, std::nullopt);
    if (kind == TrialRowKind::Expense) figures_.profit = roundTo(figures_.profit - amount, 2);
}

void TTrialBalanceReport::begin() {
    figures_ = TrialBalanceFigures{};
    figures_.from = from_;
    figures_.to = to_;
    figures_.companyName = companyName(connection_, coy_);
    const QString coy = QString::number(coy_);
    period_ = ledger::lineSumsByAccount(connection_, {coy, {}, {}, false},
                                        ledger::DateSpan::between(from_, to_));
    toDate_ =
        ledger::lineSumsByAccount(connection_, {coy, {}, {}, false}, ledger::DateSpan::upTo(to_));
    lastAmounts_ = ledger::lastLineAmounts(connection_, coy, from_, to_, period_);

    // Opening row.
    const double bf = carried_.bf, ob = carried_.ob;
    QString caption;
    if (!isZero(ob))
        caption = QStringLiteral("Opening balance/funds introduced :");
    else if (!isZero(bf))
        caption = bf > 0 ? QStringLiteral("Retained earnings cfwd/capital introduced :")
                         : QStringLiteral("Loss carried forward :");
    std::optional<double> debit, credit;
    if (!(bf > 0 && !isZero(bf))) debit = roundTo(-bf, 2);
    if (!isZero(ob))
        credit = ob;
    else if (bf >= 0 || isZero(bf))
        credit = roundTo(bf, 2);
    add(TrialRowKind::Opening, QString(), caption, debit, credit);

    for (const Account& a : accounts("INC", 1))
        addTask([this, a] { incomeAccount(a, TrialRowKind::Income, false); });
    for (const Account& a : accounts("EXP", 1))
        addTask([this, a] { expenseAccount(a, TrialRowKind::Expense); });

    addTask([this] {
        add(TrialRowKind::CashHeading, QString(), QStringLiteral("Bank balances/Cash"),
            std::nullopt, std::nullopt);
        const CashAmounts toDate =
            cashBusinessAmounts(connection_, coy_, true, ledger::DateSpan::upTo(to_));
        const double cash = roundTo(toDate.income - toDate.expenditure, 2);
        std::optional<double> d, c;
        if (!isZero(cash) && cash > 0) d = cash;
        if (!isZero(cash) && cash < 0) c = -cash;
        add(TrialRowKind::Cash, QString(), QStringLiteral("Cash balance :"), d, c);
    });

    store::Query banks(connection_);
    banks.setSql({"SELECT ACCTNO, BANKCODE, \"DESC\", INITBAL, STARTDATE FROM QVBNKACT",
                  "WHERE COYCODE =:sCoyCode", "ORDER BY rowid"});
    banks.bind("sCoyCode", QString::number(coy_));
    banks.open();
    for (; !banks.eof(); banks.next()) {
        const QString acctNo = banks.text("ACCTNO");
        // The account's rows carry its key (company, bank code, account number): the covering
        // index (BANKLINK, TRANDATE, AMOUNT) sums them without reading the rows.
        const QString link =
            store::keys::cutToWidth(store::keys::bankLink(coy_, banks.text("BANKCODE"), acctNo),
                                    store::keys::kBankRowLinkWidth);
        const QString desc = banks.text("DESC");
        const double opening = banks.number("INITBAL");
        // An account opened after the to-date shows nothing.
        if (!startedBy(banks.date("STARTDATE"), to_)) continue;
        addTask([this, acctNo, link, desc, opening] {
            const double rows =
                ledger::moneyOf(ledger::bankRowSum(connection_, link, ledger::DateSpan::upTo(to_)));
            // The opening balance is in the opening row whatever the start date, so the
            // account's row carries it too.
            const double value = roundTo(rows + opening, 2);
            if (value >= 0 || isZero(value))
                add(TrialRowKind::Bank, acctNo, desc, value, std::nullopt);
            else
                add(TrialRowKind::Bank, acctNo, desc, std::nullopt, -value);
        });
    }

    addTask([this] {
        add(TrialRowKind::BalanceSheetHeading, QString(),
            QStringLiteral("Balance sheet transactions :"), std::nullopt, std::nullopt);
    });
    for (const Account& a : accounts("INC", 0))
        addTask([this, a] { incomeAccount(a, TrialRowKind::BalanceSheetIncome, true); });
    for (const Account& a : accounts("EXP", 0))
        addTask([this, a] { expenseAccount(a, TrialRowKind::BalanceSheetExpense); });

    addTask([this] {
        // Both taxes of the company's lines of the period (TRANTYPE 'I' and 'E').
        const ledger::LineSums sums = ledger::allOf(period_);
        add(TrialRowKind::TaxOnIncome, QString(), QStringLiteral("Sales tax on income/sales"),
            std::nullopt, ledger::moneyOf(sums.taxOnIncome));
        add(TrialRowKind::TaxOnExpenses, QString(), QStringLiteral("Sales tax on expenses :"),
            ledger::moneyOf(sums.taxOnExpenses), std::nullopt);
    });
}

void TTrialBalanceReport::finish() {
    const double p = figures_.profit;
    TrialRow provision{TrialRowKind::Provision, {}, {}, {}, {}};
    TrialRow carried{TrialRowKind::CarriedForward, {}, {}, {}, {}};
    if (!isZero(p) && p > 0) {
        provision.description = QStringLiteral("Provision for profit :");
        provision.credit = p;
        carried.description = QStringLiteral("Retained earnings carried forward :");
        carried.debit = p;
    } else if (!isZero(p)) {
        provision.description = QStringLiteral("Provision for loss :");
        provision.debit = -p;
        carried.description = QStringLiteral("Loss carried forward :");
        carried.credit = -p;
    }
    figures_.rows.push_back(provision);
    figures_.rows.push_back(carried);
    figures_.rows.push_back({TrialRowKind::Balances,
                             {},
                             QStringLiteral("Balances"),
                             roundTo(figures_.debitTotal + p, 2),
                             roundTo(figures_.creditTotal + p, 2)});
}

ReportDocument TTrialBalanceReport::document() const {
    ReportDocument doc;
    doc.name = QStringLiteral("TrialBalance");
    doc.printedOn = QDate::currentDate();
    doc.columns = {{QStringLiteral("Code"), 28, Qt::AlignLeft},
                   {QStringLiteral("Description"), 88, Qt::AlignLeft},
                   {QStringLiteral("Debits"), 32, Qt::AlignRight},
                   {QStringLiteral("Credits"), 32, Qt::AlignRight}};
    doc.addTitle(QStringLiteral("Trial Balance for :  ") + figures_.companyName);
    doc.addTitle(QStringLiteral("Between : ") + store::fmt::shortDate(figures_.from) + " " +
                     "and " + store::fmt::shortDate(figures_.to) +
                     QStringLiteral("    Account amounts exclude GST"),
                 false);
    doc.addColumnHeader();
    auto money = [](const std::optional<double>& v) {
        return v ? store::fmt::money(*v) : QString();
    };
    for (const TrialRow& r : figures_.rows) {
        switch (r.kind) {
            case TrialRowKind::CashHeading:
            case TrialRowKind::BalanceSheetHeading:
                doc.addSpan(BandKind::GroupHeader, r.description, true);
                break;
            case TrialRowKind::Provision:
            case TrialRowKind::CarriedForward:
                doc.addRow(BandKind::Summary,
                           {QString(), r.description, money(r.debit), money(r.credit)});
                break;
            case TrialRowKind::Balances:
                doc.addRow(BandKind::Summary,
                           {QString(), r.description, money(r.debit), money(r.credit)}, true, true);
                break;
            default:
                doc.addRow(BandKind::Detail,
                           {r.code, r.description, money(r.debit), money(r.credit)});
        }
    }
    return doc;
}

}  // namespace reports
