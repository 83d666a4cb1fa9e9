#include "app/controlcentre_figures.h"

#include "store/format.h"
#include "store/inifile.h"
#include "store/query.h"

#include <stdexcept>

namespace app::controlcentre {

void LabelTotal::add(double amount) { text_ = store::fmt::money(value() + amount); }

double LabelTotal::value() const { return text_.toDouble(); }

// --- Bank totals ---------------------------------------------------------------------------

BankTotals bankTotals(const std::vector<BankAccountFigures>& accounts)
{
    LabelTotal inBank, overdraft;
    for (const BankAccountFigures& a : accounts) {
        if (a.allowOd) overdraft.add(a.odAmount);
        inBank.add(a.currBal);
    }
    BankTotals totals;
    totals.inBank = inBank.text();
    totals.overdraft = overdraft.text();
    totals.funds = store::fmt::money(inBank.value() + overdraft.value());
    return totals;
}

std::vector<BankAccountFigures> readBankAccounts(store::Connection& c, int coy)
{
    store::Query q(c);
    // Row id order within one company is the order of the table's COYCODE tag.
    q.setSql({"SELECT CURRBAL, ALLOWOD, ODAMOUNT FROM QVBNKACT", "WHERE COYCODE =:sCoyCode",
              "ORDER BY rowid"});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.open();
    std::vector<BankAccountFigures> out;
    for (q.first(); !q.eof(); q.next())
        out.push_back({q.number(QStringLiteral("CURRBAL")), q.integer(QStringLiteral("ALLOWOD")) != 0,
                       q.number(QStringLiteral("ODAMOUNT"))});
    return out;
}

BankTotals readBankTotals(store::Connection& c, int coy)
{
    return bankTotals(readBankAccounts(c, coy));
}

// --- Profit and loss -----------------------------------------------------------------------

ProfitAndLoss profitAndLoss(const std::vector<LedgerAccountRef>& accounts,
                            const std::map<QString, double>& sumByFullCode)
{
    LabelTotal income, expenditure;
    for (const LedgerAccountRef& a : accounts) {
        const auto found = sumByFullCode.find(a.fullCode);
        const double sum = found == sumByFullCode.end() ? 0.0 : found->second;
        (a.typeCode == QLatin1String("INC") ? income : expenditure).add(sum);
    }
    ProfitAndLoss result;
    result.income = income.text();
    result.expenditure = expenditure.text();
    result.profitLoss = store::fmt::money(income.value() - expenditure.value());
    return result;
}

std::vector<LedgerAccountRef> readLedgerAccounts(store::Connection& c, int coy)
{
    store::Query q(c);
    q.setSql({"SELECT FULLCODE, TYPECODE FROM QVACCDET", "WHERE COYCODE =:sCoyCode",
              "ORDER BY rowid"});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.open();
    std::vector<LedgerAccountRef> out;
    for (q.first(); !q.eof(); q.next())
        out.push_back({q.text(QStringLiteral("FULLCODE")), q.text(QStringLiteral("TYPECODE"))});
    return out;
}

QStringList journalMonthSumsSql()
{
    // One sum per account and month: a whole month is one row of the totals per account and
    // month (NULL when the month had no lines), a month cut by the range a seek into the
    // covering (FULLCODE, TRANDATE, AMOUNT) index. Nothing is sorted (grouping the lines by a
    // month computed from each would sort them all).
    return {"WITH RECURSIVE MONTHS(MSTART) AS (SELECT DATE(:BegDate, 'start of month')",
            "UNION ALL SELECT DATE(MSTART, '+1 month') FROM MONTHS",
            "WHERE DATE(MSTART, '+1 month') <= :EndDate)",
            "SELECT A.FULLCODE, MSTART,",
            "CASE WHEN MSTART >= :BegDate AND DATE(MSTART, '+1 month', '-1 day') <= :EndDate",
            "THEN (SELECT CASE WHEN SUM(M.LINES) > 0 THEN SUM(M.AMOUNT) / 100.0 END",
            "FROM QVActTot M WHERE M.FULLCODE = A.FULLCODE AND M.MONTH = SUBSTR(MSTART, 1, 7))",
            "ELSE (SELECT SUM(T.AMOUNT) FROM QVACTTR T WHERE T.FULLCODE = A.FULLCODE",
            "AND T.TRANDATE BETWEEN MAX(MSTART, :BegDate)",
            "AND MIN(DATE(MSTART, '+1 month', '-1 day'), :EndDate)) END AS TOTAL",
            "FROM (SELECT DISTINCT FULLCODE FROM QVACCDET WHERE COYCODE =:sCoyCode) A, MONTHS"};
}

std::vector<AccountMonthSum> readJournalMonthSums(store::Connection& c, int coy,
                                                  const QDate& from, const QDate& to)
{
    std::vector<AccountMonthSum> out;
    if (!from.isValid() || !to.isValid()) return out;
    store::Query q(c);
    q.setSql(journalMonthSumsSql());
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("BegDate"), from);
    q.bind(QStringLiteral("EndDate"), to);
    q.open();
    for (q.first(); !q.eof(); q.next()) {
        if (q.value(2).isNull()) continue;  // no lines that month
        out.push_back({q.text(QStringLiteral("FULLCODE")), q.date(QStringLiteral("MSTART")),
                       q.number(2)});
    }
    return out;
}

std::map<QString, double> sumsByAccount(const std::vector<AccountMonthSum>& monthSums)
{
    std::map<QString, double> out;
    for (const AccountMonthSum& m : monthSums) out[m.fullCode] += m.sum;
    return out;
}

std::map<QString, double> readJournalSums(store::Connection& c, int coy, const QDate& from,
                                          const QDate& to)
{
    return sumsByAccount(readJournalMonthSums(c, coy, from, to));
}

ProfitAndLoss readProfitAndLoss(store::Connection& c, int coy, const QDate& from,
                                const QDate& to)
{
    return profitAndLoss(readLedgerAccounts(c, coy), readJournalSums(c, coy, from, to));
}

QString rangeLine(const QDate& from, const QDate& to)
{
    return QStringLiteral("Income/expenditure between : ") + store::fmt::shortDate(from)
           + QStringLiteral(" and ") + store::fmt::shortDate(to);
}

// --- Kept between runs ---------------------------------------------------------------------

QDate readFromDate(const store::IniFile& ini, const QDate& today)
{
    const QString text = ini.readString(kSection, QStringLiteral("BegDate"));
    if (text.isEmpty()) return today.addDays(-365);
    const QDate date = store::fmt::parseShortDate(text);
    if (!date.isValid())
        throw std::runtime_error(QStringLiteral("'%1' is not a valid date").arg(text).toStdString());
    return date;
}

int readState(const store::IniFile& ini, int current)
{
    return ini.readInteger(kSection, QStringLiteral("State"), current);
}

bool readChartsShown(const store::IniFile& ini)
{
    return ini.readInteger(kSection, QStringLiteral("Charts"), 1) != 0;
}

void writeChartsShown(store::IniFile& ini, bool shown)
{
    ini.writeString(kSection, QStringLiteral("Charts"),
                    shown ? QStringLiteral("1") : QStringLiteral("0"));
}

void writeStateAndFromDate(store::IniFile& ini, int state, const QDate& from)
{
    ini.writeStrings(kSection, {{QStringLiteral("State"), QString::number(state)},
                                {QStringLiteral("BegDate"), store::fmt::shortDate(from)}});
}

}  // namespace app::controlcentre
