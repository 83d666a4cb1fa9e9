#pragma once
// The bank transaction audit dialog, opened from bank transaction entry on one bank account:
// a from date with a number of days (kept in "NRVRpts.ini" between runs) or only a to date,
// then the account's journal lines previewed or printed.

#include <functional>

#include "reports/journal.h"
#include "reports/report.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace ui {
class DateBox;
}

class TQVDetailedTransAuditDiaForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVDetailedTransAuditDiaForm(QWidget* owner = nullptr);
    ~TQVDetailedTransAuditDiaForm() override;

    // Inputs.
    QString titleText;  // BANKCODE-ACCTNO : description
    QString bankLink;
    int coyCode = 1;
    QString acctNo;

    // Shows the prepared report; by default the print preview. Tests replace both.
    std::function<void(const reports::ReportDocument&)> showReport;
    std::function<bool(QPrinter&)> askPrinter;

    void PrintButtonClick();
    void PreViewButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

public slots:
    void done(int result) override;

private:
    void FormShow();
    void FormClose();
    void FromCheckBoxClick();
    void followFromDate();
    // The report's request from the boxes, the connection opened.
    reports::JournalRequest request();
    bool prepare(reports::ReportDocument* doc);

    store::Connection connection_;
    QCheckBox* fromCheck_;
    QLabel* fromLabel_;
    ui::DateBox* from_;
    ui::DateBox* to_;
    QLabel* daysLabel_;
    QSpinBox* days_;
    QPushButton* print_;
    QPushButton* preview_;
    QPushButton* close_;
    bool shown_ = false;
    bool closed_ = false;
};
