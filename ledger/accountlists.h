#pragma once
// The two account pickers: TAcctsListForm lists every account of a company, TDeptAcctListForm
// the accounts of one department or of the whole company, optionally of one type. Both can add
// an account through TQVCashAccountForm.
//
//   TAcctsListForm list(owner);
//   list.coyCode = 1;
//   list.selectEnabled = true;
//   if (list.exec() == QDialog::Accepted) use(list.acctCode);

#include "store/connection.h"
#include "ui/pickerform.h"
#include "ui/lazymodel.h"

#include <QVariantMap>

class QPushButton;

namespace ui {
class DataGrid;
class Navigator;
}  // namespace ui

namespace ledger {

// What both lists share: a grid over a query, a navigator and Select / New / Close.
class AccountListForm : public ui::PickerForm {
    Q_OBJECT
public:
    // Inputs.
    int coyCode = 1;
    QString acctType = QStringLiteral("BOTH");  // "INC", "EXP" or "BOTH"
    bool selectEnabled = false;

    // Result: the chosen ACCTCODE, empty until "Select".
    QString acctCode;

    void SelectButtonClick() override;
    void NewButtonClick();

    // The ACCTCODE of the current row (empty without one) and the number of rows listed.
    QString currentAcctCode() const;
    int rowCount() const;

protected:
    AccountListForm(QWidget* owner, const QString& section, int helpContext,
                    const QString& newCaption);
    ~AccountListForm() override;

    struct Statement {
        QStringList lines;
        QVariantMap params;
    };
    virtual Statement statement() const = 0;
    virtual QList<ui::ColumnSpec> columns() const = 0;
    // True when the current row may be chosen; shows its own message otherwise.
    virtual bool acceptsCurrentRow() { return true; }
    // Called after the first run of the query.
    virtual void afterFirstRun() {}

    void FormShow() override;
    void done(int result) override;

    void runQuery();
    QString currentValue(const QString& field) const;

    store::Connection connection_;
    QPushButton* newButton_;
};

}  // namespace ledger

class TAcctsListForm : public ledger::AccountListForm {
    Q_OBJECT
public:
    explicit TAcctsListForm(QWidget* owner = nullptr);

protected:
    Statement statement() const override;
    QList<ui::ColumnSpec> columns() const override;
    void afterFirstRun() override;
};

class TDeptAcctListForm : public ledger::AccountListForm {
    Q_OBJECT
public:
    explicit TDeptAcctListForm(QWidget* owner = nullptr);

    // Further inputs; the caption is set by the opener.
    QString linkCode;          // a department's LINKCODE; empty: the whole company
    bool newVisible = true;

protected:
    Statement statement() const override;
    QList<ui::ColumnSpec> columns() const override;
    bool acceptsCurrentRow() override;
    void afterFirstRun() override;
};
