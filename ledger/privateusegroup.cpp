#include "ledger/privateusegroup.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include "ledger/accountlists.h"
#include "ui/opener.h"
#include "ui/pickerkey.h"

namespace ledger {

PrivateUseGroup::PrivateUseGroup(QWidget* parent)
    : QGroupBox(QStringLiteral("  Private use  "), parent) {
    setObjectName(QStringLiteral("PrivateUseGroup"));
    auto* row = new QHBoxLayout(this);
    percentSpin_ = new QSpinBox(this);
    percentSpin_->setObjectName(QStringLiteral("PrivatePercentSpin"));
    percentSpin_->setRange(0, 100);
    percentSpin_->setSuffix(QStringLiteral(" %"));
    auto* percentLabel = new QLabel(QStringLiteral("P&rivate share :"), this);
    percentLabel->setBuddy(percentSpin_);
    acctEdit_ = new QLineEdit(this);
    acctEdit_->setObjectName(QStringLiteral("PrivateAcctEdit"));
    acctEdit_->setMaxLength(15);
    acctEdit_->setToolTip(QStringLiteral("The account that takes the private share"));
    auto* acctLabel = new QLabel(QStringLiteral("Ta&ken by account :"), this);
    acctLabel->setBuddy(acctEdit_);
    pickButton_ = new QToolButton(this);
    pickButton_->setObjectName(QStringLiteral("PrivateAcctPickButton"));
    pickButton_->setText(QStringLiteral("..."));
    pickButton_->setToolTip(QStringLiteral("View/Select Ledger Accounts"));
    row->addWidget(percentLabel);
    row->addWidget(percentSpin_);
    row->addSpacing(12);
    row->addWidget(acctLabel);
    row->addWidget(acctEdit_);
    row->addWidget(pickButton_);
    ui::openPickerWithAltDown(acctEdit_, pickButton_);
    row->addStretch();
    connect(pickButton_, &QToolButton::clicked, this, [this] { PickButtonClick(); });
}

void PrivateUseGroup::show(const PrivateUse& use) {
    shown_ = use;
    percentSpin_->setValue(use.percent);
    acctEdit_->setText(use.acctCode);
}

PrivateUse PrivateUseGroup::typed() const {
    return {percentSpin_->value(), acctEdit_->text().trimmed()};
}

bool PrivateUseGroup::changed() const {
    const PrivateUse now = typed();
    return now.percent != shown_.percent ||
           now.acctCode.compare(shown_.acctCode, Qt::CaseInsensitive) != 0;
}

void PrivateUseGroup::setBoxesEnabled(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{percentSpin_, acctEdit_, pickButton_})
        w->setEnabled(enabled);
}

void PrivateUseGroup::PickButtonClick() {
    const QString chosen = ui::openWindow<TAcctsListForm>(
        this,
        [&](TAcctsListForm& w) {
            w.coyCode = coy_;
            w.selectEnabled = true;
        },
        [](TAcctsListForm& w, int code) {
            return code == QDialog::Accepted ? w.acctCode : QString();
        });
    if (!chosen.isEmpty()) acctEdit_->setText(chosen);
}

}  // namespace ledger
