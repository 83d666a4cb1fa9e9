#pragma once
// The Accomplish Cash Manager format: the rows of the CASHMAN table, its totals and its source
// codes, kept apart from the writing so that they can be checked without files.
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "exchange/export_rows.h"

namespace exchange {

struct CashmanRow {
    QDate date;
    QString ref, account;
    double amount = 0;
    std::optional<double> gstAmount, quantity;  // unset on the total rows
    QString details, source;
};

struct CashmanTotals {
    double receipts = 0, receiptsTax = 0, payments = 0, paymentsTax = 0;
    void add(const JournalRow& j);
};

// The one-letter source code of a journal line by its REASON; empty when none applies.
QString accomplishSource(const JournalRow& j);
// The row of a journal line; nothing for a wholly private line.
std::optional<CashmanRow> cashmanRowOf(const JournalRow& j);
// The four total rows, dated `today`.
std::vector<CashmanRow> cashmanTotalRows(const CashmanTotals& t, const QDate& today,
                                         const QString& receiptsCode, const QString& paymentsCode);

// Writes the rows as a dBase III file at `path` (under a temporary name, renamed into place).
bool writeCashmanDbf(const QString& path, const std::vector<CashmanRow>& rows);

}  // namespace exchange
