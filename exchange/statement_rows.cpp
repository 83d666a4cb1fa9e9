#include "exchange/statement_rows.h"

#include "exchange/statement_file.h"
#include "store/format.h"

namespace exchange {

QString shownStatementLine(const StatementLine& line, const QString& memo) {
    QStringList parts{line.date.toString(QStringLiteral("dd/MM/yyyy")),
                      store::fmt::money(line.amount()).rightJustified(12), line.narrative};
    if (!memo.isEmpty() && memo != line.narrative) parts << memo;
    if (!line.reference.isEmpty())
        parts << (line.cheque ? QStringLiteral("Cheque ") : QStringLiteral("Ref ")) +
                     line.reference;
    return parts.join(QStringLiteral("  "));
}

StatementRows rowsOfOfx(const OfxStatement& statement) {
    StatementRows out;
    out.problem = statement.problem;
    out.account = statement.account;
    for (std::size_t i = 0; i < statement.lines.size(); ++i) {
        const QString memo =
            qsizetype(i) < statement.memos.size() ? statement.memos[qsizetype(i)] : QString();
        out.rows.push_back({shownStatementLine(statement.lines[i], memo), statement.lines[i]});
    }
    return out;
}

StatementRows rowsOfCsv(const std::vector<CsvRow>& rows) {
    StatementRows out;
    for (const CsvRow& r : rows) {
        if (r.line) {
            out.rows.push_back({shownStatementLine(*r.line), r.line});
            continue;
        }
        out.rows.push_back({QStringLiteral("Record %1 not read (%2): %3")
                                .arg(r.record)
                                .arg(r.problem, r.fields.join(QStringLiteral(" | "))),
                            std::nullopt});
    }
    return out;
}

StatementRows readCsvStatementRows(const QString& path, const CsvMapping& mapping) {
    const StatementText text = readStatementText(path);
    if (!text.ok()) return StatementRows{{}, {}, text.problem};
    return rowsOfCsv(readCsvStatement(text.text, mapping));
}

}  // namespace exchange
