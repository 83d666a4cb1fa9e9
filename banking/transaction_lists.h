#pragma once
// What the two read-only lists of an account's bank rows read: the picker's rows (every row,
// by date) and the viewer's (a date range, both ends included, by default the last 31 days),
// and how the picker's "Go to" reads its number. No widgets here.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <optional>
#include <utility>

#include "store/table.h"

namespace banking {

// The picker's rows of one account by date, paged by key: "SELECT rowid, *" of QVBnkTr in
// (TRANDATE, AMOUNT, rowid) order, the order QVBnkTr_COVER_BANKLINK keeps, chosen by BANKLINK
// alone (it begins with the company's number), so that counting the rows and reaching a far
// one read that index only.
store::Table::Selection transactionListSelection(const QString& bankLink);
// The row id of the picker's row at a zero-based position (0 past the end): the account's
// totals per month (QVBnkTot) give the month it falls in, and only that month's index entries
// are skipped, so a far row costs what a near one does.
qint64 transactionListRowIdAt(store::Connection& c, const QString& bankLink, qint64 position);

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
