#include "exchange/statement_file.h"

#include <QFile>
#include <QStringDecoder>

namespace exchange {

namespace {

// A statement bigger than this is not a bank's download.
constexpr qint64 kLargestStatementFile = 64LL * 1024 * 1024;

const QString kNothingImported = QStringLiteral(" Nothing was imported.");

QString statementRefusal(const QString& problem) { return problem + kNothingImported; }

StatementFile refused(const QString& problem) {
    return StatementFile{{}, statementRefusal(problem)};
}

bool looksLikeUtf16(const QByteArray& bytes) {
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

}  // namespace

StatementText statementTextFromBytes(const QByteArray& bytes) {
    if (looksLikeUtf16(bytes))
        return {
            {},
            statementRefusal(QStringLiteral("This file is written in UTF-16; save it from the bank "
                                            "as plain text (CSV)."))};
    if (bytes.contains('\0'))
        return {{},
                statementRefusal(QStringLiteral("This file is not a text file, so it is no bank "
                                                "statement."))};
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return {
            {},
            statementRefusal(QStringLiteral("This file is not plain text in the UTF-8 or ASCII a "
                                            "bank statement uses."))};
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return {text, {}};
}

StatementFile statementFromBytes(const QByteArray& bytes, qsizetype longestLine) {
    const StatementText read = statementTextFromBytes(bytes);
    if (!read.ok()) return StatementFile{{}, read.problem};
    StatementFile file;
    QStringView rest(read.text);
    while (!rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != QLatin1Char('\n') &&
               rest[end] != QLatin1Char('\r'))
            ++end;
        if (end > longestLine)
            return refused(QStringLiteral("Line %1 of this file is longer than %2 characters, "
                                          "so the file is no bank statement.")
                               .arg(file.lines.size() + 1)
                               .arg(longestLine));
        file.lines << rest.first(end).toString();
        if (end < rest.size() && rest[end] == QLatin1Char('\r') && end + 1 < rest.size() &&
            rest[end + 1] == QLatin1Char('\n'))
            ++end;
        rest = rest.mid(std::min(end + 1, rest.size()));
    }
    return file;
}

StatementBytes readStatementBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {{},
                statementRefusal(
                    QStringLiteral("The file %1 cannot be read: %2.").arg(path, f.errorString()))};
    if (f.size() > kLargestStatementFile)
        return {{},
                statementRefusal(
                    QStringLiteral("The file %1 is too large for a bank statement.").arg(path))};
    return {f.readAll(), {}};
}

StatementFile readStatementFile(const QString& path, qsizetype longestLine) {
    const StatementBytes read = readStatementBytes(path);
    return read.problem.isEmpty() ? statementFromBytes(read.bytes, longestLine)
                                  : StatementFile{{}, read.problem};
}

StatementText readStatementText(const QString& path) {
    const StatementBytes read = readStatementBytes(path);
    return read.problem.isEmpty() ? statementTextFromBytes(read.bytes)
                                  : StatementText{{}, read.problem};
}

}  // namespace exchange
