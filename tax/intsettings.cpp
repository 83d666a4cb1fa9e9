#include "tax/intsettings.h"

#include <QFileInfo>

#include "store/connection.h"
#include "store/error.h"
#include "store/inifile.h"
#include "store/query.h"

namespace tax {
namespace {

// Section and key of each value, in the order a save writes them. Export sales is written with
// the key "Exportsales" and read back as "ExportSales": keys match without regard to case.
struct SettingsKey {
    const char* section;
    const char* key;
    QString IntSettings::*value;
};

const SettingsKey kSettingsKeys[] = {
    {"Country", "Country", &IntSettings::country},
    {"TaxLabel", "Label", &IntSettings::taxLabel},
    {"ExportSales", "Exportsales", &IntSettings::exportSales},
    {"InputSales", "InputSales", &IntSettings::inputSales},
    {"CapEx", "CapEx", &IntSettings::capEx},
    {"InputPurchases", "InputPurchases", &IntSettings::inputPurchases},
};

}  // namespace

QStringList settingsCountries() {
    return {kAustralia,
            QStringLiteral("Canada"),
            QStringLiteral("Cook Islands"),
            QStringLiteral("Fiji"),
            QStringLiteral("Tonga"),
            QStringLiteral("United Kingdom"),
            QStringLiteral("United States")};
}

QString intSettingsPath(const QString& dataFolder) {
    return dataFolder + QStringLiteral("IntSettings.ini");
}

bool intSettingsExist(const QString& dataFolder) {
    return QFileInfo(intSettingsPath(dataFolder)).isFile();
}

IntSettings readIntSettings(const QString& dataFolder) {
    const store::IniFile ini(intSettingsPath(dataFolder));
    IntSettings s;
    for (const SettingsKey& k : kSettingsKeys)
        s.*k.value = ini.readString(QLatin1String(k.section), QLatin1String(k.key));
    return s;
}

IntSettings shownIntSettings(const IntSettings& stored) {
    IntSettings shown = stored;
    if (shown.country.isEmpty()) shown.country = kAustralia;
    if (shown.taxLabel.isEmpty()) shown.taxLabel = kDefaultTaxLabel;
    return shown;
}

std::optional<QString> intSettingsProblem(const IntSettings& values) {
    for (const SettingsKey& k : kSettingsKeys) {
        const QString& v = values.*k.value;
        if (v.contains(QLatin1Char('\n')) || v.contains(QLatin1Char('\r')))
            return QStringLiteral("The %1 setting cannot span several lines.")
                .arg(QLatin1String(k.section));
    }
    return std::nullopt;
}

void writeIntSettings(const QString& dataFolder, const IntSettings& values) {
    if (const auto problem = intSettingsProblem(values)) throw store::StoreError(*problem);
    store::IniFile ini(intSettingsPath(dataFolder));
    for (const SettingsKey& k : kSettingsKeys)
        ini.writeString(QLatin1String(k.section), QLatin1String(k.key), values.*k.value);
}

QString accountLabelText(store::Connection& connection, int coy, const QString& acctCode) {
    if (acctCode.isEmpty()) return QString();
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT DESCR FROM QVACCDET"),
                         QStringLiteral("WHERE COYCODE =:iCoyCode"),
                         QStringLiteral("AND ACCTCODE =:sAcctCode")});
    q.bind(QStringLiteral("iCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sAcctCode"), acctCode);
    q.open();
    if (q.eof()) return kNoSuchAccount;
    return q.text(QStringLiteral("DESCR"));
}

}  // namespace tax
