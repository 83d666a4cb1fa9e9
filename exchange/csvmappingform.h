#pragma once
// The column layout of a bank account's CSV statements ("CSV statement layout"): the delimiter,
// the header lines to skip, the date's column and format, the amount as one signed column or as
// debit and credit columns, a decimal comma, the description and reference columns, and a live
// preview of the file's first records as they are then read. "&Save" hands back a layout that
// can read a statement; the caller saves it for the account.
//
//   TCsvMappingForm w(owner);
//   w.setSample(text);
//   w.setMapping(saved);
//   if (w.exec() == QDialog::Accepted) use(w.mapping());

#include "exchange/csv_mapping.h"
#include "ui/formbase.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

class TCsvMappingForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TCsvMappingForm(QWidget* owner = nullptr);

    // Inputs: the statement's text, of which the first records are previewed, and the layout
    // the boxes start from.
    void setSample(const QString& text);
    void setMapping(const exchange::CsvMapping& mapping);
    // The layout as the boxes hold it.
    exchange::CsvMapping mapping() const;

    void SaveButtonClick();

private:
    void buildFields();
    void buildPreviews();
    void connectPreview();
    QSpinBox* columnBox(const char* name, int minimum);
    void refreshPreview();
    void showRecords(const exchange::CsvMapping& m);
    void showReadLines(const exchange::CsvMapping& m);

    QString sample_;
    bool filling_ = false;
    QComboBox* delimiterCombo_;
    QSpinBox* skipBox_;
    QSpinBox* dateColumnBox_;
    QComboBox* dateFormatCombo_;
    QRadioButton* signedRadio_;
    QSpinBox* amountColumnBox_;
    QRadioButton* debitCreditRadio_;
    QSpinBox* debitColumnBox_;
    QSpinBox* creditColumnBox_;
    QCheckBox* decimalCommaBox_;
    QLineEdit* descriptionEdit_;
    QSpinBox* referenceColumnBox_;
    QTableWidget* recordsTable_;
    QTableWidget* previewTable_;
};
