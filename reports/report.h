#pragma once
// A report as data: the bands a report prepared (titles, column headings, rows, group headers
// and footers, summary) with their figures already formatted, and pages of absolutely
// positioned fields for printed forms. The preview, the printer, PDF, text and CSV are all
// renderings of one ReportDocument.

#include <QDate>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

namespace reports {

enum class BandKind {
    Title,         // report title lines, first page only
    ColumnHeader,  // the column headings, repeated at the top of every page
    GroupHeader,   // a heading inside the report ("Balance sheet transactions :")
    Detail,        // one row of figures
    GroupFooter,   // a group's total
    Summary        // the report's closing totals
};

struct Column {
    QString heading;
    double widthMm = 30;
    Qt::Alignment align = Qt::AlignLeft;
};

struct Band {
    BandKind kind = BandKind::Detail;
    // One text per column; a band with a single cell and span set runs across the page.
    QStringList cells;
    bool span = false;
    bool bold = false;
    bool ruleAbove = false;  // a line over the band's figures (totals)
    // A text runs on over the empty cells to its right (a caption over a run of columns).
    bool overflow = false;
    bool newPage = false;    // the band starts a new page
};

// A field at a fixed place on a form page (a tax return box, a cheque's amount line).
struct FormField {
    QRectF mm;  // position and size on the page, from the paper's top left corner
    QString text;
    double pointSize = 10;
    bool bold = false;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool boxed = false;  // draw a frame around the field
};

struct FormPage {
    std::vector<FormField> fields;
};

struct ReportDocument {
    QString name;  // short identifier, used for the default file name of a save
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    // Paper of its own (cheque stationery), width by height as the page lies; empty: A4.
    QSizeF paperMm;
    bool pageHeader = true;  // "Printed on :" date at the left, "Page No:" number at the right
    QString printedCaption = QStringLiteral("Printed on :");
    QString pageCaption = QStringLiteral("Page No:");
    QDate printedOn;
    QString pageId;        // the report's identifier, at the middle of the page header
    double pointSize = 9;  // the bands' type size; titles are larger
    std::vector<Column> columns;
    std::vector<Band> bands;
    std::vector<FormPage> formPages;  // printed after the banded pages

    // Appending bands: detail rows by column, spanning lines, titles.
    void addTitle(const QString& text, bool bold = true);
    void addSpan(BandKind kind, const QString& text, bool bold = false);
    void addRow(BandKind kind, const QStringList& cells, bool bold = false,
                bool ruleAbove = false);
    void addColumnHeader();

    // The bands of one kind, in order (tests read the rows this way).
    std::vector<const Band*> bandsOf(BandKind kind) const;
};

}  // namespace reports
