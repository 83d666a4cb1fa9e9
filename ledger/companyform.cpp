#include "ledger/companyform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ledger/company.h"
#include "store/table.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/textbox.h"

namespace {}  // namespace

TQVCompanyForm::TQVCompanyForm(QWidget* owner)
    : ui::MaintenanceFrame(owner, QStringLiteral("QVCompanyForm"), 20) {
    setObjectName(QStringLiteral("QVCompanyForm"));
    setWindowTitle(QStringLiteral("Quorvel - company control maintenance."));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;

    busCodeEdit_ = ui::textBox(this, "BusCodeEdit", 10);
    busCodeEdit_->setEnabled(false);
    busCodeEdit_->setMaximumWidth(120);
    form->addRow(QStringLiteral("&Code [*] :"), busCodeEdit_);
    // One more character than the store keeps may be typed; the store cuts it.
    busNameEdit_ = ui::textBox(this, "BusNameEdit", 46);
    form->addRow(QStringLiteral("Company &Name [*]"), busNameEdit_);
    coyDescEdit_ = ui::textBox(this, "CoyDescEdit", 101);
    form->addRow(QStringLiteral("D&escription"), coyDescEdit_);
    address1Edit_ = ui::textBox(this, "Address1Edit", 26);
    address2Edit_ = ui::textBox(this, "Address2Edit", 26);
    address3Edit_ = ui::textBox(this, "Address3Edit", 26);
    form->addRow(QStringLiteral("&Address"), address1Edit_);
    form->addRow(QString(), address2Edit_);
    form->addRow(QString(), address3Edit_);
    phoneEdit_ = ui::textBox(this, "PhoneNoEdit", 26);
    faxEdit_ = ui::textBox(this, "FaxNoEdit", 26);
    auto* phoneRow = new QHBoxLayout;
    phoneRow->addWidget(phoneEdit_);
    auto* faxLabel = new QLabel(QStringLiteral("&Fax"), this);
    faxLabel->setBuddy(faxEdit_);
    phoneRow->addWidget(faxLabel);
    phoneRow->addWidget(faxEdit_);
    auto* phoneLabel = new QLabel(QStringLiteral("&Phone :"), this);
    phoneLabel->setBuddy(phoneEdit_);
    form->addRow(phoneLabel, phoneRow);
    countryCombo_ = new QComboBox(this);
    countryCombo_->setObjectName(QStringLiteral("CountryCombo"));
    countryCombo_->addItems({QStringLiteral("New Zealand"), QStringLiteral("Australia")});
    auto* countryLabel = new QLabel(QStringLiteral("C&ountry :"), this);
    countryLabel->setBuddy(countryCombo_);
    auto* countryRow = new QHBoxLayout;
    countryRow->addWidget(countryCombo_);
    countryRow->addStretch();
    form->addRow(countryLabel, countryRow);
    recAutoCheck_ = new QCheckBox(QStringLiteral("Activate system save on shutdown."), this);
    recAutoCheck_->setObjectName(QStringLiteral("RecAutoCheck"));
    form->addRow(QString(), recAutoCheck_);
    layout->addLayout(form);

    auto* tax = new QGroupBox(QStringLiteral("Tax  Settings"), this);
    tax->setObjectName(QStringLiteral("TaxGroup"));
    auto* taxGrid = new QGridLayout(tax);
    gstEnabledCheck_ = new QCheckBox(QStringLiteral("Ca&lculate"), tax);
    gstEnabledCheck_->setObjectName(QStringLiteral("GstEnabledCheck"));
    gstPercentEdit_ = ui::textBox(tax, "GstPercentEdit", 7);
    gstPercentEdit_->setMaximumWidth(70);
    gstNumberEdit_ = ui::textBox(tax, "GstNumberEdit", 18);
    gstPeriodSpin_ = new QSpinBox(tax);
    gstPeriodSpin_->setObjectName(QStringLiteral("GstPeriodSpin"));
    gstPeriodSpin_->setRange(1, 12);
    taxGrid->addWidget(gstEnabledCheck_, 0, 0);
    auto* percentLabel = new QLabel(QStringLiteral("Default pe&rcent :"), tax);
    percentLabel->setBuddy(gstPercentEdit_);
    taxGrid->addWidget(percentLabel, 0, 1);
    taxGrid->addWidget(gstPercentEdit_, 0, 2);
    auto* codeLabel = new QLabel(QStringLiteral("&Tax code :"), tax);
    codeLabel->setBuddy(gstNumberEdit_);
    taxGrid->addWidget(codeLabel, 1, 1);
    taxGrid->addWidget(gstNumberEdit_, 1, 2, 1, 3);
    auto* periodRow = new QHBoxLayout;
    auto* noOf = new QLabel(QStringLiteral("No. of"), tax);
    noOf->setBuddy(gstPeriodSpin_);
    periodRow->addWidget(noOf);
    periodRow->addWidget(gstPeriodSpin_);
    auto* months = new QLabel(QStringLiteral("&Months"), tax);
    months->setBuddy(gstPeriodSpin_);
    periodRow->addWidget(months);
    periodRow->addStretch();
    taxGrid->addLayout(periodRow, 0, 3, 1, 2);
    taxGrid->setColumnStretch(4, 1);
    layout->addWidget(tax);
    // The months stand beside the percent, on the line above the tax code.
    setTabOrder(gstEnabledCheck_, gstPercentEdit_);
    setTabOrder(gstPercentEdit_, gstPeriodSpin_);
    setTabOrder(gstPeriodSpin_, gstNumberEdit_);
    connect(countryCombo_, &QComboBox::currentTextChanged, this,
            [this](const QString& country) { CountryComboChange(country); });

    addFrame(layout, {{EditButton, QStringLiteral("E&dit")},
                      {SaveButton, QStringLiteral("&Save")},
                      {CancelButton, QStringLiteral("Cancel")},
                      {ExitButton, QStringLiteral("E&xit")}});
    setCloseRefusal(QStringLiteral("Complete edit, or Cancel!"), false);
    resize(560, sizeHint().height());
}

TQVCompanyForm::~TQVCompanyForm() { closeTables(); }

void TQVCompanyForm::FormShow() {
    setWindowTitle(QStringLiteral("Quorvel - company control maintenance."));
    try {
        connection_.connect(QStringLiteral("NRV"));
        control_ = std::make_unique<store::Table>(connection_, QStringLiteral("QVCntrl.DBF"));
        control_->setIndexName(QStringLiteral("COYCODE"));
        control_->open();
        control_->first();
    } catch (const std::exception&) {
        control_.reset();
        ui::beep();
        ui::error(this, QStringLiteral("Unable to open company record!"));
    }
    const bool neverFilled =
        control_ && control_->hasRecord() && control_->text("BUSNAME") == QLatin1String("Name");
    if (neverFilled) setMode(ui::EditMode::Editing);
    showCurrent();
    if (neverFilled) busNameEdit_->setFocus();
}

QString TQVCompanyForm::modeText(ui::EditMode mode) const {
    return mode == ui::EditMode::Browsing ? QStringLiteral("Browsing")
                                          : QStringLiteral("Editing company");
}

bool TQVCompanyForm::canMaintain() const { return control_ && control_->hasRecord(); }

void TQVCompanyForm::applyMode(ui::EditMode mode) {
    const bool editing = mode != ui::EditMode::Browsing;
    for (QWidget* w : std::initializer_list<QWidget*>{
             busNameEdit_, coyDescEdit_, address1Edit_, address2Edit_, address3Edit_, phoneEdit_,
             faxEdit_, countryCombo_, recAutoCheck_, gstEnabledCheck_, gstPercentEdit_,
             gstNumberEdit_, gstPeriodSpin_})
        w->setEnabled(editing);
}

void TQVCompanyForm::showCurrent() {
    if (!control_ || !control_->hasRecord()) return;
    const store::Table& t = *control_;
    busCodeEdit_->setText(t.text("BUSCODE"));
    busNameEdit_->setText(t.text("BUSNAME"));
    coyDescEdit_->setText(t.text("COYDESC"));
    address1Edit_->setText(t.text("ADDRESS1"));
    address2Edit_->setText(t.text("ADDRESS2"));
    address3Edit_->setText(t.text("ADDRESS3"));
    phoneEdit_->setText(t.text("PHONENO"));
    faxEdit_->setText(t.text("FAXNO"));
    countryCombo_->setCurrentIndex(countryCombo_->findText(ledger::countryName(t.text("COUNTRY"))));
    recAutoCheck_->setChecked(t.integer("RECAUTO") == 1);
    gstEnabledCheck_->setChecked(t.integer("GSTENABLED") == 1);
    // A company never filled in starts from its country's usual rate.
    const bool neverFilled =
        t.text("BUSNAME") == QLatin1String("Name") && t.number("GSTPERCENT") == 0;
    gstPercentEdit_->setText(ledger::percentText(
        neverFilled ? ledger::defaultTaxPercent(t.text("COUNTRY")) : t.number("GSTPERCENT")));
    gstNumberEdit_->setText(t.text("GSTNUMBER"));
    gstPeriodSpin_->setValue(int(t.integer("GSTPERIOD")));
}

void TQVCompanyForm::CountryComboChange(const QString& country) {
    if (!browsing())
        gstPercentEdit_->setText(
            ledger::percentAfterCountryChange(gstPercentEdit_->text(), shownCountry_, country));
    shownCountry_ = country;
}

bool TQVCompanyForm::startEdit() {
    busNameEdit_->setFocus();
    return true;
}

bool TQVCompanyForm::saveRecord() {
    ledger::CompanyDetails d;
    d.busName = busNameEdit_->text();
    d.coyDesc = coyDescEdit_->text();
    d.address1 = address1Edit_->text();
    d.address2 = address2Edit_->text();
    d.address3 = address3Edit_->text();
    d.phoneNo = phoneEdit_->text();
    d.faxNo = faxEdit_->text();
    d.gstEnabled = gstEnabledCheck_->isChecked();
    d.gstNumber = gstNumberEdit_->text();
    d.gstPercentText = gstPercentEdit_->text();
    d.gstPeriod = gstPeriodSpin_->value();
    d.recAuto = recAutoCheck_->isChecked();
    d.countryShown = countryCombo_->currentIndex() >= 0 ? countryCombo_->currentText() : QString();
    ledger::CompanySave result = ledger::CompanySave::Saved;
    // A store failure is shown; a refused percent or period is refused without a message.
    // Either way the window stays in edit mode with the boxes as typed.
    if (!ui::guarded(this, [&] { result = ledger::saveCompanyDetails(*control_, d); }))
        return false;
    return result == ledger::CompanySave::Saved;
}

void TQVCompanyForm::cancelRecord() {
    if (control_) ui::guarded(this, [this] { control_->refresh(); });
}

void TQVCompanyForm::closeTables() {
    control_.reset();
    connection_.disconnect();
}
