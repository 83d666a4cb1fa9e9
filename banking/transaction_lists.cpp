#include "banking/transaction_lists.h"

#include "store/keys.h"

namespace banking {

namespace keys = store::keys;

QStringList transactionListSql() {
    return {QStringLiteral("SELECT * FROM QVBNKTR B"), QStringLiteral("WHERE B.COYCODE =:iCoyCode"),
            QStringLiteral("AND B.BANKLINK =:sBankLink"), QStringLiteral("ORDER BY B.TRANDATE"),
            QStringLiteral(" ")};
}

QVariantMap transactionListParams(int coy, const QString& bankLink) {
    return {{QStringLiteral("iCoyCode"), coy},
            {QStringLiteral("sBankLink"), keys::cutToWidth(bankLink, keys::kBankRowLinkWidth)}};
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
