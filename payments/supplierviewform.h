#pragma once
// The supplier picker and viewer: the suppliers of one company, searched by code or by business
// name, handing back the chosen supplier's code. Callers go through payments::pickSupplier
// (payments/supplierpicker.h), which sets the caption and the Select button.
//
//   TSupplierViewForm picker(owner);
//   picker.coyNo = 1;
//   picker.selectEnabled = true;
//   if (picker.exec() == QDialog::Accepted) use(picker.suppCode);

#include <QStringList>
#include <QVariantMap>

#include "store/connection.h"
#include "ui/pickerform.h"

class QLineEdit;
class QPushButton;

class TSupplierViewForm : public ui::PickerForm {
    Q_OBJECT
public:
    explicit TSupplierViewForm(QWidget* owner = nullptr);
    ~TSupplierViewForm() override;

    // Inputs.
    int coyNo = 1;
    bool selectEnabled = true;  // off: "Select" is hidden and the list is only for viewing

    // Result, set by "Select": the chosen SUPPCODE.
    QString suppCode;

    void SelectButtonClick() override;
    void DisplayAllButtonClick();
    void SuppCodeEditChange(const QString& text);
    void BusNameEditChange(const QString& text);

    // The SUPPCODE of the current row (empty without one) and the number of rows listed.
    QString currentSuppCode() const;
    int rowCount() const;

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void runQuery(const QStringList& lines, const QVariantMap& params);
    void listAll();
    void closeTables();

    store::Connection connection_;
    QLineEdit* suppCodeEdit_;
    QLineEdit* busNameEdit_;
    QPushButton* displayAllButton_;
};
