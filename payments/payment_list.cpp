#include "payments/payment_list.h"

namespace payments {

store::Table::Selection paymentListSelection(int coyCode, const QString& suppCode) {
    store::Table::Selection s;
    s.params.insert(QStringLiteral("iCoyCode"), QString::number(coyCode));
    QString where = QStringLiteral(" FROM QVCHHDR WHERE COYCODE =:iCoyCode");
    if (!suppCode.trimmed().isEmpty()) {
        where += QStringLiteral(" AND SUPPLIER =:sSuppCode");
        s.params.insert(QStringLiteral("sSuppCode"), suppCode.trimmed());
    }
    // Column 0 is the row id and column 1 the date, as the keyset statements expect; the bank
    // account column joins the bank code and the account number.
    const QString select = QStringLiteral(
        "SELECT rowid, CHQDATE AS ORDERDATE, *, TRIM(BANKCODE) || '-' || TRIM(ACCTCODE) AS "
        "BANKACCOUNT");
    const QString order = QStringLiteral(" ORDER BY CHQDATE, rowid");
    const QString reverse = QStringLiteral(" ORDER BY CHQDATE DESC, rowid DESC");
    const QString after = QStringLiteral(" AND (CHQDATE, rowid) > (:__key, :__rowid)");
    const QString before = QStringLiteral(" AND (CHQDATE, rowid) < (:__key, :__rowid)");
    const QString upTo = QStringLiteral(" AND (CHQDATE, rowid) <= (:__key2, :__rowid2)");
    s.sql = select + where + order;
    s.countSql = QStringLiteral("SELECT COUNT(*)") + where;
    s.fromAfter = where + after;
    s.fromBetween = where + after + upTo;
    s.afterSql = select + s.fromAfter + order;
    s.beforeSql = select + where + before + reverse;
    s.reverseSql = select + where + reverse;
    s.keyColumn = 1;
    const QString keys = QStringLiteral("SELECT rowid, CHQDATE") + where;
    s.keySql = keys + order;
    s.reverseKeySql = keys + reverse;
    return s;
}

}  // namespace payments
