#pragma once
// The budget window: an account's statistics, its budgets and their periods. A new budget is
// generated from its criterion and basis; a header edit changes the description and status; a
// period edit changes one amount. The rules are in budgets/ (plan, statistics, store).

#include <QDate>
#include <functional>
#include <vector>

#include "budgets/budget_store.h"
#include "budgets/statistics.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ui {
class DateBox;
class Navigator;
}  // namespace ui

class TBudgetsCalcForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TBudgetsCalcForm(QWidget* owner = nullptr);
    ~TBudgetsCalcForm() override;

    // Input: the active company's code.
    int coyCode = 1;
    // The day the defaults are taken from; today unless a test fixes it.
    QDate today = QDate::currentDate();
    // "View/select accounts": the chosen ACCTCODE, empty when cancelled. Tests replace it.
    std::function<QString()> pickAccount;
    // "Print Budgets" and "Business Plan" open these; tests replace them.
    std::function<void(QWidget*, int)> openBudgetReports, openBusinessPlan;

    // The account shown, and the budget shown (empty link without one).
    const budgets::BudgetAccount* account() const;
    QString currentBudgetLink() const;
    bool editingPeriod() const { return periodEditing_; }

    void ReCalculateButtonClick();
    void ViewAcctsButtonClick();
    void PeriodEditButtonClick();
    void PeriodSaveButtonClick();
    void PeriodCancelButtonClick();
    void PrintBudgetsButtonClick();
    void BusinessPlanButtonClick();
    // Positions on the account with this code; false when the company has none.
    bool showAccountCode(const QString& acctCode);

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override;
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    // Building the panels (budgetscalcform_layout.cpp).
    QGroupBox* buildStatistics();
    QGroupBox* buildBudgets();
    QGroupBox* buildCriteria();
    QGroupBox* buildDetails();
    void connectHandlers();

    // What the boxes show.
    void showAccount();
    void showStatistics();
    void showBudget();
    void showPeriods();
    void showCriterionBoxes();
    void fillBudgetGrid();
    budgets::BudgetPlan planFromBoxes() const;
    void showPlan(const budgets::BudgetPlan& plan);
    budgets::Criterion criterionChosen() const;
    QString statusChosen() const;

    // While creating or editing.
    void CodeEditChange();
    void StartDateChange();
    void Split1FromChange();
    void CriteriaClick();
    void CurrYearClick();
    void StatusClick();
    bool saveNewBudget();
    bool saveHeader();
    bool savePeriod();

    store::Connection connection_;
    std::vector<budgets::BudgetAccount> accounts_;
    int accountIndex_ = -1;
    budgets::AccountStatistics stats_;
    std::vector<budgets::BudgetHeader> budgets_;
    int budgetIndex_ = -1;
    std::vector<budgets::StoredPeriod> periods_;
    bool periodEditing_ = false;
    bool showing_ = false;  // boxes being filled: their change handlers stay quiet

    ui::Navigator* acctNavigator_;
    QPushButton* viewAccts_;
    QLabel *acctCode_, *acctDescr_, *acctStatus_, *acctType_, *acctDept_;
    ui::DateBox *prevFrom_, *prevTo_, *currFrom_, *currTo_;
    QLineEdit *transTotal_, *monthAvgToDate_, *prevTotal_, *monthAvg_;
    QPushButton* reCalculate_;
    QGroupBox *statsGroup_, *budgetsGroup_, *criteriaGroup_, *detailsGroup_;

    QTableWidget* budgetGrid_;
    ui::Navigator* budgetNavigator_;
    QLineEdit *codeEdit_, *descrEdit_;
    ui::DateBox *startDate_, *finishDate_;
    QLabel *totalLabel_, *busTotalLabel_;

    QButtonGroup *statusGroup_, *criteriaButtons_, *periodsButtons_, *basisButtons_;
    QGroupBox* basisBox_;
    QLabel *percentLabel_, *percent2Label_;
    QLineEdit *percentEdit_, *percent2Edit_;
    QWidget* splitBox_;
    ui::DateBox *split1From_, *split1To_, *split2From_, *split2To_;
    QCheckBox* currYear_;

    QTableWidget* periodGrid_;
    QLabel *periodFrom_, *periodTo_;
    QLineEdit* budgetAmount_;
    QPushButton *periodEdit_, *periodCancel_, *periodSave_, *printBudgets_, *businessPlan_;
};
