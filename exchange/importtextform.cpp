#include "exchange/importtextform.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolButton>
#include <limits>

#include "banking/acctselform.h"
#include "banking/bank_entry_reads.h"
#include "banking/money_limits.h"
#include "exchange/getbankasciifile.h"
#include "exchange/statement_file.h"
#include "exchange/statement_grid.h"
#include "ledger/accountlists.h"
#include "ledger/company.h"
#include "payments/payment_tax.h"
#include "store/format.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace fmt = store::fmt;
using exchange::ImportType;

TImportTextForm::TImportTextForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("ImportTextForm")) {
    buildLayout();
    connectHandlers();
    connectWholeStatementHandlers();
    connectBatchHandlers();
}

TImportTextForm::~TImportTextForm() = default;

void TImportTextForm::connectHandlers() {
    connect(getFileButton_, &QPushButton::clicked, this, &TImportTextForm::GetFileButtonClick);
    connect(bankCodeEdit_, &QLineEdit::editingFinished, this, &TImportTextForm::BankCodeEditDone);
    connect(acctNoEdit_, &QLineEdit::editingFinished, this, &TImportTextForm::BankAcctEditDone);
    connect(bankPickButton_, &QToolButton::clicked, this, &TImportTextForm::BankPickButtonClick);
    connect(navigator_, &ui::Navigator::moved, this, &TImportTextForm::accountNavigated);
    connect(purposeEdit_, &QLineEdit::textChanged, this, &TImportTextForm::PurposeEditChange);
    connect(ledgerButton_, &QToolButton::clicked, this, &TImportTextForm::LedgerButtonClick);
    connect(amountEdit_, &QLineEdit::textChanged, this, &TImportTextForm::AmountEditChange);
    connect(refEdit_, &QLineEdit::textChanged, this, &TImportTextForm::RefEditChange);
    connect(narrativeEdit_, &QLineEdit::editingFinished, this, &TImportTextForm::NarrativeEditDone);
    connect(sourceCombo_, &QComboBox::currentTextChanged, this, &TImportTextForm::SourceChange);
    for (std::size_t i = 0; i < typeButtons_.size(); ++i)
        connect(typeButtons_[i], &QRadioButton::clicked, this,
                [this, i] { TypeClick(ImportType(int(i))); });
    connect(grid_, &QTableView::doubleClicked, this, [this] { NewButtonClick(); });
}

// --- Frame -----------------------------------------------------------------------------------

void TImportTextForm::FormShow() {
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        company_ = banking::readCompany(connection_);
        company_.coy = coyCode;
        setWindowTitle(QStringLiteral(" Importing bank account file for : ") +
                       ledger::companyName(connection_, coyCode));
        memory_.ensureExists();
        accounts_ = banking::bankAccountsOf(connection_, coyCode);
        navigator_->setTarget(ui::indexTarget(accounts_, accountIndex_));
        if (!accounts_.empty()) {
            accountIndex_ = 0;
            selectAccount(accounts_.front().bankCode, accounts_.front().acctNo);
        }
        navigator_->updateButtons();
    });
    resetDetailBoxes();
}

QString TImportTextForm::modeText(ui::EditMode mode) const {
    return mode == ui::EditMode::Browsing ? QStringLiteral("Viewing import file.")
                                          : QStringLiteral("Importing transaction.");
}

void TImportTextForm::applyMode(ui::EditMode mode) {
    const bool browse = mode == ui::EditMode::Browsing;
    detailsGroup_->setEnabled(!browse);
    typeGroup_->setEnabled(!browse);
    grid_->setEnabled(browse);
    getFileButton_->setEnabled(browse);
    acceptAllButton_->setEnabled(browse);
    bankCombo_->setEnabled(browse);
    navigator_->setEnabledAll(browse);
    updateCsvLayoutButton();
    if (!browse) updateAcceptAllowed();
}

bool TImportTextForm::startNew() {
    addingRow_ = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    addingLine_.reset();
    resetDetailBoxes();
    if (!chosenFormat()) {
        ui::beep();
        ui::warning(this, exchange::kNoBankChosenText);
        purposeEdit_->setFocus();
        return true;  // typed by hand instead
    }
    if (!insistOnLineInBooks(addingRow_)) return false;
    fillFromGridLine(addingRow_);
    askOverlap();
    updateAcceptAllowed();
    purposeEdit_->setFocus();
    return true;
}

bool TImportTextForm::saveRecord() {
    exchange::AcceptInput in;
    in.coy = coyCode;
    in.bankChosen = chosenFormat() != nullptr;
    in.bankCode = bankCodeEdit_->text().trimmed();
    in.acctNo = acctNoEdit_->text().trimmed();
    in.details.type = currentType();
    in.details.reference = refEdit_->text().trimmed();
    in.details.date = exchange::dayMonthYearDate(dateEdit_->text());
    double amount = 0.0;
    if (!fmt::parseMoney(amountEdit_->text(), &amount)) amount = 0.0;
    in.details.amount = amount;
    in.details.purpose = purposeEdit_->text().trimmed();
    in.details.narrative = narrativeEdit_->text();
    in.details.source = sourceCombo_->currentText().trimmed();
    in.statementLine = addingLine_;
    const exchange::AcceptResult r =
        exchange::acceptImportLine(connection_, in, [this](const banking::Confirmation& q) {
            return ui::showMessage(this, ui::MsgKind::Warning, q.text, ui::MsgButtons::YesNo) ==
                   ui::MsgAnswer::Yes;
        });
    if (!r.ok()) {
        if (r.beep) ui::beep();
        if (!r.message.isEmpty())
            ui::error(this, r.detail.isEmpty() ? r.message : r.message + u'\n' + r.detail);
        return false;
    }
    // Only what was committed is remembered and blanked.
    ui::guarded(this, [&] {
        memory_.remember(in.details.narrative,
                         {in.details.purpose, in.details.source, int(in.details.type)});
    });
    if (!latestAccepted_.isValid() || in.details.date > latestAccepted_)
        latestAccepted_ = in.details.date;
    model_->blankLine(addingRow_, exchange::LineState::Accepted);
    currBalEdit_->setText(fmt::money(r.balance));
    return true;
}

void TImportTextForm::cancelRecord() { resetDetailBoxes(); }

// "Last Date" moves on to the latest line accepted, once the window closes: a statement read
// newest first asks nothing of its own lines, the next import of the same lines asks.
void TImportTextForm::closeTables() {
    ui::guarded(this, [this] { memory_.advanceLastDate(latestAccepted_); });
}

void TImportTextForm::deleteRecord() {
    if (grid_->currentIndex().isValid())
        model_->blankLine(grid_->currentIndex().row(), exchange::LineState::Deleted);
}

void TImportTextForm::showCurrent() {
    resetDetailBoxes();
    ui::guarded(this, [this] {
        if (bank_) selectAccount(bank_->account.bankCode, bank_->account.acctNo);
    });
    grid_->setFocus();
}

// --- The file --------------------------------------------------------------------------------

void TImportTextForm::GetFileButtonClick() {
    QString path;
    const bool chosen = ui::openWindow<TGetBankAsciiFile>(
        this, ui::NoInputs{}, [&](TGetBankAsciiFile& w, int code) {
            path = w.chosenPath;
            return code == QDialog::Accepted && !path.isEmpty();
        });
    if (chosen) loadStatementFile(path);
}

bool TImportTextForm::loadStatementFile(const QString& path) {
    chooseFormatOfFile(path);
    const exchange::StatementFormat* format = chosenFormat();
    const bool whole = format && format->kind != exchange::StatementKind::Lines;
    const exchange::StatementFile file = exchange::readStatementFile(
        path, whole ? std::numeric_limits<qsizetype>::max() : exchange::kLongestStatementLine);
    if (!file.ok()) {
        ui::beep();
        ui::error(this, file.problem);
        return false;
    }
    statementPath_ = path;
    fileLines_ = file.lines;
    showingWhole_ = false;
    model_->setLines(file.lines);
    if (!file.lines.isEmpty()) grid_->setCurrentIndex(model_->index(0, 1));
    bankCombo_->setEnabled(true);
    readWholeStatement();
    markLinesInBooks();
    return true;
}

const exchange::StatementFormat* TImportTextForm::chosenFormat() const {
    return exchange::findStatementFormat(
        bankCombo_->currentIndex() < 0 ? QString() : bankCombo_->currentText());
}

// --- The bank account ------------------------------------------------------------------------

void TImportTextForm::selectAccount(const QString& bankCode, const QString& acctNo) {
    const bool wasFilling = filling_;
    filling_ = true;
    bankCodeEdit_->setText(bankCode.trimmed());
    acctNoEdit_->setText(acctNo.trimmed());
    filling_ = wasFilling;
    bank_.reset();
    const exchange::BankAccountCheck check =
        exchange::checkImportBankAccount(connection_, coyCode, bankCode, acctNo);
    accountStatusLabel_->clear();
    bankDescLabel_->clear();
    allocatedLabel_->clear();
    if (check.state == exchange::BankAccountState::NotFound) {
        accountStatusLabel_->setText(exchange::kAccountNotFoundText);
        showAccountFigures();
    } else {
        bankDescLabel_->setText(check.found.account.desc.trimmed());
        allocatedLabel_->setText(check.found.allocatedText);
        openBalEdit_->setText(fmt::money(check.found.account.openBal));
        currBalEdit_->setText(fmt::money(check.found.account.currBal));
        odAmountEdit_->setText(fmt::money(check.found.account.odAmount));
        if (check.state == exchange::BankAccountState::NoOpeningBalance) {
            ui::beep();
            accountStatusLabel_->setText(exchange::kOpeningMissingText);
            ui::error(this, exchange::kOpeningMissingError);
        } else {
            bank_ = check.found;
        }
    }
    for (std::size_t i = 0; i < accounts_.size(); ++i)
        if (accounts_[i].bankCode == check.found.account.bankCode &&
            accounts_[i].acctNo == check.found.account.acctNo)
            accountIndex_ = int(i);
    navigator_->updateButtons();
    if (!browsing()) PurposeEditChange();
    updateAcceptAllowed();
    accountChangedForWholeStatement();
    markLinesInBooks();
}

void TImportTextForm::showAccountFigures() {
    for (QLineEdit* e : {openBalEdit_, currBalEdit_, odAmountEdit_}) e->setText(fmt::money(0.0));
}

void TImportTextForm::BankCodeEditDone() {
    if (filling_) return;
    ui::guarded(this, [this] {
        if (!banking::bankExists(connection_, bankCodeEdit_->text().trimmed())) {
            ui::beep();
            accountStatusLabel_->setText(exchange::kBankCodeNotFoundText);
            return;
        }
        if (!acctNoEdit_->text().trimmed().isEmpty()) BankAcctEditDone();
    });
}

void TImportTextForm::BankAcctEditDone() {
    if (filling_) return;
    const QString bank = bankCodeEdit_->text().trimmed(), acct = acctNoEdit_->text().trimmed();
    if (bank_ && bank_->account.bankCode == bank && bank_->account.acctNo == acct) return;
    ui::guarded(this, [&] { selectAccount(bank, acct); });
}

void TImportTextForm::BankPickButtonClick() {
    QString bank, acct;
    const bool chosen = ui::openWindow<TAcctSelForm>(
        this, [this](TAcctSelForm& w) { w.coyCode = QString::number(coyCode); },
        [&](TAcctSelForm& w, int code) {
            bank = w.bankCode;
            acct = w.acctNo;
            return code == QDialog::Accepted;
        });
    if (chosen) ui::guarded(this, [&] { selectAccount(bank, acct); });
}

void TImportTextForm::accountNavigated() {
    if (accountIndex_ < 0 || accountIndex_ >= int(accounts_.size())) return;
    const banking::BankAccount a = accounts_[std::size_t(accountIndex_)];
    ui::guarded(this, [&] { selectAccount(a.bankCode, a.acctNo); });
}

// --- The details -----------------------------------------------------------------------------

ImportType TImportTextForm::currentType() const {
    for (std::size_t i = 0; i < typeButtons_.size(); ++i)
        if (typeButtons_[i]->isChecked()) return ImportType(int(i));
    return ImportType::Deposit;
}

void TImportTextForm::setType(ImportType type) {
    typeButtons_[std::size_t(type)]->setChecked(true);
}

void TImportTextForm::showDetails(const exchange::ImportDetails& d) {
    filling_ = true;
    setType(d.type);
    refEdit_->setText(d.reference);
    dateEdit_->setText(d.date.isValid() ? d.date.toString(QStringLiteral("dd/MM/yyyy"))
                                        : QString());
    amountEdit_->setText(fmt::money(d.amount));
    narrativeEdit_->setText(d.narrative);
    sourceCombo_->setEditText(d.source);
    purposeEdit_->setText(d.purpose);
    filling_ = false;
    PurposeEditChange();
    RefEditChange();
}

void TImportTextForm::resetDetailBoxes() {
    overlapAccepted_ = true;
    exchange::ImportDetails d =
        bank_ ? exchange::resetDetails(*bank_, QDate::currentDate()) : exchange::ImportDetails{};
    if (!bank_) d.date = QDate::currentDate();
    showDetails(d);
    amountEdit_->setText(QStringLiteral("00.00"));
    taxEdit_->setText(QStringLiteral("00.00"));
    acctDescLabel_->clear();
    belongsLabel_->clear();
}

void TImportTextForm::fillFromGridLine(int row) {
    const QString text = model_->line(row);
    if (text.trimmed().isEmpty()) return;
    const exchange::StatementFormat* format = chosenFormat();
    const auto line = statementLineAt(row);
    if (!line) {
        ui::information(this, QStringLiteral("Record %1 cannot be read as a %2 statement line; "
                                             "enter the transaction by hand or cancel.")
                                  .arg(row + 1)
                                  .arg(format->name));
        return;
    }
    exchange::ImportDetails d =
        bank_ ? exchange::resetDetails(*bank_, QDate::currentDate()) : exchange::ImportDetails{};
    std::optional<exchange::RememberedNarrative> memory;
    ui::guarded(this, [&] { memory = memory_.recall(line->narrative); });
    exchange::fillFromStatement(d, *line, memory);
    addingLine_ = *line;
    if (d.type == ImportType::Cheque && !line->cheque && bank_)
        d.reference = exchange::proposedReference(*bank_, d.type, format->carriesChequeNumbers);
    showDetails(d);
}

void TImportTextForm::askOverlap() {
    QDate last;
    ui::guarded(this, [&] { last = memory_.lastDate(); });
    const QDate date = exchange::dayMonthYearDate(dateEdit_->text());
    if (!exchange::overlapsLastDate(date, last)) return;
    overlapAccepted_ = ui::showMessage(this, ui::MsgKind::Warning, exchange::kOverlapQuestion,
                                       ui::MsgButtons::YesNo) == ui::MsgAnswer::Yes;
}

void TImportTextForm::applyMemory(const exchange::RememberedNarrative& memory) {
    if (!memory.code.trimmed().isEmpty()) purposeEdit_->setText(memory.code.trimmed());
    if (!memory.source.trimmed().isEmpty()) sourceCombo_->setEditText(memory.source);
    if (memory.type)
        if (const auto type = exchange::importTypeOfIndex(*memory.type)) TypeClick(*type);
}

void TImportTextForm::NarrativeEditDone() {
    if (filling_ || browsing()) return;
    ui::guarded(this, [this] {
        if (const auto memory = memory_.recall(narrativeEdit_->text())) applyMemory(*memory);
    });
}

void TImportTextForm::PurposeEditChange() {
    if (filling_) return;
    ui::guarded(this, [this] {
        const QString code = purposeEdit_->text().trimmed();
        ledger_ = exchange::resolveImportLedger(connection_, coyCode, code,
                                                bank_ ? &*bank_ : nullptr, currentType());
        acctDescLabel_->setText(ledger_.problem.isEmpty() && ledger_.account
                                    ? ledger_.account->descr.trimmed()
                                    : ledger_.problem);
        belongsLabel_->setText(ledger_.account ? ledger_.belongsText : QString());
        if (ledger_.beep && !browsing()) ui::beep();
    });
    updateTax();
    updateAcceptAllowed();
}

void TImportTextForm::LedgerButtonClick() {
    QString code;
    const bool chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = coyCode;
            w.selectEnabled = true;
            w.setWindowTitle(QStringLiteral("View/select from account list"));
        },
        [&](TDeptAcctListForm& w, int result) {
            code = w.acctCode;
            return result == QDialog::Accepted && !code.isEmpty();
        });
    if (chosen) purposeEdit_->setText(code);
    purposeEdit_->setFocus();
}

void TImportTextForm::AmountEditChange() {
    if (filling_) return;
    updateTax();
    updateAcceptAllowed();
}

void TImportTextForm::updateTax() {
    double amount = 0.0;
    if (!fmt::parseMoney(amountEdit_->text(), &amount)) amount = 0.0;
    bool taxed = false;
    ui::guarded(this, [&] {
        const auto company = payments::readPaymentCompany(connection_, coyCode);
        taxed = company && company->taxable && ledger_.account && ledger_.account->gstApplies &&
                ledger_.departmentTaxed && (!bank_ || bank_->departmentTaxed);
        taxEdit_->setText(
            fmt::money(exchange::importTax(taxed, company ? company->rate : 0.0, amount)));
    });
    taxLabel_->setVisible(taxed);
    taxEdit_->setVisible(taxed);
}

void TImportTextForm::RefEditChange() {
    if (filling_) return;
    referenceFree_ = false;
    refStatusLabel_->clear();
    const QString reference = refEdit_->text().trimmed();
    ui::guarded(this, [&] {
        if (reference.isEmpty() || !bank_) return;
        if (exchange::importReferenceInUse(connection_, coyCode, currentType(),
                                           bank_->account.bankCode, bank_->account.acctNo,
                                           reference)) {
            if (!browsing()) ui::beep();
            refStatusLabel_->setText(exchange::referenceInUseText(reference));
            return;
        }
        referenceFree_ = true;
    });
    updateAcceptAllowed();
}

void TImportTextForm::SourceChange(const QString& text) {
    if (filling_ || browsing()) return;
    if (exchange::sourceMakesCheque(text) && currentType() != ImportType::Cheque)
        TypeClick(ImportType::Cheque);
}

void TImportTextForm::TypeClick(ImportType type) {
    setType(type);
    if (filling_) return;
    const exchange::StatementFormat* format = chosenFormat();
    if (!browsing() && bank_) {
        const QString proposed =
            exchange::proposedReference(*bank_, type, format && format->carriesChequeNumbers);
        if (!proposed.isEmpty()) refEdit_->setText(proposed);
    }
    PurposeEditChange();
    RefEditChange();
}

void TImportTextForm::updateAcceptAllowed() {
    setSaveAllowed(bank_.has_value() && ledger_.ok() && referenceFree_ && overlapAccepted_);
}
