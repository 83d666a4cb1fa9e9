#pragma once
// The control centre: a one-window summary of the active company (its details, tax settings,
// departments, bank accounts with their totals, and the profit or loss between two dates) with
// a tool bar that opens every operation. Nothing is passed to it; it works on the first control
// record and recomputes its figures after the operations that change them.

#include "app/controlcentre_figures.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <QDate>
#include <functional>
#include <memory>

class ControlCentreCharts;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace store {
class Table;
}
namespace ui {
class DataGrid;
class DateBox;
class Navigator;
}  // namespace ui

// What the tool bar's buttons open. Each defaults to its command in app/commands.h; tests put
// their own in its place to see the inputs and to play an operation's effect on the books.
struct ControlCentreCommands {
    std::function<void(QWidget*)> company;                        // TQVCompanyForm
    std::function<void(QWidget*)> departments;                    // TQVValidationForm
    std::function<void(QWidget*)> ledger;                         // TQVValidationForm
    std::function<bool(QWidget*, const QString& caption)> bank;   // TBankMainForm: changed
    std::function<void(QWidget*, int coy)> suppliers;             // TAddEditSuppForm
    std::function<void(QWidget*, int coy)> nzTaxReturn;           // TGSTCalcForm
    std::function<void(QWidget*, int coy)> ausTaxReturn;          // TAusGSTCalcForm
    std::function<void(QWidget*, int coy, const QString& caption)> cash;  // TQVCashTranForm
    std::function<void(QWidget*, int coy)> budgets;               // TBudgetsCalcForm
    std::function<void(QWidget*, int coy)> import;                // TImportTextForm
    std::function<void(QWidget*, const QString& coy)> cheques;    // TChqEntryForm
    std::function<void(QWidget*, const QString& coy)> transactions;  // TQVBankTranForm
    std::function<void(QWidget*, int coy, const QString& caption)> reconciliation;  // TQVBankRecForm
    // TRecTransForm: posted.
    std::function<bool(QWidget*, const QString& coy, const QString& coyName,
                       const QString& caption)> recurring;
    std::function<void(QWidget*, int coy)> reports;               // TQVReportsForm

    // Every button on its command.
    static ControlCentreCommands fromApp();
};

class TQVCoyOpsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVCoyOpsForm(QWidget* owner = nullptr);
    ~TQVCoyOpsForm() override;

    ControlCentreCommands commands = ControlCentreCommands::fromApp();

    // The control record's company, once shown.
    int coyCode() const { return coy_; }
    QDate fromDate() const;
    QDate toDate() const;

    // Tool bar.
    void CompanyButtonClick();
    void DepartmentButtonClick();
    void LedgerButtonClick();
    void BankButtonClick();
    void SuppliersButtonClick();
    void SalesTaxButtonClick();
    void CashButtonClick();
    void BudgetsButtonClick();
    void ImportButtonClick();
    void ChequesButtonClick();
    void TransactionsButtonClick();
    void ReconciliationButtonClick();
    void RecTransButtonClick();
    void ReportsButtonClick();
    // "Recalculate ".
    void RecalcButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void FormActivate();
    void FormClose();
    bool openTables();
    void closeTables();
    void showCompany();
    void reopenBankAccounts();
    void computeBankTotals();
    void computeProfitAndLoss();
    void refreshCharts();
    void chartsToggled(bool shown);

    store::Connection connection_;
    std::unique_ptr<store::Table> control_;
    std::unique_ptr<store::Table> departments_;
    std::unique_ptr<store::Table> bankAccounts_;
    int coy_ = 0;
    bool shown_ = false;

    QToolButton* salesTaxButton_;
    QLineEdit* nameEdit_;
    QLineEdit* codeEdit_;
    QLineEdit* descEdit_;
    QLabel* taxEnabledLabel_;
    QLabel* taxNumberLabel_;
    QLabel* taxPercentLabel_;
    ui::DataGrid* deptGrid_;
    ui::Navigator* deptNavigator_;
    ui::DataGrid* bankGrid_;
    ui::Navigator* bankNavigator_;
    QLabel* bankTotal_;
    QLabel* overdraftTotal_;
    QLabel* fundsTotal_;
    ui::DateBox* fromDate_;
    ui::DateBox* toDate_;
    QPushButton* recalcButton_;
    QLabel* income_;
    QLabel* expenditure_;
    QLabel* profitLoss_;
    QLabel* rangeLine_;
    QLabel* datePanel_;
    QCheckBox* chartsBox_;
    ControlCentreCharts* charts_;
    // The rows the profit and loss was last added up from, and their range: the charts' source.
    std::vector<app::controlcentre::LedgerAccountRef> accounts_;
    std::vector<app::controlcentre::AccountMonthSum> monthSums_;
    QDate chartFrom_, chartTo_;
    bool figuresReady_ = false;
};
