#pragma once
// The bank transaction picker: every row of one account in date order, "Go to" a transaction
// number, and "Select" returning the chosen row's number. Its placement is kept in the file the
// bare name "NRVCash.ini" reaches, apart from the program folder's.
//
//   TQVBnkTranListForm w(owner);
//   w.coyCode = "1"; w.bankLink = account.bankLink; w.accountLabel = account.desc;
//   if (w.exec() == QDialog::Accepted) showRow(w.tranNum.toLongLong());

#include "ui/numberlistform.h"

class TQVBnkTranListForm : public ui::NumberListForm {
    Q_OBJECT
public:
    explicit TQVBnkTranListForm(QWidget* owner = nullptr);

    // Inputs.
    QString coyCode = QStringLiteral("1");
    QString bankLink;
    QString accountLabel;

protected:
    void bindRows() override;
    std::optional<qint64> typedNumber() override;
};
