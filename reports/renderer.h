#pragma once
// Lays a report's bands onto A4 pages (portrait or landscape) and paints them with QPainter
// on any paged device: the print preview's printer, a real printer, a PDF file. Band heights
// are fixed in millimetres, so the page breaks are the same on every device and can be
// computed without one.

#include <QPageSize>
#include <QSizeF>
#include <vector>

#include "reports/report.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace reports {

struct PagePlan {
    std::vector<int> bands;     // indices into ReportDocument::bands, in order
    bool repeatHeader = false;  // the column headings are repeated at the top
    int formPage = -1;          // an absolutely positioned page instead of bands
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

// Lays out the bands of a report while they are still being appended, so a preview can show the
// first pages before the last band exists. A page once laid out never changes.
class Paginator {
public:
    // Places the bands appended since the last call; a trailing heading waits for the band it
    // keeps with unless this is the last call (`whole`), which also adds the form pages.
    void extend(const ReportDocument& doc, bool whole);
    const Pagination& pagination() const { return out_; }

private:
    Pagination out_;
    int next_ = 0;  // the first band not yet placed
    double y_ = 0;  // where the next band goes on the last page, in millimetres
};

Pagination paginate(const ReportDocument& doc);
inline int pageCount(const ReportDocument& doc) { return int(paginate(doc).pages.size()); }

// Paints one page; the painter's device coordinates start at the paper's top left corner.
void paintPage(QPainter& painter, const ReportDocument& doc, const Pagination& pagination,
               int pageIndex);
// Sets the device to A4 in the document's orientation without margins and paints every page.
void render(const ReportDocument& doc, QPagedPaintDevice& device);
void renderToPrinter(const ReportDocument& doc, QPrinter& printer);

}  // namespace reports
