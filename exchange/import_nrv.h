#pragma once
// The import of the program's own export files ("NRVExp.txt", "NRVBnk.txt") into a company:
// journal lines, the payments and bank transactions they belong to, and the bank file's rows.
//
// Each imported transaction (the journal lines of one bank transaction or payment, or one bank
// file row) is all or nothing: a failure is logged and leaves nothing of it. Lines whose keys
// already exist (the journal line's search key, the bank transaction key, the payment key) are
// skipped and logged, so importing the same files twice changes nothing the second time.
// Transfers come in from the bank file as both their rows.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "store/connection.h"

namespace exchange {

struct ImportOutcome {
    QStringList log;  // the error file's lines, without the total
    int errors = 0;
    bool finished = false;  // every line was processed (not cancelled)
    bool lastImported = false;
    bool declined = false;  // the filed-period question was answered "No": nothing was read
};

// Called after each record with the records done and in all; false cancels the run between
// two transactions.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;

// The question for the earliest date of the files inside a tax period already filed, if any.
std::optional<banking::Confirmation> importFiledPeriodQuestion(
    store::Connection& c, int coy, const std::vector<QStringList>* journal,
    const std::vector<QStringList>* bank);

// Either file may be absent (nullptr). Records as splitRecords gives them. The filed-period
// question is put to `confirm` once before anything is written; "No" imports nothing.
ImportOutcome importNrvFiles(store::Connection& c, int coy, const std::vector<QStringList>* journal,
                             const std::vector<QStringList>* bank, const banking::Confirm& confirm,
                             const ImportProgress& progress = {});

// "Import succeeded. There were  N errors." or "Import failed.".
QString importMessage(const ImportOutcome& outcome);
// The error file: every logged line, then "Total errors. " + N; false when it cannot be written.
bool writeImportErrors(const QString& path, const ImportOutcome& outcome);

}  // namespace exchange
