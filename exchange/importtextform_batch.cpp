// The statement import window's lines already in the books and its "Accept all coded" command.

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>

#include "exchange/importtextform.h"
#include "exchange/statement_duplicates.h"
#include "exchange/statement_grid.h"
#include "store/format.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

QPushButton* TImportTextForm::makeAcceptAllButton() {
    acceptAllButton_ = new QPushButton(QStringLiteral("Accept all coded F7"), this);
    acceptAllButton_->setObjectName(QStringLiteral("AcceptAllButton"));
    acceptAllButton_->setToolTip(
        QStringLiteral("Accept every line the narrative memory codes that is not in the books"));
    acceptAllButton_->setAutoDefault(false);
    return acceptAllButton_;
}

void TImportTextForm::connectBatchHandlers() {
    connect(acceptAllButton_, &QPushButton::clicked, this, &TImportTextForm::AcceptAllCodedClick);
    auto* f7 = new QShortcut(QKeySequence(Qt::Key_F7), this);
    connect(f7, &QShortcut::activated, this, [this] {
        if (acceptAllButton_->isEnabled()) AcceptAllCodedClick();
    });
    connect(bankCombo_, &QComboBox::currentIndexChanged, this, [this] { markLinesInBooks(); });
}

// The row's line as the file gave it, also once the row is accepted or blanked: a statement read
// whole keeps its transactions beside the rows, a line format reads the row's original text.
std::optional<exchange::StatementLine> TImportTextForm::statementLineOf(int row) const {
    if (showingWhole_)
        return row >= 0 && row < int(wholeLines_.size()) ? wholeLines_[std::size_t(row)]
                                                         : std::nullopt;
    const exchange::StatementFormat* format = chosenFormat();
    const QString text = model_->originalLine(row);
    if (!format || !format->parse || text.trimmed().isEmpty()) return std::nullopt;
    exchange::LineContext context;
    context.account = bankCodeEdit_->text().trimmed() + u'-' + acctNoEdit_->text().trimmed();
    return format->parse(text, context);
}

// Accepted lines take part as lines the books hold, so that an equal line after them is matched
// by its own entry, not by theirs.
void TImportTextForm::markLinesInBooks() {
    std::vector<std::optional<exchange::StatementLine>> lines;
    lines.reserve(std::size_t(model_->rowCount()));
    for (int row = 0; row < model_->rowCount(); ++row)
        lines.push_back(model_->state(row) == exchange::LineState::Deleted ? std::nullopt
                                                                           : statementLineOf(row));
    std::vector<bool> inBooks(lines.size(), false);
    if (bank_ && chosenFormat())
        ui::guarded(this, [&] {
            inBooks = exchange::linesInBooks(connection_, coyCode, bank_->account.bankCode,
                                             bank_->account.acctNo, lines);
        });
    model_->markInBooks(inBooks);
}

bool TImportTextForm::insistOnLineInBooks(int row) {
    if (model_->state(row) != exchange::LineState::InBooks) return true;
    return ui::showMessage(this, ui::MsgKind::Warning, exchange::kImportAgainQuestion,
                           ui::MsgButtons::YesNo) == ui::MsgAnswer::Yes;
}

void TImportTextForm::AcceptAllCodedClick() {
    if (!browsing()) return;
    const exchange::StatementFormat* format = chosenFormat();
    if (!format || !bank_) {
        ui::beep();
        ui::warning(this, format ? exchange::kAccountNotFoundText : exchange::kNoBankChosenText);
        return;
    }
    markLinesInBooks();
    exchange::BatchInput in;
    in.coy = coyCode;
    in.bankCode = bank_->account.bankCode;
    in.acctNo = bank_->account.acctNo;
    in.formatCarriesCheques = format->carriesChequeNumbers;
    ui::guarded(this, [&] { in.lastDate = memory_.lastDate(); });
    for (int row = 0; row < model_->rowCount(); ++row) {
        const exchange::LineState state = model_->state(row);
        if (state == exchange::LineState::Open || state == exchange::LineState::InBooks)
            in.lines.push_back({row, statementLineOf(row), state == exchange::LineState::InBooks});
    }
    QProgressDialog progress(QStringLiteral("Accepting the coded lines..."), QStringLiteral("Stop"),
                             0, int(in.lines.size()), this);
    progress.setObjectName(QStringLiteral("AcceptAllProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const exchange::BatchAsk ask = [this](const QString& question) {
        return ui::showMessage(this, ui::MsgKind::Warning, question, ui::MsgButtons::YesNo) ==
               ui::MsgAnswer::Yes;
    };
    exchange::BatchSummary summary;
    ui::guarded(this, [&] {
        summary = exchange::acceptAllCoded(connection_, in, memory_, ask, [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    });
    progress.reset();
    showBatchResults(summary);
}

void TImportTextForm::showBatchResults(const exchange::BatchSummary& summary) {
    for (const exchange::BatchLineOutcome& o : summary.lines) {
        if (o.result != exchange::BatchResult::Accepted) continue;
        model_->blankLine(o.row, exchange::LineState::Accepted);
        if (!latestAccepted_.isValid() || o.details.date > latestAccepted_)
            latestAccepted_ = o.details.date;
    }
    if (summary.count(exchange::BatchResult::Accepted) > 0)
        currBalEdit_->setText(store::fmt::money(summary.balance));
    ui::information(this, exchange::batchSummaryText(summary));
}
