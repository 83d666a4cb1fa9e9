#include "ledger/accountlists.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "ledger/cashaccountform.h"
#include "ledger/formparts.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/opener.h"

namespace ledger {

AccountListForm::AccountListForm(QWidget* owner, const QString& section, int helpContext,
                                 const QString& newCaption)
    : ui::PickerForm(owner, section, helpContext, QStringLiteral("AcctGrid"),
                     QStringLiteral("AcctNavigator")) {
    resize(480, 360);
    navigator_->setTarget(ui::gridTarget(*grid_));
    newButton_ = addButton(QStringLiteral("NewButton"), newCaption);
    connect(newButton_, &QPushButton::clicked, this, [this] { NewButtonClick(); });
}

AccountListForm::~AccountListForm() {
    grid_->unbind();
    connection_.disconnect();
}

void AccountListForm::FormShow() {
    acctCode.clear();
    selectButton_->setEnabled(selectEnabled);
    const bool ok = ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        runQuery();
    });
    if (ok) afterFirstRun();
    grid_->setFocus();
}

void AccountListForm::runQuery() {
    const Statement s = statement();
    grid_->bindQuery(connection_, s.lines.join(QLatin1Char('\n')), s.params, columns());
    grid_->horizontalHeader()->setStretchLastSection(true);
    navigator_->updateButtons();
}

int AccountListForm::rowCount() const {
    return grid_->lazyModel() ? grid_->lazyModel()->rowCount() : 0;
}

QString AccountListForm::currentValue(const QString& field) const {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) return {};
    return grid_->lazyModel()->valueAt(row, field).toString().trimmed();
}

QString AccountListForm::currentAcctCode() const {
    return currentValue(QStringLiteral("ACCTCODE"));
}

void AccountListForm::SelectButtonClick() {
    if (rowCount() == 0 || grid_->currentRow() < 0) {
        ui::beep();
        return;
    }
    if (!acceptsCurrentRow()) return;
    acctCode = currentAcctCode();
    accept();
}

void AccountListForm::NewButtonClick() {
    const bool saved = ui::openWindow<TQVCashAccountForm>(
        this, [this](TQVCashAccountForm& w) { w.coyCode = coyCode; },
        [](TQVCashAccountForm& w, int) { return w.saved; });
    if (!saved) return;
    const QString keep = currentAcctCode();
    ui::guarded(this, [this] { runQuery(); });
    // Stay on the row the user was on (the new account appears in code order).
    if (!keep.isEmpty() && grid_->lazyModel()) {
        int row = -1;
        ui::guarded(this, [&] {
            row = grid_->lazyModel()->findRow(QStringLiteral("ACCTCODE"), [&](const QVariant& v) {
                return v.toString().trimmed() == keep;
            });
        });
        if (row >= 0) grid_->setCurrentRow(row);
    }
    if (rowCount() > 0) selectButton_->setEnabled(selectEnabled);
    navigator_->updateButtons();
}

void AccountListForm::done(int result) {
    grid_->unbind();
    connection_.disconnect();
    ui::FormBase::done(result);
}

}  // namespace ledger

// --- TAcctsListForm ------------------------------------------------------------------------

TAcctsListForm::TAcctsListForm(QWidget* owner)
    : AccountListForm(owner, QStringLiteral("AcctsListForm"), 35, QStringLiteral("&New Acct.")) {
    setObjectName(QStringLiteral("AcctsListForm"));
    setWindowTitle(QStringLiteral("View/Select Ledger Accounts"));
}

TAcctsListForm::Statement TAcctsListForm::statement() const {
    return {{QStringLiteral("SELECT * FROM QVACCDET"), QStringLiteral("WHERE COYCODE =:iCoyCode"),
             QStringLiteral("ORDER BY ACCTCODE")},
            {{QStringLiteral("iCoyCode"), QString::number(coyCode)}}};
}

QList<ui::ColumnSpec> TAcctsListForm::columns() const {
    return {ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Ledger code")),
            ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description")),
            ledger::column(QStringLiteral("TYPECODE"), QStringLiteral("Account Type"))};
}

void TAcctsListForm::afterFirstRun() {
    if (rowCount() == 0) {
        ui::beep();
        ui::error(this, QStringLiteral("No accounts set up for the current company/department!"));
        selectButton_->setEnabled(false);
    }
}

// --- TDeptAcctListForm ---------------------------------------------------------------------

TDeptAcctListForm::TDeptAcctListForm(QWidget* owner)
    : AccountListForm(owner, QStringLiteral("DeptAcctListForm"), 36, QStringLiteral("&New")) {
    setObjectName(QStringLiteral("DeptAcctListForm"));
}

TDeptAcctListForm::Statement TDeptAcctListForm::statement() const {
    Statement s;
    s.lines << QStringLiteral("SELECT * FROM QVACCDET");
    if (!linkCode.trimmed().isEmpty()) {
        s.lines << QStringLiteral("WHERE LINKCODE =:sLinkCode");
        s.params.insert(QStringLiteral("sLinkCode"), linkCode.trimmed());
    } else {
        s.lines << QStringLiteral("WHERE COYCODE =:iCoyCode");
        s.params.insert(QStringLiteral("iCoyCode"), QString::number(coyCode));
    }
    if (acctType != QLatin1String("BOTH")) {
        s.lines << QStringLiteral("AND TYPECODE =:sTypeCode");
        s.params.insert(QStringLiteral("sTypeCode"), acctType);
    }
    s.lines << QStringLiteral("ORDER BY ACCTCODE");
    return s;
}

QList<ui::ColumnSpec> TDeptAcctListForm::columns() const {
    return {ledger::column(QStringLiteral("ACCTCODE"), QStringLiteral("Account No.")),
            ledger::column(QStringLiteral("DESCR"), QStringLiteral("Description"))};
}

bool TDeptAcctListForm::acceptsCurrentRow() {
    if (acctType == QLatin1String("BOTH")) return true;
    if (currentValue(QStringLiteral("TYPECODE")) == acctType) return true;
    ui::information(
        this, QStringLiteral(
                  "Account type does not match the required type. Eg Client invoice = income"));
    return false;
}

void TDeptAcctListForm::afterFirstRun() { newButton_->setVisible(newVisible); }
