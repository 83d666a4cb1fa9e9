#include "cash/cshtrnform.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/format.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/lazymodel.h"
#include "ui/messages.h"

namespace {

cash::CashListWindow::Wording cshTrnWording() {
    cash::CashListWindow::Wording w;
    w.box = {QStringLiteral("Line No. : "),
             QStringLiteral("Dept :"),
             QStringLiteral("Company level account"),
             QStringLiteral("Tax calculated."),
             QStringLiteral("Tax not calculated."),
             true,
             false};
    w.editTaxCalculated = QStringLiteral("Cannot edit... Tax has been calculated.");
    w.columns = {{QStringLiteral("ACCTCODE"), QStringLiteral("Purpose")},
                 {QStringLiteral("DESC"), QStringLiteral("Narrative")},
                 ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
                 ui::dateColumn(QStringLiteral("TRANDATE"), QStringLiteral("Entry Date"))};
    return w;
}

}  // namespace

TQVCshTrnForm::TQVCshTrnForm(QWidget* owner)
    : cash::CashListWindow(owner, QStringLiteral("QVCshTrnForm"), cash::CashKind::DetailLine,
                           cshTrnWording()) {
    setObjectName(QStringLiteral("QVCshTrnForm"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Total amount : "), this));
    totalLabel_ = new QLabel(QStringLiteral("0.00"), this);
    totalLabel_->setObjectName(QStringLiteral("TotalLabel"));
    row->addWidget(totalLabel_);
    row->addSpacing(24);
    row->addWidget(new QLabel(QStringLiteral("Amount selected :"), this));
    selectedLabel_ = new QLabel(QStringLiteral("0.00"), this);
    selectedLabel_->setObjectName(QStringLiteral("SelectedLabel"));
    row->addWidget(selectedLabel_);
    row->addStretch();
    selectButton_ = new QPushButton(QStringLiteral("Se&lect"), this);
    selectButton_->setObjectName(QStringLiteral("SelectButton"));
    selectButton_->setAutoDefault(false);
    row->addWidget(selectButton_);
    body()->addLayout(row);
    connect(selectButton_, &QPushButton::clicked, this, [this] { SelectButtonClick(); });
}

void TQVCshTrnForm::FormShow() {
    value_ = cash::RunningValue::startingAt(signedAmount);
    ui::guarded(this, [this] {
        connection().connect(QStringLiteral("NRV"));
        openList(taxable, rate);
    });
    showCurrent();
    showTotals();
}

void TQVCshTrnForm::applyMode(ui::EditMode mode) {
    cash::CashListWindow::applyMode(mode);
    selectButton_->setEnabled(mode == ui::EditMode::Browsing && lines() && lines()->hasRecord());
}

void TQVCshTrnForm::afterListChanged() { showTotals(); }

void TQVCshTrnForm::showTotals() {
    if (lines() && !lines()->isEmpty())
        ui::guarded(this, [this] {
            totalLabel_->setText(store::fmt::money(cash::cashListTotal(connection(), coyCode)));
        });
    selectedLabel_->setText(store::fmt::money(value_.selectedAmount()));
}

void TQVCshTrnForm::SelectButtonClick() {
    if (!browsing() || !lines() || !lines()->hasRecord()) return;
    const auto account = details()->account();
    const QString type = account ? account->ledger.typeCode : QString();
    const cash::AttachStep step =
        cash::attachStep(side, type, value_, lines()->number(QStringLiteral("AMOUNT")));
    if (!step.accepted) {
        ui::beep();
        ui::error(this, step.refusal);
        return;
    }
    cash::CashResult result;
    if (!ui::guarded(this, [&] {
            result = cash::attachLine(connection(), lines()->rowId(),
                                      {acctNo, reference, bnkLinkNo, bnkTrnLnk});
        }))
        return;
    if (!result.ok) {
        ui::beep();
        ui::error(this, result.message);
        return;
    }
    value_ = step.after;
    ui::guarded(this, [this] { reopenList(); });
    showCurrent();
    refreshMode();
}

void TQVCshTrnForm::done(int result) {
    if (browsing()) {
        const QString refusal = cash::exitRefusal(side, value_);
        if (!refusal.isEmpty()) {
            ui::beep();
            ui::error(this, refusal);
            return;
        }
    }
    cash::CashListWindow::done(result);
}
