#include "reports/trialbalance.h"

#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace reports {
namespace {

using store::fmt::roundTo;

constexpr int kWhollyDomestic = 100;

bool isZero(double amount) { return store::fmt::cents(amount) == 0; }

// A bank account counts from its start date; one without a start date has always counted.
const char* const kStartedBy = "AND (STARTDATE IS NULL OR STARTDATE = '' OR STARTDATE <=:EndDate)";
bool startedBy(const QDate& start, const QDate& to) { return !start.isValid() || start <= to; }

// Business amounts (SUM of BUSAMT) of the cash journal (lines not tied to a bank entry) of
// the company's income and expenditure accounts, both in one pass over the cash lines. The
// lines' own company is tested too: with several companies in one data folder another
// company's lines under the same account code must not count. The cash lines (one in ten) are
// read from the store's index of them alone.
struct CashAmounts {
    double income = 0, expenditure = 0;
};

CashAmounts cashBusinessAmounts(store::Connection& c, int coy, bool profitAndLossOnly,
                                const QString& dateCondition, const QDate& date) {
    store::Query q(c);
    QStringList sql = {"SELECT SUM(CASE WHEN D.TYPECODE =:sIncome THEN C.BUSAMT ELSE 0 END),",
                       "SUM(CASE WHEN D.TYPECODE =:sExpense THEN C.BUSAMT ELSE 0 END)",
                       "FROM QVACTTR C, QVACCDET D",
                       "WHERE D.COYCODE =:iCoyCode",
                       "AND +C.COYCODE = D.COYCODE",
                       "AND C.ACCTCODE = D.ACCTCODE",
                       "AND D.ALLOCPER <>:dAllocPer"};
    if (profitAndLossOnly) sql << "AND D.INCLPL =:iInclPL";
    // Written out, not bound: the store's index of cash lines holds only this value.
    sql << "AND C.BNKLINKNO = '0-0-0'" << dateCondition;
    q.setSql(sql);
    q.bind("sIncome", QStringLiteral("INC"));
    q.bind("sExpense", QStringLiteral("EXP"));
    q.bind("iCoyCode", QString::number(coy));
    q.bind("dAllocPer", kWhollyDomestic);
    if (profitAndLossOnly) q.bind("iInclPL", 1);
    // The date condition names its own parameter.
    q.bind(dateCondition.contains(":StartDate") ? "StartDate" : "EndDate", date);
    q.open();
    return {roundTo(q.number(0), 2), roundTo(q.number(1), 2)};
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

    const CashAmounts prior =
        cashBusinessAmounts(c, coy, false, "AND C.TRANDATE <:StartDate", from);

    // Every bank row of the company: their BANKLINK starts with the company number and a
    // hyphen, so the range reads the covering index (BANKLINK, TRANDATE, AMOUNT) alone.
    store::Query bank(c);
    bank.setSql({"SELECT SUM(AMOUNT) FROM QVBNKTR", "WHERE BANKLINK >=:sLinkFrom",
                 "AND BANKLINK <:sLinkTo", "AND TRANDATE <:BegDate"});
    bank.bind("sLinkFrom", QString::number(coy) + QLatin1Char('-'));
    bank.bind("sLinkTo", QString::number(coy) + QLatin1Char('.'));  // '.' follows '-'
    bank.bind("BegDate", from);
    bank.open();
    const double priorBank = roundTo(bank.number(0), 2);

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
    store::Query q(connection_);
    q.setSql({"SELECT SUM(BUSAMT),SUM(GSTAMT) FROM QVACTTR A", "WHERE A.COYCODE =:iCoyCode",
              "AND A.ACCTCODE =:sAcctCode",
              wholeHistory ? "AND A.TRANDATE <=:EndDate"
                           : "AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("iCoyCode", QString::number(coy_));
    q.bind("sAcctCode", a.code);
    if (!wholeHistory) q.bind("StartDate", from_);
    q.bind("EndDate", to_);
    q.open();
    const double business = roundTo(q.number(0), 2);
    if (isZero(business)) return;
    const double amount = roundTo(business - q.number(1), 2);
    add(kind, a.code, a.description, std::nullopt, amount);
    if (kind == TrialRowKind::Income) figures_.profit = roundTo(figures_.profit + amount, 2);
}

// Expense accounts: the tax-exclusive business amount of the period's lines, shown only when
// the last line in date order (lines of one date in the order written) has an amount.
void TTrialBalanceReport::expenseAccount(const Account& a, TrialRowKind kind) {
    store::Query last(connection_);
    last.setSql({"SELECT AMOUNT FROM QVACTTR A", "WHERE A.COYCODE =:iCoyCode",
                 "AND A.ACCTCODE =:sAcctCode", "AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)",
                 "ORDER BY A.TRANDATE DESC, A.rowid DESC LIMIT 1"});
    last.bind("iCoyCode", QString::number(coy_));
    last.bind("sAcctCode", a.code);
    last.bind("StartDate", from_);
    last.bind("EndDate", to_);
    last.open();
    if (last.eof() || isZero(last.number(0))) return;

    store::Query q(connection_);
    q.setSql({"SELECT SUM(CASE WHEN A.BUSAMT <> 0 THEN A.BUSAMT - A.GSTAMT ELSE 0 END)",
              "FROM QVACTTR A", "WHERE A.COYCODE =:iCoyCode", "AND A.ACCTCODE =:sAcctCode",
              "AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("iCoyCode", QString::number(coy_));
    q.bind("sAcctCode", a.code);
    q.bind("StartDate", from_);
    q.bind("EndDate", to_);
    q.open();
    const double amount = roundTo(q.number(0), 2);
    add(kind, a.code, a.description, amount, std::nullopt);
    if (kind == TrialRowKind::Expense) figures_.profit = roundTo(figures_.profit - amount, 2);
}

void TTrialBalanceReport::begin() {
    figures_ = TrialBalanceFigures{};
    figures_.from = from_;
    figures_.to = to_;
    figures_.companyName = companyName(connection_, coy_);

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
            cashBusinessAmounts(connection_, coy_, true, "AND C.TRANDATE <=:EndDate", to_);
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
            store::Query q(connection_);
            q.setSql({"SELECT SUM(AMOUNT) FROM QVBNKTR", "WHERE BANKLINK =:sBankLink",
                      "AND TRANDATE <=:EndDate"});
            q.bind("sBankLink", link);
            q.bind("EndDate", to_);
            q.open();
            // The opening balance is in the opening row whatever the start date, so the
            // account's row carries it too.
            const double value = roundTo(q.number(0) + opening, 2);
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
        // Both taxes in one pass over the company's lines of the period: no index holds
        // TRANTYPE, and the plus sign keeps the engine from visiting every line through the
        // COYCODE index, which every line of a one-company book shares.
        store::Query q(connection_);
        q.setSql({"SELECT SUM(CASE WHEN TRANTYPE =:sIncome THEN GSTAMT ELSE 0 END),",
                  "SUM(CASE WHEN TRANTYPE =:sExpense THEN GSTAMT ELSE 0 END)", "FROM QVACTTR",
                  "WHERE +COYCODE =:sCoyCode", "AND (TRANDATE BETWEEN :BegDate AND :EndDate)"});
        q.bind("sIncome", QStringLiteral("I"));
        q.bind("sExpense", QStringLiteral("E"));
        q.bind("sCoyCode", QString::number(coy_));
        q.bind("BegDate", from_);
        q.bind("EndDate", to_);
        q.open();
        add(TrialRowKind::TaxOnIncome, QString(), QStringLiteral("Sales tax on income/sales"),
            std::nullopt, roundTo(q.number(0), 2));
        add(TrialRowKind::TaxOnExpenses, QString(), QStringLiteral("Sales tax on expenses :"),
            roundTo(q.number(1), 2), std::nullopt);
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
