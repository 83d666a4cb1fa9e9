#include "reports/balancesheet.h"

#include "ledger/account_totals.h"
#include "ledger/last_lines.h"
#include "reports/company.h"
#include "store/connection.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"

namespace reports {

namespace {

namespace fmt = store::fmt;

constexpr int kWhollyPrivate = 100;

double fromCents(qint64 cents) { return double(cents) / 100.0; }

}  // namespace

QString bracketedMoney(double amount) {
    if (fmt::cents(amount) < 0) return QLatin1Char('(') + fmt::money(-amount) + QLatin1Char(')');
    return fmt::money(amount);
}

BalanceSheet computeBalanceSheet(const BalanceSheetInputs& in) {
    BalanceSheet s;
    s.in = in;
    s.bankGroup = !in.banks.empty();
    s.otherGroup = in.hasOtherAssetAccounts;
    const qint64 w = fmt::cents(in.cashIncome) - fmt::cents(in.cashExpense);
    qint64 k = 0, r = 0, y = 0;
    if (s.bankGroup) {
        k = w;
        for (const auto& b : in.banks) k += fmt::cents(b.value);
    }
    if (s.otherGroup)
        for (const auto& a : in.otherAssets)
            if (a.prints) r += fmt::cents(a.amount);
    for (const auto& a : in.equity)
        if (a.prints) y += fmt::cents(a.amount);
    const qint64 assets = k + r;
    const qint64 e = fmt::cents(in.earnings);
    const qint64 shown = e > assets ? assets : e;
    const qint64 sum = y + shown;
    const qint64 other = assets > sum ? assets - sum : 0;
    s.cash = fromCents(w);
    s.bankAndCash = fromCents(k);
    s.otherAssets = fromCents(r);
    s.totalAssets = fromCents(assets);
    s.shownEarnings = fromCents(shown);
    s.otherEquity = fromCents(other);
    s.ownersEquity = fromCents(sum + other);
    return s;
}

TBalanceSheetReport::TBalanceSheetReport(store::Connection& connection, int coy, const QDate& from,
                                         const QDate& to)
    : connection_(connection), coy_(coy), from_(from), to_(to) {}

// W's two sums (the cash journal's business amounts to T) and the earnings E (the period's
// tax-exclusive business amounts), both over the company's profit-and-loss income and
// expenditure accounts. Each account row counts its lines, as joining the rows with the lines
// would.
void TBalanceSheetReport::readCashAndEarnings() {
    store::Query accounts(connection_);
    accounts.setSql({"SELECT ACCTCODE, TYPECODE FROM QVACCDET D", "WHERE D.COYCODE =:sCoyCode",
                     "AND D.ALLOCPER <>:dAllocPer", "AND D.INCLPL =:iInclPL",
                     "AND D.TYPECODE IN ('INC', 'EXP')"});
    accounts.bind("sCoyCode", QString::number(coy_));
    accounts.bind("dAllocPer", kWhollyPrivate);
    accounts.bind("iInclPL", 1);
    accounts.open();
    qint64 cashIncome = 0, cashExpense = 0, earnedIncome = 0, earnedExpense = 0;
    for (; !accounts.eof(); accounts.next()) {
        const QString code = accounts.text("ACCTCODE");
        const bool income = accounts.text("TYPECODE") == QLatin1String("INC");
        const qint64 cash = ledger::sumsOf(cashToDate_, code).business;
        const ledger::LineSums period = ledger::sumsOf(period_, code);
        (income ? cashIncome : cashExpense) += cash;
        (income ? earnedIncome : earnedExpense) += period.business - period.tax;
    }
    in_.cashIncome = fromCents(cashIncome);
    in_.cashExpense = fromCents(cashExpense);
    in_.earnings = fromCents(earnedIncome - earnedExpense);
}

// V: the opening balance as first set (INITBAL; OPENBAL moves with every reconciliation) and
// every row to T, whatever the account's start date. The rows share the account's key, so the
// covering index (BANKLINK, TRANDATE, AMOUNT) sums them.
void TBalanceSheetReport::readBank(const QString& acctNo, const QString& bankCode,
                                   const QString& desc, double opening) {
    const double rows = ledger::moneyOf(
        ledger::bankRowSum(connection_, store::keys::bankRowLink(coy_, bankCode, acctNo),
                           ledger::DateSpan::upTo(to_)));
    in_.banks.push_back({acctNo, desc, fmt::roundTo(opening + rows, 2)});
}

// X: the period's tax-exclusive business amounts; the row prints when the period's last line
// (in date order, lines of one date in the order written) has an amount.
BalanceSheetInputs::Account TBalanceSheetReport::otherAsset(const QString& code,
                                                            const QString& descr) {
    BalanceSheetInputs::Account a{code, descr};
    const auto last = lastAmounts_.find(code);
    if (last == lastAmounts_.end() || fmt::cents(last->second) == 0) return a;
    const ledger::LineSums sums = ledger::sumsOf(period_, code);
    a.amount = fromCents(sums.business - sums.taxOfBusiness);
    a.prints = true;
    return a;
}

// Y: every line to T, not only the period's; the row prints when the business amounts do not
// sum to 0.
BalanceSheetInputs::Account TBalanceSheetReport::equityAccount(const QString& code,
                                                               const QString& descr) {
    BalanceSheetInputs::Account a{code, descr};
    const ledger::LineSums sums = ledger::sumsOf(toDate_, code);
    a.prints = sums.business != 0;
    a.amount = fromCents(sums.business - sums.tax);
    return a;
}

void TBalanceSheetReport::begin() {
    in_ = BalanceSheetInputs{};
    figures_ = BalanceSheet{};
    in_.from = from_;
    in_.to = to_;
    in_.companyName = companyName(connection_, coy_);
    const QString coy = QString::number(coy_);
    period_ = ledger::lineSumsByAccount(connection_, {coy, {}, {}, false},
                                        ledger::DateSpan::between(from_, to_));
    toDate_ =
        ledger::lineSumsByAccount(connection_, {coy, {}, {}, false}, ledger::DateSpan::upTo(to_));
    cashToDate_ =
        ledger::lineSumsByAccount(connection_, {coy, {}, {}, true}, ledger::DateSpan::upTo(to_));
    lastAmounts_ = ledger::lastLineAmounts(connection_, coy, from_, to_, period_);
    addTask([this] { readCashAndEarnings(); });

    store::Query banks(connection_);
    banks.setSql({"SELECT ACCTNO, BANKCODE, \"DESC\", INITBAL FROM QVBNKACT",
                  "WHERE COYCODE =:sCoyCode", "ORDER BY rowid"});
    banks.bind("sCoyCode", QString::number(coy_));
    banks.open();
    for (; !banks.eof(); banks.next())
        addTask([this, acctNo = banks.text("ACCTNO"), bankCode = banks.text("BANKCODE"),
                 desc = banks.text("DESC"),
                 opening = banks.number("INITBAL")] { readBank(acctNo, bankCode, desc, opening); });

    store::Query accounts(connection_);
    accounts.setSql({"SELECT ACCTCODE, DESCR, TYPECODE FROM QVACCDET", "WHERE COYCODE =:sCoyCode",
                     "AND INCLPL = 0", "AND ALLOCPER <>:dAllocPer",
                     "AND TYPECODE IN ('INC', 'EXP')", "ORDER BY ACCTCODE"});
    accounts.bind("sCoyCode", QString::number(coy_));
    accounts.bind("dAllocPer", kWhollyPrivate);
    accounts.open();
    for (; !accounts.eof(); accounts.next()) {
        const QString code = accounts.text("ACCTCODE"), descr = accounts.text("DESCR");
        if (accounts.text("TYPECODE").trimmed() == QLatin1String("EXP")) {
            in_.hasOtherAssetAccounts = true;
            addTask([this, code, descr] { in_.otherAssets.push_back(otherAsset(code, descr)); });
        } else {
            addTask([this, code, descr] { in_.equity.push_back(equityAccount(code, descr)); });
        }
    }
}

void TBalanceSheetReport::finish() { figures_ = computeBalanceSheet(in_); }

ReportDocument TBalanceSheetReport::document() const {
    const BalanceSheet& s = figures_;
    ReportDocument doc;
    doc.name = QStringLiteral("BalanceSheet");
    doc.printedOn = QDate::currentDate();
    doc.columns = {{QStringLiteral("Code"), 30, Qt::AlignLeft},
                   {QStringLiteral("Description"), 100, Qt::AlignLeft},
                   {QStringLiteral("Amount"), 40, Qt::AlignRight}};
    doc.addTitle(QStringLiteral("Balance sheet for  ") + s.in.companyName);
    doc.addTitle(QStringLiteral("As at :  ") + fmt::shortDate(s.in.to), false);
    doc.addSpan(BandKind::GroupHeader, QStringLiteral("Assets :"), true);
    if (s.bankGroup) {
        doc.addSpan(BandKind::GroupHeader, QStringLiteral("Bank accounts and cash balances"), true);
        const bool noCash = fmt::cents(s.cash) == 0;
        doc.addRow(BandKind::Detail,
                   {QString(), noCash ? QString() : QStringLiteral("Cash balance"),
                    bracketedMoney(s.cash)});
        for (const auto& b : s.in.banks)
            doc.addRow(BandKind::Detail, {b.acctNo, b.desc, bracketedMoney(b.value)});
        doc.addRow(BandKind::GroupFooter,
                   {QString(), QStringLiteral("Total cash and bank accounts :"),
                    bracketedMoney(s.bankAndCash)},
                   true, true);
    }
    if (s.otherGroup) {
        for (const auto& a : s.in.otherAssets)
            if (a.prints) doc.addRow(BandKind::Detail, {a.code, a.descr, fmt::money(a.amount)});
        doc.addRow(BandKind::GroupFooter,
                   {QString(), QStringLiteral("Total other assets  :"), fmt::money(s.otherAssets)},
                   true, true);
    }
    doc.addRow(BandKind::GroupFooter,
               {QString(), QStringLiteral("Total Assets :"), fmt::money(s.totalAssets)}, true);
    doc.addSpan(BandKind::GroupHeader, QStringLiteral("Liabilities & equity"), true);
    doc.addSpan(BandKind::GroupHeader, QStringLiteral("Owner's equity :"), true);
    for (const auto& a : s.in.equity)
        if (a.prints) doc.addRow(BandKind::Detail, {a.code, a.descr, fmt::money(a.amount)});
    const qint64 e = fmt::cents(s.in.earnings);
    doc.addRow(BandKind::Detail, {QString(),
                                  e > 0   ? QStringLiteral("Current year earnings :")
                                  : e < 0 ? QStringLiteral("Loss this year :")
                                          : QString(),
                                  bracketedMoney(s.shownEarnings)});
    doc.addRow(BandKind::Detail,
               {QString(), QStringLiteral("Other equity"), fmt::money(s.otherEquity)});
    doc.addRow(
        BandKind::GroupFooter,
        {QString(), QStringLiteral("Total owner's equity :"), bracketedMoney(s.ownersEquity)}, true,
        true);
    doc.addRow(
        BandKind::Summary,
        {QString(), QStringLiteral("Total liabilities & equity"), bracketedMoney(s.ownersEquity)},
        true, true);
    return doc;
}

}  // namespace reports
