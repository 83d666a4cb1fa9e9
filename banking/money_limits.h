#pragma once
// What the numeric fields of bank entries can hold, read from the table catalogue so that a
// widened field widens the rule with it: an amount, a running balance and a transaction number
// beyond them are refused with their own message instead of being stored wrong.

#include <QString>
#include <QtGlobal>

namespace banking {

// The largest magnitude a numeric field holds: 99,999,999,999.99 for numeric 14 with 2
// decimals (the width counts the decimal point), 99,999,999,999 for numeric 11 without.
double largestValue(const char* table, const char* field);

// Bank rows' and journal lines' AMOUNT (numeric 14, 2).
double largestAmount();
// A bank account's running balance CURRBAL: as large as an amount.
double largestBalance();
// The transaction (reference) number TRANNUM of a bank row.
qint64 largestReference();

// The value, rounded to cents, is a finite number the field can hold. Safe for any double
// (the cents of 1e300 are never computed).
bool fitsField(double value, double largest);

// "Amount too large.": the words for an amount or a balance a field cannot hold.
QString amountTooLargeText();
// "The transaction number must be a whole number from 1 to 99999999999."
QString referenceRangeText();

// The text typed in "Ref. No. :" read as a transaction number: a whole number from 1 to
// largestReference(), or 0 when it is not one (letters, decimals, 0, negative, too long).
qint64 referenceFromText(const QString& text);

}  // namespace banking
