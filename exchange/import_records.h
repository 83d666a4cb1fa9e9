#pragma once
// Reading the program's own export files back: records split into fields (a quoted field may
// hold commas, doubled quotes and line breaks, as the export writes them), then typed as a
// journal line of "NRVExp.txt" or a bank transaction of "NRVBnk.txt".
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

// Nothing when a field is missing or a number or date does not convert.
std::optional<ImportJournalLine> parseJournalLine(const QStringList& fields);
std::optional<ImportBankLine> parseBankLine(const QStringList& fields);

}  // namespace exchange
