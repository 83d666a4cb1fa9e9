#pragma once
// A demo company to try the program on, and the builders it is made with: the control record,
// departments, ledger accounts, banks and bank accounts written exactly as their maintenance
// windows write them, then bank entries posted through the posting of bank entries.

#include "banking/journal_rules.h"
#include "store/connection.h"

#include <QDate>
#include <QString>
#include <vector>

namespace banking::sample {

// The first control record: name, code and sales tax (filling BUSNAME keeps the set-up wizard
// from running).
void setCompany(store::Connection& c, const QString& busName, const QString& busCode,
                bool gstEnabled, double gstPercent, const QString& country = QStringLiteral("NZ"));

// A department of the company (QVCoy): LINKCODE coy-branch.
void addDepartment(store::Connection& c, int coy, int branch, const QString& deptCode,
                   const QString& busCode, const QString& name);

struct LedgerSpec {
    QString code;
    QString descr;
    QString typeCode = QStringLiteral("INC");  // "INC" or "EXP"
    int branch = 0;                            // department number, 0 at company level
    bool gstApplies = true;
    QString rptCat;                            // "I", "E", "O"; from the type when empty
    bool inclPl = true;                        // profit-and-loss account
    int allocPer = 0;                          // private share in percent; 0 = none
    QString domAcct;                           // the account taking the private share
    int domBranch = 0;
};
void addLedgerAccount(store::Connection& c, int coy, const LedgerSpec& account);

void addBank(store::Connection& c, const QString& bankCode, const QString& name,
             const QString& branch);

struct BankAccountSpec {
    QString bankCode;
    QString acctNo;
    QString desc;
    bool isDefault = false;
    int deptBranch = 0;            // the account belongs to this department when not 0
    bool allowOd = false;
    double odAmount = 0.0;
    double openingBalance = 0.0;   // OPENBAL = INITBAL = CURRBAL, as the opening-balance update
    QDate startDate;
    qint64 lastRefNo = 1000000;
};
void addBankAccount(store::Connection& c, int coy, const QString& busCode,
                    const BankAccountSpec& account);

// "Harbour Street Cafe": NZ, GST 15 %, departments Cafe and Catering, twenty-odd ledger accounts
// (one with a 30 % private share), two banks and three bank accounts opened three years before
// `today` with opening balances and overdraft limits. Expects a fresh data folder.
void makeDemoCompany(store::Connection& c, const QDate& today);

// Posts `count` bank entries of the demo company over the three years before `today`, in date
// order: deposits, withdrawals, transfers, monthly interest and fees, each reserving its number
// and posted as the bank transaction window posts it. `batch` entries share one database
// transaction (1 = each entry durable on its own, as the window saves). Returns the number of
// entries posted.
int postDemoEntries(store::Connection& c, int count, const QDate& today, quint32 seed = 1,
                    int batch = 1);

// A deposit or withdrawal with details as the cash details window leaves one: a bank row with
// CSHACCDET 1 whose amount is the total of its lines (income less expense for a deposit, the
// other way round for a withdrawal), and one journal line per detail. Returns its number.
struct DetailLineSpec {
    QString acctCode;
    double amount = 0.0;
    QString narrative;
};
qint64 addEntryWithDetails(store::Connection& c, int coy, const QString& bankCode,
                           const QString& acctNo, EntryType type, const QDate& date,
                           const QString& narrative, const std::vector<DetailLineSpec>& lines);

}  // namespace banking::sample
