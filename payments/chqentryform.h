#pragma once
// The payment window: a company's payments (cheque, electronic transfer, cash) to suppliers,
// each a header and its lines, entered, edited and deleted through the payment rules. In the
// opening-balance mode it enters the payments not yet on an account's statement without moving
// the balance and hands back their sum.
//
//   TChqEntryForm w(owner);
//   w.coyCode = "1";
//   w.tranNum = 1000042;          // optional: the payment to show first
//   w.exec();
//
//   TChqEntryForm o(owner);       // from the bank account set-up
//   o.coyCode = "1";
//   o.openingBalanceMode = true;
//   o.bankCode = "030100"; o.acctNo = "0123456-00";
//   if (o.exec() == QDialog::Accepted) use(o.paymentsTotal);

#include <memory>
#include <optional>
#include <vector>

#include "payments/payment_header.h"
#include "payments/payment_numbers.h"
#include "payments/payment_records.h"
#include "payments/payment_result.h"
#include "payments/payment_tax.h"
#include "store/connection.h"
#include "ui/formbase.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ui {
class DataGrid;
class DateBox;
class Navigator;
}  // namespace ui

class TChqEntryForm : public ui::FormBase {
    Q_OBJECT
public:
    explicit TChqEntryForm(QWidget* owner = nullptr);
    ~TChqEntryForm() override;

    // Inputs.
    QString coyCode = QStringLiteral("1");
    qint64 tranNum = 0;  // 0: the company's last payment
    bool openingBalanceMode = false;
    QString bankCode;  // the opening-balance mode's account
    QString acctNo;

    // Result in the opening-balance mode: the sum of the account's payments after "Update
    // Balance".
    double paymentsTotal = 0.0;

    enum class Mode { Browse, AddPayment, EditPayment, AddLine, EditLine };
    Mode mode() const { return mode_; }
    // The payment shown, if any.
    std::optional<payments::PaymentHeader> payment() const { return header_; }

    // Handlers, public so that tests and the gallery drive them as the buttons do.
    void HdrAddButtonClick();
    void HdrEditButtonClick();
    void HdrSaveButtonClick();
    void HdrCancelButtonClick();
    void HdrDeleteButtonClick();
    void DetAddButtonClick();
    void DetEditButtonClick();
    void DetSaveButtonClick();
    void DetCancelButtonClick();
    void DetDeleteButtonClick();
    void UpdateBalanceButtonClick();
    void showPaymentNumber(qint64 number);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildLayout();
    void connectControls();
    void FormShow();
    bool FormCloseQuery();

    // Payments.
    bool filedPeriodAnswered(const QDate& date);
    void reloadNumbers(qint64 positionOn);
    void showPayment();
    void showEmptyPayment();
    void showLines(qint64 positionOnRow);
    void showLine();
    void clearLineBoxes();
    payments::PayType currentType() const;
    void setType(payments::PayType type);
    void PayTypeClick(payments::PayType type);

    // Header boxes.
    void setAccountBoxes(const QString& bank, const QString& acct);
    void BankCodeEditDone();
    void AcctNoEditChange();
    void BankAcctButtonClick();
    void NumberEditChange();
    void NumberEditDone();
    void SupplierEditChange();
    void SupplierButtonClick();
    void ChequeListButtonClick();
    payments::HeaderInput headerFromBoxes() const;

    // Line boxes.
    void PurposeEditChange();
    void LedgerButtonClick();
    void AmountEditChange();
    void showTaxBoxes();

    void setMode(Mode mode);
    void updateButtons();
    bool report(const payments::PaymentResult& result);

    store::Connection connection_;
    payments::PaymentCompany company_;
    std::vector<payments::PaymentRef> numbers_;  // the company's payments in browse order
    int index_ = -1;
    std::optional<payments::PaymentHeader> header_;
    std::vector<payments::PaymentLine> lines_;
    std::optional<payments::Reservation> reservation_;  // a new payment's numbers
    std::optional<banking::BankAccount> account_;
    payments::PaymentSupplier supplier_;
    std::optional<banking::LedgerAccount> ledger_;
    payments::LineTax lineTax_;
    Mode mode_ = Mode::Browse;
    bool shown_ = false;
    bool showing_ = false;  // boxes are filled from the store: no reactions
    bool numberUsable_ = false;
    bool ledgerUsable_ = false;
    bool supplierChanged_ = false;

    // Header.
    QGroupBox* headerGroup_;
    QLabel* statusLabel_;
    QLineEdit* numberEdit_;
    QLabel* numberWarning_;
    ui::DateBox* dateEdit_;
    QLineEdit* supplierEdit_;
    QToolButton* supplierButton_;
    QLabel* supplierName_;
    QLineEdit* bankCodeEdit_;
    QLineEdit* acctNoEdit_;
    QToolButton* bankAcctButton_;
    QLabel* acctDesc_;
    QLineEdit* totalEdit_;
    QLineEdit* taxTotalEdit_;
    QGroupBox* typeGroup_;
    QRadioButton* chequeRadio_;
    QRadioButton* electronicRadio_;
    QRadioButton* cashRadio_;
    QPushButton* hdrAdd_;
    QPushButton* hdrEdit_;
    QPushButton* hdrSave_;
    QPushButton* hdrCancel_;
    QPushButton* hdrDelete_;
    QToolButton* chequeListButton_;
    ui::Navigator* paymentNavigator_;
    // Details.
    QGroupBox* detailGroup_;
    QLineEdit* purposeEdit_;
    QToolButton* ledgerButton_;
    QLabel* purposeDesc_;
    QLabel* deptLabel_;
    QLineEdit* amountEdit_;
    QLabel* taxLabel_;
    QLineEdit* taxEdit_;
    QLineEdit* narrativeEdit_;
    QCheckBox* addTaxCheck_;
    QPushButton* detAdd_;
    QPushButton* detEdit_;
    QPushButton* detSave_;
    QPushButton* detCancel_;
    QPushButton* detDelete_;
    ui::DataGrid* grid_;
    ui::Navigator* lineNavigator_;
    // Bottom.
    QPushButton* printButton_;
    QPushButton* exitButton_;
    QPushButton* updateBalanceButton_;
    QPushButton* cancelModeButton_;
    QLabel* modePanel_;
    QLabel* datePanel_;
};
