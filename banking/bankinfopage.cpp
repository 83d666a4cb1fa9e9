// The "Bank Information" page of bank set-up.
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "banking/bank_setup.h"
#include "banking/bankpages.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace banking {

namespace {

struct BoxField {
    const char* box;
    const char* field;
};

const BoxField kFields[] = {
    {"NameEdit", "NAME"},
    {"BranchEdit", "BRANCH"},
    {"PostAddr1Edit", "POST_ADDR1"},
    {"PostAddr2Edit", "POST_ADDR2"},
    {"PostAddr3Edit", "POST_ADDR3"},
    {"PostCodeEdit", "POSTCODE"},
    {"PhyAddr1Edit", "PHY_ADDR1"},
    {"PhyAddr2Edit", "PHY_ADDR2"},
    {"PhyAddr3Edit", "PHY_ADDR3"},
    {"PhoneNoEdit", "PHONENO"},
    {"FaxNoEdit", "FAXNO"},
    {"EmailEdit", "EMAIL"},
    {"ContactEdit", "CONTACT"},
};

}  // namespace

QLineEdit* BankInfoPage::box(const char* name, int maxLength) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    boxes_ << e;
    return e;
}

BankInfoPage::BankInfoPage(SetupContext& context) : SetupPage(context) {
    setObjectName(QStringLiteral("BankInfoPage"));
    auto* grid = new QGridLayout(this);
    auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    int row = 0;
    bankCodeEdit_ = box("BankCodeEdit", 6);
    bankCodeEdit_->setToolTip(QStringLiteral("Enter first 5 - 7 numbers of account no"));
    bankCodeEdit_->setMaximumWidth(90);
    duplicateLabel_ = new QLabel(duplicateBankCodeText(), this);
    duplicateLabel_->setObjectName(QStringLiteral("DuplicateLabel"));
    duplicateLabel_->setStyleSheet(QStringLiteral("color: #b00000;"));
    duplicateLabel_->hide();
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(bankCodeEdit_);
    codeRow->addWidget(duplicateLabel_);
    codeRow->addStretch();
    grid->addWidget(label(QStringLiteral("Bank Code No.: "), bankCodeEdit_), row, 0);
    grid->addLayout(codeRow, row++, 1, 1, 3);

    QLineEdit* name = box("NameEdit", 50);
    grid->addWidget(label(QStringLiteral("Name : "), name), row, 0);
    grid->addWidget(name, row++, 1, 1, 3);
    QLineEdit* branch = box("BranchEdit", 25);
    grid->addWidget(label(QStringLiteral("Branch :"), branch), row, 0);
    grid->addWidget(branch, row++, 1);

    // Made in typing order: Tab runs down the postal address and its code, then down the
    // physical address beside it.
    QLineEdit* post[3];
    QLineEdit* phy[3];
    for (int i = 0; i < 3; ++i)
        post[i] = box(QStringLiteral("PostAddr%1Edit").arg(i + 1).toLatin1().constData(), 35);
    QLineEdit* postCode = box("PostCodeEdit", 8);
    for (int i = 0; i < 3; ++i)
        phy[i] = box(QStringLiteral("PhyAddr%1Edit").arg(i + 1).toLatin1().constData(), 35);
    grid->addWidget(label(QStringLiteral("Postal Address :"), post[0]), row, 0);
    grid->addWidget(label(QStringLiteral("Physical Address :"), phy[0]), row, 2);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(post[i], row, 1);
        grid->addWidget(phy[i], row++, 3);
    }
    postCode->setMaximumWidth(90);
    grid->addWidget(label(QStringLiteral("Postal Code :"), postCode), row, 0);
    grid->addWidget(postCode, row++, 1);
    QLineEdit* phone = box("PhoneNoEdit", 25);
    QLineEdit* fax = box("FaxNoEdit", 25);
    grid->addWidget(label(QStringLiteral("Phone No. :"), phone), row, 0);
    grid->addWidget(phone, row, 1);
    grid->addWidget(label(QStringLiteral("Fax  No :"), fax), row, 2);
    grid->addWidget(fax, row++, 3);
    QLineEdit* email = box("EmailEdit", 40);
    QLineEdit* contact = box("ContactEdit", 40);
    grid->addWidget(label(QStringLiteral("E-Mail :"), email), row, 0);
    grid->addWidget(email, row, 1);
    grid->addWidget(label(QStringLiteral("Contact Name :"), contact), row, 2);
    grid->addWidget(contact, row++, 3);

    defaultAccEdit_ = new QLineEdit(this);
    defaultAccEdit_->setObjectName(QStringLiteral("DefaultAccEdit"));
    defaultAccEdit_->setReadOnly(true);
    defaultAccLabel_ = label(QStringLiteral("Default account number :"), defaultAccEdit_);
    defaultAccLabel_->setObjectName(QStringLiteral("DefaultAccLabel"));
    grid->addWidget(defaultAccLabel_, row, 0);
    grid->addWidget(defaultAccEdit_, row++, 1);
    defaultAccLabel_->hide();
    defaultAccEdit_->hide();

    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("BankNavigator"));
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(navigator_);
    navRow->addStretch();
    grid->addLayout(navRow, row++, 0, 1, 4);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(bankCodeEdit_, &QLineEdit::textEdited, this,
            [this](const QString& t) { BankCodeEditChange(t); });
    connect(navigator_, &ui::Navigator::moved, this, [this] { showCurrent(); });
}

BankInfoPage::~BankInfoPage() { closeTables(); }

void BankInfoPage::openTables() {
    banks_ = std::make_unique<store::Table>(connection(), QStringLiteral("QVBkHdr.DBF"));
    banks_->setIndexName(QStringLiteral("BANKCODE"));
    banks_->open();
    banks_->first();
    navigator_->setTable(banks_.get());
}

void BankInfoPage::closeTables() {
    navigator_->setTable(nullptr);
    banks_.reset();
}

void BankInfoPage::showCurrent() {
    duplicateLabel_->hide();
    if (!banks_ || !banks_->hasRecord()) {
        for (QLineEdit* e : std::as_const(boxes_)) e->clear();
        defaultAccEdit_->clear();
    } else {
        bankCodeEdit_->setText(banks_->text("BANKCODE"));
        for (const BoxField& f : kFields)
            findChild<QLineEdit*>(QString::fromLatin1(f.box))
                ->setText(banks_->text(QString::fromLatin1(f.field)));
        defaultAccEdit_->setText(banks_->text("DEFAULTACC"));
    }
    const bool hasDefault = !defaultAccEdit_->text().trimmed().isEmpty();
    defaultAccLabel_->setVisible(hasDefault);
    defaultAccEdit_->setVisible(hasDefault);
    navigator_->updateButtons();
}

void BankInfoPage::applyMode(bool active) {
    const bool editable = active && !browsing();
    for (QLineEdit* e : std::as_const(boxes_)) e->setReadOnly(!editable);
    bankCodeEdit_->setReadOnly(!(active && ctx_.mode == SetupMode::Adding));
    navigator_->setEnabledAll(browsing());
}

bool BankInfoPage::startNew() {
    if (!banks_) return false;
    for (QLineEdit* e : std::as_const(boxes_)) e->clear();
    defaultAccEdit_->clear();
    defaultAccLabel_->hide();
    defaultAccEdit_->hide();
    duplicateLabel_->hide();
    ctx_.allowSave(false);
    bankCodeEdit_->setFocus();
    return true;
}

bool BankInfoPage::startEdit() {
    if (!banks_ || !banks_->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("Cannot edit. No bank set up. Click New to create."));
        return false;
    }
    ctx_.allowSave(true);
    findChild<QLineEdit*>(QStringLiteral("NameEdit"))->setFocus();
    return true;
}

void BankInfoPage::BankCodeEditChange(const QString& text) {
    if (ctx_.mode != SetupMode::Adding) return;
    bool used = false;
    if (!text.trimmed().isEmpty() &&
        !ui::guarded(this, [&] { used = bankCodeUsed(connection(), text); }))
        used = true;
    duplicateLabel_->setVisible(used);
    ctx_.allowSave(!text.trimmed().isEmpty() && !used);
}

bool BankInfoPage::save() {
    BankDetails d;
    auto text = [this](const char* name) {
        return findChild<QLineEdit*>(QString::fromLatin1(name))->text();
    };
    d.bankCode = bankCodeEdit_->text();
    d.name = text("NameEdit");
    d.branch = text("BranchEdit");
    d.postAddr1 = text("PostAddr1Edit");
    d.postAddr2 = text("PostAddr2Edit");
    d.postAddr3 = text("PostAddr3Edit");
    d.postCode = text("PostCodeEdit");
    d.phyAddr1 = text("PhyAddr1Edit");
    d.phyAddr2 = text("PhyAddr2Edit");
    d.phyAddr3 = text("PhyAddr3Edit");
    d.phoneNo = text("PhoneNoEdit");
    d.faxNo = text("FaxNoEdit");
    d.email = text("EmailEdit");
    d.contact = text("ContactEdit");
    if (d.bankCode.trimmed().isEmpty()) {
        ui::information(this, enterBankCodeText());
        return false;
    }
    BankSave result = BankSave::Saved;
    const bool ok = ui::guarded(this, [&] {
        if (ctx_.mode == SetupMode::Adding)
            result = addBank(*banks_, d);
        else
            updateBank(*banks_, d);
    });
    if (!ok) return false;  // the record was cancelled; the mode stays
    if (result == BankSave::DuplicateCode) {
        duplicateLabel_->show();
        ctx_.allowSave(false);
        return false;
    }
    if (result != BankSave::Saved) return false;
    ctx_.changed();
    return true;
}

void BankInfoPage::cancel() {
    if (banks_ && banks_->state() != store::EditState::Browse)
        ui::guarded(this, [this] { banks_->cancel(); });
}

void BankInfoPage::remove() {
    if (!banks_ || !banks_->hasRecord()) {
        ui::beep();
        return;
    }
    if (!ui::confirm(this, confirmBankDeletionText(banks_->text("NAME")))) return;
    ui::guarded(this, [this] {
        const BankDelete result = deleteBank(connection(), banks_->text("BANKCODE"));
        if (result == BankDelete::HasAccounts) ui::warning(this, bankHasAccountsText());
        if (result == BankDelete::Deleted) ctx_.changed();
        banks_->refresh();  // moves on when the bank is gone
    });
}

}  // namespace banking
