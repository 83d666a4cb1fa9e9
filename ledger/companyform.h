#pragma once
// Company maintenance: the business details and tax settings of the active company's control
// record. Opened with nothing passed; a record never filled in (business name "Name") opens
// ready for editing.

#include "ledger/formparts.h"
#include "store/connection.h"
#include "ui/formbase.h"

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace store {
class Table;
}

class TQVCompanyForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TQVCompanyForm(QWidget* owner = nullptr);
    ~TQVCompanyForm() override;

    bool editing() const { return editing_; }

    void EditButtonClick();
    void SaveButtonClick();
    void CancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void setEditing(bool editing);
    void showRecord();
    void closeTables();

    store::Connection connection_;
    std::unique_ptr<store::Table> control_;
    bool editing_ = false;
    bool shown_ = false;

    QLineEdit* busCodeEdit_;
    QLineEdit* busNameEdit_;
    QLineEdit* coyDescEdit_;
    QLineEdit* address1Edit_;
    QLineEdit* address2Edit_;
    QLineEdit* address3Edit_;
    QLineEdit* phoneEdit_;
    QLineEdit* faxEdit_;
    QComboBox* countryCombo_;
    QCheckBox* recAutoCheck_;
    QCheckBox* gstEnabledCheck_;
    QLineEdit* gstPercentEdit_;
    QLineEdit* gstNumberEdit_;
    QSpinBox* gstPeriodSpin_;
    QPushButton* editButton_;
    QPushButton* saveButton_;
    QPushButton* cancelButton_;
    QPushButton* exitButton_;
    ledger::StatusPanels status_;
};
