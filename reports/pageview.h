#pragma once
// The pages of a report on screen, one under the other, painted only as they come into view.
// Pages can join while the view is shown (a report still being prepared): painting a page costs
// the same however many pages there are, so a report of thousands of pages opens at once.

#include <QAbstractScrollArea>

#include "reports/renderer.h"

namespace reports {

class PageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    // The report and its pages, kept by the caller while the view shows them; null shows none.
    void setPages(const ReportDocument* doc, const Pagination* pagination);
    // After pages were added to the pagination set.
    void pagesChanged();

    int pageCount() const;
    int currentPage() const;  // from 1: the page at the middle of the view
    void setCurrentPage(int page);
    double zoom() const { return zoom_; }
    void zoomIn();
    void zoomOut();
    void fitToWidth();
    void fitInView();

signals:
    void currentPageChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Fit { None, Width, Page };
    QSizeF pageSize() const;  // one page in pixels at the current zoom
    double pageStep() const;  // from the top of one page to the top of the next
    void setZoom(double zoom, Fit fit);
    double fittedZoom(Fit fit) const;
    void applyFit();
    void updateScrollBars();

    const ReportDocument* doc_ = nullptr;
    const Pagination* pagination_ = nullptr;
    double zoom_ = 1;
    Fit fit_ = Fit::Width;
    int paintedPages_ = 0;  // the pages there were when the view was last brought up to date
};

}  // namespace reports
