#include "banking/accountheadingpanel.h"

#include <QGridLayout>
#include <QLabel>

#include "ui/navigator.h"

namespace banking {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

AccountHeadingPanel::AccountHeadingPanel(QWidget* parent)
    : QWidget(parent),
      bank_(valueLabel(this, "BankLabel")),
      account_(valueLabel(this, "BankAcctLabel")),
      description_(valueLabel(this, "DescLabel")),
      navigator_(new ui::Navigator(this)) {
    navigator_->setObjectName(QStringLiteral("AccountNavigator"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Bank :"), this), 0, 0);
    grid->addWidget(bank_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Bank Account :"), this), 1, 0);
    grid->addWidget(account_, 1, 1);
    grid->addWidget(navigator_, 1, 2, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("Description :"), this), 2, 0);
    grid->addWidget(description_, 2, 1, 1, 2);
    grid->setColumnStretch(1, 1);
    navigator_->setTarget(ui::indexTarget(accounts_, index_));
    // The navigator moves the index itself; before_ remembers where it stood for the owner.
    connect(navigator_, &ui::Navigator::moved, this, [this] {
        const int previous = before_;
        before_ = index_;
        emit accountChanged(previous);
    });
}

void AccountHeadingPanel::setAccounts(std::vector<BankAccount> accounts, int index) {
    accounts_ = std::move(accounts);
    index_ = index < int(accounts_.size()) ? index : -1;
    before_ = index_;
    navigator_->updateButtons();
}

const BankAccount* AccountHeadingPanel::accountAt(int index) const {
    return index >= 0 && index < int(accounts_.size()) ? &accounts_[size_t(index)] : nullptr;
}

void AccountHeadingPanel::showHeading(const AccountHeading& heading) {
    bank_->setText(heading.bank);
    account_->setText(heading.account);
    description_->setText(heading.description);
}

void AccountHeadingPanel::updateButtons() { navigator_->updateButtons(); }

}  // namespace banking
