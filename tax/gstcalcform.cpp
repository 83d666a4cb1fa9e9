#include "tax/gstcalcform.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/format.h"
#include "tax/finalise.h"
#include "tax/gst101form.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/textbox.h"

namespace {

struct BoxSpec {
    int number;
    const char* name;
    const char* caption;  // empty: set from the rate
};

const BoxSpec kBoxes[] = {
    {5, "TotSalesEdit", "Total sales and income (includes GST and zero-rated supplies)"},
    {6, "ZeroRatedEdit", "Zero-rated supplies"},
    {7, "SubTot1Edit", "Subtotal (Box 5 minus Box 6)"},
    {8, "SubTot2Edit", ""},
    {9, "AdjustmentsEdit", "Ad&justments from calculation sheet"},
    {10, "TotGSTCollEdit", "Add boxes 8 and 9 - total GST collected"},
    {11, "TotExpEdit", "Total purchases and expenses"},
    {12, "SubTot3Edit", ""},
    {13, "CreditAdjEdit", "Credit Adjustments from calculation sheet"},
    {14, "SubTot4Edit", "Add boxes 12 and 13 - total GST credit"},
    {15, "TotPaymentEdit", "Difference between Box 10 and Box 14"},
};

QString returnBoxText(qint64 cents) { return store::fmt::money(double(cents) / 100.0); }

}  // namespace

TGSTCalcForm::TGSTCalcForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("GSTCalcForm")),
      nameLabel_(new QLabel(this)),
      numberLabel_(new QLabel(this)),
      dueDate_(new ui::DateBox(this)),
      startDate_(new ui::DateBox(this)),
      endDate_(new ui::DateBox(this)),
      box8Caption_(nullptr),
      box12Caption_(nullptr),
      transAuditButton_(new QPushButton(QStringLiteral("&Trans Audit"), this)),
      finaliseButton_(new QPushButton(QStringLiteral("&Finalise"), this)),
      printButton_(new QPushButton(QStringLiteral("&Print Return"), this)),
      calcButton_(new QPushButton(QStringLiteral("&Calc"), this)),
      exitButton_(new QPushButton(QStringLiteral("E&xit"), this)) {
    setObjectName(QStringLiteral("GSTCalcForm"));
    setWindowTitle(QStringLiteral("G.S.T. calculation for : "));
    nameLabel_->setObjectName(QStringLiteral("NameLabel"));
    numberLabel_->setObjectName(QStringLiteral("GSTNumberLabel"));
    dueDate_->setObjectName(QStringLiteral("DueDate"));
    startDate_->setObjectName(QStringLiteral("StartDate"));
    endDate_->setObjectName(QStringLiteral("EndDate"));
    transAuditButton_->setObjectName(QStringLiteral("TransAuditButton"));
    transAuditButton_->setToolTip(
        QStringLiteral("List/print Journal entries between the selected dates.  Do this first."));
    finaliseButton_->setObjectName(QStringLiteral("FinaliseButton"));
    finaliseButton_->setToolTip(QStringLiteral(
        "Update G.S.T. status in cash journal, creditors and debtors journals.  Do this second."));
    printButton_->setObjectName(QStringLiteral("PrintReturnButton"));
    printButton_->setToolTip(QStringLiteral("Print the current return."));
    calcButton_->setObjectName(QStringLiteral("CalcButton"));
    calcButton_->setToolTip(QStringLiteral("Click this if you have changed the period dates"));
    exitButton_->setObjectName(QStringLiteral("ExitButton"));
    calcButton_->setDefault(true);
    layoutForm();

    connect(startDate_, &QDateEdit::dateChanged, this, [this] { StartDateChange(); });
    connect(calcButton_, &QPushButton::clicked, this, [this] { CalcButtonClick(); });
    connect(finaliseButton_, &QPushButton::clicked, this, [this] { FinaliseButtonClick(); });
    connect(printButton_, &QPushButton::clicked, this, [this] { PrintReturnButtonClick(); });
    connect(transAuditButton_, &QPushButton::clicked, this, [this] { TransAuditButtonClick(); });
    connect(exitButton_, &QPushButton::clicked, this, [this] { reject(); });
}

TGSTCalcForm::~TGSTCalcForm() { connection_.disconnect(); }

void TGSTCalcForm::layoutForm() {
    auto* title = new QLabel(QStringLiteral("Calculate Goods and Services tax return"), this);
    QFont f = title->font();
    f.setPointSize(f.pointSize() + 3);
    f.setBold(true);
    title->setFont(f);
    auto* top = new QGridLayout;
    top->addWidget(nameLabel_, 0, 0, 1, 2);
    top->addWidget(numberLabel_, 0, 2, 1, 2);
    auto* dueLabel = new QLabel(QStringLiteral("Date payment &due"), this);
    dueLabel->setBuddy(dueDate_);
    top->addWidget(dueLabel, 1, 0);
    top->addWidget(dueDate_, 1, 1);
    auto* fromLabel = new QLabel(QStringLiteral("G.S.T. &between : "), this);
    fromLabel->setBuddy(startDate_);
    auto* toLabel = new QLabel(QStringLiteral("&and "), this);
    toLabel->setBuddy(endDate_);
    top->addWidget(fromLabel, 2, 0);
    top->addWidget(startDate_, 2, 1);
    top->addWidget(toLabel, 2, 2, Qt::AlignRight);
    top->addWidget(endDate_, 2, 3);

    auto* grid = new QGridLayout;
    int row = 0;
    for (const BoxSpec& b : kBoxes) {
        QLineEdit* e =
            b.number == 9 ? ui::textBox(this, b.name, 20, 130) : ui::figureBox(this, b.name, 130);
        e->setAlignment(Qt::AlignRight);
        boxes_[b.number - 5] = e;
        auto* caption = new QLabel(QString::fromLatin1(b.caption), this);
        if (b.number == 9) caption->setBuddy(e);
        if (b.number == 8) box8Caption_ = caption;
        if (b.number == 12) box12Caption_ = caption;
        grid->addWidget(new QLabel(QString::number(b.number), this), row, 0, Qt::AlignRight);
        grid->addWidget(caption, row, 1);
        grid->addWidget(e, row, 2);
        ++row;
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b :
         {transAuditButton_, finaliseButton_, printButton_, calcButton_, exitButton_})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(640, 520);
    setTabOrder(dueDate_, startDate_);
    setTabOrder(startDate_, endDate_);
    setTabOrder(endDate_, boxes_[4]);
    setTabOrder(boxes_[4], transAuditButton_);
    setTabOrder(transAuditButton_, finaliseButton_);
    setTabOrder(finaliseButton_, printButton_);
    setTabOrder(printButton_, calcButton_);
    setTabOrder(calcButton_, exitButton_);
}

void TGSTCalcForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TGSTCalcForm::FormShow() {
    for (QLineEdit* e : boxes_) e->setText(store::fmt::twoDigits(0));
    transAuditButton_->setEnabled(bool(openTaxAudit));
    ui::guarded(this, [this] {
        connection_.connect(QStringLiteral("NRV"));
        company_ = tax::readTaxCompany(connection_, coyCode);
        setWindowTitle(QStringLiteral("G.S.T. calculation for : ") + company_.busName.trimmed());
        nameLabel_->setText(company_.busName.trimmed());
        numberLabel_->setText(QStringLiteral("G.S.T. No. : ") + company_.gstNumber.trimmed());
        box8Caption_->setText(tax::nzBoxEightCaption(company_.gstPercent));
        box12Caption_->setText(tax::nzBoxTwelveCaption(company_.gstPercent));
        const tax::TaxPeriod p =
            tax::proposedPeriod(connection_, coyCode, company_.gstPeriod,
                                today.isValid() ? today : QDate::currentDate());
        startDate_->setDateValue(p.start);
        endDate_->setDateValue(p.end);
        dueDate_->setDateValue(tax::paymentDueDate(p.end));
        CalcButtonClick();
    });
    startDate_->setFocus();
}

tax::TaxPeriod TGSTCalcForm::period() const {
    return {startDate_->dateValue(), endDate_->dateValue()};
}

void TGSTCalcForm::StartDateChange() {
    endDate_->setDateValue(tax::periodEnd(startDate_->dateValue(), company_.gstPeriod));
}

bool TGSTCalcForm::readBoxNine(qint64* cents) {
    const QString text = boxes_[4]->text();
    const auto typed = tax::typedBoxCents(text);
    if (!typed) {
        ui::beep();
        ui::error(this, QStringLiteral("'%1' is not a valid amount.").arg(text.trimmed()));
        boxes_[4]->setFocus();
        return false;
    }
    *cents = *typed;
    return true;
}

void TGSTCalcForm::showFigures(const tax::NzReturn& r) {
    figures_ = r;
    const qint64 values[] = {r.box5,  r.box6,  r.box7,  r.box8,  r.box9, r.box10,
                             r.box11, r.box12, r.box13, r.box14, r.box15};
    for (int i = 0; i < 11; ++i) boxes_[i]->setText(returnBoxText(values[i]));
}

void TGSTCalcForm::CalcButtonClick() {
    qint64 box9 = 0;
    if (!connection_.isConnected() || !readBoxNine(&box9)) return;
    ui::guarded(this, [&] {
        showFigures(tax::computeNzReturn(connection_, coyCode, period(), box9));
        dueDate_->setDateValue(tax::paymentDueDate(period().end));
    });
}

void TGSTCalcForm::FinaliseButtonClick() {
    qint64 box9 = 0;
    if (!connection_.isConnected() || !readBoxNine(&box9)) return;
    if (!ui::confirm(this, tax::finaliseQuestion())) return;
    tax::NzReturn marked;
    tax::FinaliseResult r;
    if (!ui::guarded(this, [&] {
            r = tax::finaliseNzReturn(connection_, coyCode, period(), box9, &marked);
        }))
        return;
    if (!r.ok()) {
        ui::beep();
        ui::error(this, r.message);
        return;
    }
    // The screen shows what was stored, worked out from the lines just marked.
    showFigures(marked);
    ui::information(
        this, QStringLiteral("The return for %1 to %2 has been finalised.")
                  .arg(store::fmt::shortDate(period().start), store::fmt::shortDate(period().end)));
}

void TGSTCalcForm::PrintReturnButtonClick() {
    if (!connection_.isConnected()) return;
    ui::guarded(this, [this] {
        TGST101Form page(this);
        page.prepare(connection_, coyCode, period());
        if (showReturn)
            showReturn(page.document);
        else
            page.exec();
    });
}

void TGSTCalcForm::TransAuditButtonClick() {
    if (!openTaxAudit) return;
    openTaxAudit(this, coyCode, period());
    CalcButtonClick();
}
