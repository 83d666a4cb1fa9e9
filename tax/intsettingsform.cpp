#include "tax/intsettingsform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "ledger/accountlists.h"
#include "store/table.h"
#include "tax/intsettings.h"
#include "ui/codebox.h"
#include "ui/errorhandler.h"
#include "ui/messages.h"
#include "ui/pickerkey.h"
#include "ui/textbox.h"

namespace {

QLabel* settingsBuddyLabel(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

}  // namespace

TIntSettingsForm::TIntSettingsForm(QWidget* owner) : ui::FormBase(owner, QString()) {
    setWindowTitle(QStringLiteral("International settings"));
    CountryCombo = new QComboBox(this);
    CountryCombo->setObjectName(QStringLiteral("CountryCombo"));
    CountryCombo->addItems(tax::settingsCountries());
    CountryCombo->setCurrentIndex(-1);
    TaxLabelEdit = ui::textBox(this, "TaxLabelEdit", 40, 220);

    auto* top = new QGridLayout;
    top->addWidget(settingsBuddyLabel(this, QStringLiteral("Select your &country: "), CountryCombo),
                   0, 0);
    top->addWidget(CountryCombo, 0, 1);
    top->addWidget(settingsBuddyLabel(this, QStringLiteral("Tax &label (for sales tax returns);"),
                                      TaxLabelEdit),
                   1, 0);
    top->addWidget(TaxLabelEdit, 1, 1);

    TaxSettingsGroup = new QGroupBox(QStringLiteral("  Tax settings  "), this);
    TaxSettingsGroup->setObjectName(QStringLiteral("TaxSettingsGroup"));
    auto* grid = new QGridLayout(TaxSettingsGroup);
    exportSales_ = addAccountRow(grid, 0, "ExportSales", QStringLiteral("&Export sales account :"));
    inputSales_ = addAccountRow(grid, 1, "InputSales", QStringLiteral("&Input sales account :"));
    capEx_ = addAccountRow(grid, 2, "CapEx", QStringLiteral("C&apital expenditure account :"));
    inputPurchases_ =
        addAccountRow(grid, 3, "InputPurchases", QStringLiteral("Input &tax expenditure :"));
    grid->setColumnStretch(3, 1);
    TaxSettingsGroup->hide();

    SaveButton = new QPushButton(QStringLiteral("&Save"), this);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    ExitButton = new QPushButton(QStringLiteral("E&xit"), this);
    ExitButton->setObjectName(QStringLiteral("ExitButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveButton);
    buttons->addWidget(ExitButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(TaxSettingsGroup);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(CountryCombo, &QComboBox::activated, this, &TIntSettingsForm::CountryComboActivated);
    connect(SaveButton, &QPushButton::clicked, this, &TIntSettingsForm::SaveButtonClick);
    connect(ExitButton, &QPushButton::clicked, this, &QDialog::close);
    resize(640, 300);
}

TIntSettingsForm::AccountRow TIntSettingsForm::addAccountRow(QGridLayout* grid, int row,
                                                             const char* name,
                                                             const QString& caption) {
    const QByteArray base(name);
    AccountRow r;
    r.edit = ui::textBox(this, (base + "Edit").constData(), 15, 130);
    ui::makeCodeBox(r.edit);
    r.pick = new QPushButton(QStringLiteral("..."), this);
    r.pick->setObjectName(QString::fromLatin1(base + "Button"));
    r.pick->setFixedWidth(28);
    r.pick->setToolTip(QStringLiteral("View/select from account list"));
    ui::openPickerWithAltDown(r.edit, r.pick);
    r.descr = new QLabel(this);
    r.descr->setObjectName(QString::fromLatin1(base + "Label"));
    grid->addWidget(settingsBuddyLabel(this, caption, r.edit), row, 0);
    grid->addWidget(r.edit, row, 1);
    grid->addWidget(r.pick, row, 2);
    grid->addWidget(r.descr, row, 3);
    connect(r.edit, &QLineEdit::textChanged, this, [this, r] { showAccountLabel(r); });
    connect(r.pick, &QPushButton::clicked, this, [this, r] { pickAccount(r); });
    return r;
}

void TIntSettingsForm::showEvent(QShowEvent* event) {
    ui::FormBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TIntSettingsForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) connection_.disconnect();
    ui::FormBase::hideEvent(event);
}

void TIntSettingsForm::FormShow() {
    ui::guarded(this, [&] {
        connection_.connect();
        store::Table control(connection_, QStringLiteral("QVCntrl.DBF"));
        control.setIndexName(QStringLiteral("COYCODE"));
        control.open();
        if (control.findKey(coyCode) &&
            control.text(QStringLiteral("COUNTRY")).trimmed() == QLatin1String("NZ")) {
            ui::beep();
            ui::warning(this,
                        QStringLiteral("Please select a country other than New Zealand in company "
                                       "control."));
            return;
        }
        showSettings(tax::shownIntSettings(tax::readIntSettings(connection_.path())));
    });
}

void TIntSettingsForm::showSettings(const tax::IntSettings& shown) {
    CountryCombo->setCurrentIndex(
        CountryCombo->findText(shown.country == tax::kAustralia ? tax::kAustralia : QString()));
    TaxLabelEdit->setText(shown.taxLabel);
    exportSales_.edit->setText(shown.exportSales);
    inputSales_.edit->setText(shown.inputSales);
    capEx_.edit->setText(shown.capEx);
    inputPurchases_.edit->setText(shown.inputPurchases);
    TaxSettingsGroup->setVisible(CountryCombo->currentText() == tax::kAustralia);
}

void TIntSettingsForm::showAccountLabel(const AccountRow& row) {
    ui::guarded(this, [&] {
        if (!connection_.isConnected()) return;
        row.descr->setText(tax::accountLabelText(connection_, coyCode, row.edit->text()));
    });
}

void TIntSettingsForm::pickAccount(const AccountRow& row) {
    TAcctsListForm list(this);
    list.acctType = QStringLiteral("BOTH");
    list.coyCode = coyCode;
    list.selectEnabled = true;
    if (list.exec() == QDialog::Accepted && !list.acctCode.isEmpty())
        row.edit->setText(list.acctCode);
}

void TIntSettingsForm::CountryComboActivated(int index) {
    if (CountryCombo->itemText(index) == tax::kAustralia) {
        TaxSettingsGroup->show();
        return;
    }
    ui::beep();
    ui::information(this, QStringLiteral("Settings for Australia (New Zealand default) only!"));
}

tax::IntSettings TIntSettingsForm::typedSettings() const {
    return {CountryCombo->currentText(), TaxLabelEdit->text(), exportSales_.edit->text(),
            inputSales_.edit->text(),    capEx_.edit->text(),  inputPurchases_.edit->text()};
}

void TIntSettingsForm::SaveButtonClick() {
    const tax::IntSettings typed = typedSettings();
    if (const auto problem = tax::intSettingsProblem(typed)) {
        ui::beep();
        ui::error(this, *problem);
        return;
    }
    ui::guarded(this, [&] { tax::writeIntSettings(connection_.path(), typed); });
}
