#include "reports/xlsxsave.h"

#include "store/error.h"
#include "store/format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <filesystem>
#include <optional>
#include <system_error>
#include <xlsxwriter.h>

namespace reports {
namespace {

constexpr qsizetype kXlsxMaxRows = 1048576;  // rows of one worksheet
constexpr qsizetype kXlsxMaxText = 32767;    // characters of one cell

// A figure as the report shows it: "1234.50", "-3", "(12.50)" for a negative in brackets.
struct XlsxFigure {
    double value = 0;
    bool twoDecimals = false;
    bool bracketed = false;
};

std::optional<XlsxFigure> xlsxFigure(const QString& cell) {
    QString text = cell.trimmed();
    XlsxFigure f;
    if (text.size() > 2 && text.startsWith(QLatin1Char('(')) && text.endsWith(QLatin1Char(')'))) {
        f.bracketed = true;
        text = text.mid(1, text.size() - 2);
        if (text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+'))) return {};
    }
    // A leading zero ("007") is an identifier, not a number: kept as text.
    const QString digits = text.startsWith(QLatin1Char('-')) ? text.mid(1) : text;
    if (digits.size() > 1 && digits[0] == QLatin1Char('0') && digits[1] != QLatin1Char('.'))
        return {};
    double value = 0;
    if (!store::fmt::parseMoney(text, &value)) return {};
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    f.twoDecimals = dot >= 0 && text.size() - dot - 1 == 2;
    f.value = f.bracketed ? -value : value;
    return f;
}

// A worksheet name: at most 31 characters, none of []:*?/\.
QByteArray xlsxSheetName(const QString& reportName) {
    QString name = reportName;
    name.remove(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\']")));
    name = name.trimmed().left(31);
    return (name.isEmpty() ? QStringLiteral("Report") : name).toUtf8();
}

// Writes the bands into one worksheet; keeps the first error the library reports.
class XlsxSheet {
public:
    XlsxSheet(lxw_workbook* book, const ReportDocument& doc)
        : book_(book),
          doc_(doc),
          sheet_(workbook_add_worksheet(book, xlsxSheetName(doc.name).constData())) {}

    lxw_error write() {
        if (!sheet_) return LXW_ERROR_MEMORY_MALLOC_FAILED;
        setUpPage();
        for (size_t i = 0; i < doc_.bands.size(); ++i) writeBand(lxw_row_t(i), doc_.bands[i]);
        return error_;
    }

private:
    enum Style { Text, Figure, Bracketed, StyleCount };

    void setUpPage() {
        if (doc_.orientation == QPageLayout::Landscape) worksheet_set_landscape(sheet_);
        for (size_t i = 0; i < doc_.columns.size(); ++i)
            note(worksheet_set_column(sheet_, lxw_col_t(i), lxw_col_t(i),
                                      qMax(6.0, doc_.columns[i].widthMm / 2.0), nullptr));
        for (size_t i = 0; i < doc_.bands.size(); ++i)
            if (doc_.bands[i].kind == BandKind::ColumnHeader) {
                worksheet_freeze_panes(sheet_, lxw_row_t(i + 1), 0);
                break;
            }
    }

    void writeBand(lxw_row_t row, const Band& band) {
        const bool bold = band.bold || band.kind == BandKind::ColumnHeader;
        if (band.span) {
            writeText(row, 0, band.cells.value(0), bold);
            return;
        }
        for (qsizetype i = 0; i < band.cells.size(); ++i) {
            const QString& text = band.cells[i];
            if (text.isEmpty()) continue;
            const bool figures = band.kind != BandKind::ColumnHeader &&
                                 size_t(i) < doc_.columns.size() &&
                                 (doc_.columns[size_t(i)].align & Qt::AlignRight);
            const auto figure = figures ? xlsxFigure(text) : std::nullopt;
            if (figure)
                note(worksheet_write_number(
                    sheet_, row, lxw_col_t(i), figure->value,
                    style(bold,
                          figure->twoDecimals ? (figure->bracketed ? Bracketed : Figure) : Text)));
            else
                writeText(row, lxw_col_t(i), text, bold);
        }
    }

    void writeText(lxw_row_t row, lxw_col_t col, const QString& text, bool bold) {
        if (text.isEmpty()) return;
        note(worksheet_write_string(sheet_, row, col, text.left(kXlsxMaxText).toUtf8().constData(),
                                    style(bold, Text)));
    }

    // The formats, made once each: plain or bold, text or two decimals.
    lxw_format* style(bool bold, Style kind) {
        lxw_format*& f = styles_[bold ? 1 : 0][kind];
        if (f || (!bold && kind == Text)) return f;
        f = workbook_add_format(book_);
        if (bold) format_set_bold(f);
        if (kind == Figure) format_set_num_format(f, "#,##0.00");
        if (kind == Bracketed) format_set_num_format(f, "#,##0.00;(#,##0.00)");
        return f;
    }

    void note(lxw_error e) {
        if (error_ == LXW_NO_ERROR) error_ = e;
    }

    lxw_workbook* book_;
    const ReportDocument& doc_;
    lxw_worksheet* sheet_;
    lxw_format* styles_[2][StyleCount] = {};
    lxw_error error_ = LXW_NO_ERROR;
};

// The whole workbook written to `fileName`; the library's error text when it failed.
QString writeXlsxFile(const ReportDocument& doc, const QString& fileName) {
    lxw_workbook* book = workbook_new(QFile::encodeName(fileName).constData());
    if (!book) return QString::fromUtf8(lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    const lxw_error written = XlsxSheet(book, doc).write();
    const lxw_error closed = workbook_close(book);  // frees the workbook in every case
    const lxw_error e = written != LXW_NO_ERROR ? written : closed;
    return e == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(e));
}

// Removes a half-written temporary file when the save fails.
struct XlsxTempFile {
    QString name;
    ~XlsxTempFile() {
        if (!name.isEmpty()) QFile::remove(name);
    }
};

[[noreturn]] void failXlsx(const QString& path, const QString& why) {
    throw store::StoreError(QStringLiteral("Cannot write the file %1: %2").arg(path, why));
}

}  // namespace

void saveXlsx(const ReportDocument& doc, const QString& path) {
    if (qsizetype(doc.bands.size()) > kXlsxMaxRows)
        throw store::StoreError(
            QStringLiteral("The report has %1 lines; a spreadsheet holds at most %2.")
                .arg(doc.bands.size())
                .arg(kXlsxMaxRows));
    const QFileInfo target(path);
    // A unique name beside the file, so the rename stays on one file system. The reserving
    // file goes at once: the library creates the file afresh with the user's usual permissions.
    QString tempName;
    {
        QTemporaryFile reserve(
            target.absoluteDir().filePath(target.fileName() + QStringLiteral(".XXXXXX")));
        if (!reserve.open()) failXlsx(path, reserve.errorString());
        tempName = reserve.fileName();
    }
    XlsxTempFile cleanup{tempName};
    const QString why = writeXlsxFile(doc, tempName);
    if (!why.isEmpty()) failXlsx(path, why);
    if (target.exists()) QFile::setPermissions(tempName, QFile::permissions(path));
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(tempName).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(), ec);
    if (ec) failXlsx(path, QString::fromStdString(ec.message()));
    cleanup.name.clear();  // renamed into place: nothing left to remove
}

}  // namespace reports
