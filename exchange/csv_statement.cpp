#include "exchange/csv_statement.h"

#include <QRegularExpression>

namespace exchange {

namespace {

const QChar kCsvQuote = QLatin1Char('"');

bool csvLineEnd(QChar c) { return c == QLatin1Char('\n') || c == QLatin1Char('\r'); }

// Past the line end at `p` (CR LF counts as one).
qsizetype pastCsvLineEnd(QStringView text, qsizetype p) {
    if (text[p] == QLatin1Char('\r') && p + 1 < text.size() && text[p + 1] == QLatin1Char('\n'))
        return p + 2;
    return p + 1;
}

// One quoted field from its opening quote; `p` ends past the closing quote. Text after the
// closing quote up to the delimiter is kept, as a bank that writes "abc"def means it.
QString quotedCsvField(QStringView text, qsizetype& p, QChar delimiter) {
    QString field;
    ++p;
    while (p < text.size()) {
        if (text[p] == kCsvQuote) {
            if (p + 1 < text.size() && text[p + 1] == kCsvQuote) {
                field += kCsvQuote;
                p += 2;
                continue;
            }
            ++p;
            break;
        }
        field += text[p++];
    }
    while (p < text.size() && text[p] != delimiter && !csvLineEnd(text[p])) field += text[p++];
    return field;
}

QString csvFieldAt(const QStringList& fields, int column) {
    return column >= 1 && column <= fields.size() ? fields[column - 1].trimmed() : QString();
}

// The text of an amount with its signs and separators made plain, and whether it is money out.
std::optional<std::pair<QString, bool>> plainCsvAmount(QStringView text, bool decimalComma) {
    QString s = text.trimmed().toString();
    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    if (s.endsWith(u'-')) {
        negative = !negative;
        s.chop(1);
    }
    if (s.startsWith(u'-') || s.startsWith(u'+')) {
        negative = negative != s.startsWith(u'-');
        s.remove(0, 1);
    }
    s.remove(u'$');
    s.remove(u' ');
    s.remove(QChar(0x00A0));
    const QChar thousands = decimalComma ? QLatin1Char('.') : QLatin1Char(',');
    s.remove(thousands);
    if (decimalComma) s.replace(u',', u'.');
    if (s.isEmpty() || s.startsWith(u'-') || s.startsWith(u'+')) return std::nullopt;
    return std::pair{s, negative};
}

// The signed amount of a record, or why there is none.
std::optional<qint64> csvRecordCents(const QStringList& fields, const CsvMapping& m,
                                     QString& problem) {
    if (m.amounts == CsvAmounts::Signed) {
        const auto cents = csvCents(csvFieldAt(fields, m.amountColumn), m.decimalComma);
        if (!cents) problem = QStringLiteral("no amount in column %1").arg(m.amountColumn);
        return cents;
    }
    const QString debit = csvFieldAt(fields, m.debitColumn);
    const QString credit = csvFieldAt(fields, m.creditColumn);
    const auto out = debit.isEmpty() ? std::optional<qint64>(0) : csvCents(debit, m.decimalComma);
    const auto in = credit.isEmpty() ? std::optional<qint64>(0) : csvCents(credit, m.decimalComma);
    if (!out || !in || (debit.isEmpty() && credit.isEmpty())) {
        problem =
            QStringLiteral("no amount in column %1 or %2").arg(m.debitColumn).arg(m.creditColumn);
        return std::nullopt;
    }
    // A debit is money out whichever sign the bank writes it with.
    return qAbs(*in) - qAbs(*out);
}

bool blankCsvRecord(const QStringList& fields) {
    for (const QString& f : fields)
        if (!f.trimmed().isEmpty()) return false;
    return true;
}

}  // namespace

std::vector<QStringList> csvRecords(QStringView text, QChar delimiter, int maxRecords) {
    std::vector<QStringList> records;
    qsizetype p = 0;
    const qsizetype n = text.size();
    while (p < n && (maxRecords < 0 || int(records.size()) < maxRecords)) {
        QStringList fields;
        while (true) {
            qsizetype start = p;
            while (p < n && text[p] == QLatin1Char(' ')) ++p;
            QString field;
            if (p < n && text[p] == kCsvQuote) {
                field = quotedCsvField(text, p, delimiter);
            } else {
                p = start;
                while (p < n && text[p] != delimiter && !csvLineEnd(text[p])) ++p;
                field = text.mid(start, p - start).toString();
            }
            fields << field;
            if (p < n && text[p] == delimiter) {
                ++p;
                continue;
            }
            break;
        }
        if (p < n) p = pastCsvLineEnd(text, p);
        records.push_back(std::move(fields));
    }
    return records;
}

std::optional<qint64> csvCents(QStringView text, bool decimalComma) {
    const auto plain = plainCsvAmount(text, decimalComma);
    if (!plain) return std::nullopt;
    const auto cents = statementCents(plain->first);
    if (!cents) return std::nullopt;
    return plain->second ? -*cents : *cents;
}

QDate csvDate(QStringView text, const QString& format) {
    const QString plain = text.trimmed().toString();
    QDate date = QDate::fromString(plain, format);
    // Banks drop the leading zeros of days and months ("2/3/2026" for "dd/MM/yyyy").
    if (!date.isValid()) {
        static const QRegularExpression days(QStringLiteral("(?<!d)dd(?!d)"));
        static const QRegularExpression months(QStringLiteral("(?<!M)MM(?!M)"));
        QString loose = format;
        loose.replace(days, QStringLiteral("d")).replace(months, QStringLiteral("M"));
        date = QDate::fromString(plain, loose);
    }
    // Qt reads "yy" as 19yy; a bank's two-digit year is this century's.
    if (date.isValid() && !format.contains(QLatin1String("yyyy")) && date.year() < 2000)
        date = date.addYears(100);
    return date;
}

CsvRow readCsvRecord(const QStringList& fields, const CsvMapping& m) {
    CsvRow row;
    row.fields = fields;
    if (blankCsvRecord(fields)) return row;
    const QString dateText = csvFieldAt(fields, m.dateColumn);
    const QDate date = csvDate(dateText, m.dateFormat);
    if (!date.isValid()) {
        row.problem =
            QStringLiteral("no date as %1 in column %2").arg(m.dateFormat).arg(m.dateColumn);
        return row;
    }
    const auto cents = csvRecordCents(fields, m, row.problem);
    if (!cents) return row;
    StatementLine line;
    line.date = date;
    line.cents = *cents;
    QStringList texts;
    for (int c : m.descriptionColumns)
        if (const QString t = csvFieldAt(fields, c); !t.isEmpty()) texts << t;
    line.narrative = texts.join(QLatin1Char(' '));
    line.reference = csvFieldAt(fields, m.referenceColumn);
    row.line = line;
    return row;
}

std::vector<CsvRow> readCsvStatement(QStringView text, const CsvMapping& m, int maxRows) {
    const int wanted = maxRows < 0 ? -1 : m.skipLines + maxRows;
    const std::vector<QStringList> records = csvRecords(text, m.delimiter, wanted);
    std::vector<CsvRow> rows;
    for (std::size_t i = std::size_t(std::max(0, m.skipLines)); i < records.size(); ++i) {
        CsvRow row = readCsvRecord(records[i], m);
        row.record = int(i) + 1;
        if (!row.blank()) rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace exchange
