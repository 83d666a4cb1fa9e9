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

// The lines of the file's bytes, or the reason they are not a statement.
StatementFile statementFromBytes(const QByteArray& bytes);
// The same for a file on disk; a file that cannot be opened gives its reason.
StatementFile readStatementFile(const QString& path);

}  // namespace exchange
