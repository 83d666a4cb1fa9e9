#include "tax/gstreprint.h"

#include "store/format.h"
#include "store/query.h"
#include "tax/tax_company.h"

namespace tax {

std::vector<StoredReturnRecord> returnsToReprint(store::Connection& connection, int coy,
                                                 const TaxPeriod& chosen) {
    store::Query q(connection);
    q.setSql(QStringList{"SELECT * FROM QVGST", "WHERE COYNO =:iCoyCode",
                         "AND (GSTBEGDATE BETWEEN :StartDate AND :EndDate)", "ORDER BY rowid"});
    q.bind("iCoyCode", coy);
    q.bind("StartDate", chosen.start);
    q.bind("EndDate", chosen.end);
    q.open();
    std::vector<StoredReturnRecord> out;
    for (; !q.eof(); q.next()) {
        auto cents = [&](const char* field) { return store::fmt::cents(q.number(field)); };
        StoredReturnRecord r;
        r.period = {q.date("GSTBEGDATE"), q.date("GSTENDDATE")};
        r.figures = {cents("INCOME"),    cents("ZERORATED"),  cents("TOTSALES"),
                     cents("INCOMEGST"), cents("SALEADJGST"), cents("GSTCOLLECT"),
                     cents("PUREXP"),    cents("EXPGST"),     cents("CREDADJ"),
                     cents("GSTCREDIT"), cents("GSTAMOUNT")};
        out.push_back(r);
    }
    return out;
}

namespace {

bool atFifteen(double percent) { return store::fmt::sameMoney(percent, 15.0); }

}  // namespace

QString reprintBoxEightCaption(double percent) {
    return atFifteen(percent) ? QStringLiteral(
                                    "Multiply the amount in Box 7 by three (3) and "
                                    "divide by twenty-three (23).")
                              : QStringLiteral("Divide the amount in Box 7 by ") +
                                    store::fmt::money(taxDivisor(percent));
}

QString reprintBoxTwelveCaption(double percent) {
    return atFifteen(percent) ? QStringLiteral(
                                    "Multiply the amount in Box 11 by three (3) and "
                                    "divide by twenty-three (23).")
                              : QStringLiteral("Divide the amount in Box 11 by  ") +
                                    store::fmt::money(taxDivisor(percent));
}

}  // namespace tax
