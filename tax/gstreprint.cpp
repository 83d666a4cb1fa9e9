#include "tax/gstreprint.h"

#include "tax/gst101_page.h"
#include "tax/stored_return.h"
#include "tax/tax_company.h"

namespace tax {

reports::ReportDocument gstReprintDocument(store::Connection& connection, int coy,
                                           const TaxPeriod& chosen) {
    reports::ReportDocument doc = gst101Document(
        readTaxCompany(connection, coy), storedReturnsStartingIn(connection, coy, chosen), chosen);
    doc.printedOn = QDate::currentDate();
    return doc;
}

}  // namespace tax
