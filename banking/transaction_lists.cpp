#include "banking/transaction_lists.h"

#include "store/keys.h"
#include "store/query.h"

namespace banking {

namespace keys = store::keys;

namespace {

// A test of COYCODE would read every counted or skipped row from the table.
const QString kListWhere = QStringLiteral(" FROM QVBNKTR B WHERE B.BANKLINK =:sBankLink");
const QString kListOrder = QStringLiteral(" ORDER BY B.TRANDATE, B.AMOUNT, rowid");

QString listLinkOf(const QString& bankLink) {
    return keys::cutToWidth(bankLink, keys::kBankRowLinkWidth);
}

}  // namespace

store::Table::Selection transactionListSelection(const QString& bankLink) {
    store::Table::Selection s;
    s.params.insert(QStringLiteral("sBankLink"), listLinkOf(bankLink));
    const QString& where = kListWhere;
    const QString select = QStringLiteral("SELECT rowid, *");
    const QString& order = kListOrder;
    const QString reverse = QStringLiteral(" ORDER BY B.TRANDATE DESC, B.AMOUNT DESC, rowid DESC");
    // A key is a row id alone: its row gives the date and amount it stands at.
    const auto keyOf = [](const char* name) {
        return QStringLiteral("(SELECT TRANDATE, AMOUNT, rowid FROM QVBNKTR WHERE rowid = :%1)")
            .arg(QLatin1String(name));
    };
    const QString after =
        QStringLiteral(" AND (B.TRANDATE, B.AMOUNT, B.rowid) > ") + keyOf("__rowid");
    const QString before =
        QStringLiteral(" AND (B.TRANDATE, B.AMOUNT, B.rowid) < ") + keyOf("__rowid");
    const QString upTo =
        QStringLiteral(" AND (B.TRANDATE, B.AMOUNT, B.rowid) <= ") + keyOf("__rowid2");
    s.sql = select + where + order;
    // Counted from the account's totals per block of rows, not by walking 600,000 index entries.
    s.countSql =
        QStringLiteral("SELECT COALESCE(SUM(ROWS), 0) FROM QVBnkBlk WHERE BANKLINK =:sBankLink");
    s.fromAfter = where + after;
    s.fromBetween = where + after + upTo;
    s.afterSql = select + s.fromAfter + order;
    s.beforeSql = select + where + before + reverse;
    s.reverseSql = select + where + reverse;
    const QString keys = QStringLiteral("SELECT rowid") + where;
    s.keySql = keys + order;
    s.reverseKeySql = keys + reverse;
    return s;
}

qint64 transactionListRowIdAt(store::Connection& c, const QString& bankLink, qint64 position) {
    if (position < 0) return 0;
    const QString link = listLinkOf(bankLink);
    store::Query months(c);
    months.setSql(
        QStringLiteral("SELECT MONTH, ROWS FROM QVBnkTot WHERE BANKLINK = :sBankLink "
                       "AND ROWS > 0 ORDER BY MONTH"));
    months.bind(QStringLiteral("sBankLink"), link);
    months.open();
    // A month's rows are those whose date begins with it: they follow every earlier month's.
    qint64 before = 0;
    for (; !months.eof(); months.next()) {
        const qint64 rows = months.value(1).toLongLong();
        if (position >= before + rows) {
            before += rows;
            continue;
        }
        store::Query key(c);
        key.setSql(QStringLiteral("SELECT rowid") + kListWhere +
                   QStringLiteral(" AND B.TRANDATE >= :sMonth") + kListOrder +
                   QStringLiteral(" LIMIT 1 OFFSET :iSkip"));
        key.bind(QStringLiteral("sBankLink"), link);
        key.bind(QStringLiteral("sMonth"), months.value(0).toString());
        key.bind(QStringLiteral("iSkip"), position - before);
        key.open();
        return key.isEmpty() ? 0 : key.value(0).toLongLong();
    }
    return 0;
}

QStringList transactionViewSql() {
    return {QStringLiteral("select * from QVBnkTr"), QStringLiteral("WHERE COYCODE =:iCoyCode"),
            QStringLiteral("AND BANKLINK = :sBankLink"),
            QStringLiteral("AND (TRANDATE BETWEEN :BegDate AND :EndDate)"),
            QStringLiteral("order by TRANDATE")};
}

QVariantMap transactionViewParams(int coy, const QString& bankLink, const QDate& from,
                                  const QDate& to) {
    return {{QStringLiteral("iCoyCode"), coy},
            {QStringLiteral("sBankLink"), keys::cutToWidth(bankLink, keys::kBankRowLinkWidth)},
            {QStringLiteral("BegDate"), from},
            {QStringLiteral("EndDate"), to}};
}

std::pair<QDate, QDate> transactionViewDefaultRange(const QDate& today) {
    return {today.addDays(-30), today};
}

std::optional<qint64> goToNumber(const QString& typed) {
    bool ok = false;
    const qint64 n = typed.trimmed().toLongLong(&ok);
    if (!ok || n == 0) return std::nullopt;
    return n;
}

QString reconciledText(int reconciled) {
    return reconciled == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
}

}  // namespace banking
