#include "reports/renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "store/format.h"

namespace reports {
namespace {

constexpr double kMarginX = 15;
constexpr double kMarginTop = 12;
constexpr double kMarginBottom = 14;
constexpr double kPageHeaderMm = 9;
constexpr double kCellPadMm = 1.2;

bool keepsWithNext(BandKind kind) {
    return kind == BandKind::Title || kind == BandKind::ColumnHeader ||
           kind == BandKind::GroupHeader;
}

QFont bandFont(const ReportDocument& doc, BandKind kind, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(kind == BandKind::Title ? 12 : doc.pointSize);
    f.setBold(bold);
    return f;
}

struct Scale {
    double x, y;  // device pixels per millimetre
    QRectF rect(double leftMm, double topMm, double widthMm, double heightMm) const {
        return QRectF(leftMm * x, topMm * y, widthMm * x, heightMm * y);
    }
};

// Column widths fitted to the printable width: shrunk in proportion when they are too wide.
std::vector<double> fittedWidths(const ReportDocument& doc) {
    const double printable = paperSizeMm(doc).width() - 2 * kMarginX;
    double total = 0;
    for (const Column& c : doc.columns) total += c.widthMm;
    const double factor = total > printable && total > 0 ? printable / total : 1.0;
    std::vector<double> widths;
    for (const Column& c : doc.columns) widths.push_back(c.widthMm * factor);
    return widths;
}

void drawText(QPainter& p, const QRectF& r, const QString& text, Qt::Alignment align) {
    const QFontMetricsF fm(p.font(), p.device());
    const QString shown = fm.elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, int(align | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

void paintBand(QPainter& p, const ReportDocument& doc, const Band& band, double top,
               const Scale& s) {
    const double h = bandHeightMm(band.kind);
    const double width = paperSizeMm(doc).width() - 2 * kMarginX;
    p.setFont(bandFont(doc, band.kind, band.bold));
    if (band.span || doc.columns.empty()) {
        const Qt::Alignment align = band.kind == BandKind::Title ? Qt::AlignHCenter : Qt::AlignLeft;
        drawText(p, s.rect(kMarginX + kCellPadMm, top, width - 2 * kCellPadMm, h),
                 band.cells.value(0), align);
        return;
    }
    const std::vector<double> widths = fittedWidths(doc);
    double x = kMarginX;
    for (size_t i = 0; i < doc.columns.size(); ++i) {
        const QString text = band.cells.value(qsizetype(i));
        double cellWidth = widths[i];
        for (size_t j = i + 1; band.overflow && !text.isEmpty() && j < doc.columns.size() &&
                               band.cells.value(qsizetype(j)).isEmpty();
             ++j)
            cellWidth += widths[j];
        const QRectF r = s.rect(x + kCellPadMm, top, cellWidth - 2 * kCellPadMm, h);
        if (band.ruleAbove && !text.isEmpty() && (doc.columns[i].align & Qt::AlignRight))
            p.drawLine(QPointF(r.left(), top * s.y + 0.3 * s.y),
                       QPointF(r.right(), top * s.y + 0.3 * s.y));
        drawText(p, r, text, band.overflow ? Qt::AlignHCenter : doc.columns[i].align);
        x += widths[i];
    }
    if (band.kind == BandKind::ColumnHeader && !band.overflow) {
        const double y = (top + h - 0.5) * s.y;
        p.drawLine(QPointF(kMarginX * s.x, y), QPointF((kMarginX + width) * s.x, y));
    }
}

void paintForm(QPainter& p, const FormPage& page, const Scale& s) {
    for (const FormField& f : page.fields) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(f.pointSize);
        font.setBold(f.bold);
        p.setFont(font);
        const QRectF r = s.rect(f.mm.x(), f.mm.y(), f.mm.width(), f.mm.height());
        if (f.boxed) p.drawRect(r);
        const QRectF inner = f.boxed ? r.adjusted(kCellPadMm * s.x, 0, -kCellPadMm * s.x, 0) : r;
        p.drawText(inner, int(f.align) | Qt::TextWordWrap, f.text);
    }
}

}  // namespace

QSizeF paperSizeMm(const ReportDocument& doc) {
    if (!doc.paperMm.isEmpty()) return doc.paperMm;
    return doc.orientation == QPageLayout::Landscape ? QSizeF(297, 210) : QSizeF(210, 297);
}

double bandHeightMm(BandKind kind) {
    switch (kind) {
        case BandKind::Title:
            return 8;
        case BandKind::ColumnHeader:
            return 7;
        case BandKind::GroupHeader:
            return 7;
        case BandKind::Detail:
            return 5;
        case BandKind::GroupFooter:
            return 6;
        case BandKind::Summary:
            return 6;
    }
    return 5;
}

void Paginator::extend(const ReportDocument& doc, bool whole) {
    const double bottom = paperSizeMm(doc).height() - kMarginBottom;
    const double top = kMarginTop + (doc.pageHeader ? kPageHeaderMm : 0);
    const int n = int(doc.bands.size());
    const int last = whole ? n : n - 1;  // the last band may keep with one still to come
    if (out_.pages.empty() && (next_ < last || (whole && doc.formPages.empty()))) {
        out_.pages.emplace_back();
        y_ = top;
    }
    for (int& i = next_; i < last; ++i) {
        const BandKind kind = doc.bands[size_t(i)].kind;
        if (kind == BandKind::ColumnHeader && out_.headerBand < 0) {
            out_.headerBand = i;
            while (out_.headerBand + out_.headerCount < n &&
                   doc.bands[size_t(out_.headerBand + out_.headerCount)].kind ==
                       BandKind::ColumnHeader)
                ++out_.headerCount;
        }
        double need = bandHeightMm(kind);
        // A heading is not left alone at the foot of a page.
        if (keepsWithNext(kind) && i + 1 < n) need += bandHeightMm(doc.bands[size_t(i) + 1].kind);
        const bool pageHasBands = !out_.pages.back().bands.empty();
        if ((y_ + need > bottom || doc.bands[size_t(i)].newPage) && pageHasBands) {
            out_.pages.emplace_back();
            y_ = top;
            if (out_.headerBand >= 0 && kind != BandKind::ColumnHeader) {
                out_.pages.back().repeatHeader = true;
                y_ += out_.headerCount * bandHeightMm(BandKind::ColumnHeader);
            }
        }
        out_.pages.back().bands.push_back(i);
        y_ += bandHeightMm(kind);
    }
    if (!whole) return;
    for (int f = 0; f < int(doc.formPages.size()); ++f) {
        PagePlan plan;
        plan.formPage = f;
        out_.pages.push_back(plan);
    }
}

Pagination paginate(const ReportDocument& doc) {
    Paginator paginator;
    paginator.extend(doc, true);
    return paginator.pagination();
}

void paintPage(QPainter& p, const ReportDocument& doc, const Pagination& pagination,
               int pageIndex) {
    const PagePlan& plan = pagination.pages.at(size_t(pageIndex));
    const Scale s{p.device()->logicalDpiX() / 25.4, p.device()->logicalDpiY() / 25.4};
    p.save();
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * s.x);
    p.setPen(pen);
    if (plan.formPage >= 0) {
        paintForm(p, doc.formPages.at(size_t(plan.formPage)), s);
        p.restore();
        return;
    }
    const double width = paperSizeMm(doc).width() - 2 * kMarginX;
    double y = kMarginTop;
    if (doc.pageHeader) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(8);
        p.setFont(f);
        const QRectF r = s.rect(kMarginX, y, width, kPageHeaderMm - 3);
        const QDate printed = doc.printedOn.isValid() ? doc.printedOn : QDate::currentDate();
        drawText(p, r, doc.printedCaption + QLatin1Char(' ') + store::fmt::shortDate(printed),
                 Qt::AlignLeft);
        drawText(p, r, doc.pageCaption + QLatin1Char(' ') + QString::number(pageIndex + 1),
                 Qt::AlignRight);
        if (!doc.pageId.isEmpty()) drawText(p, r, doc.pageId, Qt::AlignHCenter);
        y += kPageHeaderMm;
    }
    if (plan.repeatHeader && pagination.headerBand >= 0) {
        for (int i = 0; i < pagination.headerCount; ++i) {
            paintBand(p, doc, doc.bands.at(size_t(pagination.headerBand + i)), y, s);
            y += bandHeightMm(BandKind::ColumnHeader);
        }
    }
    for (int i : plan.bands) {
        const Band& band = doc.bands.at(size_t(i));
        paintBand(p, doc, band, y, s);
        y += bandHeightMm(band.kind);
    }
    p.restore();
}

// The document's own paper is given upright (narrow side first), its orientation turns it.
QPageSize pageSizeOf(const ReportDocument& doc) {
    if (doc.paperMm.isEmpty()) return QPageSize(QPageSize::A4);
    const QSizeF upright(qMin(doc.paperMm.width(), doc.paperMm.height()),
                         qMax(doc.paperMm.width(), doc.paperMm.height()));
    return QPageSize(upright, QPageSize::Millimeter, doc.name, QPageSize::ExactMatch);
}

void render(const ReportDocument& doc, QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(pageSizeOf(doc), doc.orientation, QMarginsF(0, 0, 0, 0),
                                     QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0)));
    const Pagination pagination = paginate(doc);
    QPainter painter(&device);
    for (int i = 0; i < int(pagination.pages.size()); ++i) {
        if (i > 0) device.newPage();
        paintPage(painter, doc, pagination, i);
    }
}

void renderToPrinter(const ReportDocument& doc, QPrinter& printer) {
    printer.setFullPage(true);
    render(doc, printer);
}

}  // namespace reports
