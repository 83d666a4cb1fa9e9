#include "payments/paymentpicker.h"

#include <QHeaderView>

#include "store/connection.h"
#include "ui/datagrid.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/navigator.h"
#include "ui/pickerform.h"

namespace payments {

namespace {

class PaymentPickerForm : public ui::PickerForm {
public:
    PaymentPickerForm(QWidget* owner, int coy)
        : ui::PickerForm(owner, QStringLiteral("PaymentPickerForm"), 300,
                         QStringLiteral("PaymentGrid"), QStringLiteral("PaymentNavigator")),
          coy_(coy) {
        setObjectName(QStringLiteral("PaymentPickerForm"));
        setWindowTitle(QStringLiteral("Select a cheque or payment"));
        resize(640, 360);
    }
    ~PaymentPickerForm() override { grid_->unbind(); }

    std::optional<qint64> chosen;

    void SelectButtonClick() override {
        const int row = grid_->currentRow();
        if (!grid_->lazyModel() || row < 0) {
            ui::beep();
            return;
        }
        chosen = grid_->lazyModel()->valueAt(row, QStringLiteral("TRANNUM")).toLongLong();
        accept();
    }

protected:
    void FormShow() override {
        ui::guarded(this, [this] {
            connection_.connect(QStringLiteral("NRV"));
            grid_->bindQuery(
                connection_,
                QStringLiteral("SELECT TRANNUM, CHEQUENO, CHQDATE, SUPPLIER, AMOUNT FROM QVCHHDR\n"
                               "WHERE COYCODE = :sCoyCode ORDER BY rowid"),
                {{QStringLiteral("sCoyCode"), QString::number(coy_)}},
                {{QStringLiteral("TRANNUM"), QStringLiteral("Number")},
                 {QStringLiteral("CHEQUENO"), QStringLiteral("Cheque No.")},
                 ui::dateColumn(QStringLiteral("CHQDATE"), QStringLiteral("Date")),
                 {QStringLiteral("SUPPLIER"), QStringLiteral("Supplier")},
                 ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount"))});
            const int rows = grid_->lazyModel()->rowCount();
            if (rows > 0) grid_->setCurrentRow(rows - 1);
            navigator_->setTarget(ui::gridTarget(*grid_));
        });
        grid_->setFocus();
    }

private:
    int coy_;
    store::Connection connection_;
};

}  // namespace

std::optional<qint64> pickPayment(QWidget* owner, int coy) {
    PaymentPickerForm w(owner, coy);
    w.exec();
    return w.chosen;
}

}  // namespace payments
