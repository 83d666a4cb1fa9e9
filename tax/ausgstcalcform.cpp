#include "tax/ausgstcalcform.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "tax/cents_text.h"
#include "tax/finalise.h"
#include "tax/gstauditrptform.h"
#include "tax/nz_return.h"
#include "ui/datebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/opener.h"
#include "ui/textbox.h"

namespace {

const QString kAusFinaliseHint = QStringLiteral(
    "Update G.S.T. status in cash journal, creditors and debtors journals.  Do this second.");

QPushButton* ausButton(QWidget* parent, const char* name, const QString& text,
                       const QString& hint = {}) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    return b;
}

}  // namespace

TAusGSTCalcForm::TAusGSTCalcForm(QWidget* owner)
    : ui::FormBase(owner, QStringLiteral("AusGSTCalcForm")) {
    auto* title = new QLabel(QStringLiteral("GST calculation worksheet for BAS"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 3);
    big.setBold(true);
    title->setFont(big);
    NameLabel = new QLabel(this);
    NameLabel->setObjectName(QStringLiteral("NameLabel"));
    StartDate = new ui::DateBox(this);
    StartDate->setObjectName(QStringLiteral("StartDate"));
    EndDate = new ui::DateBox(this);
    EndDate->setObjectName(QStringLiteral("EndDate"));
    auto* periodRow = new QHBoxLayout;
    auto* periodLabel = new QLabel(QStringLiteral("Tax &period"), this);
    periodLabel->setBuddy(StartDate);
    auto* toLabel = new QLabel(QStringLiteral("t&o"), this);
    toLabel->setBuddy(EndDate);
    for (QWidget* w : {static_cast<QWidget*>(periodLabel), static_cast<QWidget*>(StartDate),
                       static_cast<QWidget*>(toLabel), static_cast<QWidget*>(EndDate)})
        periodRow->addWidget(w);
    periodRow->addStretch();

    auto* sales =
        new QGroupBox(QStringLiteral("GST amounts you owe the Tax Office from sales"), this);
    auto* s = new QGridLayout(sales);
    s->setVerticalSpacing(2);
    TotSalesEdit =
        addLabel(s, "TotSalesEdit", QStringLiteral("G1      Total sales (including any GST)"),
                 QStringLiteral("G1 on the BAS"), false);
    ZeroRatedEdit = addLabel(s, "ZeroRatedEdit", QStringLiteral("G2      Export sales"),
                             QStringLiteral("G2 on the BAS"), false);
    GSTFreeSalesEdit =
        addLabel(s, "GSTFreeSalesEdit", QStringLiteral("G3      Other GST-free sales"),
                 QStringLiteral("G3 on the BAS"), false);
    InptaxSalesEdit =
        addLabel(s, "InptaxSalesEdit", QStringLiteral("G4       Input taxed sales"), {}, false);
    SubTot1Edit = addLabel(s, "SubTot1Edit", QStringLiteral("G5      G2 + G3 + G4"), {}, false);
    TotalSalesEdit = addLabel(
        s, "TotalSalesEdit",
        QStringLiteral("G6     Total sales subject to GST           (G1 minus G5)"), {}, false);
    AdjustmentsEdit = addLabel(s, "AdjustmentsEdit",
                               QStringLiteral("G&7    Adjustments (if applicable)"), {}, true);
    SalesTotalEdit = addLabel(
        s, "SalesTotalEdit",
        QStringLiteral("G8     Total sales subject to GST after adjustments           (G6 + G7)"),
        {}, false);
    SubTot2Edit = addLabel(s, "SubTot2Edit", QString(),
                           QStringLiteral("1A in the summary section of the BAS"), false, &G9Label);

    auto* buys =
        new QGroupBox(QStringLiteral("GST amounts the Tax Office owes you from purchases"), this);
    auto* p = new QGridLayout(buys);
    p->setVerticalSpacing(2);
    CapExpEdit = addLabel(
        p, "CapExpEdit", QStringLiteral("G10   Capital purchases              (including any GST)"),
        QStringLiteral("G10 on the BAS"), false);
    TotGSTCollEdit =
        addLabel(p, "TotGSTCollEdit",
                 QStringLiteral("G11    Non-capital purchases            (including any GST)"),
                 QStringLiteral("G11 on the BAS"), false);
    SubTot3Edit = addLabel(p, "SubTot3Edit", QStringLiteral("G12     G10 + G11"), {}, false);
    SubTot4Edit =
        addLabel(p, "SubTot4Edit", QStringLiteral("G13    Purchases for making input taxed sales"),
                 {}, false);
    PurNoGSTEdit = addLabel(p, "PurNoGSTEdit",
                            QStringLiteral("G14    Purchases without GST in the price"), {}, false);
    CreditAdjEdit = addLabel(p, "CreditAdjEdit",
                             QStringLiteral("G1&5    Estimated purchases for private               "
                                            " use or not income tax deductible"),
                             {}, true);
    TotPurNoGSTEdit =
        addLabel(p, "TotPurNoGSTEdit", QStringLiteral("G16    G13 + G14 + G15"), {}, false);
    TotPaymentEdit = addLabel(
        p, "TotPaymentEdit",
        QStringLiteral("G17   Total purchases subject to G.S.T.           (G12 minus G16)"), {},
        false);
    TotExpEdit =
        addLabel(p, "TotExpEdit", QStringLiteral("G1&8    Adjustments (if applicable)"), {}, true);
    G19Edit = addLabel(
        p, "G19Edit",
        QStringLiteral(
            "G19   Total purchases subject to GST after            adjustments (G17 + G18)"),
        {}, false);
    G20Edit = addLabel(p, "G20Edit", QString(),
                       QStringLiteral("1B in the summary section of the BAS"), false, &G20Label);

    auto* note = new QLabel(
        QStringLiteral("Now go to the GST section on the front of the BAS and follow the "
                       "instructions on\nthe form.  You will need to transfer amounts from this "
                       "calcualtion sheet to the BAS."),
        this);

    TransAuditButton = ausButton(this, "TransAuditButton", QStringLiteral("Trans &Audit"),
                                 QStringLiteral("List/print Journal entries between the "
                                                "selected dates.  Do this first."));
    FinaliseButton =
        ausButton(this, "FinaliseButton", QStringLiteral("&Finalise"), kAusFinaliseHint);
    RecalcButton = ausButton(this, "RecalcButton", QStringLiteral("&Recalc"),
                             QStringLiteral("Click this if you have changed the period dates "
                                            "or have entered any adjustments (G7, G15, G18)"));
    ExitButton = ausButton(this, "ExitButton", QStringLiteral("E&xit"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {TransAuditButton, FinaliseButton, RecalcButton, ExitButton})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->addWidget(title);
    layout->addWidget(NameLabel);
    layout->addLayout(periodRow);
    layout->addWidget(sales);
    layout->addWidget(buys);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(StartDate, &QDateEdit::dateChanged, this, &TAusGSTCalcForm::StartDateChange);
    connect(TransAuditButton, &QPushButton::clicked, this, &TAusGSTCalcForm::TransAuditButtonClick);
    connect(FinaliseButton, &QPushButton::clicked, this, &TAusGSTCalcForm::FinaliseButtonClick);
    connect(RecalcButton, &QPushButton::clicked, this, &TAusGSTCalcForm::RecalcButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(760, 720);
}

QLineEdit* TAusGSTCalcForm::addLabel(QGridLayout* grid, const char* name, const QString& caption,
                                     const QString& note, bool typed, QLabel** captionLabel) {
    const int row = grid->rowCount();
    QLineEdit* box = typed ? ui::textBox(this, name, 20, 110) : ui::figureBox(this, name, 110);
    box->setAlignment(Qt::AlignRight);
    auto* label = new QLabel(caption, this);
    label->setBuddy(box);
    if (captionLabel) *captionLabel = label;
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1);
    grid->addWidget(new QLabel(note, this), row, 2);
    grid->setColumnStretch(0, 1);
    return box;
}

void TAusGSTCalcForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TAusGSTCalcForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

tax::TaxPeriod TAusGSTCalcForm::period() const {
    return {StartDate->dateValue(), EndDate->dateValue()};
}

void TAusGSTCalcForm::FormShow() {
    ui::guarded(this, [&] {
        connection_.connect();
        company_ = tax::readTaxCompany(connection_, coyCode);
        setWindowTitle(QStringLiteral("G.S.T. calculation worksheet : ") + company_.busName);
        NameLabel->setText(QStringLiteral("Name : ") + company_.busName);
        codes_ = tax::readAusAccountCodes(connection_.path());
        if (!codes_) {
            ui::beep();
            ui::warning(this, QStringLiteral("Please set up your tax.  Settings -> Sales tax."));
            FinaliseButton->setEnabled(false);
        }
        const tax::TaxPeriod proposed =
            tax::proposedPeriod(connection_, coyCode, company_.gstPeriod, StartDate->today());
        StartDate->setDateValue(proposed.start);
        EndDate->setDateValue(proposed.end);
        G9Label->setText(tax::ausG9Caption(company_.gstPercent));
        G20Label->setText(tax::ausG20Caption(company_.gstPercent));
        showFigures({});
        RecalcButtonClick();
    });
}

void TAusGSTCalcForm::StartDateChange() {
    EndDate->setDateValue(tax::periodEnd(StartDate->dateValue(), company_.gstPeriod));
}

std::optional<tax::AusAdjustments> TAusGSTCalcForm::typedAdjustments() {
    tax::AusAdjustments a;
    const std::pair<QLineEdit*, qint64*> boxes[] = {
        {AdjustmentsEdit, &a.g7}, {CreditAdjEdit, &a.g15}, {TotExpEdit, &a.g18}};
    for (const auto& [box, cents] : boxes) {
        const std::optional<qint64> typed = tax::typedBoxCents(box->text());
        if (!typed) {
            ui::beep();
            ui::error(this, QStringLiteral("'%1' is not a valid amount.").arg(box->text()));
            box->setFocus();
            return std::nullopt;
        }
        *cents = *typed;
    }
    return a;
}

void TAusGSTCalcForm::showFigures(const tax::AusReturn& r) {
    const std::pair<QLineEdit*, qint64> shown[] = {
        {TotSalesEdit, r.g1},     {ZeroRatedEdit, r.g2},   {GSTFreeSalesEdit, r.g3},
        {InptaxSalesEdit, r.g4},  {SubTot1Edit, r.g5},     {TotalSalesEdit, r.g6},
        {AdjustmentsEdit, r.g7},  {SalesTotalEdit, r.g8},  {SubTot2Edit, r.g9},
        {CapExpEdit, r.g10},      {TotGSTCollEdit, r.g11}, {SubTot3Edit, r.g12},
        {SubTot4Edit, r.g13},     {PurNoGSTEdit, r.g14},   {CreditAdjEdit, r.g15},
        {TotPurNoGSTEdit, r.g16}, {TotPaymentEdit, r.g17}, {TotExpEdit, r.g18},
        {G19Edit, r.g19},         {G20Edit, r.g20}};
    for (const auto& [box, cents] : shown) box->setText(tax::centsText(cents));
}

void TAusGSTCalcForm::RecalcButtonClick() {
    const std::optional<tax::AusAdjustments> typed = typedAdjustments();
    if (!typed) return;
    ui::guarded(this, [&] {
        showFigures(tax::computeAusReturn(connection_, coyCode, period(),
                                          codes_.value_or(tax::AusAccountCodes{}), *typed,
                                          company_.gstPercent));
    });
}

void TAusGSTCalcForm::TransAuditButtonClick() {
    tax::openGstAudit(this, QString::number(coyCode), period());
    RecalcButtonClick();
}

void TAusGSTCalcForm::FinaliseButtonClick() {
    const std::optional<tax::AusAdjustments> typed = typedAdjustments();
    if (!typed || !codes_) return;
    if (!ui::confirm(this, tax::finaliseQuestion())) return;
    ui::guarded(this, [&] {
        tax::AusReturn stored;
        const tax::FinaliseResult result = tax::finaliseAusReturn(
            connection_, coyCode, period(), *codes_, *typed, company_.gstPercent, &stored);
        if (!result.ok()) {
            ui::beep();
            ui::error(this, result.message);
            return;
        }
        showFigures(stored);
    });
}
