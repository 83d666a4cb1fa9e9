// The bank transaction window's "View/select transactions" (the account's transaction list,
// choosing a row moves to it) and "Statement" (the statement dialog for the account).
#include <QLabel>

#include "banking/bankstatementdiaform.h"
#include "banking/banktranform.h"
#include "banking/bnktranlistform.h"
#include "reports/transauditdiaform.h"
#include "store/table.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

void TQVBankTranForm::ViewButtonClick() {
    if (!account_ || !rows_) return;
    QString chosen;
    ui::openWindow<TQVBnkTranListForm>(
        this,
        [&](TQVBnkTranListForm& w) {
            w.coyCode = QString::number(company_.coy);
            w.bankLink = account_->bankLink;
            w.accountLabel = acctDescLabel_->text();
            w.selectEnabled = mode_ == Mode::Browse;
        },
        [&](TQVBnkTranListForm& w, int code) {
            if (code == QDialog::Accepted) chosen = w.tranNum;
            return 0;
        });
    if (chosen.isEmpty() || mode_ != Mode::Browse) return;
    ui::guarded(this, [&] {
        if (rows_->locate(QStringLiteral("TRANNUM"), chosen.toLongLong())) {
            grid_->syncToTable();
            showRow();
        }
    });
}

void TQVBankTranForm::StatementButtonClick() {
    ui::openWindow<TBankStatementDiaForm>(this, [&](TBankStatementDiaForm& w) {
        w.coyCode = QString::number(company_.coy);
        if (account_) w.acctNo = account_->acctNo;
    });
}

void TQVBankTranForm::TransactionsButtonClick() {
    if (!account_) return;
    ui::openWindow<TQVDetailedTransAuditDiaForm>(this, [&](TQVDetailedTransAuditDiaForm& w) {
        w.titleText = account_->bankCode + "-" + account_->acctNo + " : " + account_->desc;
        w.bankLink = account_->bankLink;
        w.coyCode = company_.coy;
        w.acctNo = account_->acctNo;
    });
}
