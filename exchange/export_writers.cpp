#include "exchange/export_writers.h"

#include <QDir>
#include <charconv>

#include "exchange/export_text.h"
#include "store/error.h"
#include "store/format.h"

namespace exchange {
namespace {

void reportExportSize(const ExportRequest& r, qint64 n) {
    if (r.setMaximum) r.setMaximum(n);
}
void reportExportStep(const ExportRequest& r) {
    if (r.step) r.step();
}

ExportOutcome exportFailed(const QString& problem = {}) { return {false, problem, {}}; }
ExportOutcome exportSucceeded(QStringList files) { return {true, {}, std::move(files)}; }

// Writes one line per journal line of the range into `name`; false for an empty range.
// `lineOf` gives nothing for a line the format leaves out.
using JournalLineWriter = std::function<void(ExportFile&, const JournalRow&, DateTexts&)>;
ExportOutcome writeJournalFile(store::Connection& c, const ExportRequest& r, const QString& name,
                               const QString& header, const JournalLineWriter& write) {
    const qint64 n = countJournalRows(c, r.range);
    if (n == 0) return exportFailed(QString::fromLatin1(kNoEntries));
    reportExportSize(r, n);
    ExportFile file(r.folder + name);
    if (!file.isOpen()) return exportFailed();
    if (!header.isEmpty()) file.line(header);
    DateTexts dates;
    forEachJournalRow(c, r.range, [&](const JournalRow& j) {
        write(file, j, dates);
        reportExportStep(r);
    });
    if (!file.commit()) return exportFailed();
    return exportSucceeded({name});
}

}  // namespace

QStringList exportFormatNames() {
    return {QStringLiteral("Quorvel"),
            QStringLiteral("Burge Cash Manager"),
            QStringLiteral("Excel CSV"),
            QStringLiteral("MYOB - Business Basics"),
            QStringLiteral("Quicken - QuickBooks"),
            QStringLiteral("Accomplish Cash Manager")};
}

namespace {

// Writes the records of one own-format file straight from the engine's rows: each field is one
// column of the row, in order, written as its OwnField says; a record is built in one reused
// piece of memory.
class OwnRecordWriter {
public:
    OwnRecordWriter(ExportFile& file, std::span<const OwnColumn> columns)
        : file_(file), columns_(columns) {}
    void write(const store::RowView& row);

private:
    void text(QByteArrayView text);
    void quoted(QByteArrayView text);
    void whole(int value);

    ExportFile& file_;
    std::span<const OwnColumn> columns_;
    DateBytes dates_;
    std::string line_;
};

void OwnRecordWriter::write(const store::RowView& row) {
    line_.clear();
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (i > 0) line_ += ',';
        switch (columns_[size_t(i)].field) {
            case OwnField::Text:
                text(row.text(i));
                break;
            case OwnField::Whole:
                whole(row.small(i));
                break;
            case OwnField::WholeNumber:
                appendNumberText(line_, double(row.whole(i)));
                break;
            case OwnField::Number:
                appendNumberText(line_, row.number(i));
                break;
            case OwnField::Date: {
                const QByteArray& date = dates_(row.text(i));
                line_.append(date.constData(), size_t(date.size()));
                break;
            }
            case OwnField::QuotedDate:
                quoted(dates_(row.text(i)));
                break;
        }
    }
    file_.lineBytes(QByteArrayView(line_.data(), qsizetype(line_.size())));
}

// A stored text without trailing blanks, quoted. On bytes, since in UTF-8 no byte of another
// character is a blank or a quote.
void OwnRecordWriter::text(QByteArrayView text) {
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == ' ') --n;
    text = text.first(n);
    for (const char c : text)
        if (uchar(c) >= 0x80) {
            // Bytes that are not UTF-8 are written as the text the rest of the program reads.
            const QByteArray read = QString::fromUtf8(text).toUtf8();
            if (read != text) return quoted(read);
            break;
        }
    quoted(text);
}

// In quotes, inner quotes doubled.
void OwnRecordWriter::quoted(QByteArrayView text) {
    line_ += '"';
    for (qsizetype quote = text.indexOf('"'); quote >= 0; quote = text.indexOf('"')) {
        line_.append(text.data(), size_t(quote + 1));
        line_ += '"';
        text = text.sliced(quote + 1);
    }
    line_.append(text.data(), size_t(text.size()));
    line_ += '"';
}

void OwnRecordWriter::whole(int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    line_.append(digits, end);
}

using OwnRowWalk = void (*)(store::Connection&, const ExportRange&,
                            const std::function<void(const store::RowView&)>&);

// Writes the `rows` records of one own-format file from the engine's bytes, with no row of
// values and no text per field; false when the file could not be written.
bool writeOwnFile(store::Connection& c, const ExportRequest& r, const QString& name, qint64 rows,
                  OwnRowWalk walk, std::span<const OwnColumn> columns) {
    reportExportSize(r, rows);
    ExportFile file(r.folder + name);
    if (!file.isOpen()) return false;
    OwnRecordWriter records(file, columns);
    walk(c, r.range, [&](const store::RowView& row) {
        records.write(row);
        reportExportStep(r);
    });
    return file.commit();
}

}  // namespace

QString csvLine(const JournalRow& j, const QString& tranDate) {
    return QStringList{numberText(double(j.tranNum)),
                       csvField(tranDate),
                       csvField(j.acctCode),
                       csvField(j.suppCode),
                       csvField(j.clientCode),
                       csvField(j.bankAcct),
                       csvField(j.desc),
                       numberText(j.amount),
                       numberText(j.gstAmt),
                       csvField(j.reason)}
        .join(QLatin1Char(','));
}

std::optional<QString> burgeLine(const JournalRow& j, const QString& tranDate) {
    if (j.whollyPrivate()) return std::nullopt;
    const double sign = j.isExpense() ? -1.0 : 1.0;
    const double net = store::fmt::roundTo(sign * (j.businessAmount() - j.gstAmt), 2);
    return QStringList{tranDate,          numberText(double(j.tranNum)), plainField(j.acctCode),
                       numberText(net),   numberText(sign * j.gstAmt),   QStringLiteral("0"),
                       plainField(j.desc)}
        .join(QLatin1Char(','));
}

std::optional<QStringList> quickenRecord(const JournalRow& j, const QString& tranDate) {
    if (j.whollyPrivate()) return std::nullopt;
    const double sign = j.isExpense() ? -1.0 : 1.0;
    const double amount = sign * (j.domestic ? j.busAmt : j.amount);
    return QStringList{QLatin1Char('D') + tranDate,
                       QLatin1Char('T') + store::fmt::money(amount),
                       QLatin1Char('N') + numberText(double(j.tranNum)),
                       QLatin1Char('M') + oneLine(j.desc),
                       QStringLiteral("S[Cash]"),
                       QLatin1Char('$') + store::fmt::money(-amount),
                       QStringLiteral("^")};
}

ExportOutcome exportOwnFormat(store::Connection& c, const ExportRequest& r) {
    const QString journalName = QString::fromLatin1(kOwnJournalFile);
    const QString bankName = QString::fromLatin1(kOwnBankFile);
    const qint64 lines = countJournalRows(c, r.range);
    if (lines == 0) return exportFailed(QString::fromLatin1(kNoEntries));
    if (!writeOwnFile(c, r, journalName, lines, forEachOwnJournalRow, ownJournalColumns()))
        return exportFailed();
    const qint64 rows = countBankTranRows(c, r.range, Transfers::Included);
    if (rows == 0 || !writeOwnFile(c, r, bankName, rows, forEachOwnBankRow, ownBankColumns()))
        return exportFailed();
    return exportSucceeded({journalName, bankName});
}

ExportOutcome exportBurge(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(c, r, QString::fromLatin1(kBurgeFile), {},
                            [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
                                if (const auto l = burgeLine(j, dates(j.tranDate))) f.line(*l);
                            });
}

ExportOutcome exportCsv(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(
        c, r, QString::fromLatin1(kCsvFile),
        QStringLiteral(
            "Tran No.,Date,Ledger Code,Supplier,Client,Bank acct,Description,Amount,Tax, "
            "Reason"),
        [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
            f.line(csvLine(j, dates(j.tranDate)));
        });
}

ExportOutcome exportQuicken(store::Connection& c, const ExportRequest& r) {
    return writeJournalFile(c, r, QString::fromLatin1(kQuickenFile), QStringLiteral("!Type:Cash"),
                            [](ExportFile& f, const JournalRow& j, DateTexts& dates) {
                                if (const auto rec = quickenRecord(j, dates(j.tranDate)))
                                    for (const QString& l : *rec) f.line(l);
                            });
}

ExportOutcome runExport(store::Connection& c, ExportFormat format, const ExportRequest& r) {
    try {
        switch (format) {
            case ExportFormat::Own:
                return exportOwnFormat(c, r);
            case ExportFormat::Burge:
                return exportBurge(c, r);
            case ExportFormat::Csv:
                return exportCsv(c, r);
            case ExportFormat::Myob:
                return exportMyob(c, r);
            case ExportFormat::Quicken:
                return exportQuicken(c, r);
            case ExportFormat::Accomplish:
                return exportAccomplish(c, r);
        }
    } catch (const store::StoreError& e) {
        // A store failure part way ends the run; files not committed stay as they were.
        return exportFailed(e.text());
    }
    return exportFailed();
}

}  // namespace exchange
