#pragma once
// The import of the program's own export files ("NRVExp.txt", "NRVBnk.txt") into a company:
// journal lines, the payments and bank transactions they belong to, and the bank file's rows.
//
// Each imported transaction (the journal lines of one bank transaction or payment, or one bank
// file row) is one database transaction: a failure is logged and leaves nothing of it. Lines
// whose keys already exist (the journal line's search key, the bank transaction key, the payment
// key) are skipped and logged, so importing the same files twice changes nothing the second time.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "store/connection.h"

namespace exchange {

struct ImportOutcome {
    QStringList log;  // the error file's lines, without the total
    int errors = 0;
    bool finished = false;  // every line was processed (not cancelled)
    bool lastImported = false;
};

// Called after each record with the records done and in all; false cancels the run between
// two transactions.
using ImportProgress = std::function<bool(qint64 done, qint64 total)>;

// Either file may be absent (nullptr). Records as splitRecords gives them.
ImportOutcome importNrvFiles(store::Connection& c, int coy, const std::vector<QStringList>* journal,
                             const std::vector<QStringList>* bank,
                             const ImportProgress& progress = {});

// "Import succeeded. There were  N errors." or "Import failed.".
QString importMessage(const ImportOutcome& outcome);
// The error file: every logged line, then "Total errors. " + N; false when it cannot be written.
bool writeImportErrors(const QString& path, const ImportOutcome& outcome);

}  // namespace exchange
