#include "banking/bnktranlistform.h"

#include <QLineEdit>

#include "banking/transaction_lists.h"
#include "reports/company.h"
#include "ui/datagrid.h"
#include "ui/messages.h"

namespace {

QString listReconciled(const QVariant& v) { return banking::reconciledText(v.toInt()); }

}  // namespace

TQVBnkTranListForm::TQVBnkTranListForm(QWidget* owner)
    : ui::NumberListForm(
          owner, {QStringLiteral("QVBnkTranListForm"), 0, QStringLiteral("Bank transactions list"),
                  QStringLiteral("TranListGrid"), QStringLiteral("TranListNavigator"),
                  QStringLiteral(" Search Transactions "), QSize(700, 420)}) {}

void TQVBnkTranListForm::bindRows() {
    const int coy = coyCode.trimmed().toInt();
    setWindowTitle(QStringLiteral("Bank transactions list for:  ") +
                   reports::companyName(connection_, coy).trimmed() + QLatin1Char(' ') +
                   accountLabel);
    connection_.readScattered();
    grid_->bindKeyedQuery(
        connection_, banking::transactionListSelection(bankLink),
        {{QStringLiteral("TRANNUM"), QStringLiteral("Transaction No."), ui::numberListNumber,
          Qt::AlignRight | Qt::AlignVCenter},
         {QStringLiteral("REASON"), QStringLiteral("Description")},
         {QStringLiteral("TRANDATE"), QStringLiteral("Date"), ui::numberListDate},
         ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
         {QStringLiteral("RECONCILED"), QStringLiteral("Reconciled"), listReconciled}},
        [this, link = bankLink](qint64 position) {
            return banking::transactionListRowIdAt(connection_, link, position);
        });
}

// A typed text that is not a transaction number only beeps.
std::optional<qint64> TQVBnkTranListForm::typedNumber() {
    const auto number = banking::goToNumber(numberEdit_->text());
    if (!number && !numberEdit_->text().trimmed().isEmpty()) ui::beep();
    return number;
}
