#pragma once
// Company maintenance: the business details and tax settings of the active company's control
// record. Opened with nothing passed; a record never filled in (business name "Name") opens
// ready for editing.

#include <memory>

#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace store {
class Table;
}

class TQVCompanyForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TQVCompanyForm(QWidget* owner = nullptr);
    ~TQVCompanyForm() override;

    bool editing() const { return !browsing(); }

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override;
    void applyMode(ui::EditMode mode) override;
    bool startEdit() override;
    bool saveRecord() override;
    void cancelRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void CountryComboChange(const QString& country);

    store::Connection connection_;
    std::unique_ptr<store::Table> control_;

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
    QString shownCountry_;  // the country the percent box last followed
};
