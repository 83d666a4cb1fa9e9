#include "ledger/accounteditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "ledger/privateusegroup.h"
#include "store/keys.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/messages.h"
#include "ui/pickerkey.h"
#include "ui/textbox.h"

namespace ledger {

namespace {

QRadioButton* radio(QWidget* parent, const char* name, const QString& text) {
    auto* r = new QRadioButton(text, parent);
    r->setObjectName(QString::fromLatin1(name));
    return r;
}

}  // namespace

AccountEditor::AccountEditor(const Captions& captions, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AccountEditor"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    int row = 0;

    acctEdit_ = ui::textBox(this, "AcctEdit", 15);
    ui::makeCodeBox(acctEdit_);
    acctEdit_->setToolTip(QStringLiteral("Use a unique id = eg MAT+ Deptcode"));
    auto* codeLabel = new QLabel(captions.code, this);
    codeLabel->setBuddy(acctEdit_);
    grid->addWidget(codeLabel, row, 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(acctEdit_);
    if (captions.listButton) {
        acctListButton_ = new QToolButton(this);
        acctListButton_->setObjectName(QStringLiteral("AcctListButton"));
        acctListButton_->setText(QStringLiteral("..."));
        acctListButton_->setToolTip(QStringLiteral("View the company's accounts"));
        codeRow->addWidget(acctListButton_);
        ui::openPickerWithAltDown(acctEdit_, acctListButton_);
    }
    codeRow->addStretch();
    grid->addLayout(codeRow, row++, 1);

    descrEdit_ = ui::textBox(this, "DescrEdit", 250);
    auto* descrLabel = new QLabel(QStringLiteral("Descr&iption :"), this);
    descrLabel->setBuddy(descrEdit_);
    grid->addWidget(descrLabel, row, 0);
    grid->addWidget(descrEdit_, row++, 1);

    expCodeEdit_ = ui::textBox(this, "ExpCodeEdit", 15);
    expCodeEdit_->setToolTip(
        QStringLiteral("Entre your accountant's ledger code that matches this account"));
    auto* expLabel = new QLabel(QStringLiteral("&Export Ledger Code :"), this);
    expLabel->setBuddy(expCodeEdit_);
    grid->addWidget(expLabel, row, 0);
    auto* expRow = new QHBoxLayout;
    expRow->addWidget(expCodeEdit_);
    expRow->addStretch();
    grid->addLayout(expRow, row++, 1);

    if (captions.balanceCode) {
        balCodeEdit_ = ui::textBox(this, "BalCodeEdit", 15);
        auto* balLabel = new QLabel(QStringLiteral("&Bal Code (MYOB) :"), this);
        balLabel->setBuddy(balCodeEdit_);
        grid->addWidget(balLabel, row, 0);
        auto* balRow = new QHBoxLayout;
        balRow->addWidget(balCodeEdit_);
        balRow->addStretch();
        grid->addLayout(balRow, row++, 1);
    }

    deptEdit_ = ui::textBox(this, "DeptEdit", 10);
    ui::makeCodeBox(deptEdit_);
    auto* deptCaption = new QLabel(captions.department, this);
    deptCaption->setBuddy(deptEdit_);
    grid->addWidget(deptCaption, row, 0);
    auto* deptRow = new QHBoxLayout;
    deptEdit_->setMaximumWidth(110);
    deptRow->addWidget(deptEdit_);
    deptPickButton_ = new QToolButton(this);
    deptPickButton_->setObjectName(QStringLiteral("DeptPickButton"));
    deptPickButton_->setText(QStringLiteral("..."));
    deptPickButton_->setToolTip(QStringLiteral("View/Select Company departments"));
    deptRow->addWidget(deptPickButton_);
    ui::openPickerWithAltDown(deptEdit_, deptPickButton_);
    deptLabel_ = new QLabel(this);
    deptLabel_->setObjectName(QStringLiteral("DeptNameLabel"));
    deptRow->addWidget(deptLabel_, 1);
    grid->addLayout(deptRow, row++, 1);

    auto* ticks = new QHBoxLayout;
    activeCheck_ = new QCheckBox(QStringLiteral("&Active"), this);
    activeCheck_->setObjectName(QStringLiteral("ActiveCheck"));
    gstCheck_ = new QCheckBox(captions.gst, this);
    gstCheck_->setObjectName(QStringLiteral("GstAppliesCheck"));
    inclPlCheck_ = new QCheckBox(QStringLiteral("A&ffects tax amount"), this);
    inclPlCheck_->setObjectName(QStringLiteral("InclPlCheck"));
    inclPlCheck_->setToolTip(captions.inclPlHint);
    ticks->addWidget(activeCheck_);
    ticks->addWidget(gstCheck_);
    ticks->addWidget(inclPlCheck_);
    ticks->addStretch();
    grid->addLayout(ticks, row++, 1);

    auto* groups = new QHBoxLayout;
    auto* typeBox = new QGroupBox(QStringLiteral("  Type  "), this);
    typeBox->setObjectName(QStringLiteral("TypeGroup"));
    auto* typeLayout = new QVBoxLayout(typeBox);
    typeIncome_ = radio(typeBox, "TypeIncomeRadio", QStringLiteral("Income"));
    typeExpense_ = radio(typeBox, "TypeExpenseRadio", QStringLiteral("Expense"));
    typeLayout->addWidget(typeIncome_);
    typeLayout->addWidget(typeExpense_);
    auto* rptBox = new QGroupBox(QStringLiteral("  Report Group"), this);
    rptBox->setObjectName(QStringLiteral("RptCatGroup"));
    auto* rptLayout = new QVBoxLayout(rptBox);
    rptIncome_ = radio(rptBox, "RptIncomeRadio", QStringLiteral("Income"));
    rptExpenses_ = radio(rptBox, "RptExpensesRadio", QStringLiteral("Expenses"));
    rptOverhead_ = radio(rptBox, "RptOverheadRadio", QStringLiteral("Overhead"));
    rptLayout->addWidget(rptIncome_);
    rptLayout->addWidget(rptExpenses_);
    rptLayout->addWidget(rptOverhead_);
    groups->addWidget(typeBox);
    groups->addWidget(rptBox);
    groups->addStretch();
    grid->addLayout(groups, row++, 1);
    privateUse_ = new PrivateUseGroup(this);
    grid->addWidget(privateUse_, row++, 1);
    grid->setColumnStretch(1, 1);
    typeIncome_->setChecked(true);
    rptIncome_->setChecked(true);

    connect(acctEdit_, &QLineEdit::textEdited, this, &AccountEditor::acctEdited);
    connect(deptEdit_, &QLineEdit::textEdited, this, &AccountEditor::deptEdited);
    connect(expCodeEdit_, &QLineEdit::textEdited, this, &AccountEditor::expCodeEdited);
    connect(typeIncome_, &QRadioButton::clicked, this, &AccountEditor::typeChosen);
    connect(typeExpense_, &QRadioButton::clicked, this, &AccountEditor::typeChosen);
}

void AccountEditor::showAccount(const store::Table& account, store::Connection& connection,
                                int coy) {
    privateUse_->setCompany(coy);
    privateUse_->show(storedPrivateUse(account));
    if (!account.hasRecord()) {
        for (QLineEdit* e : {acctEdit_, descrEdit_, expCodeEdit_, deptEdit_}) e->clear();
        if (balCodeEdit_) balCodeEdit_->clear();
        deptLabel_->clear();
        return;
    }
    acctEdit_->setText(account.text("ACCTCODE"));
    (account.text("TYPECODE") == QLatin1String("EXP") ? typeExpense_ : typeIncome_)
        ->setChecked(true);
    const QString cat = account.text("RPTCAT");
    if (cat == QLatin1String("I"))
        rptIncome_->setChecked(true);
    else if (cat == QLatin1String("E"))
        rptExpenses_->setChecked(true);
    else if (cat == QLatin1String("O"))
        rptOverhead_->setChecked(true);
    descrEdit_->setText(account.text("DESCR"));
    expCodeEdit_->setText(account.text("EXPCODE"));
    if (balCodeEdit_) balCodeEdit_->setText(account.text("BALCODE"));
    inclPlCheck_->setChecked(account.integer("INCLPL") == 1);
    gstCheck_->setChecked(account.integer("GSTAPPLIES") == 1);
    activeCheck_->setChecked(account.integer("ACTACTIVE") == 1);

    const QString link = account.text("LINKCODE").trimmed();
    if (link == QLatin1String(store::keys::kCompanyLevelLinkCode)) {
        deptEdit_->clear();
        deptLabel_->setText(companyLevelText());
    } else if (link.isEmpty()) {
        deptEdit_->clear();
        deptLabel_->clear();
    } else if (const auto d = departmentByLinkCode(connection, coy, link)) {
        deptEdit_->setText(d->deptCode);
        deptLabel_->setText(d->name);
    } else {
        deptEdit_->clear();
        deptLabel_->setText(noDepartmentFoundText());
    }
}

void AccountEditor::clearForNew() {
    deptEdit_->clear();
    deptLabel_->clear();
    acctEdit_->clear();
    descrEdit_->clear();
    expCodeEdit_->clear();
    if (balCodeEdit_) balCodeEdit_->clear();
    privateUse_->show({});
    activeCheck_->setChecked(true);
    gstCheck_->setChecked(true);
    // An account left out of the profit and loss reports by default would be missed there.
    inclPlCheck_->setChecked(true);
}

void AccountEditor::setBoxesEnabled(bool enabled, bool code) {
    acctEdit_->setEnabled(code);
    for (QWidget* w : std::initializer_list<QWidget*>{
             descrEdit_, expCodeEdit_, deptEdit_, activeCheck_, gstCheck_, inclPlCheck_,
             typeIncome_, typeExpense_, rptIncome_, rptExpenses_, rptOverhead_})
        w->setEnabled(enabled);
    if (balCodeEdit_) balCodeEdit_->setEnabled(enabled);
    privateUse_->setBoxesEnabled(enabled);
}

AccountDetails AccountEditor::details() const {
    AccountDetails d;
    d.acctCode = acctEdit_->text().trimmed();
    d.deptCode = deptEdit_->text().trimmed();
    d.descr = descrEdit_->text();
    d.expCode = expCodeEdit_->text().trimmed();
    if (balCodeEdit_) d.balCode = balCodeEdit_->text().trimmed();
    d.typeCode = typeExpense_->isChecked() ? QStringLiteral("EXP") : QStringLiteral("INC");
    d.rptCat = rptOverhead_->isChecked()   ? QStringLiteral("O")
               : rptExpenses_->isChecked() ? QStringLiteral("E")
                                           : QStringLiteral("I");
    d.inclPl = inclPlCheck_->isChecked();
    d.gstApplies = gstCheck_->isChecked();
    d.active = activeCheck_->isChecked();
    // Untouched, the stored share is kept as it is, even one whose account has since gone.
    if (privateUse_->changed()) d.privateUse = privateUse_->typed();
    return d;
}

void AccountEditor::showDepartmentLabel(const QString& deptCode,
                                        const std::optional<Department>& found) {
    if (deptCode.trimmed().isEmpty())
        deptLabel_->setText(companyLevelText());
    else
        deptLabel_->setText(found ? found->name : noDepartmentFoundText());
}

void AccountEditor::reportGroupFollowsType() {
    (typeExpense_->isChecked() ? rptExpenses_ : rptIncome_)->setChecked(true);
}

void showAccountRefusal(QWidget* parent, AccountSave result, PrivateShareRefusal why) {
    if (result == AccountSave::Saved) return;
    ui::beep();
    switch (result) {
        case AccountSave::Saved:
        case AccountSave::EmptyCode:
            break;
        case AccountSave::DuplicateCode:
            ui::information(parent, duplicateAccountText());
            break;
        case AccountSave::UnknownDepartment:
            ui::error(parent, unknownDepartmentSaveText());
            break;
        case AccountSave::DepartmentLocked:
            ui::error(parent, departmentLockedText());
            break;
        case AccountSave::PrivateShareRefused:
            ui::error(parent, privateShareRefusalText(why));
            break;
    }
}

}  // namespace ledger
