#pragma once
// The bank transaction window: one bank account's rows, entered, edited and deleted through the
// posting of bank entries. In the opening-balance mode ("deposits not on statement") it enters
// deposits without moving the balance and returns their total.
//
//   TQVBankTranForm w(owner);
//   w.coyCode = "1";
//   w.tranNum = 1000042;            // optional: the row to show first
//   w.exec();
//
//   TQVBankTranForm d(owner);       // from the opening-balance page
//   d.coyCode = "1";
//   d.depositsNotOnStatement = true;
//   d.bankCode = "030100"; d.acctNo = "0123456-00";
//   if (d.exec() == QDialog::Accepted) use(d.depositsTotal);

#include <memory>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "banking/journal_rules.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace banking {
class RowFindBar;
}
namespace store {
class Table;
}
namespace ui {
class DataGrid;
class DateBox;
class Navigator;
}  // namespace ui

class TQVBankTranForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVBankTranForm(QWidget* owner = nullptr);
    ~TQVBankTranForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    qint64 tranNum = 0;  // 0: the account's last row
    bool depositsNotOnStatement = false;
    QString bankCode;  // the account to show; empty: the company's default
    QString acctNo;

    // Result in the opening-balance mode: the total of the account's rows after "UpDate Balance",
    // 0 after "Cancel".
    double depositsTotal = 0.0;

    enum class Mode { Browse, Add, Edit };
    Mode mode() const { return mode_; }

    // Handlers, public so that tests and the gallery can drive them as the buttons do.
    void NewButtonClick();
    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();
    void DeleteButtonClick();
    void DetailsButtonClick();
    void MiscButtonClick();
    void UpdateBalanceButtonClick();
    void TypeChange(banking::EntryType type);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildLayout();
    void FormShow();
    bool FormCloseQuery();
    void closeTables();

    // The bank account.
    void selectAccount(const QString& bank, const QString& acct);
    void BankAcctEditDone();
    void BankAcctButtonClick();
    void ViewButtonClick();          // banktranform_lists.cpp
    void StatementButtonClick();     // banktranform_lists.cpp
    void TransactionsButtonClick();  // banktranform_lists.cpp
    void showAccountBoxes();
    void accountNavigated();

    // Rows.
    void showRow();
    void clearEntryBoxes();
    // rowsAdded: how many rows a save added to the account (removed, when negative), so that
    // the grid need not count them again; none: count again.
    void refreshRows(qint64 positionOn, std::optional<qint64> rowsAdded = std::nullopt);
    void updateTotal();
    void setRunningEnd();
    void reloadAccount();

    // Entry boxes.
    banking::EntryType currentType() const;
    void setType(banking::EntryType type);
    void applyTypeLayout();
    void PurposeEditChange();
    void LedgerButtonClick();
    void AmountEditChange();
    void TranNumEditChange();
    void TranNumEditDone();
    void DestEditChange();
    void DestEditDone();
    void DestButtonClick();
    void SourceComboChange(const QString& text);
    void HasDetailsCheckClick(bool checked);
    void setMode(Mode mode);
    void updateSaveEnabled();
    banking::BankEntry entryFromBoxes() const;
    bool reportResult(const banking::SaveResult& result);

    store::Connection connection_;
    std::unique_ptr<store::Table> rows_;
    banking::Company company_;
    std::optional<banking::BankAccount> account_;
    std::vector<banking::BankAccount> accounts_;
    int accountIndex_ = -1;
    std::optional<banking::LedgerAccount> ledger_;
    Mode mode_ = Mode::Browse;
    bool shown_ = false;
    bool showing_ = false;  // boxes are being filled from a row: no add/edit reactions
    bool referenceFree_ = true;
    bool ledgerUsable_ = false;
    bool destinationUsable_ = false;
    bool amountEntered_ = false;
    bool chequeRow_ = false;  // a payment row is shown: its ledger account is hidden

    // Bank account.
    QLabel* bankAcctLabel_;
    QLineEdit* bankCodeEdit_;
    QLineEdit* acctNoEdit_;
    QPushButton* bankAcctButton_;
    QLabel* acctDescLabel_;
    QLineEdit* openBalEdit_;
    QLineEdit* currBalEdit_;
    QLineEdit* odAmountEdit_;
    QLabel* deptAllocLabel_;
    ui::Navigator* accountNavigator_;
    // Entry.
    QGroupBox* typeGroup_;
    QRadioButton* typeRadios_[5];
    QLineEdit* tranNumEdit_;
    ui::DateBox* tranDateEdit_;
    QWidget* purposeRow_;
    QLineEdit* purposeEdit_;
    QPushButton* ledgerButton_;
    QLabel* purposeDescLabel_;
    QLabel* acctDeptLabel_;
    QLabel* amountLabel_;
    QLineEdit* amountEdit_;
    QLabel* journalLabel_;
    QLabel* taxLabel_;
    QLineEdit* taxEdit_;
    QLineEdit* reasonEdit_;
    QLabel* sourceLabel_;
    QComboBox* sourceCombo_;
    QCheckBox* hasDetailsCheck_;
    QCheckBox* reconciledCheck_;
    QGroupBox* destGroup_;
    QLabel* destAcctLabel_;
    QLineEdit* destBankEdit_;
    QLineEdit* destAcctEdit_;
    QPushButton* destButton_;
    QLabel* destDescLabel_;
    QLineEdit* destOpenBalEdit_;
    QLineEdit* destCurrBalEdit_;
    QLineEdit* destOdAmountEdit_;
    QLabel* totalLabel_;
    QLineEdit* totalEdit_;
    // Rows.
    ui::DataGrid* grid_;
    ui::Navigator* tranNavigator_;
    banking::RowFindBar* findBar_;
    // Buttons.
    QPushButton* newButton_;
    QPushButton* editButton_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QPushButton* deleteButton_;
    QPushButton* exitButton_;
    QPushButton* viewButton_;
    QPushButton* miscButton_;
    QPushButton* detailsButton_;
    QPushButton* transactionsButton_;
    QPushButton* statementButton_;
    QPushButton* updateBalanceButton_;
    QPushButton* cancelModeButton_;
    QLabel* modePanel_;
    QLabel* datePanel_;
};
