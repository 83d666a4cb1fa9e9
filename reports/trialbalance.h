#pragma once
// The trial balance: brought-forward figures, every account's tax-exclusive total in a Debits
// or a Credits column, bank and cash balances, balance-sheet accounts, sales tax, the
// provision for the period's profit or loss and the two "Balances".

#include <QDate>
#include <QString>
#include <map>
#include <optional>
#include <vector>

#include "ledger/account_totals.h"
#include "reports/preparation.h"
#include "reports/report.h"

namespace store {
class Connection;
}

namespace reports {

// What the selection window hands the report: exactly one of the two is not 0, or both are 0.
struct BroughtForward {
    double bf = 0;  // retained earnings (or loss) carried forward
    double ob = 0;  // opening bank balances, when there is nothing carried forward
};

// Figures before the from-date: the opening balances (as first set: INITBAL, which a
// reconciliation never overwrites) of the bank accounts started by the to-date (every account
// when `to` is not given), earlier bank movements, earlier cash income and expenditure and the
// loan account's line, combined and handed over as the window does.
BroughtForward broughtForward(store::Connection& connection, int coy, const QDate& from,
                              const QDate& to = QDate());

enum class TrialRowKind {
    Opening,
    Income,
    Expense,
    CashHeading,
    Cash,
    Bank,
    BalanceSheetHeading,
    BalanceSheetIncome,
    BalanceSheetExpense,
    TaxOnIncome,
    TaxOnExpenses,
    Provision,
    CarriedForward,
    Balances
};

struct TrialRow {
    TrialRowKind kind;
    QString code;         // account code or bank account number; empty on caption rows
    QString description;  // the account's description or the row's caption
    std::optional<double> debit;
    std::optional<double> credit;
};

struct TrialBalanceFigures {
    QString companyName;
    QDate from, to;
    std::vector<TrialRow> rows;
    double debitTotal = 0;   // DT, before the profit is added
    double creditTotal = 0;  // CT, before the profit is added
    double profit = 0;       // P: profit positive, loss negative

    std::vector<const TrialRow*> rowsOf(TrialRowKind kind) const;
    const TrialRow* row(TrialRowKind kind) const;  // the first of its kind, or nullptr
};

class TTrialBalanceReport : public Preparation {
public:
    TTrialBalanceReport(store::Connection& connection, int coy, const QDate& from, const QDate& to,
                        const BroughtForward& carried);

    const TrialBalanceFigures& figures() const { return figures_; }
    // The bands of the prepared report.
    ReportDocument document() const;

protected:
    void begin() override;
    void finish() override;

private:
    struct Account {
        QString code, description;
    };
    std::vector<Account> accounts(const QString& type, int inclPl);
    void add(TrialRowKind kind, const QString& code, const QString& description,
             std::optional<double> debit, std::optional<double> credit);
    void incomeAccount(const Account& a, TrialRowKind kind, bool wholeHistory);
    void expenseAccount(const Account& a, TrialRowKind kind);

    store::Connection& connection_;
    int coy_;
    QDate from_, to_;
    BroughtForward carried_;
    // Every account's line sums over the period and up to the to-date, read once in begin().
    ledger::AccountSums period_, toDate_;
    std::map<QString, double> lastAmounts_;  // each account's last line in the period
    // The tasks run in the order of the report's rows and append them as they go.
    TrialBalanceFigures figures_;
};

}  // namespace reports
