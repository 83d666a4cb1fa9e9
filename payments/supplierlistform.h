#pragma once
// The picker of supplier maintenance's import: the company's suppliers, or the suppliers of
// every company whose business name begins with the text typed, with their company beside them.
//
//   TSupplierListForm list(owner);
//   list.coyNo = 1;
//   list.typedCode = codeBox->text();
//   if (list.exec() == QDialog::Accepted) read(list.choice()->suppCoy());

#include <QStringList>
#include <QVariantMap>
#include <optional>

#include "store/connection.h"
#include "ui/pickerform.h"

class QLineEdit;
class QPushButton;

namespace payments {

// The supplier chosen: its own company and code, which together find it (SUPPCOY).
struct SupplierChoice {
    int coyNo = 0;
    QString suppCode;
    QString suppCoy() const;
};

}  // namespace payments

class TSupplierListForm : public ui::PickerForm {
    Q_OBJECT
public:
    explicit TSupplierListForm(QWidget* owner = nullptr);
    ~TSupplierListForm() override;

    // Inputs.
    int coyNo = 1;
    QString typedCode;  // the code box of supplier maintenance, shown in "Code : "

    // Result, set by "Select": the chosen SUPPCODE.
    QString suppCode;
    // The chosen supplier with its company; nothing until "Select".
    std::optional<payments::SupplierChoice> choice() const { return choice_; }

    void SelectButtonClick() override;
    void DisplayAllButtonClick();
    void CodeEditChange(const QString& text);
    void BusNameEditChange(const QString& text);

    int rowCount() const;

protected:
    void FormShow() override;
    void done(int result) override;

private:
    void runQuery(const QStringList& lines, const QVariantMap& params);
    void listAll();
    void showSelectedCode();
    void closeTables();

    store::Connection connection_;
    std::optional<payments::SupplierChoice> choice_;
    QLineEdit* codeEdit_;
    QLineEdit* busNameEdit_;
    QLineEdit* selectedCodeEdit_;
    QPushButton* displayAllButton_;
};
