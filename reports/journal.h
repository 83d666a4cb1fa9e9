#pragma once
// The journal listings as data: which of the journal layouts the journal dialog's ticks choose,
// the dates every journal report shares, and the groups of journal lines with their totals.
// Every layout is one JournalReport read in steps (one step per ledger account), its document
// growing by each account's bands as it is read.

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "reports/streamedreport.h"

namespace store {
class Connection;
}

namespace reports {

enum class JournalLayout {
    None,                  // a ticked department that was not found: no report
    Summary,               // TSummaryJournalEntriesReport (whole company or a department)
    All,                   // TAllJournalEntriesReport, the detailed journal
    Department,            // TDptJournalEntriesReport
    CashOnly,              // TCashEntriesOnlyReport
    SelectedAccount,       // TSelAcctTranRptForm
    DepartmentAndAccount,  // TSelDeptandJournalRptForm
    Audit,                 // TAllJournalAuditRptForm
    DepartmentAudit,       // TDeptAudRptForm
    TransactionAudit       // TTransactionAuditRptForm, one bank account's lines
};

// The journal dialog's ticks, and whether the typed department and account were found.
struct JournalTicks {
    bool audit = false;
    bool department = false;
    bool departmentFound = false;
    bool account = false;
    bool accountFound = false;
    bool details = true;
    bool cashOnly = false;
};

// The first matching row of the dialog's table of reports.
JournalLayout chooseJournalLayout(const JournalTicks& ticks);

// The from date of a report: the dialog's when "Enter 'From' date" is ticked, else 1 Jan 1900.
QDate journalFromDate(bool fromGiven, const QDate& fromBox);
// "From : <from> to <to>" when a from date is given, else "To : <to>".
QString journalDateLabel(bool fromGiven, const QDate& from, const QDate& to);

struct JournalRequest {
    int coy = 1;
    bool fromGiven = false;
    QDate from, to;      // from is already 1 Jan 1900 when no from date is given
    QString linkCode;    // the department's LINKCODE (department layouts)
    QString acctCode;    // the account (selected-account layouts)
    QString bankAcctNo;  // the bank account number (transaction audit)
    QString bankTitle;   // BANKCODE-ACCTNO : description (transaction audit)
};

struct JournalLine {
    QDate date;
    QString acctCode, narrative, ref, reason, supplier;
    qint64 tranNum = 0;
    double amount = 0, gst = 0, business = 0;
    bool income = true;  // TRANTYPE "I"
};

// One ledger account's lines (or, in the transaction audit, the bank account's).
struct JournalGroup {
    QString code, description;
    std::vector<JournalLine> lines;
    double amount = 0, gst = 0;
};

// "Income :" or "Expenses :" in the summary family; the one unnamed section elsewhere.
struct JournalSection {
    QString header, footer;
    std::vector<JournalGroup> groups;
    double amount = 0, gst = 0;
};

struct JournalTotal {
    QString caption;
    double amount = 0, gst = 0;
    std::optional<double> business;
};

struct JournalFigures {
    JournalLayout layout = JournalLayout::None;
    QString title, companyLabel, dateLabel;
    std::vector<JournalSection> sections;
    std::vector<JournalTotal> summary;

    const JournalGroup* group(const QString& code) const;  // the first of that code, or null
};

class JournalReport : public StreamedReport {
public:
    JournalReport(store::Connection& connection, JournalLayout layout, const JournalRequest& r);

    const JournalFigures& figures() const { return figures_; }
    const ReportDocument& document() const override { return doc_; }
    // The lines read so far (the first page can be shown before the last account is read).
    int linesRead() const { return linesRead_; }

protected:
    void begin() override;
    void finish() override;

private:
    struct Account {
        QString code, description;
        bool income = true;
    };
    void labels();
    void typedSections();
    void auditGroups();
    std::vector<Account> accountsOf(const QString& type) const;
    std::vector<Account> accountCodesInJournal() const;
    JournalGroup readGroup(const Account& a) const;
    void addGroup(size_t section, JournalGroup group, bool firstLineRule);
    QString departmentName() const;
    void nameSuppliers(JournalGroup& group);
    // The document's columns, titles and headings; then each section's heading, groups and
    // footer in turn; then the closing totals.
    void startDocument();
    void openSection(size_t section);
    void appendGroup(const JournalGroup& group);
    void endDocument();

    store::Connection& connection_;
    JournalLayout layout_;
    JournalRequest request_;
    JournalFigures figures_;
    double incomeAmount_ = 0, incomeGst_ = 0, expenseAmount_ = 0, expenseGst_ = 0;
    int linesRead_ = 0;
    ReportDocument doc_;
    int openSection_ = -1;  // the last section whose heading is in the document
    QHash<QString, QString> supplierNames_;
};

// The layouts by the names their dialogs use.
#define QUORVEL_JOURNAL_LAYOUT(Name, Layout)                                                 \
    class Name : public JournalReport {                                                      \
    public:                                                                                  \
        Name(store::Connection& c, const JournalRequest& r) : JournalReport(c, Layout, r) {} \
    };
QUORVEL_JOURNAL_LAYOUT(TSummaryJournalEntriesReport, JournalLayout::Summary)
QUORVEL_JOURNAL_LAYOUT(TAllJournalEntriesReport, JournalLayout::All)
QUORVEL_JOURNAL_LAYOUT(TDptJournalEntriesReport, JournalLayout::Department)
QUORVEL_JOURNAL_LAYOUT(TCashEntriesOnlyReport, JournalLayout::CashOnly)
QUORVEL_JOURNAL_LAYOUT(TSelAcctTranRptForm, JournalLayout::SelectedAccount)
QUORVEL_JOURNAL_LAYOUT(TSelDeptandJournalRptForm, JournalLayout::DepartmentAndAccount)
QUORVEL_JOURNAL_LAYOUT(TAllJournalAuditRptForm, JournalLayout::Audit)
QUORVEL_JOURNAL_LAYOUT(TDeptAudRptForm, JournalLayout::DepartmentAudit)
QUORVEL_JOURNAL_LAYOUT(TTransactionAuditRptForm, JournalLayout::TransactionAudit)
#undef QUORVEL_JOURNAL_LAYOUT

}  // namespace reports
