#include "banking/editbankrow.h"

#include "banking/banktranform.h"
#include "ui/messages.h"
#include "ui/opener.h"

namespace banking {

bool editBankRow(QWidget* owner, int coy, const QString& bankCode, const QString& acctNo,
                 qint64 tranNum, const QString& tranType) {
    if (tranType.trimmed() == QLatin1String("CHQ")) {
        // Payment entry positioned on the payment (its number, this account) opens here.
        ui::information(owner, kChequeRowsInPayments);
        return false;
    }
    ui::openWindow<TQVBankTranForm>(owner, [&](TQVBankTranForm& w) {
        w.coyCode = QString::number(coy);
        w.tranNum = tranNum;
        w.bankCode = bankCode.trimmed();
        w.acctNo = acctNo.trimmed();
    });
    return true;
}

}  // namespace banking
