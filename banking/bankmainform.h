#pragma once
// Bank set-up: banks, the company's bank accounts, their opening balances and the recurring
// transaction definitions, one page each.
// It works on the company of the first control record; the buttons below the pages act on the
// page showing.
//
//   TBankMainForm w(owner);
//   w.coyActive = companyActive;
//   w.setWindowTitle("Maintain Bank details.");   // replaced by the company's name when shown
//   w.exec();

#include <vector>

#include "banking/bankpages.h"
#include "banking/recurringpage.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QTabWidget;

class TBankMainForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    using Mode = ui::EditMode;
    enum Page { BankPage = 0, AccountsPage = 1, OpeningPage = 2, RecurringPage = 3 };

    explicit TBankMainForm(QWidget* owner = nullptr);
    ~TBankMainForm() override;

    // Inputs.
    bool coyActive = true;  // the opener's company active flag
    int initialPage = BankPage;

    // Result: a bank, account or opening balance was saved or deleted.
    bool changed = false;

    int coyCode() const { return ctx_.coy; }
    int currentPage() const;
    void setCurrentPage(int page);
    banking::BankAccountsPage* accountsPage() const { return accountsPage_; }
    banking::OpeningBalancesPage* openingPage() const { return openingPage_; }
    banking::RecurringPage* recurringPage() const { return recurringPage_; }

protected:
    // The frame's hooks: each acts on the page showing.
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override;
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void addPage(banking::SetupPage* page, const QString& caption);
    banking::SetupPage* page() const;
    void PageControlChange(int page);

    store::Connection connection_;
    banking::SetupContext ctx_;
    std::vector<banking::SetupPage*> pages_;
    banking::BankAccountsPage* accountsPage_;
    banking::OpeningBalancesPage* openingPage_;
    banking::RecurringPage* recurringPage_;
    int shownPage_ = BankPage;
    bool opened_ = false;

    QTabWidget* pageControl_;
};
