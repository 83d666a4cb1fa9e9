#pragma once
// Bank set-up: banks, the company's bank accounts and their opening balances, one page each.
// It works on the company of the first control record; the buttons below the pages act on the
// page showing.
//
//   TBankMainForm w(owner);
//   w.coyActive = companyActive;
//   w.setWindowTitle("Maintain Bank details.");   // replaced by the company's name when shown
//   w.exec();

#include "banking/bankpages.h"
#include "ledger/formparts.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <vector>

class QPushButton;
class QTabWidget;

class TBankMainForm : public ui::FormBase {
    Q_OBJECT
public:
    using Mode = banking::SetupMode;
    enum Page { BankPage = 0, AccountsPage = 1, OpeningPage = 2 };

    explicit TBankMainForm(QWidget* owner = nullptr);
    ~TBankMainForm() override;

    // Inputs.
    bool coyActive = true;     // the opener's company active flag
    int initialPage = BankPage;

    // Result: a bank, account or opening balance was saved or deleted.
    bool changed = false;

    Mode mode() const { return ctx_.mode; }
    int coyCode() const { return ctx_.coy; }
    int currentPage() const;
    void setCurrentPage(int page);
    banking::BankAccountsPage* accountsPage() const { return accountsPage_; }
    banking::OpeningBalancesPage* openingPage() const { return openingPage_; }

    void NewButtonClick();
    void EditButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void SaveButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void addPage(banking::SetupPage* page, const QString& caption);
    banking::SetupPage* page() const;
    void PageControlChange(int page);
    void setMode(Mode mode);
    void allowSave(bool allowed);
    void closeTables();

    store::Connection connection_;
    banking::SetupContext ctx_;
    std::vector<banking::SetupPage*> pages_;
    banking::BankAccountsPage* accountsPage_;
    banking::OpeningBalancesPage* openingPage_;
    int shownPage_ = BankPage;
    bool saveAllowed_ = false;
    bool shown_ = false;

    QTabWidget* pageControl_;
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* cancelButton_;
    QPushButton* deleteButton_;
    QPushButton* saveButton_;
    QPushButton* exitButton_;
    ledger::StatusPanels status_;
};
