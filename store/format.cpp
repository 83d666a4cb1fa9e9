#include "store/format.h"

#include <QLocale>
#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace store::fmt {

namespace {

constexpr int kMaxDecimals = 15;

// The value rounded half away from zero at `decimals` places, as decimal digits. The rounding is
// done on the shortest decimal text that reads back as the same double, which is the number the
// user typed or the arithmetic meant, so it is exact whatever the size of the value.
struct DecimalDigits {
    bool negative = false;
    std::string digits;  // whole part and `decimals` fraction digits, without the point
    int decimals = 0;
    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

DecimalDigits roundedDigits(double value, int decimals) {
    char buf[400];  // room for the largest double and the smallest subnormal written out in full
    const auto result =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buf, result.ec == std::errc() ? size_t(result.ptr - buf) : 0);
    const auto dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);

    DecimalDigits d;
    d.negative = std::signbit(value);
    d.decimals = decimals;
    d.digits.assign(whole);
    for (int i = 0; i < decimals; ++i) d.digits += i < int(fraction.size()) ? fraction[i] : '0';
    if (decimals < int(fraction.size()) && fraction[size_t(decimals)] >= '5') {
        int i = int(d.digits.size()) - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9') d.digits[size_t(i--)] = '0';
        if (i < 0)
            d.digits.insert(d.digits.begin(), '1');
        else
            ++d.digits[size_t(i)];
    }
    if (d.isZero()) d.negative = false;  // never "-0.00"
    return d;
}

// The digits as a whole number of the smallest unit; nothing when it does not fit 64 bits.
std::optional<qint64> toScaled(const DecimalDigits& d) {
    qint64 scaled = 0;
    for (char c : d.digits) {
        if (scaled > (std::numeric_limits<qint64>::max() - (c - '0')) / 10) return std::nullopt;
        scaled = scaled * 10 + (c - '0');
    }
    return d.negative ? -scaled : scaled;
}

QString fixedTwo(double value, int integerDigits)
{
    // Not a number or infinite: shown as such ("nan", "inf", "-inf"), never as an amount.
    if (!std::isfinite(value)) return QString::number(value);
    const DecimalDigits d = roundedDigits(value, 2);
    QString whole = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size() - 2));
    if (whole.size() < integerDigits) whole.prepend(QString(integerDigits - whole.size(), '0'));
    return (d.negative ? QStringLiteral("-") : QString()) + whole + QLatin1Char('.') +
           QString::fromLatin1(d.digits.data() + d.digits.size() - 2, 2);
}

const char* const kMonthNames[] = {"January", "February", "March",     "April",
                                   "May",     "June",     "July",      "August",
                                   "September", "October", "November", "December"};

QString monthName(const QDate& date) { return QString::fromLatin1(kMonthNames[date.month() - 1]); }

}  // namespace

double roundTo(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const DecimalDigits d = roundedDigits(value, qBound(0, decimals, kMaxDecimals));
    std::string text = d.digits;
    if (d.decimals > 0) text.insert(text.size() - size_t(d.decimals), 1, '.');
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return d.negative ? -rounded : rounded;
}

std::optional<qint64> checkedScaled(double value, int decimals) {
    if (!std::isfinite(value)) return std::nullopt;
    return toScaled(roundedDigits(value, qBound(0, decimals, kMaxDecimals)));
}

std::optional<qint64> checkedCents(double value) { return checkedScaled(value, 2); }

qint64 cents(double value)
{
    if (std::isnan(value)) return 0;
    if (const auto c = checkedCents(value)) return *c;
    return value < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
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
