#pragma once
// "Recurring Transactions", the fourth page of bank set-up: the company's recurring transaction
// definitions, and the schedule of each.

#include <memory>
#include <optional>

#include "banking/bankpages.h"
#include "banking/recurring_definitions.h"

class QButtonGroup;
class QVBoxLayout;
class QRadioButton;

namespace banking {

class RecurringPage : public SetupPage {
public:
    explicit RecurringPage(SetupContext& context);
    ~RecurringPage() override;

    QString addingText() const override { return QStringLiteral("Adding recurring transaction."); }
    QString editingText() const override {
        return QStringLiteral("Editing recurring transactions.");
    }
    void openTables() override;
    void closeTables() override;
    void showCurrent() override;
    void applyMode(bool active) override;
    bool startNew() override;
    bool startEdit() override;
    bool save() override;
    void cancel() override;
    void remove() override;

    void ScheduleButtonClick();

private:
    void makeBoxes(QVBoxLayout* layout);
    void makeList(QVBoxLayout* layout);
    void connectControls();
    void PurposeEditChange();
    void BankAcctEditChange();
    void WhoEditChange();
    void TypeGroupClick();
    void PurposeButtonClick();
    void BankButtonClick();
    void WhoButtonClick();
    void updateSave();
    bool hasDefinitions() const;
    // Opens the schedule window; true when it saved.
    bool openSchedule(const QString& tranLink, bool isNew, const QString& caption);
    void reread(const QString& tranLink);

    std::unique_ptr<store::Table> definitions_;
    bool purposeFound_ = false;
    bool bankFound_ = false;

    QLineEdit* coyCodeEdit_;
    QLineEdit* coyNameEdit_;
    QRadioButton* withdrawalRadio_;
    QRadioButton* depositRadio_;
    QLineEdit* descrEdit_;
    QLineEdit* purposeEdit_;
    QToolButton* purposeButton_;
    QLabel* purposeLabel_;
    QLabel* purposeDescLabel_;
    QLineEdit* bankAcctEdit_;
    QToolButton* bankButton_;
    QLabel* bankLabel_;
    QLineEdit* amountEdit_;
    QLabel* whoCaption_;
    QLineEdit* whoEdit_;
    QToolButton* whoButton_;
    QLabel* whoLabel_;
    ui::DateBox* nextRunBox_;
    QLineEdit* taxEdit_;
    QPushButton* scheduleButton_;
    ui::DataGrid* grid_;
    ui::Navigator* navigator_;
};

}  // namespace banking
