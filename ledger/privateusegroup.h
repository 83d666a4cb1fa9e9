#pragma once
// The "Private use" group of the account windows: the percent of each amount that is private
// and the account that takes it, with a picker over the company's accounts.

#include <QGroupBox>

#include "ledger/private_share.h"

class QLineEdit;
class QSpinBox;
class QToolButton;

namespace ledger {

class PrivateUseGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit PrivateUseGroup(QWidget* parent = nullptr);

    void setCompany(int coy) { coy_ = coy; }
    void show(const PrivateUse& use);
    PrivateUse typed() const;
    // Whether the boxes differ from what show() last put in them.
    bool changed() const;
    void setBoxesEnabled(bool enabled);

    QSpinBox* percentSpin() const { return percentSpin_; }
    QLineEdit* acctEdit() const { return acctEdit_; }
    QToolButton* pickButton() const { return pickButton_; }

    // Opens the account picker and puts the chosen code in the box.
    void PickButtonClick();

private:
    int coy_ = 1;
    PrivateUse shown_;
    QSpinBox* percentSpin_;
    QLineEdit* acctEdit_;
    QToolButton* pickButton_;
};

}  // namespace ledger
