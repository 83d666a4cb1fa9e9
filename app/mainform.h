#pragma once
// The main window: created first, it connects to the data store, runs the set-up wizard on a
// data folder never set up, and fixes the active company for the whole run. Its buttons open
// the launchers, its menu every command of the program.

#include "app/activecompany.h"

#include <QMainWindow>
#include <memory>

class QLabel;

namespace store {
class Connection;
class Table;
}  // namespace store

class TQVMainForm : public QMainWindow {
    Q_OBJECT
public:
    // Full runs every start-up step. WithoutWizard leaves a control record never filled in as it
    // is, for pictures of the window.
    enum class Startup { Full, WithoutWizard };

    explicit TQVMainForm(QWidget* parent = nullptr, Startup startup = Startup::Full);
    ~TQVMainForm() override;

    const app::ActiveCompany& activeCompany() const { return company_; }
    int helpContext() const { return 10; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(Startup startup);
    void buildButtons();
    void buildMenu();
    void FormClose();

    // Menu and button handlers.
    void ChequesItemClick();
    void BankTransItemClick();
    void RecurringItemClick();

    app::ActiveCompany company_;
    QLabel* statusText_ = nullptr;
    std::unique_ptr<store::Connection> connection_;
    std::unique_ptr<store::Table> QVCntrlTable;
};
