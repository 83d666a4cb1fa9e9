#pragma once
// The journal report dialog: the period (from 1 Jan 1900 unless a from date is entered), an
// optional department and ledger account, and the ticks that choose one of the journal
// layouts; "Print" prints it, "Pre&View" previews it.

#include "reports/journal.h"
#include "reports/selectionform.h"

class QCheckBox;
class QLabel;

namespace reports {

class AccountCodeBox;

class TAllJournalEntries : public SelectionForm {
    Q_OBJECT
public:
    explicit TAllJournalEntries(QWidget* owner = nullptr);

    QCheckBox* fromCheckBox() const { return fromCheck_; }
    AccountCodeBox* accountBox() const { return account_; }
    // The ticks as they stand, with what was found of the department and the account.
    JournalTicks ticks() const;
    // The request the chosen layout is prepared with.
    JournalRequest request() const;

protected:
    bool prepare(ReportDocument* doc) override;
    std::unique_ptr<StreamedReport> streamedReport(QString* preparing) override;
    void showEvent(QShowEvent* event) override;

private:
    void FromCheckBoxClick();
    void AcctCheckBoxClick();
    void AuditCheckBoxClick();
    QString pickJournalAccount();

    QCheckBox* fromCheck_;
    QLabel* fromLabel_ = nullptr;
    QCheckBox* acctCheck_;
    QLabel* acctLabel_;
    AccountCodeBox* account_;
    QCheckBox* details_;
    QCheckBox* audit_;
    QCheckBox* cashOnly_;
    QCheckBox* excludeTax_;
    bool opened_ = false;
};

}  // namespace reports
