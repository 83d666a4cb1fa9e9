#include "reports/writers.h"

#include "reports/renderer.h"
#include "store/error.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace reports {
namespace {

// About two millimetres of paper per character of a monospaced listing.
int charsFor(const Column& c) { return qMax(4, int(c.widthMm / 2.0 + 0.5)); }

QString fitted(const QString& text, int width, Qt::Alignment align) {
    const QString cut = text.left(width);
    return (align & Qt::AlignRight) ? cut.rightJustified(width) : cut.leftJustified(width);
}

QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void writeAtomically(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw store::StoreError(QStringLiteral("Cannot write the file %1: %2")
                                    .arg(path, file.errorString()));
}

}  // namespace

QString reportText(const ReportDocument& doc) {
    int lineWidth = 0;
    for (const Column& c : doc.columns) lineWidth += charsFor(c) + 1;
    lineWidth = qMax(lineWidth, 60);
    QStringList lines;
    for (const Band& band : doc.bands) {
        if (band.span || doc.columns.empty()) {
            const QString text = band.cells.value(0);
            if (band.kind == BandKind::Title) {
                const int pad = qMax(0, (lineWidth - int(text.size())) / 2);
                lines << QString(pad, QLatin1Char(' ')) + text;
            } else {
                lines << text;
            }
            continue;
        }
        if (band.ruleAbove) {
            QString rule;
            for (size_t i = 0; i < doc.columns.size(); ++i) {
                const int w = charsFor(doc.columns[i]);
                const bool ruled = !band.cells.value(qsizetype(i)).isEmpty() &&
                                   (doc.columns[i].align & Qt::AlignRight);
                rule += QString(w, ruled ? QLatin1Char('-') : QLatin1Char(' '));
                rule += QLatin1Char(' ');
            }
            while (rule.endsWith(QLatin1Char(' '))) rule.chop(1);
            if (!rule.trimmed().isEmpty()) lines << rule;
        }
        QString line;
        for (size_t i = 0; i < doc.columns.size(); ++i) {
            const QString text = band.cells.value(qsizetype(i));
            if (band.overflow && !text.isEmpty()) {
                // A caption takes the empty cells to its right and is centred over them.
                int width = charsFor(doc.columns[i]);
                while (i + 1 < doc.columns.size() && band.cells.value(qsizetype(i) + 1).isEmpty())
                    width += charsFor(doc.columns[++i]) + 1;
                const QString cut = text.left(width);
                const int pad = (width - int(cut.size())) / 2;
                line +=
                    (QString(pad, QLatin1Char(' ')) + cut).leftJustified(width) + QLatin1Char(' ');
                continue;
            }
            line += fitted(text, charsFor(doc.columns[i]), doc.columns[i].align) + QLatin1Char(' ');
        }
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
        lines << line;
        if (band.kind == BandKind::ColumnHeader && !band.overflow)
            lines << QString(lineWidth, QLatin1Char('-'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString reportCsv(const ReportDocument& doc) {
    QStringList records;
    for (const Band& band : doc.bands) {
        QStringList fields;
        if (band.span) {
            fields << csvField(band.cells.value(0));
        } else {
            for (size_t i = 0; i < qMax(doc.columns.size(), size_t(band.cells.size())); ++i)
                fields << csvField(band.cells.value(qsizetype(i)));
        }
        records << fields.join(QLatin1Char(','));
    }
    return records.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

void saveText(const ReportDocument& doc, const QString& path) {
    writeAtomically(path, reportText(doc).toUtf8());
}

void saveCsv(const ReportDocument& doc, const QString& path) {
    writeAtomically(path, reportCsv(doc).toUtf8());
}

void savePdf(const ReportDocument& doc, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw store::StoreError(QStringLiteral("Cannot write the file %1: %2")
                                    .arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Quorvel"));
        writer.setTitle(doc.name);
        render(doc, writer);
    }
    if (!file.commit())
        throw store::StoreError(QStringLiteral("Cannot write the file %1: %2")
                                    .arg(path, file.errorString()));
}

}  // namespace reports
