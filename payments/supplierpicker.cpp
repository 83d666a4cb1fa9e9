#include "payments/supplierpicker.h"

#include "payments/suppliers.h"
#include "payments/supplierviewform.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

namespace payments {

std::optional<QString> pickSupplier(QWidget* owner, int coyNo, bool selecting) {
    QString name;
    ui::guarded(owner, [&] {
        store::Connection connection;
        connection.connect(QStringLiteral("NRV"));
        name = supplierCompanyName(connection, coyNo);
    });
    return ui::openWindow<TSupplierViewForm>(
        owner,
        [&](TSupplierViewForm& w) {
            w.coyNo = coyNo;
            w.selectEnabled = selecting;
            w.setWindowTitle((selecting ? QStringLiteral("View/Select Suppliers for : ")
                                        : QStringLiteral("View Suppliers for : ")) +
                             name);
        },
        [](TSupplierViewForm& w, int code) -> std::optional<QString> {
            if (code != QDialog::Accepted) return std::nullopt;
            return w.suppCode;
        });
}

}  // namespace payments
