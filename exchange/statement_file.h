#pragma once
// Reading a bank's statement file into its lines, refusing what is not a statement: a binary
// file, text in an encoding other than UTF-8 (ASCII included), a line no statement has. No
// widgets.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace exchange {

// The longest line a statement may have; anything longer is not a statement line.
constexpr int kLongestStatementLine = 4096;

struct StatementFile {
    QStringList lines;  // without line ends; a last empty line is dropped
    QString problem;    // why nothing can be imported; empty when the lines were read
    bool ok() const { return problem.isEmpty(); }
};

// The lines of the file's bytes, or the reason they are not a statement. A statement read whole
// (OFX on one line) may have longer lines than the line formats allow.
StatementFile statementFromBytes(const QByteArray& bytes,
                                 qsizetype longestLine = kLongestStatementLine);
// The same for a file on disk; a file that cannot be opened gives its reason.
StatementFile readStatementFile(const QString& path, qsizetype longestLine = kLongestStatementLine);

// The whole text of a statement read whole (a CSV file, whose quoted fields may hold line
// breaks), refused for the same reasons as above except the length of a line.
struct StatementText {
    QString text;     // without a byte order mark
    QString problem;  // why nothing can be imported; empty when the text was read
    bool ok() const { return problem.isEmpty(); }
};
StatementText statementTextFromBytes(const QByteArray& bytes);
StatementText readStatementText(const QString& path);
// The file's bytes, or the reason it cannot be read (missing, unreadable, too large).
struct StatementBytes {
    QByteArray bytes;
    QString problem;
};
StatementBytes readStatementBytes(const QString& path);

}  // namespace exchange
