// The statement import window's statements read whole: an OFX/QFX file through libofx, its
// account checked against the chosen one, and a CSV file through the column layout saved for
// the bank account (asked for on its first CSV statement, changed with "CSV la&yout").

#include <QBoxLayout>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "exchange/csvmappingform.h"
#include "exchange/importtextform.h"
#include "exchange/statement_file.h"
#include "exchange/statement_grid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/opener.h"

namespace {

QString wholeAccountKey(const std::optional<exchange::ImportBankAccount>& bank) {
    return bank ? bank->account.bankCode.trimmed() + u'/' + bank->account.acctNo.trimmed()
                : QString();
}

}  // namespace

void TImportTextForm::buildWholeStatementButton(QBoxLayout* row) {
    csvLayoutButton_ = new QPushButton(QStringLiteral("CSV la&yout"), this);
    csvLayoutButton_->setObjectName(QStringLiteral("CsvLayoutButton"));
    csvLayoutButton_->setToolTip(
        QStringLiteral("Choose the columns of this bank account's CSV statements"));
    csvLayoutButton_->setAutoDefault(false);
    row->addWidget(csvLayoutButton_);
}

// Only a CSV statement has a column layout to choose.
void TImportTextForm::updateCsvLayoutButton() {
    const exchange::StatementFormat* format = chosenFormat();
    csvLayoutButton_->setEnabled(mode() == ui::EditMode::Browsing && format &&
                                 format->kind == exchange::StatementKind::Csv);
}

void TImportTextForm::connectWholeStatementHandlers() {
    connect(bankCombo_, &QComboBox::currentIndexChanged, this, [this] { readWholeStatement(); });
    connect(csvLayoutButton_, &QPushButton::clicked, this, &TImportTextForm::CsvLayoutButtonClick);
}

// A file named .ofx or .qfx is read as one when no format is chosen yet.
void TImportTextForm::chooseFormatOfFile(const QString& path) {
    if (chosenFormat()) return;
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("ofx") && suffix != QLatin1String("qfx")) return;
    const QSignalBlocker quiet(bankCombo_);
    bankCombo_->setCurrentText(exchange::kOfxFormatName);
}

std::optional<exchange::StatementLine> TImportTextForm::statementLineAt(int row) const {
    if (model_->line(row).trimmed().isEmpty()) return std::nullopt;
    return statementLineOf(row);
}

void TImportTextForm::showFileLines() {
    wholeLines_.clear();
    if (showingWhole_) model_->setLines(fileLines_);
    showingWhole_ = false;
}

void TImportTextForm::accountChangedForWholeStatement() {
    if (wholeAccountKey(bank_) != wholeAccount_) readWholeStatement();
}

// The file read again whole for the chosen format and account; a file the format cannot read,
// a layout not chosen or an account not confirmed leaves the file's own lines, none importable.
void TImportTextForm::readWholeStatement() {
    updateCsvLayoutButton();
    wholeAccount_ = wholeAccountKey(bank_);
    const exchange::StatementFormat* format = chosenFormat();
    if (statementPath_.isEmpty() || !format || format->kind == exchange::StatementKind::Lines ||
        !bank_) {
        showFileLines();
        return;
    }
    std::optional<exchange::StatementRows> rows;
    ui::guarded(this, [&] { rows = readChosenStatement(*format); });
    if (rows && !rows->ok()) {
        ui::beep();
        ui::error(this, rows->problem);
    }
    if (!rows || !rows->ok() || !fileAccountAccepted(*rows)) {
        showFileLines();
        return;
    }
    QStringList shown;
    wholeLines_.clear();
    for (const exchange::StatementRow& r : rows->rows) {
        shown << r.shown;
        wholeLines_.push_back(r.line);
    }
    model_->setLines(shown);
    showingWhole_ = true;
    if (!shown.isEmpty()) grid_->setCurrentIndex(model_->index(0, 1));
}

// Nothing when the user chose no CSV layout.
std::optional<exchange::StatementRows> TImportTextForm::readChosenStatement(
    const exchange::StatementFormat& f) {
    if (f.kind == exchange::StatementKind::Ofx)
        return exchange::rowsOfOfx(exchange::readOfxStatement(statementPath_));
    const std::optional<exchange::CsvMapping> mapping = csvMappingOfAccount();
    if (!mapping) return std::nullopt;
    return exchange::readCsvStatementRows(statementPath_, *mapping);
}

bool TImportTextForm::fileAccountAccepted(const exchange::StatementRows& rows) {
    const QString bank = bank_->account.bankCode, acct = bank_->account.acctNo;
    if (exchange::ofxAccountMatches(rows.account, bank, acct)) return true;
    return ui::showMessage(this, ui::MsgKind::Warning,
                           exchange::ofxAccountQuestion(rows.account, bank, acct),
                           ui::MsgButtons::YesNo) == ui::MsgAnswer::Yes;
}

// The account's saved layout, or on its first CSV statement the one the user chooses.
std::optional<exchange::CsvMapping> TImportTextForm::csvMappingOfAccount() {
    const auto saved = exchange::savedCsvMapping(exchange::csvMappingFile(),
                                                 bank_->account.bankCode, bank_->account.acctNo);
    return saved ? saved : askCsvMapping(exchange::CsvMapping{});
}

// The layout window over the loaded file; a saved layout is written for the account at once.
std::optional<exchange::CsvMapping> TImportTextForm::askCsvMapping(
    const exchange::CsvMapping& start) {
    const exchange::StatementText sample = statementPath_.isEmpty()
                                               ? exchange::StatementText{}
                                               : exchange::readStatementText(statementPath_);
    std::optional<exchange::CsvMapping> chosen;
    ui::openWindow<TCsvMappingForm>(
        this,
        [&](TCsvMappingForm& w) {
            w.setMapping(start);
            w.setSample(sample.text);
        },
        [&](TCsvMappingForm& w, int code) {
            if (code == QDialog::Accepted) chosen = w.mapping();
            return code == QDialog::Accepted;
        });
    if (!chosen) return std::nullopt;
    bool saved = false;
    ui::guarded(this, [&] {
        exchange::saveCsvMapping(exchange::csvMappingFile(), bank_->account.bankCode,
                                 bank_->account.acctNo, *chosen);
        saved = true;
    });
    return saved ? chosen : std::nullopt;
}

void TImportTextForm::CsvLayoutButtonClick() {
    if (!bank_) {
        ui::beep();
        ui::warning(this, QStringLiteral("Choose the bank account whose CSV layout to change."));
        return;
    }
    std::optional<exchange::CsvMapping> start;
    ui::guarded(this, [&] {
        start = exchange::savedCsvMapping(exchange::csvMappingFile(), bank_->account.bankCode,
                                          bank_->account.acctNo);
    });
    if (!askCsvMapping(start.value_or(exchange::CsvMapping{}))) return;
    const exchange::StatementFormat* format = chosenFormat();
    if (format && format->kind == exchange::StatementKind::Csv) readWholeStatement();
}
