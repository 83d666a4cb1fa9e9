#include "reports/balancesheet.h"

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

// W's two sums and the earnings E, each in one pass over the joined lines. The lines' own
// company is tested too, as the trial balance does: another company's lines under the same
// account code must not count. W reads the few cash lines from the store's index of them (the cash
// line key written out, not bound, so the engine takes it); E reads each account's period from the
// covering (COYCODE, ACCTCODE, TRANDATE, ...) index.
void TBalanceSheetReport::readCashAndEarnings() {
    store::Query cash(connection_);
    cash.setSql({"SELECT SUM(CASE WHEN D.TYPECODE =:sIncome THEN C.BUSAMT ELSE 0 END),",
                 "SUM(CASE WHEN D.TYPECODE =:sExpense THEN C.BUSAMT ELSE 0 END)",
                 "FROM QVACTTR C, QVACCDET D", "WHERE D.COYCODE =:sCoyCode",
                 "AND +C.COYCODE = D.COYCODE", "AND C.ACCTCODE = D.ACCTCODE",
                 "AND D.ALLOCPER <>:dAllocPer", "AND D.INCLPL =:iInclPL",
                 "AND C.BNKLINKNO = '0-0-0'", "AND C.TRANDATE <=:EndDate"});
    cash.bind("sIncome", QStringLiteral("INC"));
    cash.bind("sExpense", QStringLiteral("EXP"));
    cash.bind("sCoyCode", QString::number(coy_));
    cash.bind("dAllocPer", kWhollyPrivate);
    cash.bind("iInclPL", 1);
    cash.bind("EndDate", to_);
    cash.open();
    in_.cashIncome = fmt::roundTo(cash.number(0), 2);
    in_.cashExpense = fmt::roundTo(cash.number(1), 2);

    store::Query e(connection_);
    e.setSql({"SELECT SUM(CASE WHEN D.TYPECODE =:sIncome THEN C.BUSAMT - C.GSTAMT ELSE 0 END),",
              "SUM(CASE WHEN D.TYPECODE =:sExpense THEN C.BUSAMT - C.GSTAMT ELSE 0 END)",
              "FROM QVACTTR C, QVACCDET D", "WHERE D.COYCODE =:sCoyCode",
              "AND C.COYCODE = D.COYCODE", "AND C.ACCTCODE = D.ACCTCODE",
              "AND D.ALLOCPER <>:dAllocPer", "AND D.INCLPL =:iInclPL",
              "AND (C.TRANDATE BETWEEN :StartDate AND :EndDate)"});
    e.bind("sIncome", QStringLiteral("INC"));
    e.bind("sExpense", QStringLiteral("EXP"));
    e.bind("sCoyCode", QString::number(coy_));
    e.bind("dAllocPer", kWhollyPrivate);
    e.bind("iInclPL", 1);
    e.bind("StartDate", from_);
    e.bind("EndDate", to_);
    e.open();
    in_.earnings = fromCents(fmt::cents(e.number(0)) - fmt::cents(e.number(1)));
}

// V: the opening balance as first set (INITBAL; OPENBAL moves with every reconciliation) and
// every row to T, whatever the account's start date. The rows share the account's key, so the
// covering index (BANKLINK, TRANDATE, AMOUNT) sums them.
void TBalanceSheetReport::readBank(const QString& acctNo, const QString& bankCode,
                                   const QString& desc, double opening) {
    store::Query q(connection_);
    q.setSql({"SELECT SUM(AMOUNT) FROM QVBNKTR", "WHERE BANKLINK =:sBankLink",
              "AND TRANDATE <=:EndDate"});
    q.bind("sBankLink", store::keys::bankRowLink(coy_, bankCode, acctNo));
    q.bind("EndDate", to_);
    q.open();
    in_.banks.push_back({acctNo, desc, fmt::roundTo(opening + q.number(0), 2)});
}

// X: the period's tax-exclusive business amounts; the row prints when the period's last line
// (in date order, lines of one date in the order written) has an amount.
BalanceSheetInputs::Account TBalanceSheetReport::otherAsset(const QString& code,
                                                            const QString& descr) {
    BalanceSheetInputs::Account a{code, descr};
    store::Query last(connection_);
    last.setSql({"SELECT AMOUNT FROM QVACTTR", "WHERE COYCODE =:sCoyCode", "AND ACCTCODE =:sAcct",
                 "AND (TRANDATE BETWEEN :StartDate AND :EndDate)",
                 "ORDER BY TRANDATE DESC, rowid DESC LIMIT 1"});
    last.bind("sCoyCode", QString::number(coy_));
    last.bind("sAcct", code);
    last.bind("StartDate", from_);
    last.bind("EndDate", to_);
    last.open();
    if (last.eof() || fmt::cents(last.number(0)) == 0) return a;
    store::Query q(connection_);
    q.setSql({"SELECT SUM(CASE WHEN BUSAMT <> 0 THEN BUSAMT - GSTAMT ELSE 0 END) FROM QVACTTR",
              "WHERE COYCODE =:sCoyCode", "AND ACCTCODE =:sAcct",
              "AND (TRANDATE BETWEEN :StartDate AND :EndDate)"});
    q.bind("sCoyCode", QString::number(coy_));
    q.bind("sAcct", code);
    q.bind("StartDate", from_);
    q.bind("EndDate", to_);
    q.open();
    a.amount = fmt::roundTo(q.number(0), 2);
    a.prints = true;
    return a;
}

// Y: every line to T, not only the period's; the row prints when the business amounts do not
// sum to 0.
BalanceSheetInputs::Account TBalanceSheetReport::equityAccount(const QString& code,
                                                               const QString& descr) {
    BalanceSheetInputs::Account a{code, descr};
    store::Query q(connection_);
    q.setSql({"SELECT SUM(BUSAMT), SUM(GSTAMT) FROM QVACTTR", "WHERE COYCODE =:sCoyCode",
              "AND ACCTCODE =:sAcct", "AND TRANDATE <=:EndDate"});
    q.bind("sCoyCode", QString::number(coy_));
    q.bind("sAcct", code);
    q.bind("EndDate", to_);
    q.open();
    const qint64 business = fmt::cents(q.number(0));
    a.prints = business != 0;
    a.amount = fromCents(business - fmt::cents(q.number(1)));
    return a;
}

void TBalanceSheetReport::begin() {
    in_ = BalanceSheetInputs{};
    figures_ = BalanceSheet{};
    in_.from = from_;
    in_.to = to_;
    in_.companyName = companyName(connection_, coy_);
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
