#pragma once
// Lays a report's bands onto A4 pages (portrait or landscape) and paints them with QPainter
// on any paged device: the print preview's printer, a real printer, a PDF file. Band heights
// are fixed in millimetres, so the page breaks are the same on every device and can be
// computed without one.

#include "reports/report.h"

#include <QPageSize>
#include <QSizeF>
#include <vector>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace reports {

struct PagePlan {
    std::vector<int> bands;       // indices into ReportDocument::bands, in order
    bool repeatHeader = false;    // the column headings are repeated at the top
    int formPage = -1;            // an absolutely positioned page instead of bands
};

struct Pagination {
    std::vector<PagePlan> pages;
    int headerBand = -1;  // the first column heading band repeated on later pages
    int headerCount = 0;  // how many heading bands follow one another from it
};

// Paper size in millimetres for the document's orientation.
QSizeF paperSizeMm(const ReportDocument& doc);
// The paper a device is set to: A4, or the document's own paper.
QPageSize pageSizeOf(const ReportDocument& doc);
// Height in millimetres of a band of this kind.
double bandHeightMm(BandKind kind);

Pagination paginate(const ReportDocument& doc);
inline int pageCount(const ReportDocument& doc) { return int(paginate(doc).pages.size()); }

// Paints one page; the painter's device coordinates start at the paper's top left corner.
void paintPage(QPainter& painter, const ReportDocument& doc, const Pagination& pagination,
               int pageIndex);
// Sets the device to A4 in the document's orientation without margins and paints every page.
void render(const ReportDocument& doc, QPagedPaintDevice& device);
void renderToPrinter(const ReportDocument& doc, QPrinter& printer);

}  // namespace reports
