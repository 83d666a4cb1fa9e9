#pragma once
// The control centre's figures: the totals of money in the bank and the income, expenditure and
// profit or loss of the ledger between two dates, and the values it keeps in "NRVCash.ini".
// No widgets here.
//
// Each running total is kept as the text its label shows: "00.00" before anything is added,
// then the sum written as "0.00" after every addition and read back before the next, so every
// step is rounded to cents. The profit and loss is added up account by account in the
// company's account order from one aggregate query that sums each account's journal lines
// of each month of the range (the month sums also draw the control centre's charts), so a
// large book is summed from the journal's (FULLCODE, TRANDATE, AMOUNT) index without reading
// a line.

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace store {
class Connection;
class IniFile;
}  // namespace store

namespace app::controlcentre {

// The label text of a total that nothing was added to.
inline const QString kNothingAdded = QStringLiteral("00.00");

// A running total kept as its label's text.
class LabelTotal {
public:
    void add(double amount);
    const QString& text() const { return text_; }
    double value() const;

private:
    QString text_ = kNothingAdded;
};

// --- Bank totals ---------------------------------------------------------------------------

struct BankAccountFigures {
    double currBal = 0.0;   // CURRBAL
    bool allowOd = false;   // ALLOWOD not 0
    double odAmount = 0.0;  // ODAMOUNT
};

struct BankTotals {
    QString inBank = kNothingAdded;     // "Total in bank accounts :"
    QString overdraft = kNothingAdded;  // "Total Overdraft facility :"
    QString funds;                      // "Total Funds :", always "0.00"
};

// Adds up the accounts in the order given; an account without overdraft adds its balance only.
BankTotals bankTotals(const std::vector<BankAccountFigures>& accounts);
// The company's bank accounts (QVBnkAct) in their COYCODE order.
std::vector<BankAccountFigures> readBankAccounts(store::Connection& c, int coy);
BankTotals readBankTotals(store::Connection& c, int coy);

// --- Profit and loss -----------------------------------------------------------------------

struct LedgerAccountRef {
    QString fullCode;  // FULLCODE
    QString typeCode;  // TYPECODE: "INC" is income, anything else expenditure
};

struct ProfitAndLoss {
    QString income = kNothingAdded;       // "Income :"
    QString expenditure = kNothingAdded;  // "Expenditure :"
    QString profitLoss;                   // "Profit/Loss :", always "0.00"
};

// Adds each account's sum (absent: 0.00) to income or expenditure, in the order given. An
// account listed twice adds its sum twice, as walking the accounts one by one does.
ProfitAndLoss profitAndLoss(const std::vector<LedgerAccountRef>& accounts,
                            const std::map<QString, double>& sumByFullCode);
// The company's ledger accounts (QVAccDet) in their COYCODE order.
std::vector<LedgerAccountRef> readLedgerAccounts(store::Connection& c, int coy);
// One account's journal lines of one month of the range, summed.
struct AccountMonthSum {
    QString fullCode;  // FULLCODE
    QDate month;       // the first day of the month
    double sum = 0.0;
};
// The statement that sums AMOUNT per FULLCODE and month over the company's accounts' journal
// lines dated from :BegDate to :EndDate, both included (parameters :sCoyCode, :BegDate,
// :EndDate). The profit and loss and the monthly charts are both made from its rows.
QStringList journalMonthSumsSql();
std::vector<AccountMonthSum> readJournalMonthSums(store::Connection& c, int coy, const QDate& from,
                                                  const QDate& to);
// Each account's months added up.
std::map<QString, double> sumsByAccount(const std::vector<AccountMonthSum>& monthSums);

// AMOUNT summed per FULLCODE of the company's accounts over the range, both ends included.
std::map<QString, double> readJournalSums(store::Connection& c, int coy, const QDate& from,
                                          const QDate& to);
ProfitAndLoss readProfitAndLoss(store::Connection& c, int coy, const QDate& from, const QDate& to);

// "Income/expenditure between : " + from + " and " + to, in the short date format.
QString rangeLine(const QDate& from, const QDate& to);

// --- Kept between runs ---------------------------------------------------------------------

inline const QString kSection = QStringLiteral("QVCoyOpsForm");

// The "from" date: BegDate of the section in the short date format; today - 365 when the key
// is absent or empty. Throws std::runtime_error ("'x' is not a valid date") for a value that
// is not a date.
QDate readFromDate(const store::IniFile& ini, const QDate& today);
// Window state as kept: 0 normal, 1 minimised, 2 maximised; `current` when absent.
int readState(const store::IniFile& ini, int current);
// Whether the charts are shown: Charts of the section, 1 (the default) or 0.
bool readChartsShown(const store::IniFile& ini);
void writeChartsShown(store::IniFile& ini, bool shown);
// Writes State and BegDate (short date format) in one write.
void writeStateAndFromDate(store::IniFile& ini, int state, const QDate& from);

}  // namespace app::controlcentre
