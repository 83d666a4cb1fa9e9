#include "reports/reportpreview.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>

#include "reports/renderer.h"
#include "reports/writers.h"
#include "reports/xlsxsave.h"
#include "ui/errorhandler.h"
#include "ui/savefolder.h"

namespace reports {
namespace {

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
    : ui::FormBase(owner, QStringLiteral("ReportPreviewForm")),
      printer_(new QPrinter(QPrinter::HighResolution)) {
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
    for (QWidget* w : std::initializer_list<QWidget*>{print, first, prior, pageLabel_, next, last,
                                                      zoomIn, zoomOut, fitWidth, fitPage})
        row->addWidget(w);
    row->addStretch();
    for (QWidget* w : {saveText, saveCsv, savePdf, saveXlsx, close}) row->addWidget(w);

    preview_ = new QPrintPreviewWidget(printer_, this);
    preview_->setObjectName(QStringLiteral("PreviewWidget"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(preview_, 1);

    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { renderToPrinter(document, *printer); });
    connect(preview_, &QPrintPreviewWidget::previewChanged, this,
            &TReportPreviewForm::updatePageLabel);
    connect(print, &QToolButton::clicked, this, &TReportPreviewForm::PrintButtonClick);
    connect(first, &QToolButton::clicked, this, [this] {
        preview_->setCurrentPage(1);
        updatePageLabel();
    });
    connect(prior, &QToolButton::clicked, this, [this] {
        preview_->setCurrentPage(preview_->currentPage() - 1);
        updatePageLabel();
    });
    connect(next, &QToolButton::clicked, this, [this] {
        preview_->setCurrentPage(preview_->currentPage() + 1);
        updatePageLabel();
    });
    connect(last, &QToolButton::clicked, this, [this] {
        preview_->setCurrentPage(preview_->pageCount());
        updatePageLabel();
    });
    connect(zoomIn, &QToolButton::clicked, preview_, [this] { preview_->zoomIn(); });
    connect(zoomOut, &QToolButton::clicked, preview_, [this] { preview_->zoomOut(); });
    connect(fitWidth, &QToolButton::clicked, preview_, &QPrintPreviewWidget::fitToWidth);
    connect(fitPage, &QToolButton::clicked, preview_, &QPrintPreviewWidget::fitInView);
    connect(saveText, &QToolButton::clicked, this, &TReportPreviewForm::SaveTextButtonClick);
    connect(saveCsv, &QToolButton::clicked, this, &TReportPreviewForm::SaveCsvButtonClick);
    connect(savePdf, &QToolButton::clicked, this, &TReportPreviewForm::SavePdfButtonClick);
    connect(saveXlsx, &QToolButton::clicked, this, &TReportPreviewForm::SaveXlsxButtonClick);
    connect(close, &QToolButton::clicked, this, &QDialog::accept);
}

TReportPreviewForm::~TReportPreviewForm() { delete printer_; }

int TReportPreviewForm::pageCount() const { return preview_->pageCount(); }

void TReportPreviewForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TReportPreviewForm::FormShow() {
    printer_->setPageSize(pageSizeOf(document));
    printer_->setPageOrientation(document.orientation);
    preview_->setOrientation(document.orientation);
    preview_->fitToWidth();
    preview_->updatePreview();
    updatePageLabel();
}

void TReportPreviewForm::updatePageLabel() {
    pageLabel_->setText(
        QStringLiteral("Page %1 of %2").arg(preview_->currentPage()).arg(preview_->pageCount()));
}

void TReportPreviewForm::PrintButtonClick() {
    ui::guarded(this, [this] { printReport(this, document, askPrinter); });
}

void TReportPreviewForm::save(const QString& caption, const QString& extension,
                              const QString& filter,
                              void (*write)(const ReportDocument&, const QString&)) {
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
