#include "store/format.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>

namespace store::fmt {

namespace {

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                   1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMaxDecimals = 15;
// Beyond this the scaled value no longer fits the exact integer range of a double.
constexpr double kMaxScaled = 9.0e15;

// The value times 10^decimals rounded half away from zero, as a whole number. The rounding is
// done on the shortest decimal text that reads back as the same double, which is the number
// the user typed or the arithmetic meant. False when the result would not be exact.
bool scaledRounded(double value, int decimals, qint64* out)
{
    if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals) return false;
    if (std::fabs(value) * kPowersOfTen[decimals] >= kMaxScaled) return false;

    char buf[400];  // room for the smallest subnormal written out in full
    const auto result = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                      std::chars_format::fixed);
    if (result.ec != std::errc()) return false;
    const std::string_view text(buf, result.ptr - buf);
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);

    qint64 scaled = 0;
    for (char c : whole) scaled = scaled * 10 + (c - '0');
    for (int i = 0; i < decimals; ++i)
        scaled = scaled * 10 + (i < int(fraction.size()) ? fraction[i] - '0' : 0);
    if (decimals < int(fraction.size()) && fraction[decimals] >= '5') ++scaled;

    *out = value < 0 ? -scaled : scaled;
    return true;
}

QString fixedTwo(double value, int integerDigits)
{
    const qint64 c = cents(value);
    const qint64 magnitude = c < 0 ? -c : c;
    return QStringLiteral("%1%2.%3")
        .arg(c < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100, integerDigits, 10, QLatin1Char('0'))
        .arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

const char* const kMonthNames[] = {"January", "February", "March",     "April",
                                   "May",     "June",     "July",      "August",
                                   "September", "October", "November", "December"};

QString monthName(const QDate& date) { return QString::fromLatin1(kMonthNames[date.month() - 1]); }

}  // namespace

double roundTo(double value, int decimals)
{
    decimals = qBound(0, decimals, kMaxDecimals);
    qint64 scaled = 0;
    if (scaledRounded(value, decimals, &scaled)) return double(scaled) / kPowersOfTen[decimals];
    if (!std::isfinite(value)) return value;
    // Too large for any fraction to survive: plain rounding is all there is.
    return std::round(value * kPowersOfTen[decimals]) / kPowersOfTen[decimals];
}

qint64 cents(double value)
{
    qint64 scaled = 0;
    if (scaledRounded(value, 2, &scaled)) return scaled;
    if (!std::isfinite(value)) return 0;
    return std::llround(value * 100.0);
}

bool sameMoney(double a, double b) { return cents(a) == cents(b); }

QString money(double value) { return fixedTwo(value, 1); }

QString twoDigits(double value) { return fixedTwo(value, 2); }

QString longDate(const QDate& date)
{
    if (!date.isValid()) return QString();
    return QStringLiteral("%1 %2 %3").arg(date.day()).arg(monthName(date)).arg(date.year());
}

QString longDate2(const QDate& date)
{
    if (!date.isValid()) return QString();
    return QStringLiteral("%1 %2 %3")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(monthName(date))
        .arg(date.year());
}

QString withFourDigitYear(const QString& format)
{
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || c != QLatin1Char('y')) {
            result += c;
            ++i;
            continue;
        }
        while (i < format.size() && format[i] == QLatin1Char('y')) ++i;
        result += QLatin1String("yyyy");
    }
    return result;
}

QString shortDateFormat()
{
    return withFourDigitYear(QLocale::system().dateFormat(QLocale::ShortFormat));
}

QString shortDate(const QDate& date)
{
    if (!date.isValid()) return QString();
    return QLocale::system().toString(date, shortDateFormat());
}

QDate parseShortDate(const QString& text)
{
    return QLocale::system().toDate(text.trimmed(), shortDateFormat());
}

QDate financialYearStart(const QDate& today)
{
    const int year = today.month() >= 4 ? today.year() : today.year() - 1;
    return QDate(year, 4, 1);
}

QDate financialYearEnd(const QDate& start) { return start.addDays(364); }

bool parseMoney(const QString& text, double* out)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const QString t = text.trimmed();
    if (!plainNumber.match(t).hasMatch()) return false;
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok) return false;
    if (out) *out = value;
    return true;
}

}  // namespace store::fmt
