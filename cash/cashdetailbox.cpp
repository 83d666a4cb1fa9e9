#include "cash/cashdetailbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ledger/accountlists.h"
#include "store/format.h"
#include "store/table.h"
#include "ui/codebox.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/opener.h"

namespace cash {

namespace fmt = store::fmt;

namespace {

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

double typedAmount(const QLineEdit* box) {
    double value = 0.0;
    return fmt::parseMoney(box->text(), &value) ? value : 0.0;
}

}  // namespace

CashDetailBox::CashDetailBox(const Texts& texts, QWidget* parent)
    : QGroupBox(QStringLiteral(" Transaction Details "), parent), texts_(texts) {
    setObjectName(QStringLiteral("DetailsGroup"));
    purposeEdit_ = new QLineEdit(this);
    purposeEdit_->setObjectName(QStringLiteral("AcctEdit"));
    purposeEdit_->setMaxLength(15);
    ui::makeCodeBox(purposeEdit_);
    pickButton_ = new QToolButton(this);
    pickButton_->setObjectName(QStringLiteral("AcctButton"));
    pickButton_->setText(QStringLiteral("..."));
    pickButton_->setToolTip(QStringLiteral("View/select from account list"));
    descLabel_ = new QLabel(this);
    descLabel_->setObjectName(QStringLiteral("DescLabel"));
    deptLabel_ = new QLabel(this);
    deptLabel_->setObjectName(QStringLiteral("DeptLabel"));
    numberEdit_ = new QLineEdit(this);
    numberEdit_->setObjectName(QStringLiteral("NumberEdit"));
    numberEdit_->setReadOnly(true);
    numberEdit_->setFocusPolicy(Qt::NoFocus);
    dateBox_ = new ui::DateBox(this);
    dateBox_->setObjectName(QStringLiteral("DateEdit"));
    amountEdit_ = new QLineEdit(this);
    amountEdit_->setObjectName(QStringLiteral("AmountEdit"));
    amountEdit_->setAlignment(Qt::AlignRight);
    taxEdit_ = new QLineEdit(this);
    taxEdit_->setObjectName(QStringLiteral("TaxEdit"));
    taxEdit_->setAlignment(Qt::AlignRight);
    narrativeEdit_ = new QLineEdit(this);
    narrativeEdit_->setObjectName(QStringLiteral("NarrativeEdit"));
    narrativeEdit_->setMaxLength(100);
    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("TaxStatusLabel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(caption(QStringLiteral("&Purpose :"), purposeEdit_, this), 0, 0);
    grid->addWidget(purposeEdit_, 0, 1);
    grid->addWidget(pickButton_, 0, 2);
    grid->addWidget(descLabel_, 0, 3, 1, 3);
    grid->addWidget(new QLabel(texts.deptCaption, this), 1, 0);
    grid->addWidget(deptLabel_, 1, 1, 1, 5);
    grid->addWidget(new QLabel(texts.numberCaption, this), 2, 0);
    grid->addWidget(numberEdit_, 2, 1);
    grid->addWidget(caption(QStringLiteral("Da&te :"), dateBox_, this), 2, 3);
    grid->addWidget(dateBox_, 2, 4);
    grid->addWidget(caption(QStringLiteral("A&mount : "), amountEdit_, this), 3, 0);
    grid->addWidget(amountEdit_, 3, 1);
    taxLabel_ = caption(QStringLiteral("Ta&x :"), taxEdit_, this);
    grid->addWidget(taxLabel_, 3, 3);
    grid->addWidget(taxEdit_, 3, 4);
    grid->addWidget(caption(QStringLiteral("&Narrative :"), narrativeEdit_, this), 4, 0);
    grid->addWidget(narrativeEdit_, 4, 1, 1, 5);
    grid->addWidget(statusLabel_, 5, 0, 1, 6);
    grid->setColumnStretch(5, 1);
    setTabOrder(purposeEdit_, pickButton_);
    setTabOrder(pickButton_, dateBox_);
    setTabOrder(dateBox_, amountEdit_);
    setTabOrder(amountEdit_, taxEdit_);
    setTabOrder(taxEdit_, narrativeEdit_);

    connect(purposeEdit_, &QLineEdit::textChanged, this, [this] { resolve(); });
    connect(amountEdit_, &QLineEdit::textEdited, this, [this] {
        proposeTax();
        emit amountTyped();
    });
    connect(pickButton_, &QToolButton::clicked, this, [this] { pickAccount(); });
    setEditing(false);
}

void CashDetailBox::setCompany(store::Connection* connection, int coy, bool taxable, double rate) {
    connection_ = connection;
    coy_ = coy;
    companyTaxable_ = taxable;
    rate_ = rate;
    applyTaxVisibility();
}

void CashDetailBox::setEditing(bool editing, bool amountsLocked) {
    editing_ = editing;
    for (QLineEdit* e : {purposeEdit_, narrativeEdit_}) e->setReadOnly(!editing);
    for (QLineEdit* e : {amountEdit_, taxEdit_}) e->setReadOnly(!editing || amountsLocked);
    dateBox_->setReadOnly(!editing || amountsLocked);
    purposeEdit_->setEnabled(editing);
    narrativeEdit_->setEnabled(editing);
    amountEdit_->setEnabled(editing && !amountsLocked);
    taxEdit_->setEnabled(editing && !amountsLocked);
    dateBox_->setEnabled(editing && !amountsLocked);
    // The picker opens for viewing while browsing.
    pickButton_->setEnabled(true);
}

bool CashDetailBox::taxable() const {
    if (!companyTaxable_ || deptUntaxed_) return false;
    return !account_ || account_->deptTaxable;
}

void CashDetailBox::applyTaxVisibility() {
    bool shown = taxable();
    if (texts_.privateShare && account_ && banking::businessShare(account_->ledger) == 0)
        shown = false;
    taxLabel_->setVisible(shown);
    taxEdit_->setVisible(shown);
}

void CashDetailBox::resolve() {
    const QString code = purposeEdit_->text().trimmed();
    if (code.isEmpty() || !connection_) return;
    std::optional<CashAccount> found;
    ui::guarded(this, [&] { found = resolveCashAccount(*connection_, coy_, code); });
    account_ = found;
    if (!found) {
        descLabel_->setText(accountNotFoundText());
        applyTaxVisibility();
        emit accountResolved(false);
        return;
    }
    if (!found->deptTaxable) deptUntaxed_ = true;
    if (found->deptCode.isEmpty() && found->deptName.isEmpty())
        deptLabel_->setText(texts_.companyLevel);
    else
        deptLabel_->setText(texts_.deptWithCode
                                ? found->deptCode + QStringLiteral("  ") + found->deptName
                                : found->deptName);
    descLabel_->setText(texts_.privateShare ? banking::shareDescription(found->ledger)
                                            : found->ledger.descr);
    if (editing_ && !showing_) narrativeEdit_->setText(found->ledger.descr);
    applyTaxVisibility();
    emit accountResolved(true);
}

void CashDetailBox::proposeTax() {
    if (!editing_ || !taxable()) return;
    const double amount = typedAmount(amountEdit_);
    if (fmt::cents(amount) == 0) return;
    // A rate of 0 proposes nothing; an account without tax shows 0.00.
    if (account_ && account_->ledger.gstApplies && rate_ == 0.0) return;
    const double tax = account_ ? proposedCashTax(true, rate_, *account_, amount) : 0.0;
    taxEdit_->setText(fmt::money(tax));
}

void CashDetailBox::pickAccount() {
    QString code;
    const bool choosing = editing_;
    const bool chosen = ui::openWindow<TDeptAcctListForm>(
        this,
        [&](TDeptAcctListForm& w) {
            w.coyCode = coy_;
            w.selectEnabled = choosing;
            w.setWindowTitle(QStringLiteral("View/select from account list"));
        },
        [&](TDeptAcctListForm& w, int result) {
            code = w.acctCode;
            return result == QDialog::Accepted && !code.isEmpty();
        });
    if (chosen && choosing) purposeEdit_->setText(code);
    purposeEdit_->setFocus();
}

void CashDetailBox::showLine(const store::Table& lines, qint64 number) {
    showing_ = true;
    number_ = number;
    numberEdit_->setText(QString::number(number));
    if (!lines.hasRecord()) {
        account_.reset();
        for (QLineEdit* e : {purposeEdit_, amountEdit_, taxEdit_, narrativeEdit_}) e->clear();
        descLabel_->clear();
        deptLabel_->clear();
        statusLabel_->setText(texts_.taxOff);
        showing_ = false;
        return;
    }
    purposeEdit_->setText(lines.text(QStringLiteral("ACCTCODE")));
    resolve();
    dateBox_->setDateValue(lines.date(QStringLiteral("TRANDATE")));
    narrativeEdit_->setText(lines.text(QStringLiteral("DESC")));
    amountEdit_->setText(fmt::money(lines.number(QStringLiteral("AMOUNT"))));
    taxEdit_->setText(fmt::money(lines.number(QStringLiteral("GSTAMT"))));
    statusLabel_->setText(lines.integer(QStringLiteral("GSTCALC")) != 0 ? texts_.taxOn
                                                                        : texts_.taxOff);
    showing_ = false;
}

void CashDetailBox::clearForNew(qint64 number, bool today) {
    showing_ = true;
    number_ = number;
    numberEdit_->setText(QString::number(number));
    account_.reset();
    purposeEdit_->clear();
    descLabel_->clear();
    deptLabel_->clear();
    narrativeEdit_->clear();
    amountEdit_->setText(QStringLiteral("00.00"));
    taxEdit_->setText(QStringLiteral("00.00"));
    statusLabel_->setText(texts_.taxOff);
    if (today) dateBox_->setDateValue(QDate::currentDate());
    showing_ = false;
    purposeEdit_->setFocus();
}

double CashDetailBox::amount() const { return typedAmount(amountEdit_); }
double CashDetailBox::tax() const { return taxEdit_->isHidden() ? 0.0 : typedAmount(taxEdit_); }

CashEntry CashDetailBox::entry(CashKind kind, int coy) const {
    CashEntry e;
    e.kind = kind;
    e.coy = coy;
    e.number = number_;
    e.acctCode = purposeEdit_->text().trimmed();
    e.date = dateBox_->dateValue();
    e.narrative = narrativeEdit_->text();
    e.amount = amount();
    // A hidden tax box means the line carries no tax.
    e.tax = taxEdit_->isHidden() ? 0.0 : typedAmount(taxEdit_);
    e.companyTaxable = taxable();
    return e;
}

}  // namespace cash
