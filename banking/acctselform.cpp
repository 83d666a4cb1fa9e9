#include "banking/acctselform.h"

#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"

#include <QHeaderView>
#include <QPushButton>

namespace {

QString yesNo(const QVariant& v) { return v.toInt() == 1 ? QStringLiteral("Yes") : QStringLiteral("No"); }

}  // namespace

TAcctSelForm::TAcctSelForm(QWidget* owner)
    : ui::PickerForm(owner, QStringLiteral("AcctSelForm"), 290, QStringLiteral("AcctGrid"),
                     QStringLiteral("AcctNavigator")) {
    setObjectName(QStringLiteral("AcctSelForm"));
    setWindowTitle(QStringLiteral("View/Select Bank Account"));
    resize(640, 300);
}

TAcctSelForm::~TAcctSelForm() { grid_->unbind(); }

void TAcctSelForm::FormShow() {
    selectButton_->setEnabled(selectEnabled);
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        const QString sql = QStringLiteral("SELECT * FROM QVBNKACT\nWHERE COYCODE = :iCoyCode");
        QList<ui::ColumnSpec> columns = {
            {QStringLiteral("BANKLINK"), QStringLiteral("Account Number"), {}, Qt::AlignLeft | Qt::AlignVCenter},
            {QStringLiteral("DEFAULT"), QStringLiteral("Default"), yesNo, Qt::AlignLeft | Qt::AlignVCenter},
            {QStringLiteral("ALLOWOD"), QStringLiteral("O.D. Allowed"), yesNo, Qt::AlignLeft | Qt::AlignVCenter},
            {QStringLiteral("DESC"), QStringLiteral("Description"), {}, Qt::AlignLeft | Qt::AlignVCenter},
            ui::moneyColumn(QStringLiteral("ODAMOUNT"), QStringLiteral("O. D. Amount")),
            ui::moneyColumn(QStringLiteral("OPENBAL"), QStringLiteral("Opening Bal.")),
        };
        grid_->bindQuery(connection_, sql, {{QStringLiteral("iCoyCode"), coyCode}}, columns);
        grid_->horizontalHeader()->setStretchLastSection(true);
        if (grid_->lazyModel()->rowCount() > 0) grid_->setCurrentRow(0);
        navigator_->setTarget(ui::gridTarget(*grid_));
    });
    grid_->setFocus();
}

void TAcctSelForm::SelectButtonClick() {
    const int row = grid_->currentRow();
    if (!grid_->lazyModel() || row < 0) {
        ui::beep();
        return;
    }
    bankLink = grid_->lazyModel()->valueAt(row, QStringLiteral("BANKLINK")).toString();
    bankCode = grid_->lazyModel()->valueAt(row, QStringLiteral("BANKCODE")).toString();
    acctNo = grid_->lazyModel()->valueAt(row, QStringLiteral("ACCTNO")).toString();
    accept();
}
