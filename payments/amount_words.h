#pragma once
// A cheque's amount written in words: "One Thousand, Two Hundred and Twenty dollars and Thirty
// cents.". No widgets.

#include <QString>
#include <QtGlobal>

namespace payments {

// The words of an amount, from its absolute value rounded to cents: each group of three digits
// in words with its scale word ("Thousand, ", "Million, ", ... "Quadrillion, "), then "dollars
// and " and the cents ("zero cents." for whole dollars). 0.00 has no words; an amount that is
// not a number or too large for cents gives "ERROR:".
QString amountInWords(double amount);
// The same from whole cents (any sign).
QString centsInWords(qint64 cents);

}  // namespace payments
