#pragma once
// The frame every report selection window shares: the caption with the company's name, the
// period with its financial-year default, an optional department selector, the window's own
// options, and "Print", "Pre&View" and "E&xit". A report window adds its options and says how
// its report is prepared; connecting, captions, tab order, busy state and showing or printing
// the prepared report are done here.

#include <QList>
#include <functional>
#include <memory>

#include "reports/streamedreport.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QPrinter;
class QPushButton;
class QVBoxLayout;

namespace reports {

class DepartmentSelector;
class PeriodSelector;

class SelectionForm : public ui::FormBase {
    Q_OBJECT
public:
    // Input: the active company's code.
    int coyCode = 1;

    // Shows a prepared report; by default the print preview, modally. Tests replace it.
    std::function<void(const ReportDocument&)> showReport;
    // Chooses the printer for "Print"; by default the print dialog.
    std::function<bool(QPrinter&)> askPrinter;

    PeriodSelector* period() const { return period_; }
    // Null unless the window asked for one.
    DepartmentSelector* department() const { return department_; }

    void PrintButtonClick();
    void PreViewButtonClick();
    void ExitButtonClick();

protected:
    // What "Print" does: print directly, or show the preview (from which the user prints).
    enum class PrintTo { Printer, Preview };

    struct Captions {
        QString section;         // placement section
        QString caption;         // followed by the company's name
        QString periodLeading;   // before the from-date
        QString periodMiddle;    // between the dates
        QString previewCaption;  // the preview window's caption
    };

    SelectionForm(QWidget* owner, const Captions& captions, PrintTo print = PrintTo::Printer);
    ~SelectionForm() override;

    // The department selector, below the period.
    void addDepartmentSelector();
    // A row of the window's own options, below the period and department, in tab order.
    void addOptionRow(const QList<QWidget*>& widgets);

    // Prepares the report over connection(); false when the user cancelled the preparation.
    virtual bool prepare(ReportDocument* doc) = 0;
    // A report the preview prepares while it shows its first pages, with what it says while
    // preparing; null (the default) prepares the whole report with prepare() first.
    virtual std::unique_ptr<StreamedReport> streamedReport(QString* preparing) {
        Q_UNUSED(preparing);
        return nullptr;
    }
    // After the report was printed or its preview closed, or its preparation failed.
    virtual void reportDone() {}
    // The dates when the window opens; by default the financial year to today.
    virtual void setDefaultDates();
    // The window's connection, connected.
    store::Connection& connection();

    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    void chainTabOrder();
    void setBusy(bool busy);
    void preview();

    Captions captions_;
    PrintTo printTo_;
    store::Connection connection_;
    QVBoxLayout* body_;
    PeriodSelector* period_;
    DepartmentSelector* department_ = nullptr;
    QList<QWidget*> options_;
    QPushButton* print_;
    QPushButton* preview_;
    QPushButton* exit_;
    bool shown_ = false;
};

}  // namespace reports
