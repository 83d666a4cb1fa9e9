#pragma once
// Reading the program's own export files back: records split into fields (a quoted field may
// hold commas, doubled quotes and line breaks, as the export writes them), then typed as a
// journal line of "NRVExp.txt" or a bank transaction of "NRVBnk.txt".
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "exchange/own_records.h"

namespace exchange {

// The records of a file's text; empty lines are skipped.
std::vector<QStringList> splitRecords(const QString& text);

using ImportJournalLine = OwnJournalRecord;
using ImportBankLine = OwnBankRecord;

// Short dates of a run, each distinct text parsed once: a file of a hundred thousand lines holds
// a few hundred dates, and parsing by the system's date format is slow.
class ImportDates {
public:
    QDate operator()(const QString& text);

private:
    QHash<QString, QDate> dates_;
};

// Nothing when a field is missing or a number or date does not convert. `dates` may be shared
// by the records of one run.
std::optional<ImportJournalLine> parseJournalLine(const QStringList& fields,
                                                  ImportDates* dates = nullptr);
std::optional<ImportBankLine> parseBankLine(const QStringList& fields,
                                            ImportDates* dates = nullptr);

}  // namespace exchange
