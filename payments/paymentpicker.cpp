#include "payments/paymentpicker.h"

#include "payments/coychequelistform.h"
#include "ui/opener.h"

namespace payments {

std::optional<qint64> pickPayment(QWidget* owner, int coy) {
    return ui::openWindow<TCoyChequeListForm>(
        owner, [&](TCoyChequeListForm& w) { w.coyCode = coy; },
        [](TCoyChequeListForm& w, int code) -> std::optional<qint64> {
            if (code != QDialog::Accepted) return std::nullopt;
            return w.tranNum.toLongLong();
        });
}

}  // namespace payments
