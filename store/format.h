#pragma once
// Plain formatting and parsing rules shared by reports and windows: money, dates and the
// financial year.

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace store::fmt {

// Rounds half away from zero at `decimals` places, as the decimal number the double was
// written as: 2.675 gives 2.68 and 1.005 gives 1.01 although neither is exact in binary.
double roundTo(double value, int decimals);
// The amount in whole cents, rounded as roundTo(value, 2).
qint64 cents(double value);
// Money is compared in cents, never as raw doubles.
bool sameMoney(double a, double b);

// "0.00": no thousands separator, "-12.50" when negative, never "-0.00".
QString money(double value);
// "00.00": at least two integer digits, two decimals ("05.00", "-07.25", "123.40").
QString twoDigits(double value);

// "1 April 2026" and "01 April 2026", English month names whatever the locale.
QString longDate(const QDate& date);
QString longDate2(const QDate& date);

// The user's short date format with a four-digit year: a year written with fewer digits
// ("yy") becomes "yyyy".
QString shortDateFormat();
QString withFourDigitYear(const QString& format);
QString shortDate(const QDate& date);
// An invalid QDate when the text is not a date in the short format.
QDate parseShortDate(const QString& text);

// 1 April of the financial year that holds `today` (January to March belong to the year
// that began the previous 1 April), and the year's end: its start + 364 days.
QDate financialYearStart(const QDate& today);
QDate financialYearEnd(const QDate& start);

// A plain decimal number ("12", "-3", " 1234.56 ", ".5"); thousands separators, letters and
// empty text are refused. `out` is left alone on failure.
bool parseMoney(const QString& text, double* out);

}  // namespace store::fmt
