#pragma once
// The active company: the company of the first control record, fixed at start-up for the whole
// run, and the decisions start-up takes on that record. No widgets here.

#include <QString>

namespace store {
class Table;
}

namespace app {

struct ActiveCompany {
    QString code;         // COYCODE as decimal text without padding ("1")
    int codeNumber = 0;   // the same code as an integer
    QString name;         // BUSNAME
    bool active = false;  // true once start-up has read the control record
    int recAuto = 0;      // RECAUTO as read at start-up: 1 offers a full backup at shutdown
};

// A control record never filled in carries the business name "Name", exactly as the field reads
// back (without trailing blanks): "name" or " Name" are real names.
bool needsSetupWizard(const QString& busName);

// The active company from the current record of an open QVCntrl table. An empty table gives
// code "0" and an empty name; the company is active either way.
ActiveCompany activeCompanyFrom(const store::Table& control);

// Status bar text of the main window.
QString activeCompanyStatus(const QString& busName);

// Captions the launchers and commands give their windows.
namespace captions {
QString operationsFor(const QString& name);       // main "Operations" button
QString operationsMenuFor(const QString& name);   // operations launcher, on activation
QString bankOperationsFor(const QString& name);   // main "Banking" button
QString setupFor(const QString& name);            // main "Settings" button
QString reportsFor(const QString& name);          // reports launcher, on activation
QString cashTransactionsOf(const QString& name);  // "Cash Transactions"
QString recurringFor(const QString& name);        // "Recurring Transactions", "Run"
QString bankReconciliationFor(const QString& name);
QString bankTransactionsViewFor(const QString& name);
// "Setup" > "Bank Details": depends on whether a company is active.
QString maintainBank(bool companyActive);
}  // namespace captions

}  // namespace app

namespace store {
class Connection;
}

#include <memory>

namespace app {

// The business name of a company, looked up in QVCntrl on tag COYCODE on its own connection:
// the launchers read it again each time they become active, so a name changed in company
// maintenance shows at once.
class CompanyNameLookup {
public:
    CompanyNameLookup();
    ~CompanyNameLookup();
    // Connects and opens the table the first time. An unknown code gives an empty name.
    // Throws store::StoreError when the store cannot be read.
    QString nameOf(int coy);
    // Closes the table and disconnects.
    void close();

private:
    std::unique_ptr<store::Connection> connection_;
    std::unique_ptr<store::Table> control_;
};

}  // namespace app
