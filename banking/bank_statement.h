#pragma once
// The bank statement listing: one account's rows between two dates (both included) in date
// order, each amount in the "Debits" (withdrawals) or "Credits" (deposits) column, with the two
// totals, as data; bankstatementrpt.h lays it out on pages. No widgets here.

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "store/connection.h"

namespace banking {

struct StatementRow {
    QDate date;
    qint64 tranNum = 0;
    QString reason;
    QString source;
    qint64 debit = 0;   // cents: the magnitude of a negative amount, else 0
    qint64 credit = 0;  // cents: a positive amount, else 0
};

struct BankStatement {
    QString busName;
    QString desc, bankCode, acctNo;
    QDate from, to;
    std::vector<StatementRow> rows;
    qint64 debitTotal = 0;  // cents
    qint64 creditTotal = 0;
};

// The dialog's default dates: 1 April of the financial year holding today, and 30 days on.
QDate statementDefaultFrom(const QDate& today);
inline QDate statementDefaultTo(const QDate& from) { return from.addDays(30); }

// The statement of the company's account with this account number (ACCTNO); the rows are read
// by the statement query with both dates included.
BankStatement bankStatement(store::Connection& connection, int coy, const QString& acctNo,
                            const QDate& from, const QDate& to);

// "$#0.00": "$100.00", "$25.50"; the sign is the column's.
QString statementMoney(qint64 cents);

}  // namespace banking
