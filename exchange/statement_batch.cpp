#include "exchange/statement_batch.h"

#include <QHash>
#include <algorithm>
#include <map>
#include <utility>

#include "banking/bank_entry_steps.h"

namespace exchange {

namespace {

using banking::Confirmation;
using banking::Question;

// A line the memory codes, waiting for its turn.
struct BatchCandidate {
    int row = -1;
    StatementLine line;
    ImportDetails details;  // without its reference, which follows the account's counters
};

struct CodedLines {
    std::vector<BatchCandidate> candidates;
    std::vector<BatchLineOutcome> outcomes;  // the lines left out, with why
};

BatchLineOutcome skippedLine(int row, const QString& reason) {
    return BatchLineOutcome{row, BatchResult::Skipped, reason, {}};
}

// Step 1: the lines the memory codes fully; the unreadable, booked and uncoded ones left out.
CodedLines codeBatchLines(const BatchInput& in, const NarrativeMemory& memory) {
    CodedLines out;
    QHash<QString, std::optional<RememberedNarrative>> recalled;
    for (const BatchLine& b : in.lines) {
        if (!b.line) {
            out.outcomes.push_back(skippedLine(b.row, kUnreadableReason));
            continue;
        }
        if (b.inBooks) {
            out.outcomes.push_back(skippedLine(b.row, kInBooksReason));
            continue;
        }
        auto known = recalled.find(b.line->narrative);
        if (known == recalled.end())
            known = recalled.insert(b.line->narrative, memory.recall(b.line->narrative));
        const std::optional<RememberedNarrative>& remembered = known.value();
        if (!remembered || remembered->code.trimmed().isEmpty()) {
            out.outcomes.push_back(skippedLine(b.row, kNotCodedReason));
            continue;
        }
        BatchCandidate c{b.row, *b.line, {}};
        fillFromStatement(c.details, *b.line, remembered);
        out.candidates.push_back(std::move(c));
    }
    return out;
}

// Leaves out the candidates `matches` picks when the one question for all of them is answered
// "No". Returns the answer (nothing when no candidate needed asking).
template <typename Matches>
std::optional<bool> askOnceFor(CodedLines& coded, Matches matches,
                               const std::function<QString(int lines)>& question,
                               const BatchAsk& ask, const QString& reason) {
    std::vector<std::size_t> picked;
    for (std::size_t i = 0; i < coded.candidates.size(); ++i)
        if (matches(coded.candidates[i])) picked.push_back(i);
    if (picked.empty()) return std::nullopt;
    if (ask(question(int(picked.size())))) return true;
    std::vector<BatchCandidate> kept;
    std::size_t next = 0;
    for (std::size_t i = 0; i < coded.candidates.size(); ++i) {
        if (next < picked.size() && picked[next] == i) {
            coded.outcomes.push_back(skippedLine(coded.candidates[i].row, reason));
            ++next;
        } else {
            kept.push_back(std::move(coded.candidates[i]));
        }
    }
    coded.candidates = std::move(kept);
    return false;
}

// The filed tax period's question for the whole run, in the words of the bank entries.
QString filedQuestionForRun(const QString& first, int lines) {
    if (lines <= 1) return first;
    return QStringLiteral("%1 lines to accept are dated in tax periods already filed.\n")
               .arg(lines) +
           first;
}

// Step 2: the questions asked once for the run. Returns the answer to the filed tax period's.
std::optional<bool> askRunQuestions(store::Connection& c, const BatchInput& in, CodedLines& coded,
                                    const BatchAsk& ask) {
    askOnceFor(
        coded,
        [&](const BatchCandidate& b) { return overlapsLastDate(b.details.date, in.lastDate); },
        [](int) { return kOverlapQuestion; }, ask, kOverlapReason);
    QHash<QDate, std::optional<Confirmation>> byDate;
    QString first;
    const auto filed = [&](const BatchCandidate& b) {
        auto it = byDate.find(b.details.date);
        if (it == byDate.end())
            it = byDate.insert(b.details.date,
                               banking::filedPeriodQuestion(c, in.coy, b.details.date));
        if (it.value() && first.isEmpty()) first = it.value()->text;
        return it.value().has_value();
    };
    return askOnceFor(
        coded, filed, [&](int lines) { return filedQuestionForRun(first, lines); }, ask,
        kFiledPeriodReason);
}

// Answers a line's questions for the run: the filed tax period as answered before the first
// line; any other question asked the first time, its answer kept.
class RunAnswers {
public:
    RunAnswers(const BatchAsk& ask, std::optional<bool> filed) : ask_(ask), filed_(filed) {}
    bool operator()(const Confirmation& q) {
        bool yes = false;
        if (q.question == Question::FiledTaxPeriod) {
            yes = filed_.value_or(false);
        } else {
            auto it = answers_.find(q.question);
            if (it == answers_.end()) it = answers_.emplace(q.question, ask_(q.text)).first;
            yes = it->second;
        }
        if (!yes) declined_ = q.text;
        return yes;
    }
    QString takeDeclined() { return std::exchange(declined_, QString()); }

private:
    const BatchAsk& ask_;
    std::optional<bool> filed_;
    std::map<Question, bool> answers_;
    QString declined_;
};

// Step 3, for one line: its reference from the account as it stands now, then acceptance.
BatchLineOutcome acceptBatchLine(store::Connection& c, const BatchInput& in,
                                 const BatchCandidate& b, RunAnswers& answers, double& balance) {
    const BankAccountCheck bank = checkImportBankAccount(c, in.coy, in.bankCode, in.acctNo);
    if (bank.state != BankAccountState::Found)
        return {
            b.row, BatchResult::Refused,
            bank.state == BankAccountState::NotFound ? kAccountNotFoundText : kOpeningMissingError,
            b.details};
    AcceptInput a;
    a.coy = in.coy;
    a.bankChosen = true;
    a.bankCode = in.bankCode;
    a.acctNo = in.acctNo;
    a.details = b.details;
    a.statementLine = b.line;
    if (!b.line.cheque)
        a.details.reference =
            proposedReference(bank.found, a.details.type, in.formatCarriesCheques);
    // A cheque the format numbers itself needs its number from the line, as in the window.
    if (a.details.reference.trimmed().isEmpty()) return skippedLine(b.row, kNotCodedReason);
    const AcceptResult r = acceptImportLine(c, a, std::ref(answers));
    if (r.ok()) {
        balance = r.balance;
        return {b.row, BatchResult::Accepted, {}, a.details};
    }
    if (r.outcome == banking::Outcome::Declined)
        return skippedLine(b.row, declinedReason(answers.takeDeclined()));
    const QString why = r.detail.isEmpty() ? r.message : r.message + u' ' + r.detail;
    return {b.row, BatchResult::Refused, why, a.details};
}

}  // namespace

int BatchSummary::count(BatchResult result) const {
    return int(std::count_if(lines.begin(), lines.end(),
                             [result](const BatchLineOutcome& o) { return o.result == result; }));
}

QString declinedReason(const QString& question) {
    return QStringLiteral("answered No to \"%1\"").arg(question);
}

BatchSummary acceptAllCoded(store::Connection& c, const BatchInput& in,
                            const NarrativeMemory& memory, const BatchAsk& ask,
                            const BatchProgress& progress) {
    BatchSummary summary;
    if (const auto account = banking::findBankAccount(c, in.coy, in.bankCode, in.acctNo))
        summary.balance = account->currBal;
    CodedLines coded = codeBatchLines(in, memory);
    RunAnswers answers(ask, askRunQuestions(c, in, coded, ask));
    summary.lines = std::move(coded.outcomes);
    const int total = int(coded.candidates.size());
    for (int i = 0; i < total; ++i) {
        const BatchCandidate& b = coded.candidates[std::size_t(i)];
        if (!summary.stopped && progress && !progress(i, total)) summary.stopped = true;
        summary.lines.push_back(summary.stopped
                                    ? skippedLine(b.row, kStoppedReason)
                                    : acceptBatchLine(c, in, b, answers, summary.balance));
    }
    if (progress && !summary.stopped) progress(total, total);
    std::sort(summary.lines.begin(), summary.lines.end(),
              [](const BatchLineOutcome& a, const BatchLineOutcome& b) { return a.row < b.row; });
    return summary;
}

QString batchSummaryText(const BatchSummary& s) {
    QStringList text{QStringLiteral("Accepted: %1").arg(s.count(BatchResult::Accepted)),
                     QStringLiteral("Skipped: %1").arg(s.count(BatchResult::Skipped))};
    QStringList reasons;
    QHash<QString, int> perReason;
    for (const BatchLineOutcome& o : s.lines) {
        if (o.result != BatchResult::Skipped) continue;
        if (!perReason.contains(o.reason)) reasons << o.reason;
        ++perReason[o.reason];
    }
    for (const QString& r : reasons) text << QStringLiteral("    %1 %2").arg(perReason[r]).arg(r);
    text << QStringLiteral("Refused: %1").arg(s.count(BatchResult::Refused));
    constexpr int kListed = 20;
    int listed = 0;
    for (const BatchLineOutcome& o : s.lines) {
        if (o.result != BatchResult::Refused) continue;
        if (listed++ < kListed)
            text << QStringLiteral("    Record %1: %2").arg(o.row + 1).arg(o.reason);
    }
    if (listed > kListed) text << QStringLiteral("    and %1 more").arg(listed - kListed);
    if (s.stopped) text << QStringLiteral("The run was stopped before its last line.");
    return text.join(u'\n');
}

}  // namespace exchange
