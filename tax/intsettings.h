#pragma once
// The country tax settings kept in "IntSettings.ini" of the data folder: the country chosen,
// the name of the sales tax and the four ledger account codes the Australian worksheet reads.
// New Zealand, the default country, needs none of them. No widgets here.

#include <QString>
#include <QStringList>
#include <optional>

namespace store {
class Connection;
}

namespace tax {

struct IntSettings {
    QString country;  // the list text ("Australia", ...), empty when none was saved
    QString taxLabel;
    QString exportSales;     // ACCTCODE of the export sales account
    QString inputSales;      // ACCTCODE of the input-taxed sales account
    QString capEx;           // ACCTCODE of the capital purchases account
    QString inputPurchases;  // ACCTCODE of the purchases for input-taxed sales
};

// The countries the settings window lists, Australia first.
QStringList settingsCountries();
inline const QString kAustralia = QStringLiteral("Australia");
inline const QString kDefaultTaxLabel = QStringLiteral("Sales tax");

QString intSettingsPath(const QString& dataFolder);  // dataFolder ends with a separator
bool intSettingsExist(const QString& dataFolder);

// The stored values; a missing file or key gives an empty value.
IntSettings readIntSettings(const QString& dataFolder);

// The values the window shows for stored ones: the label "Sales tax" when none is stored, and
// the country "Australia" when none is stored; any other stored country is kept as it is.
IntSettings shownIntSettings(const IntSettings& stored);

// Why the values cannot be saved (a value spanning several lines), or nothing.
std::optional<QString> intSettingsProblem(const IntSettings& values);

// Writes the six values, country first; every value is checked before the first is written.
// Throws StoreError when one cannot be stored or the file cannot be written.
void writeIntSettings(const QString& dataFolder, const IntSettings& values);

// The label beside an account box: the company's account's DESCR, "Cannot find ledger
// account!" when the company has no account with exactly this code, empty for an empty code.
QString accountLabelText(store::Connection& connection, int coy, const QString& acctCode);
inline const QString kNoSuchAccount = QStringLiteral("Cannot find ledger account!");

}  // namespace tax
