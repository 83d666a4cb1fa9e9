#include "payments/amount_words.h"

#include <QStringList>
#include <iterator>
#include <limits>
#include <optional>

#include "store/format.h"

namespace payments {

namespace {

const char* const kOnes[] = {"",         "One ",     "Two ",       "Three ",    "Four ",
                             "Five ",    "Six ",     "Seven ",     "Eight ",    "Nine ",
                             "Ten ",     "Eleven ",  "Twelve ",    "Thirteen ", "Fourteen ",
                             "Fifteen ", "Sixteen ", "Seventeen ", "Eighteen ", "Nineteen "};
const char* const kTens[] = {"",       "",       "Twenty ",  "Thirty ", "Forty ",
                             "Fifty ", "Sixty ", "Seventy ", "Eighty ", "Ninety "};
// The scale of the second to the sixth group of three digits.
const char* const kScales[] = {"Thousand, ", "Million, ", "Billion, ", "Trillion, ",
                               "Quadrillion, "};
constexpr int kGroups = 1 + int(std::size(kScales));
const QString kWordsError = QStringLiteral("ERROR:");

// Words of 0 to 999; 0 has none.
QString groupWords(int n) {
    QString out;
    const int hundreds = n / 100, lastTwo = n % 100, tens = lastTwo / 10, units = n % 10;
    if (hundreds > 0) {
        out += QLatin1String(kOnes[hundreds]) + QLatin1String("Hundred ");
        if (lastTwo != 0) out += QLatin1String("and ");
    }
    if (tens == 1) return out + QLatin1String(kOnes[lastTwo]);
    out += QLatin1String(kTens[tens]);
    return out + QLatin1String(kOnes[units]);
}

// The dollars in words, most significant group first; a group of zeros adds nothing, not even
// its scale word. Empty for 0; nothing when there are more groups than scale words.
std::optional<QString> dollarWords(quint64 dollars) {
    QString out;
    for (int k = 0; dollars > 0; ++k, dollars /= 1000) {
        if (k >= kGroups) return std::nullopt;
        const int group = int(dollars % 1000);
        if (group == 0) continue;
        out = groupWords(group) + (k > 0 ? QLatin1String(kScales[k - 1]) : QLatin1String()) + out;
    }
    // A scale word at the very end ("One Thousand, ") keeps its blank but loses its comma.
    if (out.endsWith(QLatin1String(", "))) out.remove(out.size() - 2, 1);
    return out;
}

}  // namespace

QString centsInWords(qint64 cents) {
    if (cents == std::numeric_limits<qint64>::min()) return kWordsError;
    const quint64 whole = quint64(cents < 0 ? -cents : cents);
    const auto dollars = dollarWords(whole / 100);
    if (!dollars) return kWordsError;
    const int fraction = int(whole % 100);
    QString out = *dollars;
    if (fraction != 0) {
        if (!out.isEmpty()) out += QLatin1String("dollars and ");
        return out + groupWords(fraction) + QLatin1String("cents.");
    }
    if (!out.isEmpty()) out += QLatin1String("dollars and zero cents.");
    return out;
}

QString amountInWords(double amount) {
    const auto cents = store::fmt::checkedCents(amount);
    return cents ? centsInWords(*cents) : kWordsError;
}

}  // namespace payments
