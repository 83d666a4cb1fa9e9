#pragma once
// The five launchers reached from the main window's buttons: operations, banking, reports,
// tools and settings. They hold no state beyond their inputs; the operations and reports
// launchers read the company's name again each time they become active.

#include "app/activecompany.h"
#include "ui/formbase.h"

class QLabel;
class QPushButton;

// Operations: cheques and payments, bank transactions, recurring transactions, budgets and the
// control centre.
class TQVOpsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVOpsForm(QWidget* owner = nullptr);

    // Inputs.
    int coyCode = 0;
    bool coyActive = false;

    // The business name read when the window last became active.
    QString coyName() const { return coyName_; }

    // Reads the company's name again and shows it in the caption.
    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ChequesButtonClick();
    void BankTransButtonClick();
    void RunButtonClick();
    void BudgetsButtonClick();
    void OperationsButtonClick();

    app::CompanyNameLookup lookup_;
    QString coyName_;
};

// Banking: bank transactions, reconciliation, bank set-up, payments, statement import,
// the transaction view and recurring transactions.
class TQVBankMenuForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVBankMenuForm(QWidget* owner = nullptr);

    // Inputs.
    int coyCode = 0;
    bool coyActive = false;
    QString coyName;
};

// Reports: one button per report's selection window.
class TQVReportsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVReportsForm(QWidget* owner = nullptr);

    // Input.
    int coyCode = 0;

    void FormActivate();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Opens a report's window, then reads the company name again as the window is active again.
    template <class F>
    void openReport(F&& open);

    app::CompanyNameLookup lookup_;
};

// Tools: backup, restore and the maintenance of the data folder.
class TQVToolsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVToolsForm(QWidget* owner = nullptr);
};

// Settings: company, codes and accounts, banks and the sales tax settings, laid out in the order
// of a first-time set-up.
class TQVSetupForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVSetupForm(QWidget* owner = nullptr);

    // Input.
    int coyCode = 0;
};
