// libFuzzer target of the CSV statement reader. The input's first byte chooses the layout (its
// delimiter, amounts as one column or as debit and credit, a decimal comma, header lines), the
// rest is the file's text.

#include <cstdint>
#include <cstdlib>

#include "exchange/csv_statement.h"

namespace {

void requireCsv(bool condition) {
    if (!condition) std::abort();
}

exchange::CsvMapping fuzzedLayout(uint8_t choice) {
    exchange::CsvMapping m;
    const QChar delimiters[] = {u',', u';', u'\t', u'|'};
    m.delimiter = delimiters[choice & 3];
    m.decimalComma = (choice & 4) && m.delimiter != u',';
    if (choice & 8) {
        m.amounts = exchange::CsvAmounts::DebitCredit;
        m.debitColumn = 2;
        m.creditColumn = 4;
    }
    m.skipLines = (choice >> 4) & 3;
    m.referenceColumn = (choice & 64) ? 4 : 0;
    m.dateFormat = (choice & 128) ? QStringLiteral("d MMM yy") : QStringLiteral("dd/MM/yyyy");
    return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const exchange::CsvMapping mapping = fuzzedLayout(data[0]);
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    int previous = 0;
    for (const exchange::CsvRow& row : exchange::readCsvStatement(text, mapping)) {
        requireCsv(row.record > previous && row.record > mapping.skipLines);
        previous = row.record;
        requireCsv(row.line.has_value() != !row.problem.isEmpty());
        if (row.line) {
            requireCsv(row.line->date.isValid());
            requireCsv(row.line->cents > -100'000'000'000'000'000LL &&
                       row.line->cents < 100'000'000'000'000'000LL);
        }
    }
    const auto firstTwo = exchange::readCsvStatement(text, mapping, 2);
    requireCsv(firstTwo.size() <= 2);
    return 0;
}
