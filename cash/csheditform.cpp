#include "cash/csheditform.h"

#include <QLineEdit>
#include <QVBoxLayout>

#include "cash/line_edit.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"

TQVCshEditForm::TQVCshEditForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("QVCshEditForm")) {
    setObjectName(QStringLiteral("QVCshEditForm"));
    setWindowTitle(QStringLiteral("Edit bank account details"));
    resize(620, 300);
    auto* layout = new QVBoxLayout(this);
    details_ = new cash::CashDetailBox(
        {QStringLiteral("Line No. : "), QStringLiteral("Dept :"),
         QStringLiteral("Company level account"), QStringLiteral("Tax calculated."),
         QStringLiteral("Tax not calculated."), true, true},
        this);
    layout->addWidget(details_);
    addFrame(layout, {{EditButton, QStringLiteral("&Edit")},
                      {SaveButton, QStringLiteral("&Save")},
                      {CancelButton, QStringLiteral("&Cancel")},
                      {ExitButton, QStringLiteral("Ex&it")}});
    useFunctionKeys();
    setCloseRefusal(QStringLiteral("Must save or cancel before exiting!"));
    connect(details_, &cash::CashDetailBox::accountResolved, this, [this](bool found) {
        if (!browsing()) setSaveAllowed(found);
    });
    connect(details_, &cash::CashDetailBox::amountTyped, this, [this] { amountTyped_ = true; });
}

TQVCshEditForm::~TQVCshEditForm() { closeTables(); }

void TQVCshEditForm::FormShow() {
    amountChanged = false;
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        details_->setCompany(&connection_, coyCode, taxable, rate);
        line_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVActTr.DBF"));
        line_->open();
        if (!line_->gotoRowId(lineRowId)) line_.reset();
    });
    showCurrent();
}

QString TQVCshEditForm::modeText(ui::EditMode mode) const {
    return mode == ui::EditMode::Editing ? QStringLiteral("Editing transaction.")
                                         : QStringLiteral("Browsing transactions.");
}

bool TQVCshEditForm::lineLocked() const {
    return amountsLocked || (line_ && line_->integer(QStringLiteral("GSTCALC")) != 0);
}

void TQVCshEditForm::applyMode(ui::EditMode mode) {
    const bool editing = mode == ui::EditMode::Editing;
    details_->setEditing(editing, lineLocked());
    details_->setEnabled(editing);
}

void TQVCshEditForm::showCurrent() {
    if (!line_) return;
    ui::guarded(this, [this] {
        line_->refresh();
        details_->showLine(*line_, line_->integer(QStringLiteral("LINENO")));
    });
}

bool TQVCshEditForm::startEdit() {
    amountTyped_ = false;
    setSaveAllowed(details_->account().has_value());
    details_->purposeEdit()->setFocus();
    return true;
}

bool TQVCshEditForm::saveRecord() {
    const cash::CashEntry e = details_->entry(cash::CashKind::DetailLine, coyCode);
    cash::LineEditResult result;
    if (!ui::guarded(this, [&] {
            result = cash::saveJournalLine(
                connection_, {coyCode, lineRowId, e.acctCode, e.date, e.narrative, e.amount, e.tax,
                              e.companyTaxable});
        }))
        return false;
    if (!result.line.ok) {
        amountTyped_ = false;
        ui::beep();
        ui::error(this, result.line.message);
        return false;
    }
    if (!result.privateShareProblem.isEmpty()) {
        ui::beep();
        ui::error(this, result.privateShareProblem);
    }
    if (amountTyped_) amountChanged = true;
    return true;
}

void TQVCshEditForm::closeTables() {
    line_.reset();
    connection_.disconnect();
}
