#include "banking/editbankrow.h"

#include "banking/banktranform.h"
#include "payments/chqentryform.h"
#include "ui/opener.h"

namespace banking {

bool editBankRow(QWidget* owner, int coy, const QString& bankCode, const QString& acctNo,
                 qint64 tranNum, const QString& tranType) {
    if (tranType.trimmed() == QLatin1String("CHQ")) {
        // A payment's number is its bank row's reference.
        ui::openWindow<TChqEntryForm>(owner, [&](TChqEntryForm& w) {
            w.coyCode = QString::number(coy);
            w.tranNum = tranNum;
        });
        return true;
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
