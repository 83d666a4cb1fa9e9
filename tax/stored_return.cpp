#include "tax/stored_return.h"

#include "store/format.h"
#include "store/query.h"

namespace tax {

std::vector<StoredReturnRecord> storedReturnsStartingIn(store::Connection& connection, int coy,
                                                        const TaxPeriod& period) {
    store::Query q(connection);
    q.setSql({"SELECT * FROM QVGST", "WHERE COYNO =:iCoyCode",
              "AND (GSTBEGDATE BETWEEN :StartDate AND :EndDate)", "ORDER BY rowid"});
    q.bind("iCoyCode", coy);
    q.bind("StartDate", period.start);
    q.bind("EndDate", period.end);
    q.open();
    std::vector<StoredReturnRecord> list;
    for (; !q.eof(); q.next()) {
        auto cents = [&](const char* field) { return store::fmt::cents(q.number(field)); };
        StoredReturnRecord r;
        r.period = {q.date("GSTBEGDATE"), q.date("GSTENDDATE")};
        r.figures = {cents("INCOME"),    cents("ZERORATED"),  cents("TOTSALES"),
                     cents("INCOMEGST"), cents("SALEADJGST"), cents("GSTCOLLECT"),
                     cents("PUREXP"),    cents("EXPGST"),     cents("CREDADJ"),
                     cents("GSTCREDIT"), cents("GSTAMOUNT")};
        list.push_back(r);
    }
    return list;
}

}  // namespace tax
