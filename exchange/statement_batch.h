#pragma once
// "Accept all coded": every line of a statement the narrative memory codes fully and the books
// do not hold yet, accepted one by one, each in a transaction of its own through
// acceptImportLine. The run asks once, before the first line, whether lines dated in a filed tax
// period or on or before "Last Date" go in; an overdraft question is asked the first time a line
// raises it and its answer holds for the rest of the run. The summary says what was accepted,
// skipped and refused, and why. No widgets.

#include <QDate>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "banking/bank_posting.h"
#include "exchange/statement_formats.h"
#include "exchange/statement_import.h"
#include "exchange/statement_memory.h"
#include "store/connection.h"

namespace exchange {

// One line of the statement as the run sees it.
struct BatchLine {
    int row = -1;                       // the grid's row; "Record No." is row + 1
    std::optional<StatementLine> line;  // nothing: the line reads as no statement line
    bool inBooks = false;               // the books already hold it
};

struct BatchInput {
    int coy = 1;
    QString bankCode, acctNo;
    bool formatCarriesCheques = false;
    QDate lastDate;  // the memory's "Last Date"
    std::vector<BatchLine> lines;
};

enum class BatchResult { Accepted, Skipped, Refused };

struct BatchLineOutcome {
    int row = -1;
    BatchResult result = BatchResult::Skipped;
    QString reason;         // why it was skipped or refused
    ImportDetails details;  // as accepted
};

struct BatchSummary {
    std::vector<BatchLineOutcome> lines;
    bool stopped = false;  // the user stopped the run
    double balance = 0.0;  // the account's CURRBAL after the last line accepted
    int count(BatchResult result) const;
};

// The reasons a line is skipped.
inline const QString kUnreadableReason = QStringLiteral("cannot be read as a statement line");
inline const QString kInBooksReason = QStringLiteral("already in the books");
inline const QString kNotCodedReason = QStringLiteral("not coded");
inline const QString kFiledPeriodReason = QStringLiteral("dated in a filed tax period");
inline const QString kOverlapReason = QStringLiteral("dated on or before the last import");
inline const QString kStoppedReason = QStringLiteral("not reached: the run was stopped");
QString declinedReason(const QString& question);

// Puts a Yes/No question to the user: true for "Yes".
using BatchAsk = std::function<bool(const QString& question)>;
// Before each line: the lines done and the lines to do. False stops the run there.
using BatchProgress = std::function<bool(int done, int total)>;

// The run; `memory` codes the lines.
BatchSummary acceptAllCoded(store::Connection& connection, const BatchInput& input,
                            const NarrativeMemory& memory, const BatchAsk& ask,
                            const BatchProgress& progress);

// The summary as the user reads it: counts, the reasons lines were skipped, and each refused
// record with its refusal (the first twenty).
QString batchSummaryText(const BatchSummary& summary);

}  // namespace exchange
