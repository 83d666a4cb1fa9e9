// One libFuzzer target per statement line format: QUORVEL_FUZZ_FORMAT is the format's place in
// the "Select your bank :" list. The input's first line is the BNZ account to match, the rest
// the statement line, so the fuzzer can reach the lines that match their account.

#include <cstdint>
#include <cstdlib>

#include "exchange/statement_formats.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype newline = input.indexOf(QLatin1Char('\n'));
    exchange::LineContext context;
    context.account = newline < 0 ? QString() : input.first(newline);
    const QStringView line = newline < 0 ? QStringView(input) : QStringView(input).mid(newline + 1);

    const auto& format = exchange::statementFormats().at(QUORVEL_FUZZ_FORMAT);
    const auto parsed = format.parse(line, context);
    if (parsed) {
        require(parsed->date.isValid());
        require(parsed->cents > -10'000'000'000'000'000LL &&
                parsed->cents < 10'000'000'000'000'000LL);
        require(parsed->cheque || parsed->reference.isEmpty());
    }
    // The pieces every format is made of, on the same text.
    for (const exchange::LineField& f : exchange::splitLineFields(line)) {
        require(f.start >= 0 && f.start <= line.size());
        (void)exchange::statementCents(f.text);
        (void)exchange::dayMonthYearDate(f.text);
        (void)exchange::yearMonthDayDate(f.text);
    }
    return 0;
}
