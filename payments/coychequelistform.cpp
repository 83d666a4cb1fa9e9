#include "payments/coychequelistform.h"

#include <QLineEdit>

#include "payments/payment_list.h"
#include "reports/company.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

TCoyChequeListForm::TCoyChequeListForm(QWidget* owner)
    : ui::NumberListForm(
          owner, {QStringLiteral("CoyChequeListForm"), 1340,
                  QStringLiteral("Cheques/payments issued by : "), QStringLiteral("ChequeListGrid"),
                  QStringLiteral("ChequeListNavigator"),
                  QStringLiteral(" Search Cheques/Payments "), QSize(760, 420)}) {}

void TCoyChequeListForm::bindRows() {
    setWindowTitle(QStringLiteral("Cheques/payments issued by : ") +
                   reports::companyName(connection_, coyCode).trimmed());
    grid_->bindKeyedQuery(
        connection_, payments::paymentListSelection(coyCode, suppCode),
        {{QStringLiteral("TRANNUM"), QStringLiteral("Cheque No/Payment"), ui::numberListNumber,
          Qt::AlignRight | Qt::AlignVCenter},
         {QStringLiteral("BANKACCOUNT"), QStringLiteral("Bank Account")},
         {QStringLiteral("SUPPLIER"), QStringLiteral("Supplier")},
         {QStringLiteral("CHQDATE"), QStringLiteral("Date"), ui::numberListDate},
         ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Cheque Amount")),
         ui::moneyColumn(QStringLiteral("GSTAMT"), QStringLiteral("Tax"))});
}

// A typed text that is not a whole number is answered with a message; 0 looks for nothing.
std::optional<qint64> TCoyChequeListForm::typedNumber() {
    const QString typed = numberEdit_->text().trimmed();
    if (typed.isEmpty()) return std::nullopt;
    bool ok = false;
    const qint64 number = typed.toLongLong(&ok);
    if (!ok) {
        ui::beep();
        ui::error(this,
                  QStringLiteral("'") + typed + QStringLiteral("' is not a valid integer value"));
        return std::nullopt;
    }
    if (number == 0) return std::nullopt;
    return number;
}
