#pragma once
// Supplier maintenance: browse, add, edit, delete and search the suppliers of one company, and
// fill a new supplier from another supplier's details ("Import F7").
//
//   TAddEditSuppForm form(owner);
//   form.coyNo = 1;
//   form.startSuppCoy = "1-ACME";  // optional: the supplier shown first
//   form.exec();
//   if (form.saved) rereadTheList();

#include <memory>

#include "payments/suppliers.h"
#include "store/connection.h"
#include "ui/maintenanceframe.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace store {
class Table;
}
namespace ui {
class Navigator;
}

class TAddEditSuppForm : public ui::MaintenanceFrame {
    Q_OBJECT
public:
    explicit TAddEditSuppForm(QWidget* owner = nullptr);
    ~TAddEditSuppForm() override;

    // Inputs.
    int coyNo = 1;
    QString startSuppCoy;  // SUPPCOY of the supplier to show first; empty: the first

    // Result: true when at least one save succeeded.
    bool saved = false;

    void ImportButtonClick();
    void SearchButtonClick();
    void SuppCodeEditChange(const QString& text);

    void done(int result) override;

protected:
    void FormShow() override;
    QString modeText(ui::EditMode mode) const override;
    bool canMaintain() const override { return suppliers_ != nullptr; }
    void applyMode(ui::EditMode mode) override;
    bool startNew() override;
    bool startEdit() override;
    bool saveRecord() override;
    void deleteRecord() override;
    void showCurrent() override;
    void closeTables() override;

private:
    void buildBoxes(class QVBoxLayout* layout);
    void buildSearch(class QHBoxLayout* row);
    QList<QWidget*> boxes() const;
    payments::SupplierDetails typedDetails() const;
    void showDetails(const payments::SupplierDetails& d, bool withGstTick);
    void clearBoxes();

    store::Connection connection_;
    std::unique_ptr<store::Table> suppliers_;
    QString coyName_;

    QLineEdit* suppCodeEdit_;
    QLineEdit* bankAcctEdit_;
    QLineEdit* confNameEdit_;
    QLineEdit* conInitialEdit_;
    QLineEdit* conLNameEdit_;
    QLineEdit* busNameEdit_;
    QCheckBox* gstRegCheck_;
    QLineEdit* descrEdit_;
    QLineEdit* phyAddr1Edit_;
    QLineEdit* phyAddr2Edit_;
    QLineEdit* phyAddr3Edit_;
    QLineEdit* postAddr1Edit_;
    QLineEdit* postAddr2Edit_;
    QLineEdit* postAddr3Edit_;
    QLineEdit* postCodeEdit_;
    QLineEdit* phoneNoEdit_;
    QLineEdit* mobNoEdit_;
    QLineEdit* faxNoEdit_;
    QLineEdit* emailEdit_;
    QPushButton* importButton_;
    QGroupBox* searchGroup_;
    QLineEdit* searchEdit_;
    QPushButton* searchButton_;
    QLabel* searchResultLabel_;
    ui::Navigator* navigator_;
};
