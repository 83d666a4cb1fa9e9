#include "reports/company.h"

#include "store/query.h"

namespace reports {

QString companyName(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql({"SELECT BUSNAME FROM QVCNTRL", "WHERE COYCODE =:iCoyCode"});
    q.bind("iCoyCode", coy);
    q.open();
    return q.eof() ? QString() : q.text("BUSNAME");
}

}  // namespace reports
