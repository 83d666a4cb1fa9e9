#pragma once
// The print preview of a prepared report: page through it, zoom, print it, and save it as
// text, CSV, PDF or a spreadsheet. Every rendering comes from the same report data.
//
// A report can also be prepared while the preview shows it: the first page appears as soon as
// it is laid out and further pages join while the preparation goes on in short slices from the
// event loop, with its progress and "Cancel" in the window. Printing and saving wait for the
// whole report; cancelling or closing the window stops the preparation.

#include <QList>
#include <functional>
#include <memory>

#include "reports/renderer.h"
#include "reports/streamedreport.h"
#include "ui/formbase.h"

class QPrinter;
class QProgressBar;
class QTimer;
class QToolButton;
class QLabel;

namespace reports {

class PageView;

class TReportPreviewForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TReportPreviewForm(QWidget* owner = nullptr);
    ~TReportPreviewForm() override;

    // Input: the prepared report, set before exec().
    ReportDocument document;
    // Input instead of a document: a report to prepare while it is shown, set before exec().
    // Once prepared it becomes the document; `label` says what is being prepared.
    void prepareWhileShowing(std::unique_ptr<StreamedReport> report, const QString& label);
    bool preparing() const { return stream_ != nullptr; }

    // Asks where to save (filter like "Text files (*.txt)"); empty text cancels. Tests replace
    // it; by default a file dialog.
    std::function<QString(const QString& caption, const QString& suggested, const QString& filter)>
        askSaveFile;
    // Lets the user choose and set up a printer; false cancels. By default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    PageView* pageView() const { return view_; }
    int pageCount() const;

    void PrintButtonClick();
    void SaveTextButtonClick();
    void SaveCsvButtonClick();
    void SavePdfButtonClick();
    void SaveXlsxButtonClick();

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void prepareSlice();
    void finishPreparing();
    void stopPreparing();
    void showPages(const ReportDocument& doc);
    void save(const QString& caption, const QString& extension, const QString& filter,
              void (*write)(const ReportDocument&, const QString&));
    void updatePageLabel();

    PageView* view_;
    QLabel* pageLabel_;
    QList<QToolButton*> wholeReportButtons_;  // print and save: for the whole report only
    QWidget* progressRow_;
    QLabel* progressLabel_;
    QProgressBar* progress_;
    QTimer* prepareTimer_;
    std::unique_ptr<StreamedReport> stream_;
    Paginator paginator_;
    bool shown_ = false;
};

// Prepared report to the printer: asks for the printer, then prints every page.
bool printReport(QWidget* parent, const ReportDocument& doc,
                 const std::function<bool(QPrinter&)>& askPrinter = {});

}  // namespace reports
