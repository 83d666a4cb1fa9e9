#include "cash/cashtranform.h"

#include <QLocale>

#include "store/query.h"
#include "ui/errorhandler.h"
#include "ui/lazymodel.h"

namespace {

QString longDateText(const QVariant& v) {
    const QDate d =
        v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? QLocale::c().toString(d, QStringLiteral("dd MMMM yyyy")) : QString();
}

cash::CashListWindow::Wording cashTranWording() {
    cash::CashListWindow::Wording w;
    w.box = {QStringLiteral("Number : "),
             QStringLiteral("Dept/Div :"),
             QStringLiteral("Company level account."),
             QStringLiteral("Sales tax calculated."),
             QStringLiteral("Sales tax not calculated."),
             false,
             false};
    w.editTaxCalculated = QStringLiteral("Cannot edit... Sales tax has been calculated.");
    w.columns = {{QStringLiteral("ACCTCODE"), QStringLiteral("Ledger code")},
                 {QStringLiteral("DESC"), QStringLiteral("Narrative")},
                 ui::moneyColumn(QStringLiteral("AMOUNT"), QStringLiteral("Amount")),
                 ui::moneyColumn(QStringLiteral("GSTAMT"), QStringLiteral("Tax")),
                 {QStringLiteral("TRANDATE"), QStringLiteral("Entry Date"), longDateText}};
    return w;
}

}  // namespace

TQVCashTranForm::TQVCashTranForm(QWidget* owner)
    : cash::CashListWindow(owner, QStringLiteral("QVCashTranForm"), cash::CashKind::Transaction,
                           cashTranWording()) {
    setObjectName(QStringLiteral("QVCashTranForm"));
}

void TQVCashTranForm::FormShow() {
    ui::guarded(this, [this] {
        connection().connect(QStringLiteral("NRV"));
        store::Query q(connection());
        q.setSql({QStringLiteral("SELECT BUSNAME, GSTENABLED, GSTPERCENT FROM QVCNTRL"),
                  QStringLiteral("WHERE COYCODE = :iCoyCode")});
        q.bind(QStringLiteral("iCoyCode"), coyCode);
        q.open();
        setWindowTitle(QStringLiteral("Cash transactions of :  ") +
                       q.text(QStringLiteral("BUSNAME")));
        openList(q.integer(QStringLiteral("GSTENABLED")) == 1,
                 q.number(QStringLiteral("GSTPERCENT")));
    });
    showCurrent();
}
