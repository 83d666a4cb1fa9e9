#include "reports/pageview.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace reports {
namespace {

constexpr int kGap = 12;  // pixels around and between pages
constexpr double kZoomStep = 1.25;
constexpr double kLeastZoom = 0.1;
constexpr double kMostZoom = 8;

}  // namespace

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setAutoFillBackground(true);
    QPalette look = viewport()->palette();
    look.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    viewport()->setPalette(look);
    setFocusPolicy(Qt::StrongFocus);
    // Always there, so fitting the width does not change the width it fits.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void PageView::setPages(const ReportDocument* doc, const Pagination* pagination) {
    doc_ = doc;
    pagination_ = pagination;
    pagesChanged();
}

void PageView::pagesChanged() {
    const double before = zoom_;
    applyFit();
    updateScrollBars();
    // Pages joining below the view need no painting: a report being prepared adds them often.
    const double bottom = verticalScrollBar()->value() + viewport()->height();
    if (zoom_ != before || bottom >= kGap + (paintedPages_ - 1) * pageStep()) viewport()->update();
    paintedPages_ = pageCount();
    emit currentPageChanged();
}

int PageView::pageCount() const { return doc_ && pagination_ ? int(pagination_->pages.size()) : 0; }

QSizeF PageView::pageSize() const {
    if (!doc_) return {};
    const double pxPerMm = viewport()->logicalDpiX() / 25.4;
    return paperSizeMm(*doc_) * pxPerMm * zoom_;
}

double PageView::pageStep() const { return pageSize().height() + kGap; }

int PageView::currentPage() const {
    if (pageCount() == 0) return 0;
    const double middle = verticalScrollBar()->value() + viewport()->height() / 2.0 - kGap;
    return std::clamp(int(middle / pageStep()) + 1, 1, pageCount());
}

void PageView::setCurrentPage(int page) {
    if (pageCount() == 0) return;
    page = std::clamp(page, 1, pageCount());
    verticalScrollBar()->setValue(int(std::lround((page - 1) * pageStep())));
    emit currentPageChanged();
}

void PageView::setZoom(double zoom, Fit fit) {
    const int page = currentPage();
    zoom_ = std::clamp(zoom, kLeastZoom, kMostZoom);
    fit_ = fit;
    updateScrollBars();
    if (page > 0) setCurrentPage(page);
    viewport()->update();
}

void PageView::zoomIn() { setZoom(zoom_ * kZoomStep, Fit::None); }
void PageView::zoomOut() { setZoom(zoom_ / kZoomStep, Fit::None); }

void PageView::fitToWidth() { setZoom(fittedZoom(Fit::Width), Fit::Width); }
void PageView::fitInView() { setZoom(fittedZoom(Fit::Page), Fit::Page); }

// The zoom that fits a page's width, or the whole page, into the viewport as it is now.
double PageView::fittedZoom(Fit fit) const {
    if (!doc_ || fit == Fit::None) return zoom_;
    const QSizeF paper = paperSizeMm(*doc_) * (viewport()->logicalDpiX() / 25.4);
    const double width = (viewport()->width() - 2.0 * kGap) / paper.width();
    const double height = (viewport()->height() - 2.0 * kGap) / paper.height();
    return std::clamp(fit == Fit::Width ? width : std::min(width, height), kLeastZoom, kMostZoom);
}

void PageView::applyFit() { zoom_ = fittedZoom(fit_); }

void PageView::updateScrollBars() {
    const QSizeF page = pageSize();
    const double total = pageCount() * pageStep() + kGap;
    verticalScrollBar()->setRange(0, std::max(0, int(total) - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setRange(
        0, std::max(0, int(page.width()) + 2 * kGap - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const int page = currentPage();
    applyFit();
    updateScrollBars();
    if (page > 1) setCurrentPage(page);
}

void PageView::scrollContentsBy(int, int) {
    viewport()->update();
    emit currentPageChanged();
}

void PageView::paintEvent(QPaintEvent* event) {
    if (pageCount() == 0) return;
    QPainter painter(viewport());
    const QSizeF page = pageSize();
    const double step = pageStep();
    const double top = verticalScrollBar()->value();
    const double left = std::max(double(kGap), (viewport()->width() - page.width()) / 2) -
                        horizontalScrollBar()->value();
    const QRect dirty = event->rect();
    const int first = std::max(0, int((top + dirty.top() - kGap) / step));
    const int last = std::min(pageCount() - 1, int((top + dirty.bottom()) / step));
    for (int i = first; i <= last; ++i) {
        const QRectF sheet(left, kGap + i * step - top, page.width(), page.height());
        painter.fillRect(sheet, Qt::white);
        painter.save();
        painter.setClipRect(sheet);
        painter.translate(sheet.topLeft());
        painter.scale(zoom_, zoom_);
        paintPage(painter, *doc_, *pagination_, i);
        painter.restore();
        painter.setPen(Qt::black);
        painter.drawRect(sheet);
    }
}

}  // namespace reports
