// The budget window's panels, built in screen order so that Tab follows the screen.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "budgets/budgetscalcform.h"
#include "ui/codebox.h"
#include "ui/datebox.h"
#include "ui/navigator.h"
#include "ui/textbox.h"

namespace {

QLabel* budgetLabel(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

ui::DateBox* budgetDateBox(QWidget* parent, const char* name) {
    auto* d = new ui::DateBox(parent);
    d->setObjectName(QString::fromLatin1(name));
    return d;
}

// A group of radio buttons named `prefix` + index, laid out in a row or a column.
QButtonGroup* radioGroup(QGroupBox* box, const char* prefix, const QStringList& captions,
                         bool column = false) {
    auto* group = new QButtonGroup(box);
    QBoxLayout* layout = column ? static_cast<QBoxLayout*>(new QVBoxLayout(box))
                                : static_cast<QBoxLayout*>(new QHBoxLayout(box));
    for (int i = 0; i < captions.size(); ++i) {
        auto* r = new QRadioButton(captions[i], box);
        r->setObjectName(QString::fromLatin1(prefix) + QString::number(i));
        group->addButton(r, i);
        layout->addWidget(r);
    }
    group->button(0)->setChecked(true);
    return group;
}

QTableWidget* budgetTable(QWidget* parent, const char* name, const QStringList& headings) {
    auto* t = new QTableWidget(0, int(headings.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headings);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    t->setStyleSheet(QStringLiteral("QTableWidget { alternate-background-color: #A6CAF0; }"));
    t->setAlternatingRowColors(true);
    return t;
}

}  // namespace

QGroupBox* TBudgetsCalcForm::buildStatistics() {
    auto* box = new QGroupBox(QStringLiteral(" Account Statistics  "), this);
    box->setObjectName(QStringLiteral("StatisticsGroup"));
    auto* g = new QGridLayout(box);
    acctNavigator_ = new ui::Navigator(box);
    acctNavigator_->setObjectName(QStringLiteral("AcctNavigator"));
    viewAccts_ = new QPushButton(QStringLiteral("&View/select accounts"), box);
    viewAccts_->setObjectName(QStringLiteral("ViewAcctsButton"));
    g->addWidget(acctNavigator_, 0, 0, 1, 2);
    g->addWidget(viewAccts_, 0, 2, 1, 2);
    acctCode_ = budgetLabel(box, "AcctCodeLabel");
    acctDescr_ = budgetLabel(box, "AcctDescrLabel");
    acctStatus_ = budgetLabel(box, "AcctStatusLabel");
    acctType_ = budgetLabel(box, "AcctTypeLabel");
    acctDept_ = budgetLabel(box, "AcctDeptLabel");
    g->addWidget(new QLabel(QStringLiteral("Account Code : "), box), 1, 0);
    g->addWidget(acctCode_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Description :"), box), 1, 2);
    g->addWidget(acctDescr_, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Status :"), box), 2, 0);
    g->addWidget(acctStatus_, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Type :"), box), 2, 2);
    g->addWidget(acctType_, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Account belongs to : "), box), 3, 0);
    g->addWidget(acctDept_, 3, 1, 1, 3);
    prevFrom_ = budgetDateBox(box, "PrevFromDate");
    prevTo_ = budgetDateBox(box, "PrevToDate");
    currFrom_ = budgetDateBox(box, "CurrFromDate");
    currTo_ = budgetDateBox(box, "CurrToDate");
    g->addWidget(new QLabel(QStringLiteral("Previous Year From :"), box), 4, 0);
    g->addWidget(prevFrom_, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("To :"), box), 4, 2);
    g->addWidget(prevTo_, 4, 3);
    g->addWidget(new QLabel(QStringLiteral("Current Year from :"), box), 5, 0);
    g->addWidget(currFrom_, 5, 1);
    g->addWidget(new QLabel(QStringLiteral("To :"), box), 5, 2);
    g->addWidget(currTo_, 5, 3);
    transTotal_ = ui::figureBox(box, "TransTotalEdit", 110);
    monthAvgToDate_ = ui::figureBox(box, "MonthAvgToDateEdit", 110);
    prevTotal_ = ui::figureBox(box, "PrevTotalEdit", 110);
    monthAvg_ = ui::figureBox(box, "MonthAvgEdit", 110);
    g->addWidget(new QLabel(QStringLiteral("Transaction Total :"), box), 6, 0);
    g->addWidget(transTotal_, 6, 1);
    g->addWidget(new QLabel(QStringLiteral("Monthly average to date :"), box), 6, 2);
    g->addWidget(monthAvgToDate_, 6, 3);
    g->addWidget(new QLabel(QStringLiteral("Prev year total :"), box), 7, 0);
    g->addWidget(prevTotal_, 7, 1);
    g->addWidget(new QLabel(QStringLiteral("Monthly average : "), box), 7, 2);
    g->addWidget(monthAvg_, 7, 3);
    reCalculate_ = new QPushButton(QStringLiteral("&ReCalculate"), box);
    reCalculate_->setObjectName(QStringLiteral("ReCalculateButton"));
    reCalculate_->setToolTip(
        QStringLiteral("Recalculate the statistical figures if dates changed."));
    g->addWidget(reCalculate_, 8, 3);
    return box;
}

QGroupBox* TBudgetsCalcForm::buildCriteria() {
    auto* box = new QGroupBox(this);
    box->setObjectName(QStringLiteral("CriteriaPanel"));
    auto* g = new QGridLayout(box);
    auto* status = new QGroupBox(QStringLiteral("  Status  "), box);
    status->setToolTip(QStringLiteral("Define the status - only one budget can be active"));
    statusGroup_ = radioGroup(status, "StatusRadio", {"Trial", "Active", "Inactive"});
    auto* criteria = new QGroupBox(QStringLiteral("  Criteria  "), box);
    criteria->setToolTip(QStringLiteral("Select the method to use calculating the budget"));
    criteriaButtons_ =
        radioGroup(criteria, "CriteriaRadio",
                   {"Flat rate", "Split Percent", "Set Amount", "Manual Entry"}, true);
    g->addWidget(status, 0, 0, 1, 2);
    g->addWidget(criteria, 1, 0, 3, 1);
    percentLabel_ = budgetLabel(box, "PercentLabel", QStringLiteral("Percentage :"));
    percentEdit_ = ui::textBox(box, "PercentEdit", 16, 110);
    percentLabel_->setBuddy(percentEdit_);
    auto* pl = new QHBoxLayout;
    pl->addWidget(percentLabel_);
    pl->addWidget(percentEdit_);
    g->addLayout(pl, 1, 1);
    splitBox_ = new QWidget(box);
    auto* sg = new QGridLayout(splitBox_);
    sg->setContentsMargins(0, 0, 0, 0);
    split1From_ = budgetDateBox(splitBox_, "Split1FromDate");
    split1To_ = budgetDateBox(splitBox_, "Split1ToDate");
    percent2Label_ = budgetLabel(splitBox_, "Percent2Label", QStringLiteral("Second Percent :"));
    percent2Edit_ = ui::textBox(splitBox_, "Percent2Edit", 16, 110);
    split2From_ = budgetDateBox(splitBox_, "Split2FromDate");
    split2To_ = budgetDateBox(splitBox_, "Split2ToDate");
    sg->addWidget(new QLabel(QStringLiteral("From :"), splitBox_), 0, 0);
    sg->addWidget(split1From_, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("To :"), splitBox_), 0, 2);
    sg->addWidget(split1To_, 0, 3);
    sg->addWidget(percent2Label_, 1, 0, 1, 2);
    sg->addWidget(percent2Edit_, 1, 2, 1, 2);
    sg->addWidget(new QLabel(QStringLiteral("From :"), splitBox_), 2, 0);
    sg->addWidget(split2From_, 2, 1);
    sg->addWidget(new QLabel(QStringLiteral("To :"), splitBox_), 2, 2);
    sg->addWidget(split2To_, 2, 3);
    g->addWidget(splitBox_, 2, 1);
    auto* periods = new QGroupBox(QStringLiteral("  Define Periods  "), box);
    periodsButtons_ =
        radioGroup(periods, "PeriodsRadio", {"Monthly", "Quarterly", "6-monthly", "12 months"});
    g->addWidget(periods, 4, 0, 1, 2);
    currYear_ = new QCheckBox(QStringLiteral("Use current &year "), box);
    currYear_->setObjectName(QStringLiteral("CurrYearCheck"));
    currYear_->setToolTip(
        QStringLiteral("Check to use current year averages to calculate the budget"));
    basisBox_ = new QGroupBox(QStringLiteral("  Calculation Basis  "), box);
    basisBox_->setObjectName(QStringLiteral("BasisGroup"));
    basisButtons_ = radioGroup(basisBox_, "BasisRadio", {"Actuals", "Average"});
    g->addWidget(currYear_, 5, 0);
    g->addWidget(basisBox_, 5, 1);
    return box;
}

QGroupBox* TBudgetsCalcForm::buildBudgets() {
    auto* box = new QGroupBox(QStringLiteral("  Existing Budgets   "), this);
    box->setObjectName(QStringLiteral("BudgetsGroup"));
    auto* g = new QGridLayout(box);
    budgetGrid_ =
        budgetTable(box, "BudgetGrid",
                    {"Code", "Description", "Type", "Start date", "Finish Date", "Total Amount"});
    g->addWidget(budgetGrid_, 0, 0, 1, 4);
    budgetNavigator_ = new ui::Navigator(box);
    budgetNavigator_->setObjectName(QStringLiteral("BudgetNavigator"));
    g->addWidget(budgetNavigator_, 1, 0, 1, 2);
    codeEdit_ = ui::textBox(box, "CodeEdit", 10, 110);
    ui::makeCodeBox(codeEdit_);
    descrEdit_ = ui::textBox(box, "DescrEdit", 250);
    startDate_ = budgetDateBox(box, "StartDate");
    finishDate_ = budgetDateBox(box, "FinishDate");
    auto* codeLabel = new QLabel(QStringLiteral("C&ode :"), box);
    codeLabel->setBuddy(codeEdit_);
    g->addWidget(codeLabel, 2, 0);
    g->addWidget(codeEdit_, 2, 1);
    auto* descrLabel = new QLabel(QStringLiteral("Descri&ption :"), box);
    descrLabel->setBuddy(descrEdit_);
    g->addWidget(descrLabel, 2, 2);
    g->addWidget(descrEdit_, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Start :"), box), 3, 0);
    g->addWidget(startDate_, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("Finish :"), box), 3, 2);
    g->addWidget(finishDate_, 3, 3);
    totalLabel_ = budgetLabel(box, "TotalLabel");
    busTotalLabel_ = budgetLabel(box, "BusTotalLabel");
    g->addWidget(totalLabel_, 4, 0, 1, 2);
    g->addWidget(busTotalLabel_, 4, 2, 1, 2);
    return box;
}

QGroupBox* TBudgetsCalcForm::buildDetails() {
    auto* box = new QGroupBox(QStringLiteral("  Budget Details  "), this);
    box->setObjectName(QStringLiteral("DetailsGroup"));
    auto* g = new QGridLayout(box);
    periodGrid_ = budgetTable(box, "PeriodGrid", {"Beginning Date", "Ending Date", "Budget"});
    g->addWidget(periodGrid_, 0, 0, 1, 4);
    periodFrom_ = budgetLabel(box, "PeriodFromLabel");
    periodTo_ = budgetLabel(box, "PeriodToLabel");
    g->addWidget(new QLabel(QStringLiteral("From :"), box), 1, 0);
    g->addWidget(periodFrom_, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("To :"), box), 1, 2);
    g->addWidget(periodTo_, 1, 3);
    budgetAmount_ = ui::textBox(box, "BudgetAmountEdit", 16, 120);
    auto* amountLabel = new QLabel(QStringLiteral("Budget a&mount :"), box);
    amountLabel->setBuddy(budgetAmount_);
    g->addWidget(amountLabel, 2, 0);
    g->addWidget(budgetAmount_, 2, 1);
    periodEdit_ = new QPushButton(QStringLiteral("Edi&t"), box);
    periodEdit_->setObjectName(QStringLiteral("PeriodEditButton"));
    periodCancel_ = new QPushButton(QStringLiteral("Cance&l"), box);
    periodCancel_->setObjectName(QStringLiteral("PeriodCancelButton"));
    periodSave_ = new QPushButton(QStringLiteral("S&ave"), box);
    periodSave_->setObjectName(QStringLiteral("PeriodSaveButton"));
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {periodEdit_, periodCancel_, periodSave_}) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    g->addLayout(row, 3, 0, 1, 4);
    return box;
}
