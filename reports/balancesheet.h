#pragma once
// The balance sheet of a company as at a date: cash, bank accounts and balance-sheet expense
// accounts as assets, against balance-sheet income accounts, the year's earnings and the other
// equity that balances the two. The figures come from a pure function over the amounts read
// first, so their rules are tested without a store.

#include <QDate>
#include <QString>
#include <map>
#include <vector>

#include "ledger/account_totals.h"
#include "reports/preparation.h"
#include "reports/report.h"

namespace store {
class Connection;
}

namespace reports {

// What the balance sheet reads, as read (amounts rounded to cents).
struct BalanceSheetInputs {
    QString companyName;
    QDate from, to;
    double cashIncome = 0;   // CI: business amounts of cash lines of income accounts to T
    double cashExpense = 0;  // CE: the same for expense accounts
    struct Bank {
        QString acctNo, desc;
        double value = 0;  // V: the opening balance as first set plus the rows to T
    };
    std::vector<Bank> banks;
    struct Account {
        QString code, descr;
        double amount = 0;    // X or Y
        bool prints = false;  // the row's own rule
    };
    bool hasOtherAssetAccounts = false;  // the company has balance-sheet expense accounts
    std::vector<Account> otherAssets;    // balance-sheet expense accounts, by code
    std::vector<Account> equity;         // balance-sheet income accounts, by code
    double earnings = 0;                 // E
};

// The sheet's figures, every total to the cent.
struct BalanceSheet {
    BalanceSheetInputs in;
    bool bankGroup = false;    // the company has a bank account
    bool otherGroup = false;   // the company has a balance-sheet expense account
    double cash = 0;           // W
    double bankAndCash = 0;    // K
    double otherAssets = 0;    // R
    double totalAssets = 0;    // A
    double shownEarnings = 0;  // E': at most A
    double otherEquity = 0;    // O
    double ownersEquity = 0;   // Q, also the total of liabilities and equity
};
BalanceSheet computeBalanceSheet(const BalanceSheetInputs& in);

// "(12.50)" for a negative amount, "12.50" otherwise.
QString bracketedMoney(double amount);

class TBalanceSheetReport : public Preparation {
public:
    TBalanceSheetReport(store::Connection& connection, int coy, const QDate& from, const QDate& to);

    const BalanceSheet& figures() const { return figures_; }
    ReportDocument document() const;

protected:
    void begin() override;
    void finish() override;

private:
    void readCashAndEarnings();
    void readBank(const QString& acctNo, const QString& bankCode, const QString& desc,
                  double opening);
    BalanceSheetInputs::Account otherAsset(const QString& code, const QString& descr);
    BalanceSheetInputs::Account equityAccount(const QString& code, const QString& descr);

    store::Connection& connection_;
    int coy_;
    QDate from_, to_;
    // Every account's line sums over the period, up to T, and the cash journal's up to T.
    ledger::AccountSums period_, toDate_, cashToDate_;
    std::map<QString, double> lastAmounts_;  // each account's last line in the period
    BalanceSheetInputs in_;
    BalanceSheet figures_;
};

}  // namespace reports
