#pragma once
// The international settings window: the country, the sales tax's name and, for Australia, the
// four ledger accounts the worksheet reads, kept in "IntSettings.ini" of the data folder.
// Input: the company code. Keeps no placement.

#include "store/connection.h"
#include "ui/formbase.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tax {
struct IntSettings;
}

class TIntSettingsForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TIntSettingsForm(QWidget* owner = nullptr);

    int coyCode = 1;

    void SaveButtonClick();
    void CountryComboActivated(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct AccountRow {
        QLineEdit* edit;
        QLabel* descr;
        QPushButton* pick;
    };
    AccountRow addAccountRow(class QGridLayout* grid, int row, const char* name,
                             const QString& caption);
    void FormShow();
    void showSettings(const tax::IntSettings& shown);
    void showAccountLabel(const AccountRow& row);
    void pickAccount(const AccountRow& row);
    tax::IntSettings typedSettings() const;

    store::Connection connection_;
    QComboBox* CountryCombo;
    QLineEdit* TaxLabelEdit;
    QGroupBox* TaxSettingsGroup;
    AccountRow exportSales_, inputSales_, capEx_, inputPurchases_;
    QPushButton* SaveButton;
    QPushButton* ExitButton;
};
