#include "app/wizardform.h"

#include "app/commands.h"
#include "store/connection.h"
#include "store/error.h"
#include "store/paths.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

#include <QFile>
#include <QFont>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

QString readLicenseText()
{
    const QString path = store::paths::shareFolder() + QStringLiteral("License.txt");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw store::StoreError(QStringLiteral("Cannot open file %1. %2").arg(path, file.errorString()));
    return QString::fromUtf8(file.readAll());
}

namespace {

QWidget* wizardPage(QWidget* parent, const char* name, const QString& text,
                    std::initializer_list<QPushButton*> buttons)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QLatin1String(name));
    auto* label = new QLabel(text, page);
    label->setObjectName(QLatin1String(name) + QStringLiteral("Text"));
    label->setWordWrap(true);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 1.15);
    label->setFont(font);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 18, 18, 12);
    layout->addWidget(label);
    layout->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* b : buttons) {
        b->setParent(page);
        b->setMinimumWidth(110);
        row->addWidget(b);
    }
    layout->addLayout(row);
    return page;
}

QPushButton* button(const char* name, const QString& text)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(true);
    return b;
}

}  // namespace

TQVWizardForm::TQVWizardForm(QWidget* owner) : ui::FormBase(owner, QString(), 60)
{
    setWindowTitle(QStringLiteral("Quorvel set up Wizard"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    auto* companyButton = button("CompanyButton", QStringLiteral("&Company"));
    PageControl1->addTab(
        wizardPage(PageControl1, "CompanySheet",
                   QStringLiteral("Click \"Company\" to open the Company set up form.  You must "
                                  "complete at least one company to proceed to the next step"),
                   {companyButton}),
        QStringLiteral("Company"));

    auto* departmentButton = button("DepartmentButton", QStringLiteral("&Department"));
    PageControl1->addTab(
        wizardPage(PageControl1, "DepartmentSheet",
                   QStringLiteral("Click \"Department\" to start the Department and Accounts set up "
                                  "form.  You must complete at least one department and two "
                                  "accounts for that department - one income, one expenditure."),
                   {departmentButton}),
        QStringLiteral("Departments and ledgers"));

    auto* bankButton = button("BankButton", QStringLiteral("&Bank"));
    auto* finishButton = button("FinishButton", QStringLiteral("&Finish"));
    PageControl1->addTab(
        wizardPage(PageControl1, "BankSheet",
                   QStringLiteral("Click \"Bank\" to enter bank account details.  Make sure you have "
                                  "copies of  your most recent bank statement(s) so that you can "
                                  "complete the bank account numbers correctly, and the opening "
                                  "balances."),
                   {bankButton, finishButton}),
        QStringLiteral("Bank Accounts"));

    auto* licensePage = new QWidget(PageControl1);
    licensePage->setObjectName(QStringLiteral("LicenseSheet"));
    LicenseMemo = new QPlainTextEdit(licensePage);
    LicenseMemo->setObjectName(QStringLiteral("LicenseMemo"));
    LicenseMemo->setReadOnly(true);
    LicenseMemo->setTabChangesFocus(true);
    auto* agreeButton = button("AgreeButton", QStringLiteral("I &agree"));
    agreeButton->setParent(licensePage);
    auto* licenseLayout = new QVBoxLayout(licensePage);
    licenseLayout->addWidget(LicenseMemo);
    auto* agreeRow = new QHBoxLayout;
    agreeRow->addStretch();
    agreeRow->addWidget(agreeButton);
    licenseLayout->addLayout(agreeRow);
    PageControl1->addTab(licensePage, QStringLiteral("License"));

    auto* help = new QLabel(QStringLiteral("Press F1 for help"), this);
    help->setObjectName(QStringLiteral("HelpLabel"));
    auto* cancelButton = button("CancelButton", QStringLiteral("Cancel"));
    cancelButton->setParent(this);
    cancelButton->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(help);
    bottom->addStretch();
    bottom->addWidget(cancelButton);
    layout->addLayout(bottom);

    connect(agreeButton, &QPushButton::clicked, this, &TQVWizardForm::AgreeButtonClick);
    connect(companyButton, &QPushButton::clicked, this,
            [this] { ui::guarded(this, [this] { CompanyButtonClick(); }); });
    connect(departmentButton, &QPushButton::clicked, this,
            [this] { ui::guarded(this, [this] { DepartmentButtonClick(); }); });
    connect(bankButton, &QPushButton::clicked, this, &TQVWizardForm::BankButtonClick);
    connect(finishButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 400);
}

TQVWizardForm::~TQVWizardForm() { FormClose(); }

void TQVWizardForm::showEvent(QShowEvent* event)
{
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TQVWizardForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) FormClose();
    ui::FormBase::hideEvent(event);
}

void TQVWizardForm::FormShow()
{
    ui::guarded(this, [this] {
        connection_ = std::make_unique<store::Connection>();
        connection_->connect(QStringLiteral("NRV"));
        QVCntrlTable = std::make_unique<store::Table>(*connection_, QStringLiteral("QVCntrl.DBF"));
        QVCntrlTable->setIndexName(QStringLiteral("COYCODE"));
        QVCntrlTable->open();
        QVCoyTable = std::make_unique<store::Table>(*connection_, QStringLiteral("QVCoy.DBF"));
        QVAccDetTable = std::make_unique<store::Table>(*connection_, QStringLiteral("QVAccDet.DBF"));
        QVBnkActTable = std::make_unique<store::Table>(*connection_, QStringLiteral("QVBnkAct.DBF"));
        for (store::Table* detail : {QVCoyTable.get(), QVAccDetTable.get(), QVBnkActTable.get()})
            openDetail(*detail);

        PageControl1->setCurrentIndex(LicensePage);
        setupAccepted = false;
        LicenseMemo->setPlainText(readLicenseText());
        for (int page : {CompanyPage, DepartmentsPage, BankAccountsPage})
            PageControl1->setTabEnabled(page, false);
        PageControl1->widget(LicensePage)->findChild<QPushButton*>(QStringLiteral("AgreeButton"))
            ->setFocus();
    });
}

void TQVWizardForm::FormClose()
{
    QVBnkActTable.reset();
    QVAccDetTable.reset();
    QVCoyTable.reset();
    QVCntrlTable.reset();
    if (connection_) connection_->disconnect();
    connection_.reset();
}

void TQVWizardForm::openDetail(store::Table& table)
{
    table.close();
    table.setIndexName(QStringLiteral("COYCODE"));
    table.setMasterRange(QStringLiteral("COYCODE"), QVCntrlTable->integer(QStringLiteral("COYCODE")));
    table.open();
}

void TQVWizardForm::enablePage(Page page)
{
    PageControl1->setTabEnabled(page, true);
    PageControl1->setCurrentIndex(page);
}

void TQVWizardForm::AgreeButtonClick()
{
    enablePage(CompanyPage);
    setupAccepted = true;
}

void TQVWizardForm::CompanyButtonClick()
{
    app::commands::openCompanyMaintenance(this);
    if (!QVCntrlTable) return;  // the store could not be opened when the wizard was shown
    QVCntrlTable->close();
    QVCntrlTable->open();
    QVCntrlTable->first();
    if (QVCntrlTable->isEmpty()) {
        ui::beep();
        ui::information(this, QStringLiteral("No Company created!"));
        return;
    }
    enablePage(DepartmentsPage);
}

void TQVWizardForm::DepartmentButtonClick()
{
    app::commands::openCodesAndAccounts(this);
    if (!QVCntrlTable || !QVCoyTable || !QVAccDetTable) return;
    openDetail(*QVCoyTable);
    if (QVCoyTable->isEmpty()) {
        ui::beep();
        ui::information(this, QStringLiteral("No department created!"));
    } else {
        enablePage(BankAccountsPage);
    }
    openDetail(*QVAccDetTable);
    if (QVAccDetTable->isEmpty()) {
        ui::beep();
        ui::information(this, QStringLiteral("No cash journal accounts created!"));
    } else {
        enablePage(BankAccountsPage);
    }
}

void TQVWizardForm::BankButtonClick()
{
    app::commands::openBankMaintenance(this, std::nullopt,
                                       QStringLiteral("Setting up bank(s) and bank account(s)."));
}
