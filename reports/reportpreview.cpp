#include "reports/reportpreview.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "reports/pageview.h"
#include "reports/writers.h"
#include "reports/xlsxsave.h"
#include "ui/errorhandler.h"
#include "ui/savefolder.h"

namespace reports {
namespace {

// How long one slice of preparation keeps the event loop waiting.
constexpr int kPrepareSliceMs = 30;

QToolButton* toolButton(QWidget* parent, const char* name, const QString& text, const QString& tip,
                        const QKeySequence& key = {}) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(false);
    if (!key.isEmpty()) b->setShortcut(key);
    return b;
}

bool defaultAskPrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

bool printReport(QWidget* parent, const ReportDocument& doc,
                 const std::function<bool(QPrinter&)>& askPrinter) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(pageSizeOf(doc));
    printer.setPageOrientation(doc.orientation);
    const bool chosen = askPrinter ? askPrinter(printer) : defaultAskPrinter(parent, printer);
    if (!chosen) return false;
    renderToPrinter(doc, printer);
    return true;
}

TReportPreviewForm::TReportPreviewForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("ReportPreviewForm")) {
    setWindowTitle(QStringLiteral("Print preview"));
    resize(900, 700);  // fits a 1280 x 800 screen with its title bar and a panel

    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 6, 6, 2);
    auto* print = toolButton(bar, "PrintButton", "&Print", "Print the report", QKeySequence::Print);
    auto* first = toolButton(bar, "FirstPageButton", "|<", "First page");
    auto* prior = toolButton(bar, "PriorPageButton", "<", "Previous page", Qt::Key_PageUp);
    pageLabel_ = new QLabel(bar);
    pageLabel_->setObjectName(QStringLiteral("PageLabel"));
    pageLabel_->setMinimumWidth(90);
    pageLabel_->setAlignment(Qt::AlignCenter);
    auto* next = toolButton(bar, "NextPageButton", ">", "Next page", Qt::Key_PageDown);
    auto* last = toolButton(bar, "LastPageButton", ">|", "Last page");
    auto* zoomIn = toolButton(bar, "ZoomInButton", "Zoom &in", "Zoom in", QKeySequence::ZoomIn);
    auto* zoomOut =
        toolButton(bar, "ZoomOutButton", "Zoom &out", "Zoom out", QKeySequence::ZoomOut);
    auto* fitWidth = toolButton(bar, "FitWidthButton", "&Width", "Fit the page width");
    auto* fitPage = toolButton(bar, "FitPageButton", "Whole pa&ge", "Show whole pages");
    auto* saveText = toolButton(bar, "SaveTextButton", "Save as &text", "Save the report as text");
    auto* saveCsv = toolButton(bar, "SaveCsvButton", "Save as C&SV",
                               "Save the report as comma-separated values");
    auto* savePdf = toolButton(bar, "SavePdfButton", "Save as P&DF", "Save the report as PDF");
    auto* saveXlsx = toolButton(bar, "SaveXlsxButton", "Save as sp&readsheet",
                                "Save the report as a spreadsheet (.xlsx)");
    auto* close = toolButton(bar, "CloseButton", "&Close", "Close the preview");
    wholeReportButtons_ = {print, saveText, saveCsv, savePdf, saveXlsx};
    for (QWidget* w : std::initializer_list<QWidget*>{print, first, prior, pageLabel_, next, last,
                                                      zoomIn, zoomOut, fitWidth, fitPage})
        row->addWidget(w);
    row->addStretch();
    for (QWidget* w : {saveText, saveCsv, savePdf, saveXlsx, close}) row->addWidget(w);

    progressRow_ = new QWidget(this);
    auto* progressLayout = new QHBoxLayout(progressRow_);
    progressLayout->setContentsMargins(6, 2, 6, 4);
    progressLabel_ = new QLabel(progressRow_);
    progress_ = new QProgressBar(progressRow_);
    progress_->setObjectName(QStringLiteral("PreparationProgress"));
    progress_->setRange(0, 0);
    auto* cancel = toolButton(progressRow_, "CancelPreparationButton", "Cancel",
                              "Stop preparing the report and close the preview");
    progressLayout->addWidget(progressLabel_);
    progressLayout->addWidget(progress_, 1);
    progressLayout->addWidget(cancel);
    progressRow_->hide();
    prepareTimer_ = new QTimer(this);
    prepareTimer_->setInterval(0);

    view_ = new PageView(this);
    view_->setObjectName(QStringLiteral("PreviewWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(progressRow_);
    layout->addWidget(view_, 1);

    connect(prepareTimer_, &QTimer::timeout, this, &TReportPreviewForm::prepareSlice);
    connect(cancel, &QToolButton::clicked, this, &QDialog::reject);
    connect(view_, &PageView::currentPageChanged, this, &TReportPreviewForm::updatePageLabel);
    connect(print, &QToolButton::clicked, this, &TReportPreviewForm::PrintButtonClick);
    connect(first, &QToolButton::clicked, view_, [this] { view_->setCurrentPage(1); });
    connect(prior, &QToolButton::clicked, view_,
            [this] { view_->setCurrentPage(view_->currentPage() - 1); });
    connect(next, &QToolButton::clicked, view_,
            [this] { view_->setCurrentPage(view_->currentPage() + 1); });
    connect(last, &QToolButton::clicked, view_,
            [this] { view_->setCurrentPage(view_->pageCount()); });
    connect(zoomIn, &QToolButton::clicked, view_, &PageView::zoomIn);
    connect(zoomOut, &QToolButton::clicked, view_, &PageView::zoomOut);
    connect(fitWidth, &QToolButton::clicked, view_, &PageView::fitToWidth);
    connect(fitPage, &QToolButton::clicked, view_, &PageView::fitInView);
    connect(saveText, &QToolButton::clicked, this, &TReportPreviewForm::SaveTextButtonClick);
    connect(saveCsv, &QToolButton::clicked, this, &TReportPreviewForm::SaveCsvButtonClick);
    connect(savePdf, &QToolButton::clicked, this, &TReportPreviewForm::SavePdfButtonClick);
    connect(saveXlsx, &QToolButton::clicked, this, &TReportPreviewForm::SaveXlsxButtonClick);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
}

TReportPreviewForm::~TReportPreviewForm() { stopPreparing(); }

int TReportPreviewForm::pageCount() const { return view_->pageCount(); }

void TReportPreviewForm::prepareWhileShowing(std::unique_ptr<StreamedReport> report,
                                             const QString& label) {
    stopPreparing();
    stream_ = std::move(report);
    progressLabel_->setText(label);
}

void TReportPreviewForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TReportPreviewForm::FormShow() {
    if (!stream_) {
        showPages(document);
        return;
    }
    stream_->restart();
    for (QToolButton* b : wholeReportButtons_) b->setEnabled(false);
    progressRow_->show();
    showPages(stream_->document());
    prepareTimer_->start();
}

// Lays out what there is of the document and shows it from its first page, fitted to the width.
void TReportPreviewForm::showPages(const ReportDocument& doc) {
    paginator_ = Paginator{};
    if (!stream_) paginator_.extend(doc, true);  // a report being prepared: from its first slice
    view_->setPages(&doc, &paginator_.pagination());
    view_->fitToWidth();
    view_->setCurrentPage(1);
    updatePageLabel();
}

// Runs the preparation for a slice of time, then shows the pages it completed, so the event
// loop keeps painting and answering the keyboard and "Cancel" in between.
void TReportPreviewForm::prepareSlice() {
    bool more = true;
    try {
        QElapsedTimer slice;
        slice.start();
        while (more && slice.elapsed() < kPrepareSliceMs) more = stream_->step();
    } catch (const std::exception& e) {
        stopPreparing();
        ui::reportError(this, e);
        reject();
        return;
    } catch (...) {
        stopPreparing();
        ui::reportError(this, std::runtime_error("Unexpected error."));
        reject();
        return;
    }
    const int pages = view_->pageCount();
    paginator_.extend(stream_->document(), !more);
    if (view_->pageCount() != pages) view_->pagesChanged();
    progress_->setRange(0, qMax(1, stream_->total()));
    progress_->setValue(stream_->done());
    if (!more) finishPreparing();
}

// The prepared report becomes the preview's document, for printing and saving.
void TReportPreviewForm::finishPreparing() {
    prepareTimer_->stop();
    document = stream_->document();
    view_->setPages(&document, &paginator_.pagination());
    stream_.reset();
    progressRow_->hide();
    for (QToolButton* b : wholeReportButtons_) b->setEnabled(true);
    updatePageLabel();
}

// A preparation cut short leaves no pages behind that point into it.
void TReportPreviewForm::stopPreparing() {
    prepareTimer_->stop();
    if (!stream_) return;
    view_->setPages(nullptr, nullptr);
    stream_.reset();
}

void TReportPreviewForm::done(int result) {
    stopPreparing();
    ui::FormBase::done(result);
}

void TReportPreviewForm::updatePageLabel() {
    pageLabel_->setText(
        QStringLiteral("Page %1 of %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

void TReportPreviewForm::PrintButtonClick() {
    if (preparing()) return;
    ui::guarded(this, [this] { printReport(this, document, askPrinter); });
}

void TReportPreviewForm::save(const QString& caption, const QString& extension,
                              const QString& filter,
                              void (*write)(const ReportDocument&, const QString&)) {
    if (preparing()) return;
    const QString suggested =
        QDir(ui::saveFolder())
            .filePath((document.name.isEmpty() ? QStringLiteral("Report") : document.name) +
                      extension);
    QString path;
    if (askSaveFile)
        path = askSaveFile(caption, suggested, filter);
    else
        path = QFileDialog::getSaveFileName(this, caption, suggested, filter);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += extension;
    if (ui::guarded(this, [&] { write(document, path); })) ui::rememberSaveFolder(path);
}

void TReportPreviewForm::SaveTextButtonClick() {
    save(QStringLiteral("Save report as text"), QStringLiteral(".txt"),
         QStringLiteral("Text files (*.txt)"), &saveText);
}

void TReportPreviewForm::SaveCsvButtonClick() {
    save(QStringLiteral("Save report as CSV"), QStringLiteral(".csv"),
         QStringLiteral("CSV files (*.csv)"), &saveCsv);
}

void TReportPreviewForm::SavePdfButtonClick() {
    save(QStringLiteral("Save report as PDF"), QStringLiteral(".pdf"),
         QStringLiteral("PDF files (*.pdf)"), &savePdf);
}

void TReportPreviewForm::SaveXlsxButtonClick() {
    save(QStringLiteral("Save report as spreadsheet"), QStringLiteral(".xlsx"),
         QStringLiteral("Spreadsheet (*.xlsx)"), &reports::saveXlsx);
}

}  // namespace reports
