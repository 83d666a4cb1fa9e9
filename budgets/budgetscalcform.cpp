#include "budgets/budgetscalcform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "budgets/budgetsreportdialogform.h"
#include "budgets/businessplanform.h"
#include "ledger/accountlists.h"
#include "ledger/company.h"
#include "ledger/departments.h"
#include "store/error.h"
#include "store/format.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace {

using budgets::Criterion;
using store::fmt::money;

QTableWidgetItem* budgetCell(const QString& text, bool right = false) {
    auto* item = new QTableWidgetItem(text);
    if (right) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

TBudgetsCalcForm::TBudgetsCalcForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("BudgetsCalcForm")) {
    setObjectName(QStringLiteral("BudgetsCalcForm"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    statsGroup_ = buildStatistics();
    criteriaGroup_ = buildCriteria();
    top->addWidget(statsGroup_, 3);
    top->addWidget(criteriaGroup_, 2);
    layout->addLayout(top);
    auto* middle = new QHBoxLayout;
    budgetsGroup_ = buildBudgets();
    detailsGroup_ = buildDetails();
    middle->addWidget(budgetsGroup_, 3);
    middle->addWidget(detailsGroup_, 2);
    layout->addLayout(middle, 1);
    auto* reportsRow = new QHBoxLayout;
    printBudgets_ = new QPushButton(QStringLiteral("Print &Budgets"), this);
    printBudgets_->setObjectName(QStringLiteral("PrintBudgetsButton"));
    businessPlan_ = new QPushButton(QStringLiteral("B&usiness Plan"), this);
    businessPlan_->setObjectName(QStringLiteral("BusinessPlanButton"));
    businessPlan_->setToolTip(
        QStringLiteral("To print a business plan based on beginning and end dates"));
    for (QPushButton* b : {printBudgets_, businessPlan_}) {
        b->setAutoDefault(false);
        reportsRow->addWidget(b);
    }
    reportsRow->addStretch();
    layout->addLayout(reportsRow);
    addFrame(layout, {{NewButton, QStringLiteral("&New")},
                      {EditButton, QStringLiteral("&Edit")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {SaveButton, QStringLiteral("&Save")},
                      {DeleteButton, QStringLiteral("&Delete")},
                      {ExitButton, QStringLiteral("E&xit")}});
    useFunctionKeys();
    connectHandlers();
    resize(1240, 720);
    openBudgetReports = [](QWidget* owner, int coy) {
        ui::openWindow<TBudgetsReportDialogForm>(
            owner, [&](TBudgetsReportDialogForm& w) { w.coyCode = coy; });
    };
    openBusinessPlan = [](QWidget* owner, int coy) {
        ui::openWindow<TBusinessPlanForm>(owner, [&](TBusinessPlanForm& w) { w.coyCode = coy; });
    };
    pickAccount = [this]() {
        TAcctsListForm list(this);
        list.coyCode = coyCode;
        list.acctType = QStringLiteral("BOTH");
        list.selectEnabled = true;
        return list.exec() == QDialog::Accepted ? list.acctCode : QString();
    };
}

TBudgetsCalcForm::~TBudgetsCalcForm() = default;

void TBudgetsCalcForm::connectHandlers() {
    acctNavigator_->setTarget(ui::indexTarget(accounts_, accountIndex_));
    connect(acctNavigator_, &ui::Navigator::moved, this, [this] { showAccount(); });
    budgetNavigator_->setTarget(ui::indexTarget(budgets_, budgetIndex_));
    connect(budgetNavigator_, &ui::Navigator::moved, this, [this] { showBudget(); });
    connect(viewAccts_, &QPushButton::clicked, this, &TBudgetsCalcForm::ViewAcctsButtonClick);
    connect(reCalculate_, &QPushButton::clicked, this, &TBudgetsCalcForm::ReCalculateButtonClick);
    connect(periodEdit_, &QPushButton::clicked, this, &TBudgetsCalcForm::PeriodEditButtonClick);
    connect(periodSave_, &QPushButton::clicked, this, &TBudgetsCalcForm::PeriodSaveButtonClick);
    connect(periodCancel_, &QPushButton::clicked, this, &TBudgetsCalcForm::PeriodCancelButtonClick);
    connect(printBudgets_, &QPushButton::clicked, this, &TBudgetsCalcForm::PrintBudgetsButtonClick);
    connect(businessPlan_, &QPushButton::clicked, this, &TBudgetsCalcForm::BusinessPlanButtonClick);
    connect(codeEdit_, &QLineEdit::textEdited, this, &TBudgetsCalcForm::CodeEditChange);
    connect(startDate_, &QDateEdit::dateChanged, this, &TBudgetsCalcForm::StartDateChange);
    connect(split1From_, &QDateEdit::dateChanged, this, &TBudgetsCalcForm::Split1FromChange);
    connect(criteriaButtons_, &QButtonGroup::idClicked, this, &TBudgetsCalcForm::CriteriaClick);
    connect(statusGroup_, &QButtonGroup::idClicked, this, &TBudgetsCalcForm::StatusClick);
    connect(currYear_, &QCheckBox::clicked, this, &TBudgetsCalcForm::CurrYearClick);
    connect(budgetGrid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (showing_ || row < 0 || row == budgetIndex_ || !browsing()) return;
        budgetIndex_ = row;
        showBudget();
    });
    connect(periodGrid_, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (showing_ || row < 0 || row >= int(periods_.size()) || periodEditing_) return;
        periodFrom_->setText(store::fmt::longDate2(periods_[size_t(row)].begin));
        periodTo_->setText(store::fmt::longDate2(periods_[size_t(row)].end));
        budgetAmount_->setText(money(periods_[size_t(row)].amount));
    });
}

const budgets::BudgetAccount* TBudgetsCalcForm::account() const {
    if (accountIndex_ < 0 || accountIndex_ >= int(accounts_.size())) return nullptr;
    return &accounts_[size_t(accountIndex_)];
}

QString TBudgetsCalcForm::currentBudgetLink() const {
    if (budgetIndex_ < 0 || budgetIndex_ >= int(budgets_.size())) return {};
    return budgets_[size_t(budgetIndex_)].link;
}

void TBudgetsCalcForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Maintaining Budgets for : ") +
                       ledger::companyName(connection_, coyCode).trimmed());
        accounts_ = budgets::budgetAccountsOf(connection_, coyCode);
        accountIndex_ = accounts_.empty() ? -1 : 0;
    });
    showAccount();
}

void TBudgetsCalcForm::closeTables() { connection_.disconnect(); }

QString TBudgetsCalcForm::modeText(ui::EditMode mode) const {
    if (accounts_.empty() && mode == ui::EditMode::Browsing)
        return QStringLiteral("No accounts set up!");
    switch (mode) {
        case ui::EditMode::Browsing:
            return QStringLiteral("Browsing budgets.");
        case ui::EditMode::Adding:
            return QStringLiteral("Creating new budget.");
        case ui::EditMode::Editing:
            return periodEditing_ ? QStringLiteral("Editing budget details.")
                                  : QStringLiteral("Editing budget.");
    }
    return {};
}

bool TBudgetsCalcForm::canMaintain() const { return account() != nullptr; }

void TBudgetsCalcForm::applyMode(ui::EditMode mode) {
    const bool browse = mode == ui::EditMode::Browsing;
    const bool creating = mode == ui::EditMode::Adding;
    const bool header = mode == ui::EditMode::Editing && !periodEditing_;
    statsGroup_->setEnabled(browse);
    detailsGroup_->setEnabled(browse || periodEditing_);
    budgetGrid_->setEnabled(browse);
    budgetNavigator_->setEnabledAll(browse);
    codeEdit_->setReadOnly(!creating);
    descrEdit_->setReadOnly(!(creating || header));
    for (QWidget* w : {static_cast<QWidget*>(startDate_), static_cast<QWidget*>(finishDate_)})
        w->setEnabled(creating);
    for (QAbstractButton* b : criteriaButtons_->buttons()) b->setEnabled(creating);
    for (QAbstractButton* b : periodsButtons_->buttons()) b->setEnabled(creating);
    for (QAbstractButton* b : basisButtons_->buttons()) b->setEnabled(creating);
    for (QAbstractButton* b : statusGroup_->buttons()) b->setEnabled(creating || header);
    percentEdit_->setReadOnly(!creating);
    percent2Edit_->setReadOnly(!creating);
    splitBox_->setEnabled(creating);
    currYear_->setEnabled(creating);
    budgetAmount_->setReadOnly(!periodEditing_);
    periodEdit_->setEnabled(browse && !periods_.empty());
    periodSave_->setEnabled(periodEditing_);
    periodCancel_->setEnabled(periodEditing_);
    periodGrid_->setEnabled(!periodEditing_);
    printBudgets_->setEnabled(browse);
    businessPlan_->setEnabled(browse);
}

// --- showing ---------------------------------------------------------------------------------

void TBudgetsCalcForm::showAccount() {
    const budgets::BudgetAccount* a = account();
    acctNavigator_->updateButtons();
    viewAccts_->setEnabled(a != nullptr || !accounts_.empty());
    acctCode_->setText(a ? a->acctCode : QString());
    acctDescr_->setText(a ? a->descr.trimmed() : QString());
    acctStatus_->setText(!a          ? QString()
                         : a->active ? QStringLiteral("Active")
                                     : QStringLiteral("Inactive"));
    acctType_->setText(!a            ? QString()
                       : a->income() ? QStringLiteral("Income")
                                     : QStringLiteral("Expense"));
    QString dept;
    if (a && connection_.isConnected())
        if (const auto d = ledger::departmentByLinkCode(connection_, coyCode, a->linkCode))
            dept = d->deptCode + QStringLiteral(" ") + d->name;
    acctDept_->setText(dept);
    const budgets::StatisticsDates d = budgets::defaultStatisticsDates(today);
    showing_ = true;
    prevFrom_->setDateValue(d.previousFrom);
    prevTo_->setDateValue(d.previousTo);
    currFrom_->setDateValue(d.currentFrom);
    currTo_->setDateValue(d.currentTo);
    showing_ = false;
    showStatistics();
    ui::guarded(this, [this, a] {
        budgets_ = a ? budgets::budgetsOf(connection_, coyCode, a->fullCode)
                     : std::vector<budgets::BudgetHeader>{};
    });
    budgetIndex_ = budgets_.empty() ? -1 : 0;
    showBudget();
    refreshMode();
}

void TBudgetsCalcForm::showStatistics() {
    const budgets::BudgetAccount* a = account();
    stats_ = {};
    if (a && connection_.isConnected())
        ui::guarded(this, [&] {
            stats_ = budgets::accountStatistics(connection_, a->fullCode,
                                                {prevFrom_->dateValue(), prevTo_->dateValue(),
                                                 currFrom_->dateValue(), currTo_->dateValue()});
        });
    transTotal_->setText(money(stats_.transactionTotal));
    monthAvgToDate_->setText(store::fmt::twoDigits(stats_.monthlyAverageToDate));
    prevTotal_->setText(money(stats_.previousYearTotal));
    monthAvg_->setText(store::fmt::twoDigits(stats_.monthlyAverage));
}

void TBudgetsCalcForm::fillBudgetGrid() {
    showing_ = true;
    budgetGrid_->setRowCount(int(budgets_.size()));
    for (int r = 0; r < int(budgets_.size()); ++r) {
        const budgets::BudgetHeader& h = budgets_[size_t(r)];
        budgetGrid_->setItem(r, 0, budgetCell(h.code));
        budgetGrid_->setItem(r, 1, budgetCell(h.descr.trimmed()));
        budgetGrid_->setItem(r, 2, budgetCell(h.status));
        budgetGrid_->setItem(r, 3, budgetCell(store::fmt::shortDate(h.start)));
        budgetGrid_->setItem(r, 4, budgetCell(store::fmt::shortDate(h.finish)));
        budgetGrid_->setItem(r, 5, budgetCell(money(h.total), true));
    }
    if (budgetIndex_ >= 0) budgetGrid_->setCurrentCell(budgetIndex_, 0);
    showing_ = false;
}

void TBudgetsCalcForm::showBudget() {
    fillBudgetGrid();
    budgetNavigator_->updateButtons();
    budgetsGroup_->setTitle(budgets_.empty() ? QStringLiteral(" No Budgets Set ")
                                             : QStringLiteral("  Existing Budgets   "));
    showing_ = true;
    if (budgetIndex_ >= 0) {
        const budgets::BudgetHeader& h = budgets_[size_t(budgetIndex_)];
        budgets::BudgetPlan plan;
        plan.code = h.code;
        plan.descr = h.descr.trimmed();
        plan.status = h.status;
        plan.start = h.start;
        plan.finish = h.finish;
        plan.criterion = h.criterion;
        plan.length = h.length;
        plan.currentYear = h.currentYear;
        plan.basis = budgets::Basis::Average;
        plan.percent1 = money(h.percent1);
        plan.percent2 = money(h.percent2);
        plan.per1Start = h.per1Start.isValid() ? h.per1Start : h.start;
        plan.per1End = h.per1End.isValid() ? h.per1End : h.start.addDays(182);
        plan.per2Start = h.per2Start.isValid() ? h.per2Start : h.start.addDays(183);
        plan.per2End = h.per2End.isValid() ? h.per2End : h.finish;
        showPlan(plan);
        const auto shown = [](const QString& caption, double v) {
            return store::fmt::cents(v) == 0 ? QString() : caption + money(v);
        };
        totalLabel_->setText(shown(QStringLiteral("Total amount : "), h.total));
        busTotalLabel_->setText(shown(QStringLiteral("Business Budget Total : "), h.business));
    } else {
        codeEdit_->clear();
        descrEdit_->clear();
        totalLabel_->clear();
        busTotalLabel_->clear();
    }
    showing_ = false;
    showPeriods();
}

void TBudgetsCalcForm::showPlan(const budgets::BudgetPlan& plan) {
    const bool was = showing_;
    showing_ = true;
    codeEdit_->setText(plan.code);
    descrEdit_->setText(plan.descr);
    statusGroup_
        ->button(plan.status == budgets::kActive     ? 1
                 : plan.status == budgets::kInactive ? 2
                                                     : 0)
        ->setChecked(true);
    startDate_->setDateValue(plan.start);
    finishDate_->setDateValue(plan.finish);
    criteriaButtons_->button(int(plan.criterion))->setChecked(true);
    periodsButtons_->button(int(plan.length))->setChecked(true);
    basisButtons_->button(int(plan.basis))->setChecked(true);
    currYear_->setChecked(plan.currentYear);
    percentEdit_->setText(plan.percent1);
    percent2Edit_->setText(plan.percent2);
    split1From_->setDateValue(plan.per1Start);
    split1To_->setDateValue(plan.per1End);
    split2From_->setDateValue(plan.per2Start);
    split2To_->setDateValue(plan.per2End);
    showing_ = was;
    showCriterionBoxes();
}

void TBudgetsCalcForm::showCriterionBoxes() {
    const Criterion c = criterionChosen();
    static const char* const captions[] = {"Percentage :", "First percent :", "Set amount :", ""};
    percentLabel_->setText(QString::fromLatin1(captions[int(c)]));
    percentLabel_->setVisible(c != Criterion::ManualEntry);
    percentEdit_->setVisible(c != Criterion::ManualEntry);
    splitBox_->setVisible(c == Criterion::SplitPercent);
    basisBox_->setVisible((c == Criterion::FlatRate || c == Criterion::SplitPercent) &&
                          stats_.hasHistory());
}

void TBudgetsCalcForm::showPeriods() {
    ui::guarded(this, [this] {
        const QString link = currentBudgetLink();
        periods_ = link.isEmpty() || !connection_.isConnected()
                       ? std::vector<budgets::StoredPeriod>{}
                       : budgets::periodsOf(connection_, link);
    });
    showing_ = true;
    periodGrid_->setRowCount(int(periods_.size()));
    for (int r = 0; r < int(periods_.size()); ++r) {
        const budgets::StoredPeriod& p = periods_[size_t(r)];
        periodGrid_->setItem(r, 0, budgetCell(store::fmt::longDate2(p.begin)));
        periodGrid_->setItem(r, 1, budgetCell(store::fmt::longDate2(p.end)));
        periodGrid_->setItem(r, 2, budgetCell(money(p.amount), true));
    }
    showing_ = false;
    periodEdit_->setEnabled(browsing() && !periods_.empty());
    if (periods_.empty()) {
        periodFrom_->clear();
        periodTo_->clear();
        budgetAmount_->clear();
    } else {
        periodGrid_->setCurrentCell(0, 0);
        periodFrom_->setText(store::fmt::longDate2(periods_[0].begin));
        periodTo_->setText(store::fmt::longDate2(periods_[0].end));
        budgetAmount_->setText(money(periods_[0].amount));
    }
}

void TBudgetsCalcForm::showCurrent() { showBudget(); }

budgets::Criterion TBudgetsCalcForm::criterionChosen() const {
    return Criterion(std::max(0, criteriaButtons_->checkedId()));
}

QString TBudgetsCalcForm::statusChosen() const {
    switch (statusGroup_->checkedId()) {
        case 1:
            return budgets::kActive;
        case 2:
            return budgets::kInactive;
        default:
            return budgets::kTrial;
    }
}

budgets::BudgetPlan TBudgetsCalcForm::planFromBoxes() const {
    budgets::BudgetPlan p;
    p.code = codeEdit_->text().trimmed();
    p.descr = descrEdit_->text();
    p.status = statusChosen();
    p.start = startDate_->dateValue();
    p.finish = finishDate_->dateValue();
    p.criterion = criterionChosen();
    p.basis = budgets::Basis(std::max(0, basisButtons_->checkedId()));
    if (!basisBox_->isVisibleTo(const_cast<TBudgetsCalcForm*>(this)))
        p.basis = budgets::Basis::Average;
    p.length = budgets::PeriodLength(std::max(0, periodsButtons_->checkedId()));
    p.currentYear = currYear_->isChecked();
    p.percent1 = percentEdit_->text();
    p.percent2 = percent2Edit_->text();
    p.per1Start = split1From_->dateValue();
    p.per1End = split1To_->dateValue();
    p.per2Start = split2From_->dateValue();
    p.per2End = split2To_->dateValue();
    return p;
}

// --- buttons ---------------------------------------------------------------------------------

void TBudgetsCalcForm::ReCalculateButtonClick() {
    showStatistics();
    showCriterionBoxes();
}

void TBudgetsCalcForm::ViewAcctsButtonClick() {
    if (!browsing() || !pickAccount) return;
    const QString code = pickAccount();
    if (!code.isEmpty()) showAccountCode(code);
}

bool TBudgetsCalcForm::showAccountCode(const QString& acctCode) {
    for (int i = 0; i < int(accounts_.size()); ++i)
        if (accounts_[size_t(i)].acctCode == acctCode.trimmed()) {
            accountIndex_ = i;
            showAccount();
            return true;
        }
    return false;
}

void TBudgetsCalcForm::PrintBudgetsButtonClick() {
    if (browsing() && openBudgetReports) openBudgetReports(this, coyCode);
}

void TBudgetsCalcForm::BusinessPlanButtonClick() {
    if (browsing() && openBusinessPlan) openBusinessPlan(this, coyCode);
}
