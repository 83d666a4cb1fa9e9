// The budget window's modes: creating a budget, editing its header, editing a period, deleting.
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "budgets/budget_plan.h"
#include "budgets/budgetscalcform.h"
#include "store/error.h"
#include "store/format.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

namespace {

using budgets::Criterion;

const QString kNoHistory =
    QStringLiteral("No transaction history ... use Set Amount or Manual Entry.");

}  // namespace

bool TBudgetsCalcForm::startNew() {
    const budgets::BudgetAccount* a = account();
    if (!a) return false;
    if (!a->active &&
        !ui::confirm(this, QStringLiteral("Current account is inactive..proceed anyway?")))
        return false;
    showStatistics();
    showing_ = true;
    showPlan(budgets::newBudgetPlan(a->acctCode, a->descr.trimmed(), today, stats_.hasHistory()));
    showing_ = false;
    showCriterionBoxes();
    periods_.clear();
    periodGrid_->setRowCount(0);
    totalLabel_->clear();
    busTotalLabel_->clear();
    CodeEditChange();
    codeEdit_->setFocus();
    return true;
}

bool TBudgetsCalcForm::startEdit() {
    if (currentBudgetLink().isEmpty()) {
        ui::warning(this, QStringLiteral("Cannot edit.  No budget set up."));
        return false;
    }
    descrEdit_->setFocus();
    return true;
}

// A code that with the next sequence number names a stored budget cannot be used.
void TBudgetsCalcForm::CodeEditChange() {
    if (showing_ || mode() != ui::EditMode::Adding || !account()) return;
    const QString code = codeEdit_->text().trimmed();
    bool used = false;
    ui::guarded(this, [&] {
        used = !code.isEmpty() &&
               budgets::budgetLinkUsed(connection_, budgets::nextBudgetLink(*account(), code));
    });
    if (used) ui::warning(this, budgets::budgetSaveText(budgets::BudgetSave::CodeInUse));
    setSaveAllowed(!code.isEmpty() && !used);
}

void TBudgetsCalcForm::StartDateChange() {
    if (showing_ || mode() != ui::EditMode::Adding) return;
    finishDate_->setDateValue(startDate_->dateValue().addDays(364));
}

void TBudgetsCalcForm::Split1FromChange() {
    if (showing_ || mode() != ui::EditMode::Adding) return;
    budgets::BudgetPlan p = planFromBoxes();
    budgets::followFirstSplit(p, split1From_->dateValue());
    showing_ = true;
    split1To_->setDateValue(p.per1End);
    split2From_->setDateValue(p.per2Start);
    showing_ = false;
}

void TBudgetsCalcForm::CriteriaClick() {
    const Criterion c = criterionChosen();
    if ((c == Criterion::FlatRate || c == Criterion::SplitPercent) && !stats_.hasHistory()) {
        ui::information(this, kNoHistory);
        criteriaButtons_->button(int(Criterion::SetAmount))->setChecked(true);
    }
    showCriterionBoxes();
}

void TBudgetsCalcForm::CurrYearClick() {
    if (currYear_->isChecked() && store::fmt::cents(stats_.monthlyAverageToDate) == 0) {
        ui::information(this, QStringLiteral("There are no current year transactions to use."));
        currYear_->setChecked(false);
    }
}

// Active while another budget of the account is active (whatever its code) cannot be saved.
void TBudgetsCalcForm::StatusClick() {
    if (!account() || browsing()) return;
    bool other = false;
    const QString except = mode() == ui::EditMode::Editing ? currentBudgetLink() : QString();
    ui::guarded(this, [&] { other = budgets::otherActiveBudget(connection_, *account(), except); });
    const bool refused = statusChosen() == budgets::kActive && other;
    if (refused) ui::warning(this, budgets::budgetSaveText(budgets::BudgetSave::AnotherActive));
    const bool codeOk = mode() != ui::EditMode::Adding || !codeEdit_->text().trimmed().isEmpty();
    setSaveAllowed(!refused && codeOk);
}

bool TBudgetsCalcForm::saveRecord() {
    if (periodEditing_) return savePeriod();
    return mode() == ui::EditMode::Adding ? saveNewBudget() : saveHeader();
}

bool TBudgetsCalcForm::saveNewBudget() {
    budgets::BudgetPlan plan = planFromBoxes();
    const budgets::PlanCheck check = budgets::checkPlan(plan, stats_.hasHistory());
    if (check.problem != budgets::PlanProblem::None) {
        ui::warning(this, budgets::planProblemText(check.problem));
        if (plan.criterion != criterionChosen()) showPlan(plan);
        if (!check.goesOn) return false;
    }
    const budgets::BudgetAccount a = *account();
    budgets::CreatedBudget made;
    const bool stored = ui::guarded(this, [&] {
        const auto periods = budgets::planPeriods(
            plan, stats_.base(plan.currentYear), [&](const QDate& from, const QDate& to) {
                return budgets::journalTotal(connection_, a.fullCode, from, to);
            });
        try {
            made = budgets::createBudget(connection_, a, plan, periods);
        } catch (const store::StoreError&) {
            made.result = budgets::BudgetSave::Missing;
        }
    });
    if (!stored || made.result == budgets::BudgetSave::Missing) {
        ui::error(this, QStringLiteral("Unable to save budget - try again!"));
        return false;
    }
    if (made.result != budgets::BudgetSave::Saved) {
        ui::warning(this, budgets::budgetSaveText(made.result));
        return false;
    }
    const QString fullCode = a.fullCode;
    ui::guarded(this, [&] {
        accounts_[size_t(accountIndex_)] =
            *budgets::budgetAccountOf(connection_, coyCode, fullCode);
        budgets_ = budgets::budgetsOf(connection_, coyCode, fullCode);
    });
    budgetIndex_ = int(budgets_.size()) - 1;
    return true;
}

bool TBudgetsCalcForm::saveHeader() {
    const QString link = currentBudgetLink();
    budgets::BudgetSave result = budgets::BudgetSave::Missing;
    ui::guarded(this, [&] {
        result = budgets::saveBudgetHeader(connection_, *account(), link, descrEdit_->text(),
                                           statusChosen());
    });
    if (result != budgets::BudgetSave::Saved) {
        ui::warning(this, budgets::budgetSaveText(result));
        return false;
    }
    ui::guarded(this, [&] {
        accounts_[size_t(accountIndex_)] =
            *budgets::budgetAccountOf(connection_, coyCode, account()->fullCode);
        budgets_ = budgets::budgetsOf(connection_, coyCode, account()->fullCode);
    });
    return true;
}

void TBudgetsCalcForm::cancelRecord() {
    periodEditing_ = false;
    if (budgetIndex_ >= int(budgets_.size())) budgetIndex_ = int(budgets_.size()) - 1;
}

void TBudgetsCalcForm::deleteRecord() {
    const QString link = currentBudgetLink();
    if (link.isEmpty()) return;
    bool deleted = false;
    try {
        deleted = budgets::deleteBudget(connection_, link) == budgets::BudgetSave::Saved;
    } catch (const store::StoreError&) {
        deleted = false;
    }
    if (!deleted)
        ui::error(this,
                  QStringLiteral("Could not delete budget details...someone may be using it!"));
    const int keep = accountIndex_;
    ui::guarded(this, [&] { accounts_ = budgets::budgetAccountsOf(connection_, coyCode); });
    accountIndex_ = std::min(keep, int(accounts_.size()) - 1);
    showAccount();
}

// --- periods ---------------------------------------------------------------------------------

void TBudgetsCalcForm::PeriodEditButtonClick() {
    if (!browsing() || periods_.empty() || periodGrid_->currentRow() < 0) return;
    periodEditing_ = true;
    setMode(ui::EditMode::Editing);
    budgetAmount_->setFocus();
    budgetAmount_->selectAll();
}

void TBudgetsCalcForm::PeriodSaveButtonClick() {
    if (periodEditing_) SaveButtonClick();
}

void TBudgetsCalcForm::PeriodCancelButtonClick() {
    if (periodEditing_) CancelButtonClick();
}

bool TBudgetsCalcForm::savePeriod() {
    double amount = 0;
    if (!store::fmt::parseMoney(budgetAmount_->text(), &amount) ||
        !store::fmt::checkedCents(amount)) {
        ui::beep();
        ui::warning(this, QStringLiteral("The budget amount must be a number, such as 150.00."));
        return false;
    }
    const int row = periodGrid_->currentRow();
    budgets::BudgetSave result = budgets::BudgetSave::Missing;
    try {
        result = budgets::savePeriodAmount(connection_, currentBudgetLink(),
                                           periods_.at(size_t(row)).rowId, amount);
    } catch (const store::StoreError&) {
        result = budgets::BudgetSave::Missing;
    }
    if (result != budgets::BudgetSave::Saved) {
        ui::error(this, QStringLiteral("Save not successful, try again!"));
        return false;
    }
    periodEditing_ = false;
    ui::guarded(this,
                [&] { budgets_ = budgets::budgetsOf(connection_, coyCode, account()->fullCode); });
    return true;
}
