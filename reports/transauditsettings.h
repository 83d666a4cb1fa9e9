#pragma once
// What the bank transaction audit dialog keeps in "NRVRpts.ini" (section
// "QVDetailedTransAuditDiaForm": Days_Between and Last_Date) and how its dates follow from them.

#include <QDate>
#include <QString>

namespace reports {

struct TransAuditSettings {
    int days = 1;    // never below 1: a 0 would put the to date before the from date
    QDate lastDate;  // invalid when none is stored or the stored text is not a date
};

// The range the dialog offers: from + days - 1, the days taken as at least 1.
QDate transAuditToDate(const QDate& from, int days);

// The dialog's dates when it is shown: from the stored last date (to = from + days - 1), or
// from today and to today when no usable date is stored.
struct TransAuditDates {
    QDate from, to;
};
TransAuditDates transAuditOpeningDates(const TransAuditSettings& s, const QDate& today);

// "NRVRpts.ini" in the program's folder.
QString reportSettingsPath();
TransAuditSettings readTransAuditSettings(const QString& path);
void writeTransAuditSettings(const QString& path, int days, const QDate& lastDate);

}  // namespace reports
