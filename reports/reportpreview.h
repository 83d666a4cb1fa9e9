#pragma once
// The print preview of a prepared report: page through it, zoom, print it, and save it as
// text, CSV, PDF or a spreadsheet. Every rendering comes from the same report data.

#include "reports/report.h"
#include "ui/formbase.h"

#include <functional>

class QPrintPreviewWidget;
class QPrinter;
class QToolButton;
class QLabel;

namespace reports {

class TReportPreviewForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TReportPreviewForm(QWidget* owner = nullptr);
    ~TReportPreviewForm() override;

    // Input: the prepared report, set before exec().
    ReportDocument document;

    // Asks where to save (filter like "Text files (*.txt)"); empty text cancels. Tests replace
    // it; by default a file dialog.
    std::function<QString(const QString& caption, const QString& suggested,
                          const QString& filter)>
        askSaveFile;
    // Lets the user choose and set up a printer; false cancels. By default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    QPrintPreviewWidget* previewWidget() const { return preview_; }
    int pageCount() const;

    void PrintButtonClick();
    void SaveTextButtonClick();
    void SaveCsvButtonClick();
    void SavePdfButtonClick();
    void SaveXlsxButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void save(const QString& caption, const QString& extension, const QString& filter,
              void (*write)(const ReportDocument&, const QString&));
    void updatePageLabel();

    QPrinter* printer_;
    QPrintPreviewWidget* preview_;
    QLabel* pageLabel_;
    bool shown_ = false;
};

// Prepared report to the printer: asks for the printer, then prints every page.
bool printReport(QWidget* parent, const ReportDocument& doc,
                 const std::function<bool(QPrinter&)>& askPrinter = {});

}  // namespace reports
