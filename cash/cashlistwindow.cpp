#include "cash/cashlistwindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>

#include "banking/bank_entry_steps.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

namespace cash {

CashListWindow::CashListWindow(QWidget* owner, const QString& section, CashKind kind,
                               const Wording& wording)
    : ui::MaintenanceFrame(owner, section), kind_(kind), wording_(wording) {
    resize(720, 560);
    auto* layout = new QVBoxLayout(this);
    grid_ = new ui::DataGrid(this);
    grid_->setObjectName(QStringLiteral("CashGrid"));
    layout->addWidget(grid_, 1);
    navigator_ = new ui::Navigator(this);
    navigator_->setObjectName(QStringLiteral("Navigator"));
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(navigator_);
    navRow->addStretch();
    layout->addLayout(navRow);
    details_ = new CashDetailBox(wording.box, this);
    layout->addWidget(details_);
    body_ = new QVBoxLayout;
    layout->addLayout(body_);
    addFrame(layout, {{NewButton, QStringLiteral("&Add")},
                      {EditButton, QStringLiteral("&Edit")},
                      {SaveButton, QStringLiteral("&Save")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {DeleteButton, QStringLiteral("&Delete")},
                      {ExitButton, QStringLiteral("Ex&it")}});
    useFunctionKeys();
    setCloseRefusal(QStringLiteral("Must save or cancel before exiting!"));
    connect(grid_, &ui::DataGrid::currentRecordChanged, this, [this] {
        navigator_->updateButtons();
        if (browsing()) showCurrent();
    });
    connect(navigator_, &ui::Navigator::moved, this, [this] {
        grid_->syncToTable();
        showCurrent();
    });
    connect(details_, &CashDetailBox::accountResolved, this, [this](bool found) {
        if (!browsing()) setSaveAllowed(found);
    });
}

CashListWindow::~CashListWindow() { closeTables(); }

void CashListWindow::openList(bool taxable, double rate) {
    details_->setCompany(&connection_, coyCode, taxable, rate);
    lines_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVActTr.DBF"));
    openCashList(*lines_, coyCode);
    lines_->last();
    grid_->bindTable(connection_, lines_.get(), wording_.columns);
    grid_->horizontalHeader()->setStretchLastSection(true);
    navigator_->setTable(lines_.get());
    grid_->syncToTable();
}

void CashListWindow::reopenList(qint64 rowId) {
    if (!lines_) return;
    lines_->close();
    lines_->open();
    if (rowId == 0 || !lines_->gotoRowId(rowId)) lines_->last();
    grid_->refresh();
    grid_->syncToTable();
    afterListChanged();
}

qint64 CashListWindow::currentNumber() const {
    if (!lines_ || !lines_->hasRecord()) return 0;
    return lines_->integer(kind_ == CashKind::Transaction ? QStringLiteral("TRANNUM")
                                                          : QStringLiteral("LINENO"));
}

QString CashListWindow::modeText(ui::EditMode mode) const {
    return mode == ui::EditMode::Adding    ? QStringLiteral("Creating new transaction.")
           : mode == ui::EditMode::Editing ? QStringLiteral("Editing transaction.")
                                           : QStringLiteral("Browsing transactions.");
}

void CashListWindow::applyMode(ui::EditMode mode) {
    const bool browse = mode == ui::EditMode::Browsing;
    grid_->setEnabled(browse);
    navigator_->setEnabledAll(browse);
    const bool taxCalculated = mode == ui::EditMode::Editing && lines_ && lines_->hasRecord() &&
                               lines_->integer(QStringLiteral("GSTCALC")) != 0;
    details_->setEditing(!browse, taxCalculated);
    details_->setEnabled(!browse);
    if (browse && lines_) {
        // A private-share line belongs to its source line: not edited or deleted here.
        const bool fixed =
            lines_->hasRecord() &&
            (!lines_->text(QStringLiteral("SPLITSOURC")).trimmed().isEmpty() ||
             (kind_ == CashKind::DetailLine && lines_->integer(QStringLiteral("GSTCALC")) != 0));
        button(EditButton)->setEnabled(!fixed);
        button(DeleteButton)->setEnabled(!fixed);
    }
}

void CashListWindow::showCurrent() {
    if (!lines_) return;
    ui::guarded(this, [this] {
        lines_->refresh();
        details_->showLine(*lines_, currentNumber());
    });
    if (browsing()) applyMode(ui::EditMode::Browsing);
}

bool CashListWindow::startNew() {
    qint64 number = 1;
    if (!ui::guarded(this, [&] {
            number = kind_ == CashKind::Transaction ? nextCashNumber(connection_, coyCode)
                                                    : nextDetailLineNumber(connection_, coyCode);
        }))
        return false;
    details_->clearForNew(number, lines_->isEmpty());
    return true;
}

bool CashListWindow::startEdit() {
    if (!lines_->hasRecord()) {
        ui::beep();
        ui::information(this, QStringLiteral("No record to edit... click Add."));
        return false;
    }
    if (lines_->integer(QStringLiteral("GSTCALC")) != 0) {
        ui::beep();
        ui::information(this, wording_.editTaxCalculated);
        return false;
    }
    setSaveAllowed(details_->account().has_value());
    details_->purposeEdit()->setFocus();
    return true;
}

// A new line, or a date changed, inside a finalised tax period is saved only on "Yes".
bool CashListWindow::filedPeriodAnswered(const QDate& date, bool adding) {
    if (!adding && lines_->date(QStringLiteral("TRANDATE")) == date) return true;
    std::optional<banking::Confirmation> q;
    if (!ui::guarded(this, [&] { q = banking::filedPeriodQuestion(connection_, coyCode, date); }))
        return false;
    return !q || ui::confirm(this, q->text);
}

bool CashListWindow::saveRecord() {
    const bool adding = mode() == ui::EditMode::Adding;
    CashEntry entry = details_->entry(kind_, coyCode);
    if (!adding) entry.number = currentNumber();
    if (!filedPeriodAnswered(entry.date, adding)) return false;
    CashResult result;
    if (!ui::guarded(
            this, [&] { result = saveCashLine(connection_, entry, adding ? 0 : lines_->rowId()); }))
        return false;
    if (!result.ok) {
        ui::beep();
        ui::error(this, result.message);
        return false;
    }
    ui::guarded(this, [&] { reopenList(result.rowId); });
    return true;
}

void CashListWindow::deleteRecord() {
    if (!lines_->hasRecord()) return;
    if (kind_ == CashKind::DetailLine && lines_->integer(QStringLiteral("GSTCALC")) != 0) {
        ui::beep();
        ui::error(this, taxCalculatedDeleteText());
        return;
    }
    if (!ui::confirm(this, QStringLiteral("Confirm deletion of this entry?"))) return;
    const qint64 id = lines_->rowId();
    qint64 next = 0;
    CashResult result;
    ui::guarded(this, [&] {
        lines_->next();
        if (!lines_->eof() && lines_->rowId() != id) next = lines_->rowId();
        lines_->gotoRowId(id);
        result = deleteCashLine(connection_, id);
    });
    if (!result.ok) {
        ui::beep();
        ui::error(this, result.message);
        return;
    }
    ui::guarded(this, [&] { reopenList(next); });
}

void CashListWindow::closeTables() {
    grid_->unbind();
    navigator_->setTable(nullptr);
    lines_.reset();
    connection_.disconnect();
}

}  // namespace cash
