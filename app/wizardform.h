#pragma once
// The first-time set-up wizard: the licence agreement, then the company, its departments and
// ledger accounts, and its bank accounts, each page usable once the one before is done.

#include "ui/formbase.h"

#include <memory>

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace store {
class Connection;
class Table;
}  // namespace store

class TQVWizardForm : public ui::FormBase {
    Q_OBJECT
public:
    enum Page { CompanyPage = 0, DepartmentsPage = 1, BankAccountsPage = 2, LicensePage = 3 };

    explicit TQVWizardForm(QWidget* owner = nullptr);
    ~TQVWizardForm() override;

    // Result: true once "I agree" was pressed, whatever happened after.
    bool setupAccepted = false;

    QTabWidget* pages() const { return PageControl1; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void AgreeButtonClick();
    void CompanyButtonClick();
    void DepartmentButtonClick();
    void BankButtonClick();
    // Opens a table of the current company's details (master field COYCODE).
    void openDetail(store::Table& table);
    void enablePage(Page page);

    QTabWidget* PageControl1;
    QPlainTextEdit* LicenseMemo;

    std::unique_ptr<store::Connection> connection_;
    std::unique_ptr<store::Table> QVCntrlTable;
    std::unique_ptr<store::Table> QVCoyTable;
    std::unique_ptr<store::Table> QVAccDetTable;
    std::unique_ptr<store::Table> QVBnkActTable;
};

// The agreement text shipped beside the program. Throws store::StoreError when it cannot be read.
QString readLicenseText();
