#include "budgets/budgetsreportdialogform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ledger/accountlists.h"
#include "ledger/company.h"
#include "reports/reportpreview.h"
#include "reports/selection.h"
#include "ui/codebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"
#include "ui/textbox.h"

TBudgetsReportDialogForm::TBudgetsReportDialogForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("BudgetsReportDialogForm")) {
    setObjectName(QStringLiteral("BudgetsReportDialogForm"));
    auto* layout = new QVBoxLayout(this);
    typeBox_ = new QGroupBox(QStringLiteral("  Select Report Type  "), this);
    typeBox_->setObjectName(QStringLiteral("ReportTypeGroup"));
    typeGroup_ = new QButtonGroup(typeBox_);
    auto* typeCol = new QVBoxLayout(typeBox_);
    const QStringList captions = {"&Active Only", "&Trial Only", "&Inactive Only", "A&ll"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* r = new QRadioButton(captions[i], typeBox_);
        r->setObjectName(QStringLiteral("TypeRadio") + QString::number(i));
        typeGroup_->addButton(r, i);
        typeCol->addWidget(r);
    }
    layout->addWidget(typeBox_);
    singleCheck_ = new QCheckBox(QStringLiteral("View &single budget"), this);
    singleCheck_->setObjectName(QStringLiteral("SingleCheck"));
    layout->addWidget(singleCheck_);
    singlePanel_ = new QWidget(this);
    singlePanel_->setObjectName(QStringLiteral("SinglePanel"));
    auto* g = new QGridLayout(singlePanel_);
    acctCode_ = ui::textBox(singlePanel_, "AcctCodeEdit", 15, 130);
    ui::makeCodeBox(acctCode_);
    acctPick_ = new QPushButton(QStringLiteral("..."), singlePanel_);
    acctPick_->setObjectName(QStringLiteral("AcctPickButton"));
    acctPick_->setFocusPolicy(Qt::NoFocus);
    ui::openPickerWithAltDown(acctCode_, acctPick_);
    auto* codeLabel = new QLabel(QStringLiteral("Account &Code"), singlePanel_);
    codeLabel->setBuddy(acctCode_);
    descrLabel_ = new QLabel(singlePanel_);
    descrLabel_->setObjectName(QStringLiteral("DescrLabel"));
    statusLabel_ = new QLabel(singlePanel_);
    statusLabel_->setObjectName(QStringLiteral("StatusLabel"));
    budgetNavigator_ = new ui::Navigator(singlePanel_);
    budgetNavigator_->setObjectName(QStringLiteral("BudgetNavigator"));
    g->addWidget(codeLabel, 0, 0);
    g->addWidget(acctCode_, 0, 1);
    g->addWidget(acctPick_, 0, 2);
    g->addWidget(descrLabel_, 1, 0, 1, 3);
    g->addWidget(statusLabel_, 2, 0, 1, 3);
    g->addWidget(budgetNavigator_, 3, 0, 1, 3);
    layout->addWidget(singlePanel_);
    department_ = new reports::DepartmentSelector(this);
    department_->checkBox()->setText(QStringLiteral("Selected Department o&nly"));
    layout->addWidget(department_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("PrintButton"));
    preview_ = new QPushButton(QStringLiteral("Pre&view"), this);
    preview_->setObjectName(QStringLiteral("PreviewButton"));
    exit_ = new QPushButton(QStringLiteral("E&xit"), this);
    exit_->setObjectName(QStringLiteral("ExitButton"));
    for (QPushButton* b : {print_, preview_, exit_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    budgetNavigator_->setTarget(ui::indexTarget(headers_, headerIndex_));
    connect(budgetNavigator_, &ui::Navigator::moved, this,
            &TBudgetsReportDialogForm::takeNavigatorsBudget);
    connect(singleCheck_, &QCheckBox::clicked, this, &TBudgetsReportDialogForm::SingleCheckClick);
    connect(acctCode_, &QLineEdit::textChanged, this,
            &TBudgetsReportDialogForm::AcctCodeEditChange);
    connect(acctPick_, &QPushButton::clicked, this, &TBudgetsReportDialogForm::AcctPickButtonClick);
    connect(department_->checkBox(), &QCheckBox::clicked, this, [this] {
        acctCode_->clear();
        reloadHeaders();
    });
    connect(print_, &QPushButton::clicked, this, &TBudgetsReportDialogForm::PrintButtonClick);
    connect(preview_, &QPushButton::clicked, this, &TBudgetsReportDialogForm::PreviewButtonClick);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    pickAccount = [this]() {
        TAcctsListForm list(this);
        list.coyCode = coyCode;
        list.acctType = QStringLiteral("BOTH");
        list.selectEnabled = true;
        return list.exec() == QDialog::Accepted ? list.acctCode : QString();
    };
    resize(440, 420);
}

TBudgetsReportDialogForm::~TBudgetsReportDialogForm() = default;

void TBudgetsReportDialogForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TBudgetsReportDialogForm::FormShow() {
    typeGroup_->button(0)->setChecked(true);
    singleCheck_->setChecked(false);
    singlePanel_->setVisible(false);
    fullCode_.clear();
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        setWindowTitle(QStringLiteral("Budget and Actuals report for : ") +
                       ledger::companyName(connection_, coyCode).trimmed());
        department_->open(connection_, coyCode);
    });
    reloadHeaders();
}

void TBudgetsReportDialogForm::done(int result) {
    department_->close();
    connection_.disconnect();
    ui::FormBase::done(result);
}

// The headers the navigator steps through: the company's, or the department's while ticked.
void TBudgetsReportDialogForm::reloadHeaders() {
    const bool byDept = department_->checkBox()->isChecked();
    const bool ok = ui::guarded(this, [&] {
        headers_ = connection_.isConnected()
                       ? budgets::budgetsOfCompany(connection_, coyCode,
                                                   byDept ? department_->linkCode() : QString())
                       : std::vector<budgets::BudgetHeader>{};
    });
    if (!ok) {
        ui::beep();
        ui::error(this, byDept ? QStringLiteral(
                                     "Unable to create link between department and cash journal!")
                               : QStringLiteral("Unable to link Account table to Company table!"));
    }
    headerIndex_ = headers_.empty() ? -1 : 0;
    budgetNavigator_->updateButtons();
}

void TBudgetsReportDialogForm::SingleCheckClick() {
    const bool on = singleCheck_->isChecked();
    typeBox_->setVisible(!on);
    singlePanel_->setVisible(on);
    if (on) takeNavigatorsBudget();
}

void TBudgetsReportDialogForm::takeNavigatorsBudget() {
    if (headerIndex_ < 0) {
        descrLabel_->setText(QStringLiteral("No budgets set up."));
        return;
    }
    const QString code = headers_[size_t(headerIndex_)].code;
    if (acctCode_->text() == code)
        AcctCodeEditChange();
    else
        acctCode_->setText(code);
}

void TBudgetsReportDialogForm::AcctCodeEditChange() {
    const QString code = acctCode_->text().trimmed();
    if (code.isEmpty()) {
        descrLabel_->clear();
        return;
    }
    if (headers_.empty()) {
        descrLabel_->setText(QStringLiteral("No budgets set up."));
        return;
    }
    for (const budgets::BudgetHeader& h : headers_)
        if (h.code == code) {
            descrLabel_->setText(h.descr.trimmed());
            statusLabel_->setText(h.status == budgets::kActive ? QStringLiteral("Budget is Active.")
                                  : h.status == budgets::kInactive
                                      ? QStringLiteral("Budget is Inactive.")
                                      : QStringLiteral("Budget is Trial."));
            fullCode_ = h.fullCode;
            return;
        }
    descrLabel_->setText(QStringLiteral("No budget with this account code."));
    statusLabel_->clear();
    fullCode_.clear();
}

void TBudgetsReportDialogForm::AcctPickButtonClick() {
    if (!pickAccount) return;
    const QString code = pickAccount();
    if (!code.isEmpty()) acctCode_->setText(code);
}

QString TBudgetsReportDialogForm::chosenFullCode() const {
    return singleCheck_->isChecked() ? fullCode_ : QString();
}

budgets::BudgetSelection TBudgetsReportDialogForm::selection() const {
    return budgets::BudgetSelection(std::max(0, typeGroup_->checkedId()));
}

std::optional<reports::ReportDocument> TBudgetsReportDialogForm::prepare(bool forPrint) {
    const QString coy = QString::number(coyCode);
    if (department_->checkBox()->isChecked() && department_->departmentSelected())
        return budgets::TQVDeptBudgetRptForm(connection_, coy, department_->linkCode(),
                                             chosenFullCode(), selection())
            .document();
    if (department_->checkBox()->isChecked() && !forPrint) {
        ui::beep();
        ui::warning(this, QStringLiteral("The Department Code is not valid."));
        return std::nullopt;
    }
    return budgets::TQVBudgetRptForm(connection_, coy, chosenFullCode(), selection()).document();
}

void TBudgetsReportDialogForm::PreviewButtonClick() {
    ui::guarded(this, [this] {
        const auto doc = prepare(false);
        if (!doc) return;
        if (showReport) return showReport(*doc);
        ui::openWindow<reports::TReportPreviewForm>(this, [&](reports::TReportPreviewForm& w) {
            w.setWindowTitle(QStringLiteral("Budgets"));
            w.document = *doc;
        });
    });
}

void TBudgetsReportDialogForm::PrintButtonClick() {
    ui::guarded(this, [this] {
        if (const auto doc = prepare(true)) reports::printReport(this, *doc, askPrinter);
    });
}
