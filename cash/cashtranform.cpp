#include "cash/cashtranform.h"

#include "banking/journal_rules.h"
#include "ui/errorhandler.h"
#include "store/query.h"
#include "ui/lazymodel.h"

#include <QLocale>

namespace {

QString longDateText(const QVariant& v) {
    const QDate d = v.toDate().isValid() ? v.toDate() : QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? QLocale::c().toString(d, QStringLiteral("dd MMMM yyyy")) : QString();
}

cash::CashListWindow::Wording cashTranWording() {
    cash::CashListWindow::Wording w;
    w.box = {QStringLiteral("Number : "), QStringLiteral("Dept/Div :"),
             QStringLiteral("Company level account."), QStringLiteral("Sales tax calculated."),
             QStringLiteral("Sales tax not calculated."), false, false};
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
        const banking::Company company = banking::readCompany(connection());
        QString name = company.busName;
        store::Query q(connection());
        q.setSql({QStringLiteral("SELECT BUSNAME, GSTENABLED, GSTPERCENT FROM QVCNTRL"),
                  QStringLiteral("WHERE COYCODE = :iCoyCode")});
        q.bind(QStringLiteral("iCoyCode"), coyCode);
        q.open();
        bool taxable = company.gstEnabled;
        double rate = company.gstPercent;
        if (!q.eof()) {
            name = q.text(QStringLiteral("BUSNAME"));
            taxable = q.integer(QStringLiteral("GSTENABLED")) == 1;
            rate = q.number(QStringLiteral("GSTPERCENT"));
        }
        setWindowTitle(QStringLiteral("Cash transactions of :  ") + name);
        openList(taxable, rate);
    });
    showCurrent();
}
