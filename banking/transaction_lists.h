#pragma once
// What the two read-only lists of an account's bank rows read: the picker's query (every row,
// by date) and the viewer's (a date range, both ends included, by default the last 31 days),
// and how the picker's "Go to" reads its number. No widgets here.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <utility>

namespace banking {

// The picker's rows of one account: "SELECT * FROM QVBNKTR B" ... "ORDER BY B.TRANDATE".
QStringList transactionListSql();
QVariantMap transactionListParams(int coy, const QString& bankLink);

// The viewer's rows of one account between two dates.
QStringList transactionViewSql();
QVariantMap transactionViewParams(int coy, const QString& bankLink, const QDate& from,
                                  const QDate& to);
// today - 30 days and today.
std::pair<QDate, QDate> transactionViewDefaultRange(const QDate& today);

// "Go to": the typed number when it is a whole number other than 0, else nothing (the window
// beeps and stays).
std::optional<qint64> goToNumber(const QString& typed);

// "Yes" for a reconciled row, "No" otherwise.
QString reconciledText(int reconciled);

}  // namespace banking
