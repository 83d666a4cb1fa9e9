#include "reports/transauditsettings.h"

#include <QtGlobal>

#include "store/format.h"
#include "store/inifile.h"
#include "store/paths.h"

namespace reports {
namespace {

const QString kTransAuditSection = QStringLiteral("QVDetailedTransAuditDiaForm");

}  // namespace

QDate transAuditToDate(const QDate& from, int days) { return from.addDays(qMax(days, 1) - 1); }

TransAuditDates transAuditOpeningDates(const TransAuditSettings& s, const QDate& today) {
    if (!s.lastDate.isValid()) return {today, today};
    return {s.lastDate, transAuditToDate(s.lastDate, s.days)};
}

QString reportSettingsPath() {
    return store::paths::programFolder() + QStringLiteral("NRVRpts.ini");
}

TransAuditSettings readTransAuditSettings(const QString& path) {
    const store::IniFile ini(path);
    TransAuditSettings s;
    s.days = qMax(1, ini.readInteger(kTransAuditSection, QStringLiteral("Days_Between"), 0));
    const QString last = ini.readString(kTransAuditSection, QStringLiteral("Last_Date"));
    if (!last.isEmpty()) s.lastDate = store::fmt::parseShortDate(last);
    return s;
}

void writeTransAuditSettings(const QString& path, int days, const QDate& lastDate) {
    store::IniFile ini(path);
    ini.writeStrings(kTransAuditSection,
                     {{QStringLiteral("Days_Between"), QString::number(qMax(days, 1))},
                      {QStringLiteral("Last_Date"), store::fmt::shortDate(lastDate)}});
}

}  // namespace reports
