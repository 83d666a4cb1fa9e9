// The statement import window's boxes, lists and buttons, in screen order.

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>

#include "exchange/importtextform.h"
#include "exchange/statement_grid.h"
#include "ui/codebox.h"
#include "ui/navigator.h"
#include "ui/pickerkey.h"
#include "ui/textbox.h"

namespace {

QLabel* importLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text, parent);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QLabel* importNote(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

// A "..." picker button: not a Tab stop, Alt+Down in its box opens it.
QToolButton* importPicker(QWidget* parent, const char* name, const QString& tip, QLineEdit* box) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    ui::openPickerWithAltDown(box, b);
    return b;
}

}  // namespace

void TImportTextForm::buildLayout() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    bankCombo_ = new QComboBox(this);
    bankCombo_->setObjectName(QStringLiteral("BankCombo"));
    for (const exchange::StatementFormat& f : exchange::statementFormats())
        bankCombo_->addItem(f.name);
    bankCombo_->setCurrentIndex(-1);
    bankCombo_->setPlaceholderText(QStringLiteral("(choose)"));
    top->addWidget(importLabel(this, QStringLiteral("Select your &bank :"), bankCombo_));
    top->addWidget(bankCombo_);
    top->addStretch();
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    middle->addWidget(buildBankGroup());
    middle->addWidget(buildDetailsGroup(), 1);
    layout->addLayout(middle);
    layout->addWidget(buildTypeGroup());

    auto* gridLabel = new QHBoxLayout;
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("ImportGrid"));
    model_ = new exchange::StatementGridModel(this);
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured over the whole file.
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
    grid_->horizontalHeader()->resizeSection(0, 90);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    grid_->horizontalHeader()->resizeSection(2, 150);
    grid_->setMinimumHeight(160);
    gridLabel->addWidget(importLabel(this, QStringLiteral("Statement &lines :"), grid_));
    gridLabel->addStretch();
    buildWholeStatementButton(gridLabel);
    getFileButton_ = new QPushButton(QStringLiteral("&Get File"), this);
    getFileButton_->setObjectName(QStringLiteral("GetFileButton"));
    getFileButton_->setToolTip(QStringLiteral("Find the import file"));
    getFileButton_->setAutoDefault(false);
    gridLabel->addWidget(getFileButton_);
    gridLabel->addWidget(makeAcceptAllButton());
    layout->addLayout(gridLabel);
    layout->addWidget(grid_, 1);

    addFrame(layout, {{NewButton, QStringLiteral("&Add")},
                      {SaveButton, QStringLiteral("A&ccept")},
                      {DeleteButton, QStringLiteral("&Delete")},
                      {CancelButton, QStringLiteral("Ca&ncel")},
                      {ExitButton, QStringLiteral("E&xit")}});
    button(NewButton)->setToolTip(
        QStringLiteral("Get the highlighted record and place it in the required fields."));
    button(SaveButton)
        ->setToolTip(QStringLiteral("Save the record displayed in Transaction Details"));
    button(DeleteButton)->setToolTip(QStringLiteral("Delete highlighted line"));
    button(CancelButton)->setToolTip(QStringLiteral("Cancel changes"));
    setCloseRefusal(exchange::kFinishFirstText);
    resize(1000, 720);
}

QGroupBox* TImportTextForm::buildBankGroup() {
    auto* group = new QGroupBox(QStringLiteral(" Bank Account "), this);
    auto* g = new QGridLayout(group);
    bankCodeEdit_ = ui::textBox(group, "BankCodeEdit", 10, 90);
    ui::makeCodeBox(bankCodeEdit_);
    acctNoEdit_ = ui::textBox(group, "AcctNoEdit", 30, 150);
    bankPickButton_ = importPicker(
        group, "BankPickButton", QStringLiteral("View/select from bank account list"), acctNoEdit_);
    auto* acct = new QHBoxLayout;
    acct->addWidget(bankCodeEdit_);
    acct->addWidget(acctNoEdit_);
    acct->addWidget(bankPickButton_);
    g->addWidget(importLabel(group, QStringLiteral("Bank Acc&t  :"), bankCodeEdit_), 0, 0);
    g->addLayout(acct, 0, 1);
    bankDescLabel_ = importNote(group, "BankDescLabel");
    accountStatusLabel_ = importNote(group, "AccountStatusLabel");
    allocatedLabel_ = importNote(group, "AllocatedLabel");
    g->addWidget(bankDescLabel_, 1, 1);
    g->addWidget(accountStatusLabel_, 2, 1);
    g->addWidget(allocatedLabel_, 3, 1);
    openBalEdit_ = ui::figureBox(group, "OpenBalEdit", 120);
    currBalEdit_ = ui::figureBox(group, "CurrBalEdit", 120);
    odAmountEdit_ = ui::figureBox(group, "OdAmountEdit", 120);
    g->addWidget(importLabel(group, QStringLiteral("Opening Balance :")), 4, 0);
    g->addWidget(openBalEdit_, 4, 1, Qt::AlignLeft);
    g->addWidget(importLabel(group, QStringLiteral("Current Balance :")), 5, 0);
    g->addWidget(currBalEdit_, 5, 1, Qt::AlignLeft);
    g->addWidget(importLabel(group, QStringLiteral("Overdraft :")), 6, 0);
    g->addWidget(odAmountEdit_, 6, 1, Qt::AlignLeft);
    navigator_ = new ui::Navigator(group);
    navigator_->setObjectName(QStringLiteral("AccountNavigator"));
    g->addWidget(navigator_, 7, 1, Qt::AlignLeft);
    g->setRowStretch(8, 1);
    return group;
}

QGroupBox* TImportTextForm::buildDetailsGroup() {
    detailsGroup_ = new QGroupBox(QStringLiteral(" Transaction Details "), this);
    auto* g = new QGridLayout(detailsGroup_);
    purposeEdit_ = ui::textBox(detailsGroup_, "AcctEdit", 30, 150);
    ui::makeCodeBox(purposeEdit_);
    ledgerButton_ = importPicker(detailsGroup_, "LedgerButton",
                                 QStringLiteral("View/select from account list"), purposeEdit_);
    auto* purpose = new QHBoxLayout;
    purpose->addWidget(purposeEdit_);
    purpose->addWidget(ledgerButton_);
    acctDescLabel_ = importNote(detailsGroup_, "AcctDescLabel");
    purpose->addWidget(acctDescLabel_, 1);
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("&Purpose :"), purposeEdit_), 0, 0);
    g->addLayout(purpose, 0, 1, 1, 3);
    belongsLabel_ = importNote(detailsGroup_, "BelongsLabel");
    g->addWidget(belongsLabel_, 1, 1, 1, 3);
    amountEdit_ = ui::textBox(detailsGroup_, "AmountEdit", 16, 120);
    amountEdit_->setAlignment(Qt::AlignRight);
    taxEdit_ = ui::figureBox(detailsGroup_, "TaxEdit", 100);
    taxLabel_ = importLabel(detailsGroup_, QStringLiteral("Tax :"));
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("A&mount : "), amountEdit_), 2, 0);
    g->addWidget(amountEdit_, 2, 1, Qt::AlignLeft);
    g->addWidget(taxLabel_, 2, 2, Qt::AlignRight);
    g->addWidget(taxEdit_, 2, 3, Qt::AlignLeft);
    narrativeEdit_ = ui::textBox(detailsGroup_, "NarrativeEdit", 200);
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("Na&rrative :"), narrativeEdit_), 3, 0);
    g->addWidget(narrativeEdit_, 3, 1, 1, 3);
    dateEdit_ = ui::textBox(detailsGroup_, "DateEdit", 10, 100);
    dateEdit_->setReadOnly(true);
    dateEdit_->setFocusPolicy(Qt::NoFocus);
    refEdit_ = ui::textBox(detailsGroup_, "RefEdit", 11, 120);
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("Date :")), 4, 0);
    g->addWidget(dateEdit_, 4, 1, Qt::AlignLeft);
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("Ref. N&o. :"), refEdit_), 4, 2,
                 Qt::AlignRight);
    g->addWidget(refEdit_, 4, 3, Qt::AlignLeft);
    refStatusLabel_ = importNote(detailsGroup_, "RefStatusLabel");
    g->addWidget(refStatusLabel_, 5, 1, 1, 3);
    sourceCombo_ = new QComboBox(detailsGroup_);
    sourceCombo_->setObjectName(QStringLiteral("SourceCombo"));
    sourceCombo_->setEditable(true);
    sourceCombo_->addItems({QStringLiteral("EFTPOS"), QStringLiteral("Credit Card"),
                            QStringLiteral("Cash"), QStringLiteral("Electronic Transfer"),
                            QStringLiteral("CHEQUE"), QStringLiteral("Misc"), QStringLiteral("ATM"),
                            QStringLiteral("AP"), QStringLiteral("Direct Credit"),
                            QStringLiteral("Direct Debit")});
    sourceCombo_->setCurrentIndex(-1);
    sourceCombo_->setToolTip(QStringLiteral("Select to enable reporting on transaction sources"));
    g->addWidget(importLabel(detailsGroup_, QStringLiteral("&Source :"), sourceCombo_), 6, 0);
    g->addWidget(sourceCombo_, 6, 1, Qt::AlignLeft);
    g->setColumnStretch(3, 1);
    g->setRowStretch(7, 1);  // the boxes stay together at the top
    return detailsGroup_;
}

QGroupBox* TImportTextForm::buildTypeGroup() {
    typeGroup_ = new QGroupBox(QStringLiteral(" Type "), this);
    typeGroup_->setObjectName(QStringLiteral("TypeGroup"));
    auto* v = new QHBoxLayout(typeGroup_);
    auto* buttons = new QButtonGroup(typeGroup_);
    const QStringList captions{QStringLiteral("D&eposit"), QStringLiteral("&Withdrawal"),
                               QStringLiteral("Cheq&ue/Payment"), QStringLiteral("&Interest"),
                               QStringLiteral("&Fees/Debits")};
    const char* names[] = {"DepositRadio", "WithdrawalRadio", "ChequeRadio", "InterestRadio",
                           "FeesRadio"};
    for (int i = 0; i < captions.size(); ++i) {
        auto* r = new QRadioButton(captions[i], typeGroup_);
        r->setObjectName(QString::fromLatin1(names[i]));
        buttons->addButton(r, i);
        v->addWidget(r);
        typeButtons_.push_back(r);
    }
    v->addStretch();
    typeButtons_.front()->setChecked(true);
    return typeGroup_;
}
