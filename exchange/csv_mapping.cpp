#include "exchange/csv_mapping.h"

#include <QStringList>

#include "exchange/statement_memory.h"
#include "store/inifile.h"
#include "store/paths.h"

namespace exchange {

namespace {

const QString kCsvDelimiterKey = QStringLiteral("Delimiter");
const QString kCsvSkipKey = QStringLiteral("SkipLines");
const QString kCsvDateColumnKey = QStringLiteral("DateColumn");
const QString kCsvDateFormatKey = QStringLiteral("DateFormat");
const QString kCsvAmountsKey = QStringLiteral("Amounts");
const QString kCsvAmountColumnKey = QStringLiteral("AmountColumn");
const QString kCsvDebitColumnKey = QStringLiteral("DebitColumn");
const QString kCsvCreditColumnKey = QStringLiteral("CreditColumn");
const QString kCsvDescriptionKey = QStringLiteral("DescriptionColumns");
const QString kCsvReferenceKey = QStringLiteral("ReferenceColumn");
const QString kCsvDecimalCommaKey = QStringLiteral("DecimalComma");
const QString kCsvDebitCreditValue = QStringLiteral("DebitCredit");

// One section per bank account, its name escaped as the narrative memory escapes its own.
QString csvMappingSection(const QString& bankCode, const QString& acctNo) {
    return QStringLiteral("CSV ") + quotedMemoryValue(bankCode.trimmed() + u'/' + acctNo.trimmed());
}

bool csvColumnValid(int column, bool optional) {
    return (optional && column == 0) || (column >= 1 && column <= kLastCsvColumn);
}

}  // namespace

QString csvMappingProblem(const CsvMapping& m) {
    if (m.delimiter == QLatin1Char('"') || m.delimiter == QLatin1Char('\n') ||
        m.delimiter == QLatin1Char('\r') || m.delimiter.isNull())
        return QStringLiteral("The delimiter cannot be a quote or a line break.");
    if (m.skipLines < 0 || m.skipLines > 1000)
        return QStringLiteral("Skip from 0 to 1000 header lines.");
    if (!csvColumnValid(m.dateColumn, false))
        return QStringLiteral("Choose the column of the date.");
    if (m.dateFormat.trimmed().isEmpty()) return QStringLiteral("Choose the date's format.");
    if (m.amounts == CsvAmounts::Signed && !csvColumnValid(m.amountColumn, false))
        return QStringLiteral("Choose the column of the amount.");
    if (m.amounts == CsvAmounts::DebitCredit &&
        (!csvColumnValid(m.debitColumn, false) || !csvColumnValid(m.creditColumn, false) ||
         m.debitColumn == m.creditColumn))
        return QStringLiteral("Choose two different columns for debits and credits.");
    if (m.descriptionColumns.isEmpty())
        return QStringLiteral("Choose at least one description column, such as 3 or 3 4.");
    for (int c : m.descriptionColumns)
        if (!csvColumnValid(c, false))
            return QStringLiteral("Description columns are numbered from 1 to %1.")
                .arg(kLastCsvColumn);
    if (!csvColumnValid(m.referenceColumn, true))
        return QStringLiteral("The reference column is numbered from 1 to %1, or none.")
            .arg(kLastCsvColumn);
    if (m.decimalComma && m.delimiter == QLatin1Char(','))
        return QStringLiteral(
            "With a decimal comma the fields are separated by another delimiter, such as ;.");
    return {};
}

QString csvColumnList(const QList<int>& columns) {
    QStringList parts;
    for (int c : columns) parts << QString::number(c);
    return parts.join(QLatin1Char(' '));
}

QList<int> csvColumnsOf(const QString& text) {
    QList<int> columns;
    for (const QString& part : QString(text)
                                   .replace(QLatin1Char(','), QLatin1Char(' '))
                                   .split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int c = part.toInt(&ok);
        if (ok && c >= 1 && c <= kLastCsvColumn) columns << c;
    }
    return columns;
}

std::optional<CsvMapping> savedCsvMapping(const QString& path, const QString& bankCode,
                                          const QString& acctNo) {
    const store::IniFile ini(path);
    const QString section = csvMappingSection(bankCode, acctNo);
    if (!ini.sectionExists(section)) return std::nullopt;
    CsvMapping m;
    const int delimiter = ini.readInteger(section, kCsvDelimiterKey, ',');
    m.delimiter = QChar(char16_t(delimiter > 0 && delimiter < 0xFFFF ? delimiter : ','));
    m.skipLines = ini.readInteger(section, kCsvSkipKey, m.skipLines);
    m.dateColumn = ini.readInteger(section, kCsvDateColumnKey, m.dateColumn);
    m.dateFormat = unquotedMemoryValue(
        ini.readString(section, kCsvDateFormatKey, quotedMemoryValue(m.dateFormat)));
    m.amounts = ini.readString(section, kCsvAmountsKey) == kCsvDebitCreditValue
                    ? CsvAmounts::DebitCredit
                    : CsvAmounts::Signed;
    m.amountColumn = ini.readInteger(section, kCsvAmountColumnKey, m.amountColumn);
    m.debitColumn = ini.readInteger(section, kCsvDebitColumnKey, 0);
    m.creditColumn = ini.readInteger(section, kCsvCreditColumnKey, 0);
    m.descriptionColumns = csvColumnsOf(ini.readString(section, kCsvDescriptionKey));
    m.referenceColumn = ini.readInteger(section, kCsvReferenceKey, 0);
    m.decimalComma = ini.readInteger(section, kCsvDecimalCommaKey, 0) != 0;
    return m;
}

void saveCsvMapping(const QString& path, const QString& bankCode, const QString& acctNo,
                    const CsvMapping& m) {
    store::IniFile(path).writeStrings(
        csvMappingSection(bankCode, acctNo),
        {{kCsvDelimiterKey, QString::number(m.delimiter.unicode())},
         {kCsvSkipKey, QString::number(m.skipLines)},
         {kCsvDateColumnKey, QString::number(m.dateColumn)},
         {kCsvDateFormatKey, quotedMemoryValue(m.dateFormat)},
         {kCsvAmountsKey,
          m.amounts == CsvAmounts::DebitCredit ? kCsvDebitCreditValue : QStringLiteral("Signed")},
         {kCsvAmountColumnKey, QString::number(m.amountColumn)},
         {kCsvDebitColumnKey, QString::number(m.debitColumn)},
         {kCsvCreditColumnKey, QString::number(m.creditColumn)},
         {kCsvDescriptionKey, csvColumnList(m.descriptionColumns)},
         {kCsvReferenceKey, QString::number(m.referenceColumn)},
         {kCsvDecimalCommaKey, m.decimalComma ? QStringLiteral("1") : QStringLiteral("0")}});
}

QString csvMappingFile() { return store::paths::programFolder() + QStringLiteral("ImpCsv.ini"); }

}  // namespace exchange
