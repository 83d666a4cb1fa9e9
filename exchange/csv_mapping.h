#pragma once
// The column layout of a bank's CSV statement, saved per bank account in "ImpCsv.ini" beside
// the narrative memory and reused on the next import for that account. The layout itself is a
// plain value (no store), so the CSV reader and its fuzz target need nothing else.

#include <QChar>
#include <QList>
#include <QString>
#include <optional>

namespace exchange {

// Amounts as one signed column, or as a debit column (money out) and a credit column (money in).
enum class CsvAmounts { Signed, DebitCredit };

// Columns are numbered from 1 as a spreadsheet shows them; 0 is "none".
struct CsvMapping {
    QChar delimiter = QLatin1Char(',');
    int skipLines = 1;  // header lines before the first transaction
    int dateColumn = 1;
    QString dateFormat = QStringLiteral("dd/MM/yyyy");
    CsvAmounts amounts = CsvAmounts::Signed;
    int amountColumn = 2;              // Signed
    int debitColumn = 0;               // DebitCredit
    int creditColumn = 0;              // DebitCredit
    QList<int> descriptionColumns{3};  // joined with a space into the narrative
    int referenceColumn = 0;
    bool decimalComma = false;  // "1.234,56"

    bool operator==(const CsvMapping&) const = default;
};

// The largest column number a layout may name.
constexpr int kLastCsvColumn = 99;

// Why the layout cannot read a statement, or empty.
QString csvMappingProblem(const CsvMapping& mapping);

// "3 4" and back; anything that is no column number is left out.
QString csvColumnList(const QList<int>& columns);
QList<int> csvColumnsOf(const QString& text);

// The layout saved for a bank account, from the settings file at `path`.
std::optional<CsvMapping> savedCsvMapping(const QString& path, const QString& bankCode,
                                          const QString& acctNo);
// Saves it in one write of the file, replacing what the account had.
void saveCsvMapping(const QString& path, const QString& bankCode, const QString& acctNo,
                    const CsvMapping& mapping);
// The program folder's "ImpCsv.ini".
QString csvMappingFile();

}  // namespace exchange
