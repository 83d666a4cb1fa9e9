#include "banking/bankstatementdiaform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "banking/acctselform.h"
#include "banking/bank_entry_reads.h"
#include "banking/bank_statement.h"
#include "banking/bankstatementrpt.h"
#include "banking/reconciliation.h"
#include "reports/company.h"
#include "reports/reportpreview.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace {

const QString kNoSuchAccount = QStringLiteral("Cannot find this bank account!");

}  // namespace

TBankStatementDiaForm::TBankStatementDiaForm(QWidget* owner)
    : ui::FormBase(owner, QString()),
      bankCodeEdit_(new QLineEdit(this)),
      acctNoEdit_(new QLineEdit(this)),
      acctPickButton_(new QPushButton(QStringLiteral("..."), this)),
      acctNameLabel_(new QLabel(this)),
      navigator_(new ui::Navigator(this)),
      fromDate_(new ui::DateBox(this)),
      toDate_(new ui::DateBox(this)),
      printButton_(new QPushButton(QStringLiteral("&Print"), this)),
      previewButton_(new QPushButton(QStringLiteral("Pre&view"), this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setObjectName(QStringLiteral("BankStatementDiaForm"));
    setWindowTitle(QStringLiteral("Bank Statement Report Dialogue"));
    bankCodeEdit_->setObjectName(QStringLiteral("BankCodeEdit"));
    bankCodeEdit_->setReadOnly(true);
    bankCodeEdit_->setFocusPolicy(Qt::NoFocus);
    bankCodeEdit_->setMaximumWidth(80);
    acctNoEdit_->setObjectName(QStringLiteral("AcctNoEdit"));
    acctNoEdit_->setMaximumWidth(170);
    acctPickButton_->setObjectName(QStringLiteral("AcctPickButton"));
    acctPickButton_->setToolTip(QStringLiteral("View/select from bank account list (Alt+Down)"));
    acctPickButton_->setMaximumWidth(30);
    acctNameLabel_->setObjectName(QStringLiteral("AcctNameLabel"));
    navigator_->setObjectName(QStringLiteral("AccountNavigator"));
    fromDate_->setObjectName(QStringLiteral("FromDate"));
    toDate_->setObjectName(QStringLiteral("ToDate"));
    printButton_->setObjectName(QStringLiteral("PrintButton"));
    previewButton_->setObjectName(QStringLiteral("PreviewButton"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    previewButton_->setDefault(true);
    ui::openPickerWithAltDown(acctNoEdit_, acctPickButton_);

    auto* grid = new QGridLayout;
    auto* acctLabel = new QLabel(QStringLiteral("&Bank Account :"), this);
    acctLabel->setBuddy(acctNoEdit_);
    grid->addWidget(acctLabel, 0, 0);
    auto* acctRow = new QHBoxLayout;
    acctRow->addWidget(bankCodeEdit_);
    acctRow->addWidget(acctNoEdit_);
    acctRow->addWidget(acctPickButton_);
    acctRow->addWidget(acctNameLabel_, 1);
    grid->addLayout(acctRow, 0, 1);
    grid->addWidget(navigator_, 1, 1, Qt::AlignLeft);
    auto* fromLabel = new QLabel(QStringLiteral("&From :"), this);
    fromLabel->setBuddy(fromDate_);
    auto* toLabel = new QLabel(QStringLiteral("&To :"), this);
    toLabel->setBuddy(toDate_);
    auto* dates = new QHBoxLayout;
    dates->addWidget(fromDate_);
    dates->addWidget(toLabel);
    dates->addWidget(toDate_);
    dates->addStretch();
    grid->addWidget(fromLabel, 2, 0);
    grid->addLayout(dates, 2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {printButton_, previewButton_, exitButton_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(560, 180);
    setTabOrder(acctNoEdit_, fromDate_);
    setTabOrder(fromDate_, toDate_);
    setTabOrder(toDate_, printButton_);
    setTabOrder(printButton_, previewButton_);
    setTabOrder(previewButton_, exitButton_);

    navigator_->setTarget(ui::indexTarget(accounts_, index_));
    connect(navigator_, &ui::Navigator::moved, this,
            [this] { showAccount(index_ >= 0 ? &accounts_[size_t(index_)] : nullptr); });
    connect(acctNoEdit_, &QLineEdit::textEdited, this, [this] { AcctNoEditChange(); });
    connect(acctPickButton_, &QPushButton::clicked, this, [this] { AcctPickButtonClick(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { PrintButtonClick(); });
    connect(previewButton_, &QPushButton::clicked, this, [this] { PreviewButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
}

TBankStatementDiaForm::~TBankStatementDiaForm() { connection_.disconnect(); }

void TBankStatementDiaForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TBankStatementDiaForm::FormShow() {
    const QDate from = banking::statementDefaultFrom(QDate::currentDate());
    fromDate_->setDateValue(from);
    toDate_->setDateValue(banking::statementDefaultTo(from));
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        coy_ = coyCode.trimmed().toInt();
        setWindowTitle(QStringLiteral("Bank Statement Report Dialogue for :  ") +
                       reports::companyName(connection_, coy_).trimmed());
        accounts_ = banking::companyBankAccounts(connection_, coy_);
        QString first = acctNo.trimmed();
        if (first.isEmpty())
            if (const auto a = banking::defaultBankAccount(connection_, coy_)) first = a->acctNo;
        acctNoEdit_->setText(first);
        AcctNoEditChange();
    });
    acctNoEdit_->setFocus();
}

void TBankStatementDiaForm::showAccount(const banking::BankAccount* account) {
    if (!account) {
        bankCodeEdit_->clear();
        acctNameLabel_->setText(kNoSuchAccount);
        navigator_->updateButtons();
        return;
    }
    bankCodeEdit_->setText(account->bankCode.trimmed());
    acctNoEdit_->setText(account->acctNo.trimmed());
    const banking::AccountHeading h = banking::accountHeading(connection_, *account);
    const QString bankName = h.bank.section(QStringLiteral(" Branch : "), 0, 0);
    acctNameLabel_->setText(bankName + QLatin1Char(' ') + account->desc.trimmed());
    navigator_->updateButtons();
}

void TBankStatementDiaForm::AcctNoEditChange() {
    const QString typed = acctNoEdit_->text().trimmed();
    index_ = -1;
    for (size_t i = 0; i < accounts_.size(); ++i)
        if (accounts_[i].acctNo.trimmed() == typed) index_ = int(i);
    if (index_ < 0) {
        showAccount(nullptr);
        return;
    }
    ui::guarded(this, [this] { showAccount(&accounts_[size_t(index_)]); });
}

void TBankStatementDiaForm::AcctPickButtonClick() {
    QString chosen;
    ui::openWindow<TAcctSelForm>(
        this, [this](TAcctSelForm& w) { w.coyCode = QString::number(coy_); },
        [&](TAcctSelForm& w, int code) {
            if (code == QDialog::Accepted) chosen = w.acctNo;
            return 0;
        });
    if (chosen.isEmpty()) return;
    acctNoEdit_->setText(chosen.trimmed());
    AcctNoEditChange();
}

bool TBankStatementDiaForm::accountChosen() {
    if (index_ >= 0 && connection_.isConnected()) return true;
    ui::beep();
    ui::warning(this, kNoSuchAccount);
    return false;
}

void TBankStatementDiaForm::PrintButtonClick() {
    if (!accountChosen()) return;
    ui::guarded(this, [this] {
        TQVBankStatementRptForm r{coy_, accounts_[size_t(index_)].acctNo, fromDate_->dateValue(),
                                  toDate_->dateValue()};
        r.print(this, connection_, askPrinter);
    });
}

void TBankStatementDiaForm::PreviewButtonClick() {
    if (!accountChosen()) return;
    ui::guarded(this, [this] {
        TQVBankStatementRptForm r{coy_, accounts_[size_t(index_)].acctNo, fromDate_->dateValue(),
                                  toDate_->dateValue()};
        if (showReport)
            showReport(r.document(connection_));
        else
            r.preview(this, connection_);
    });
}
