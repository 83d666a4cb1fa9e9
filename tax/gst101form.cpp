#include "tax/gst101form.h"

#include "tax/gst101_page.h"
#include "tax/stored_return.h"
#include "tax/tax_company.h"

TGST101Form::TGST101Form(QWidget* owner) : reports::TReportPreviewForm(owner) {
    setObjectName(QStringLiteral("GST101Form"));
    setWindowTitle(QStringLiteral("Goods and services tax return"));
}

void TGST101Form::prepare(store::Connection& connection, int coy, const tax::TaxPeriod& period) {
    document = tax::gst101Document(tax::readTaxCompany(connection, coy),
                                   tax::storedReturnsStartingIn(connection, coy, period), period);
    document.printedOn = QDate::currentDate();
}
