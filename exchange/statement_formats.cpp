#include "exchange/statement_formats.h"

#include <array>

namespace exchange {

namespace {

const QChar kStatementQuote = QLatin1Char('"');
const QChar kStatementComma = QLatin1Char(',');

// A whole number of 1 to `maxDigits` digits, nothing else.
std::optional<int> statementNumber(QStringView text, int maxDigits) {
    text = text.trimmed();
    if (text.isEmpty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// Three parts of a date split at `separator`, each present.
std::optional<std::array<QStringView, 3>> statementDateParts(QStringView text, QChar separator) {
    text = text.trimmed();
    const qsizetype first = text.indexOf(separator);
    if (first < 0) return std::nullopt;
    const qsizetype second = text.indexOf(separator, first + 1);
    if (second < 0 || text.indexOf(separator, second + 1) >= 0) return std::nullopt;
    return std::array<QStringView, 3>{text.first(first), text.mid(first + 1, second - first - 1),
                                      text.mid(second + 1)};
}

QDate datePartsToDate(QStringView day, QStringView month, QStringView year) {
    const auto d = statementNumber(day, 2), m = statementNumber(month, 2);
    const QStringView y = year.trimmed();
    if (y.size() != 2 && y.size() != 4) return {};
    const auto yy = statementNumber(y, 4);
    if (!d || !m || !yy) return {};
    return statementDate(*d, *m, y.size() == 2 ? 2000 + *yy : *yy);
}

// The field's text, or nothing when the line has fewer fields.
const QString* statementField(const std::vector<LineField>& fields, std::size_t oneBased) {
    return oneBased <= fields.size() ? &fields[oneBased - 1].text : nullptr;
}

// The amount and date every format fills; nothing when either cannot be read.
std::optional<StatementLine> amountAndDate(const QString* amount, QDate date) {
    if (!amount || !date.isValid()) return std::nullopt;
    const auto cents = statementCents(*amount);
    if (!cents) return std::nullopt;
    StatementLine line;
    line.cents = *cents;
    line.date = date;
    return line;
}

// The text of the line from where field `oneBased` began, without surrounding blanks.
QString restOfLine(QStringView line, const std::vector<LineField>& fields, std::size_t oneBased) {
    if (oneBased > fields.size()) return {};
    return line.mid(fields[oneBased - 1].start).trimmed().toString();
}

bool isChequeText(const QString& text, QLatin1StringView word) {
    return text.trimmed().compare(word, Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<LineField> splitLineFields(QStringView line) {
    std::vector<LineField> fields;
    qsizetype pos = 0;
    const qsizetype n = line.size();
    while (true) {
        LineField field;
        field.start = pos;
        qsizetype p = pos;
        while (p < n && line[p] == QLatin1Char(' ')) ++p;
        if (p < n && line[p] == kStatementQuote) {
            // A quoted field: to its closing quote; a doubled quote inside is one quote.
            ++p;
            while (p < n) {
                if (line[p] == kStatementQuote) {
                    if (p + 1 < n && line[p + 1] == kStatementQuote) {
                        field.text += kStatementQuote;
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                field.text += line[p++];
            }
            while (p < n && line[p] != kStatementComma) ++p;  // anything after the closing quote
        } else {
            const qsizetype comma = line.indexOf(kStatementComma, pos);
            p = comma < 0 ? n : comma;
            field.text = line.mid(pos, p - pos).trimmed().toString();
        }
        fields.push_back(std::move(field));
        if (p >= n) break;
        pos = p + 1;  // past the comma
    }
    return fields;
}

std::optional<qint64> statementCents(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+'))) {
        negative = text[0] == QLatin1Char('-');
        text = text.mid(1);
    }
    qint64 whole = 0;
    int wholeDigits = 0, decimals = 0, cents = 0;
    bool point = false, roundUp = false;
    for (QChar c : text) {
        if (c == QLatin1Char('.') && !point) {
            point = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        const int digit = c.unicode() - '0';
        if (!point) {
            if (++wholeDigits > 13) return std::nullopt;
            whole = whole * 10 + digit;
        } else if (++decimals <= 2) {
            cents = cents * 10 + digit;
        } else if (decimals == 3) {
            roundUp = digit >= 5;  // half away from zero: the third decimal decides
        }
    }
    if (wholeDigits + decimals == 0) return std::nullopt;
    if (decimals == 1) cents *= 10;
    const qint64 size = whole * 100 + cents + (roundUp ? 1 : 0);
    return negative ? -size : size;
}

QDate statementDate(int day, int month, int year) {
    if (year >= 0 && year < 100) year += 2000;
    return QDate(year, month, day);  // invalid when the parts do not make a date
}

QDate dayMonthYearDate(QStringView text) {
    const auto parts = statementDateParts(text, QLatin1Char('/'));
    if (!parts) return {};
    return datePartsToDate((*parts)[0], (*parts)[1], (*parts)[2]);
}

QDate yearMonthDayDate(QStringView text) {
    const auto parts = statementDateParts(text, QLatin1Char('/'));
    if (!parts || (*parts)[0].trimmed().size() != 4) return {};
    return datePartsToDate((*parts)[2], (*parts)[1], (*parts)[0]);
}

QDate namedMonthDate(QStringView text, QChar separator, bool upperCase) {
    static const std::array<QLatin1StringView, 12> months{
        QLatin1StringView("Jan"), QLatin1StringView("Feb"), QLatin1StringView("Mar"),
        QLatin1StringView("Apr"), QLatin1StringView("May"), QLatin1StringView("Jun"),
        QLatin1StringView("Jul"), QLatin1StringView("Aug"), QLatin1StringView("Sep"),
        QLatin1StringView("Oct"), QLatin1StringView("Nov"), QLatin1StringView("Dec")};
    const auto parts = statementDateParts(text, separator);
    if (!parts) return {};
    const QStringView name = (*parts)[1];
    for (std::size_t i = 0; i < months.size(); ++i) {
        const QString month = upperCase ? QString(months[i]).toUpper() : QString(months[i]);
        if (name == month) return datePartsToDate((*parts)[0], QString::number(i + 1), (*parts)[2]);
    }
    return {};
}

// 1 date; 2 amount, quoted; then the rest of the line is the narrative.
std::optional<StatementLine> parseAnzLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    auto line = amountAndDate(
        statementField(fields, 2),
        statementField(fields, 1) ? dayMonthYearDate(*statementField(fields, 1)) : QDate());
    if (!line || fields.size() < 3) return std::nullopt;
    line->narrative = restOfLine(text, fields, 3);
    return line;
}

// 1 record type "3"; 3 the account; 4 amount; 7 to 10 texts; 11 date.
std::optional<StatementLine> parseBnzLine(QStringView text, const LineContext& context) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 11 || fields[0].text != QLatin1String("3")) return std::nullopt;
    if (fields[2].text.trimmed() != context.account.trimmed()) return std::nullopt;
    auto line = amountAndDate(statementField(fields, 4), dayMonthYearDate(fields[10].text));
    if (!line) return std::nullopt;
    QStringList texts;
    for (std::size_t i = 6; i < 10; ++i)
        if (const QString t = fields[i].text.trimmed(); !t.isEmpty()) texts << t;
    line->narrative = texts.join(QLatin1Char(' '));
    return line;
}

// 1 date; 2 amount; 3 text; 4 reference, a cheque's number when text 3 is "CHEQUE".
std::optional<StatementLine> parseWestpacLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 3) return std::nullopt;
    auto line = amountAndDate(statementField(fields, 2), dayMonthYearDate(fields[0].text));
    if (!line) return std::nullopt;
    line->narrative = fields[2].text.trimmed();
    if (isChequeText(fields[2].text, QLatin1StringView("CHEQUE"))) {
        line->cheque = true;
        if (const QString* ref = statementField(fields, 4)) line->reference = ref->trimmed();
    }
    return line;
}

// 1 date year/month/day; 3 transaction type; 4 cheque number; 5 payee; 7 amount to the end.
std::optional<StatementLine> parseAsbLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 7) return std::nullopt;
    const QString amount = restOfLine(text, fields, 7);
    auto line = amountAndDate(&amount, yearMonthDayDate(fields[0].text));
    if (!line) return std::nullopt;
    line->narrative = fields[4].text.trimmed();
    if (isChequeText(fields[2].text, QLatin1StringView("CHQ"))) {
        line->cheque = true;
        line->reference = fields[3].text.trimmed();
    }
    return line;
}

// 1 date day-Mon-year; 2 amount; 4 text.
std::optional<StatementLine> parseTsbLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 4) return std::nullopt;
    auto line = amountAndDate(statementField(fields, 2),
                              namedMonthDate(fields[0].text, QLatin1Char('-'), false));
    if (!line) return std::nullopt;
    line->narrative = fields[3].text.trimmed();
    return line;
}

// 1 date day MON year; 2 text; 4 amount.
std::optional<StatementLine> parseKiwiBankLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 4) return std::nullopt;
    auto line = amountAndDate(statementField(fields, 4),
                              namedMonthDate(fields[0].text, QLatin1Char(' '), true));
    if (!line) return std::nullopt;
    line->narrative = fields[1].text.trimmed();
    return line;
}

// 1 and 2 texts; 6 amount; 7 date.
std::optional<StatementLine> parseNationalBankLine(QStringView text, const LineContext&) {
    const auto fields = splitLineFields(text);
    if (fields.size() < 7) return std::nullopt;
    auto line = amountAndDate(statementField(fields, 6), dayMonthYearDate(fields[6].text));
    if (!line) return std::nullopt;
    line->narrative =
        (fields[0].text.trimmed() + QLatin1Char(' ') + fields[1].text.trimmed()).trimmed();
    return line;
}

const std::vector<StatementFormat>& statementFormats() {
    static const std::vector<StatementFormat> formats{
        {QStringLiteral("ANZ"), parseAnzLine, false},
        {QStringLiteral("BNZ"), parseBnzLine, false},
        {QStringLiteral("Westpac"), parseWestpacLine, true},
        {QStringLiteral("ASB"), parseAsbLine, true},
        {QStringLiteral("TSB"), parseTsbLine, false},
        {QStringLiteral("KiwiBank"), parseKiwiBankLine, false},
        {QStringLiteral("National Bank"), parseNationalBankLine, false},
        {kOfxFormatName, nullptr, true, StatementKind::Ofx},
        {kCsvFormatName, nullptr, false, StatementKind::Csv},
    };
    return formats;
}

const StatementFormat* findStatementFormat(const QString& name) {
    for (const StatementFormat& f : statementFormats())
        if (f.name == name) return &f;
    return nullptr;
}

}  // namespace exchange
