// The controls of the bank transaction window and their places.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QVBoxLayout>

#include "banking/banktranform.h"
#include "banking/rowfindbar.h"
#include "store/format.h"
#include "store/keys.h"
#include "ui/codebox.h"
#include "ui/datagrid.h"
#include "ui/datebox.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/pickerkey.h"
#include "ui/textbox.h"

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr,
              const char* name = nullptr) {
    auto* l = new QLabel(text, parent);
    if (buddy) l->setBuddy(buddy);
    if (name) l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

void TQVBankTranForm::buildLayout() {
    auto* layout = new QVBoxLayout(this);

    // The bank account.
    auto* acctGroup = new QGroupBox(this);
    acctGroup->setObjectName(QStringLiteral("BankAcctGroup"));
    auto* acctGrid = new QGridLayout(acctGroup);
    bankCodeEdit_ = ui::textBox(acctGroup, "BankCodeEdit", store::keys::kLongestBankCode, 80);
    acctNoEdit_ = ui::textBox(acctGroup, "AcctNoEdit", store::keys::kLongestAccountNumber, 140);
    bankAcctButton_ = button(acctGroup, "BankAcctButton", QStringLiteral("..."));
    bankAcctButton_->setToolTip(QStringLiteral("View/Select Bank Account"));
    bankAcctButton_->setFixedWidth(30);
    bankAcctLabel_ =
        label(acctGroup, QStringLiteral("&Bank Acct  :"), bankCodeEdit_, "BankAcctLabel");
    acctDescLabel_ = label(acctGroup, QString(), nullptr, "AcctDescLabel");
    acctDescLabel_->setStyleSheet(QStringLiteral("font-weight: bold"));
    accountNavigator_ = new ui::Navigator(acctGroup);
    accountNavigator_->setObjectName(QStringLiteral("AccountNavigator"));
    accountNavigator_->setToolTip(QStringLiteral("The company's bank accounts"));
    auto* acctRow = new QHBoxLayout;
    acctRow->addWidget(bankAcctLabel_);
    acctRow->addWidget(bankCodeEdit_);
    acctRow->addWidget(acctNoEdit_);
    acctRow->addWidget(bankAcctButton_);
    ui::openPickerWithAltDown(acctNoEdit_, bankAcctButton_);
    acctRow->addSpacing(8);
    acctRow->addWidget(acctDescLabel_, 1);
    acctRow->addWidget(accountNavigator_);
    acctGrid->addLayout(acctRow, 0, 0);
    openBalEdit_ = ui::figureBox(acctGroup, "OpenBalEdit", 100);
    currBalEdit_ = ui::figureBox(acctGroup, "CurrBalEdit", 100);
    odAmountEdit_ = ui::figureBox(acctGroup, "OdAmountEdit", 100);
    deptAllocLabel_ = label(acctGroup, QString(), nullptr, "DeptAllocLabel");
    auto* balRow = new QHBoxLayout;
    balRow->addWidget(label(acctGroup, QStringLiteral("Opening Balance :")));
    balRow->addWidget(openBalEdit_);
    balRow->addSpacing(12);
    balRow->addWidget(label(acctGroup, QStringLiteral("Current Balance :")));
    balRow->addWidget(currBalEdit_);
    balRow->addSpacing(12);
    balRow->addWidget(label(acctGroup, QStringLiteral("Overdraft :")));
    balRow->addWidget(odAmountEdit_);
    balRow->addSpacing(12);
    balRow->addWidget(deptAllocLabel_, 1);
    acctGrid->addLayout(balRow, 1, 0);
    layout->addWidget(acctGroup);

    // The entry.
    auto* middle = new QHBoxLayout;
    auto* entryGroup = new QGroupBox(this);
    entryGroup->setObjectName(QStringLiteral("EntryGroup"));
    auto* form = new QGridLayout(entryGroup);
    tranNumEdit_ = ui::textBox(entryGroup, "TranNumEdit", 11, 110);
    tranDateEdit_ = new ui::DateBox(entryGroup);
    tranDateEdit_->setObjectName(QStringLiteral("TranDateEdit"));
    auto* refRow = new QHBoxLayout;
    refRow->addWidget(tranNumEdit_);
    refRow->addSpacing(16);
    refRow->addWidget(label(entryGroup, QStringLiteral("&Date :"), tranDateEdit_));
    refRow->addWidget(tranDateEdit_);
    refRow->addStretch();
    form->addWidget(label(entryGroup, QStringLiteral("&Ref. No. :"), tranNumEdit_), 0, 0);
    form->addLayout(refRow, 0, 1);

    purposeRow_ = new QWidget(entryGroup);
    purposeRow_->setObjectName(QStringLiteral("PurposeRow"));
    auto* purposeLayout = new QGridLayout(purposeRow_);
    purposeLayout->setContentsMargins(0, 0, 0, 0);
    purposeEdit_ = ui::textBox(purposeRow_, "PurposeEdit", store::keys::kLongestAccountCode, 140);
    ui::makeCodeBox(purposeEdit_);
    ledgerButton_ = button(purposeRow_, "LedgerButton", QStringLiteral("..."));
    ledgerButton_->setToolTip(QStringLiteral("View/Select Ledger Accounts"));
    ledgerButton_->setFixedWidth(30);
    purposeDescLabel_ = label(purposeRow_, QString(), nullptr, "PurposeDescLabel");
    acctDeptLabel_ = label(purposeRow_, QString(), nullptr, "AcctDeptLabel");
    purposeLayout->addWidget(label(purposeRow_, QStringLiteral("&Purpose :"), purposeEdit_), 0, 0);
    purposeLayout->addWidget(purposeEdit_, 0, 1);
    purposeLayout->addWidget(ledgerButton_, 0, 2);
    ui::openPickerWithAltDown(purposeEdit_, ledgerButton_);
    purposeLayout->addWidget(purposeDescLabel_, 0, 3);
    purposeLayout->addWidget(acctDeptLabel_, 1, 1, 1, 3);
    purposeLayout->setColumnStretch(3, 1);
    purposeLayout->setColumnMinimumWidth(0, 80);
    form->addWidget(purposeRow_, 1, 0, 1, 2);

    amountEdit_ = ui::textBox(entryGroup, "AmountEdit", 15, 110);
    amountEdit_->setAlignment(Qt::AlignRight);
    taxEdit_ = ui::textBox(entryGroup, "TaxEdit", 15, 90);
    taxEdit_->setAlignment(Qt::AlignRight);
    amountLabel_ = label(entryGroup, QStringLiteral("A&mount : "), amountEdit_, "AmountLabel");
    taxLabel_ = label(entryGroup, QStringLiteral("T&ax :"), taxEdit_, "TaxLabel");
    journalLabel_ = label(entryGroup, QString(), nullptr, "JournalLabel");
    journalLabel_->setStyleSheet(QStringLiteral("color: #a00000"));
    auto* amountRow = new QHBoxLayout;
    amountRow->addWidget(amountEdit_);
    amountRow->addSpacing(16);
    amountRow->addWidget(taxLabel_);
    amountRow->addWidget(taxEdit_);
    amountRow->addSpacing(8);
    amountRow->addWidget(journalLabel_, 1);
    form->addWidget(amountLabel_, 2, 0);
    form->addLayout(amountRow, 2, 1);

    reasonEdit_ = ui::textBox(entryGroup, "ReasonEdit", 200);
    form->addWidget(label(entryGroup, QStringLiteral("&Narrative :"), reasonEdit_), 3, 0);
    form->addWidget(reasonEdit_, 3, 1);

    sourceCombo_ = new QComboBox(entryGroup);
    sourceCombo_->setObjectName(QStringLiteral("SourceCombo"));
    sourceCombo_->setEditable(true);
    sourceCombo_->setInsertPolicy(QComboBox::NoInsert);
    sourceCombo_->addItems({QStringLiteral("EFTPOS"), QStringLiteral("Credit Card"),
                            QStringLiteral("Cash"), QStringLiteral("Transfer"),
                            QStringLiteral("CHEQUE"), QStringLiteral("Misc"), QStringLiteral("ATM"),
                            QStringLiteral("FEES"), QStringLiteral("INT"), QStringLiteral("AP"),
                            QStringLiteral("DETAILS")});
    sourceCombo_->setFixedWidth(140);
    sourceLabel_ = label(entryGroup, QStringLiteral("&Source :"), sourceCombo_, "SourceLabel");
    hasDetailsCheck_ = new QCheckBox(QStringLiteral("Has detai&ls"), entryGroup);
    hasDetailsCheck_->setObjectName(QStringLiteral("HasDetailsCheck"));
    hasDetailsCheck_->setToolTip(
        QStringLiteral("Check this if the transaction is for multiple journal accounts"));
    reconciledCheck_ = new QCheckBox(QStringLiteral("Reconciled"), entryGroup);
    reconciledCheck_->setObjectName(QStringLiteral("ReconciledCheck"));
    reconciledCheck_->setAttribute(Qt::WA_TransparentForMouseEvents);
    reconciledCheck_->setFocusPolicy(Qt::NoFocus);
    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(sourceCombo_);
    sourceRow->addSpacing(16);
    sourceRow->addWidget(hasDetailsCheck_);
    sourceRow->addSpacing(16);
    sourceRow->addWidget(reconciledCheck_);
    sourceRow->addStretch();
    form->addWidget(sourceLabel_, 4, 0);
    form->addLayout(sourceRow, 4, 1);
    form->setColumnStretch(1, 1);
    middle->addWidget(entryGroup, 1);

    auto* right = new QVBoxLayout;
    typeGroup_ = new QGroupBox(QStringLiteral(" Type "), this);
    typeGroup_->setObjectName(QStringLiteral("TypeGroup"));
    auto* typeLayout = new QVBoxLayout(typeGroup_);
    const char* names[5] = {"DepositRadio", "WithdrawalRadio", "TransferRadio", "InterestRadio",
                            "FeesRadio"};
    const QString captions[5] = {QStringLiteral("Dep&osit"), QStringLiteral("&Withdrawal"),
                                 QStringLiteral("&Transfer"), QStringLiteral("&Interest"),
                                 QStringLiteral("&Fees/Debits")};
    auto* typeButtons = new QButtonGroup(typeGroup_);
    for (int i = 0; i < 5; ++i) {
        typeRadios_[i] = new QRadioButton(captions[i], typeGroup_);
        typeRadios_[i]->setObjectName(QString::fromLatin1(names[i]));
        typeButtons->addButton(typeRadios_[i], i);
        typeLayout->addWidget(typeRadios_[i]);
    }
    typeRadios_[0]->setChecked(true);
    right->addWidget(typeGroup_);
    totalEdit_ = ui::figureBox(this, "TotalEdit", 100);
    totalLabel_ = label(this, QStringLiteral("Transaction total :"), totalEdit_, "TotalLabel");
    right->addWidget(totalLabel_);
    right->addWidget(totalEdit_);
    right->addStretch();
    middle->addLayout(right);
    layout->addLayout(middle);

    // A transfer's destination.
    destGroup_ = new QGroupBox(this);
    destGroup_->setObjectName(QStringLiteral("DestGroup"));
    auto* destGrid = new QVBoxLayout(destGroup_);
    destBankEdit_ = ui::textBox(destGroup_, "DestBankEdit", store::keys::kLongestBankCode, 80);
    destAcctEdit_ =
        ui::textBox(destGroup_, "DestAcctEdit", store::keys::kLongestAccountNumber, 140);
    destButton_ = button(destGroup_, "DestAcctButton", QStringLiteral("..."));
    destButton_->setToolTip(QStringLiteral("View/Select Bank Account"));
    destButton_->setFixedWidth(30);
    destAcctLabel_ =
        label(destGroup_, QStringLiteral("To Acco&unt  :"), destBankEdit_, "DestAcctLabel");
    destDescLabel_ = label(destGroup_, QString(), nullptr, "DestDescLabel");
    auto* destRow = new QHBoxLayout;
    destRow->addWidget(destAcctLabel_);
    destRow->addWidget(destBankEdit_);
    destRow->addWidget(destAcctEdit_);
    destRow->addWidget(destButton_);
    ui::openPickerWithAltDown(destAcctEdit_, destButton_);
    destRow->addSpacing(8);
    destRow->addWidget(destDescLabel_, 1);
    destGrid->addLayout(destRow);
    destOpenBalEdit_ = ui::figureBox(destGroup_, "DestOpenBalEdit", 100);
    destCurrBalEdit_ = ui::figureBox(destGroup_, "DestCurrBalEdit", 100);
    destOdAmountEdit_ = ui::figureBox(destGroup_, "DestOdAmountEdit", 100);
    auto* destBalRow = new QHBoxLayout;
    destBalRow->addWidget(label(destGroup_, QStringLiteral("Opening balance :")));
    destBalRow->addWidget(destOpenBalEdit_);
    destBalRow->addSpacing(12);
    destBalRow->addWidget(label(destGroup_, QStringLiteral("Current Balance :")));
    destBalRow->addWidget(destCurrBalEdit_);
    destBalRow->addSpacing(12);
    destBalRow->addWidget(label(destGroup_, QStringLiteral("Overdraft :")));
    destBalRow->addWidget(destOdAmountEdit_);
    destBalRow->addStretch();
    destGrid->addLayout(destBalRow);
    layout->addWidget(destGroup_);

    // The account's rows.
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("TranGrid"));
    grid_->setMinimumHeight(180);
    layout->addWidget(grid_, 1);
    findBar_ = new banking::RowFindBar(
        connection_, *grid_,
        [this] {
            return account_
                       ? store::keys::cutToWidth(account_->bankLink, store::keys::kBankRowLinkWidth)
                       : QString();
        },
        this);
    layout->addWidget(findBar_);
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        if (mode_ == Mode::Browse)
            findBar_->open();
        else
            ui::beep();
    });

    // Buttons.
    auto* buttons = new QHBoxLayout;
    tranNavigator_ = new ui::Navigator(this);
    tranNavigator_->setObjectName(QStringLiteral("TranNavigator"));
    buttons->addWidget(tranNavigator_);
    newButton_ = button(this, "NewButton", QStringLiteral("New F2"));
    editButton_ = button(this, "EditButton", QStringLiteral("Edit F3"));
    saveButton_ = button(this, "SaveButton", QStringLiteral("Save F4"));
    cancelButton_ = button(this, "CancelButton", QStringLiteral("Cancel F5"));
    deleteButton_ = button(this, "DeleteButton", QStringLiteral("Delete F6"));
    for (QPushButton* b : {newButton_, editButton_, saveButton_, cancelButton_, deleteButton_})
        buttons->addWidget(b);
    buttons->addStretch();
    // The views and tools in a row of their own, so the window fits a 1280-pixel screen.
    auto* views = new QHBoxLayout;
    viewButton_ = button(this, "ViewButton", QStringLiteral("View/select transactions"));
    miscButton_ = button(this, "MiscButton", QStringLiteral("Misc"));
    miscButton_->setToolTip(
        QStringLiteral("If the deposit or withdrawal includes multiple cash transaction, click."));
    detailsButton_ = button(this, "DetailsButton", QStringLiteral("Details"));
    transactionsButton_ = button(this, "TransactionsButton", QStringLiteral("Transactions"));
    transactionsButton_->setToolTip(QStringLiteral("Audit the bank account's transactions"));
    statementButton_ = button(this, "StatementButton", QStringLiteral("Statement"));
    for (QPushButton* b :
         {viewButton_, miscButton_, detailsButton_, transactionsButton_, statementButton_})
        views->addWidget(b);
    views->addStretch();
    updateBalanceButton_ = button(this, "UpdateBalanceButton", QStringLiteral("UpDate Balance"));
    updateBalanceButton_->setToolTip(QStringLiteral(
        "If you have created any transactions clicking this button will send their total value "
        "to the bank balances form"));
    cancelModeButton_ = button(this, "CancelModeButton", QStringLiteral("Cancel"));
    exitButton_ = button(this, "ExitButton", QStringLiteral("E&xit"));
    for (QPushButton* b : {updateBalanceButton_, cancelModeButton_, exitButton_})
        views->addWidget(b);
    layout->addLayout(buttons);
    layout->addLayout(views);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    modePanel_ = label(bar, QString(), nullptr, "ModePanel");
    modePanel_->setMinimumWidth(240);
    datePanel_ = label(bar, QString(), nullptr, "DatePanel");
    bar->addWidget(modePanel_, 1);
    bar->addPermanentWidget(datePanel_);
    layout->addWidget(bar);

    // F2 to F6 act as their buttons, wherever the focus is.
    const std::pair<Qt::Key, QPushButton*> keys[] = {{Qt::Key_F2, newButton_},
                                                     {Qt::Key_F3, editButton_},
                                                     {Qt::Key_F4, saveButton_},
                                                     {Qt::Key_F5, cancelButton_},
                                                     {Qt::Key_F6, deleteButton_}};
    for (const auto& [key, target] : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        QPushButton* b = target;
        connect(shortcut, &QShortcut::activated, this, [b] {
            if (b->isEnabled()) b->click();
        });
    }

    // Screen order: the account line, the entry's lines, the type beside them, a transfer's
    // destination below, then the rows and the buttons.
    QWidget* previous = nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{
             bankCodeEdit_, acctNoEdit_, tranNumEdit_, tranDateEdit_, purposeEdit_, amountEdit_,
             taxEdit_, reasonEdit_, sourceCombo_, hasDetailsCheck_, typeRadios_[0], typeRadios_[1],
             typeRadios_[2], typeRadios_[3], typeRadios_[4], destBankEdit_, destAcctEdit_, grid_}) {
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    resize(960, 680);
}
