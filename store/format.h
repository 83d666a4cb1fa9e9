#pragma once
// Plain formatting and parsing rules shared by reports and windows: money, dates and the
// financial year.

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace store::fmt {

// The one rounding of the program: half away from zero at `decimals` places (0 to 15), as the
// decimal number the double was written as: 2.675 gives 2.68, 1.005 gives 1.01 and
// 12345678.90 stays 12345678.90, exactly at every size. Not-a-number and infinities come back
// unchanged.
double roundTo(double value, int decimals);
// The value times 10^decimals, rounded as roundTo, as a whole number; nothing when the value is
// not finite or the result does not fit 64 bits (beyond about 9.2e16 in cents).
std::optional<qint64> checkedScaled(double value, int decimals);
std::optional<qint64> checkedCents(double value);
// The amount in whole cents, rounded as roundTo(value, 2). Values beyond the 64-bit range
// (and infinities) give the largest or smallest qint64; not-a-number gives 0.
qint64 cents(double value);
// Money is compared in cents, never as raw doubles.
bool sameMoney(double a, double b);

// "0.00": no thousands separator, "-12.50" when negative, never "-0.00"; exact for every finite
// value, however large. Not-a-number and infinities read "nan", "inf" and "-inf".
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
