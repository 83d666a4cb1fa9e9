#pragma once
// Reading an OFX or QFX statement (bank or credit card; the SGML headers of OFX 1.x and the XML
// of OFX 2.x) through libofx: each transaction's date, amount, payee or memo, the bank's own id
// (FITID) and a cheque's number, and the account the file is for. A damaged or incomplete file
// gives its reason and no lines at all. No widgets.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "exchange/statement_formats.h"

namespace exchange {

struct OfxStatement {
    std::vector<StatementLine> lines;  // in the file's order
    QStringList memos;                 // beside each line: its memo when the payee is its narrative
    QString account;                   // as the file names it: bank, branch and account number
    bool creditCard = false;
    QString problem;  // why nothing can be imported; empty when the file was read
    bool ok() const { return problem.isEmpty(); }
};

// The statement in the file at `path` (libofx reads files only).
OfxStatement readOfxStatement(const QString& path);
// The same for bytes, through a temporary file.
OfxStatement ofxStatementFromBytes(const QByteArray& bytes);

// The file's account is the chosen one: the digits of one end with the digits of the other
// (leading zeros aside, at least four of them), as a file may name the account with or without
// its bank and branch, and a card by its last digits. A file that names no account matches.
bool ofxAccountMatches(const QString& fileAccount, const QString& bankCode, const QString& acctNo);
// The question asked before a file of another account is imported.
QString ofxAccountQuestion(const QString& fileAccount, const QString& bankCode,
                           const QString& acctNo);

}  // namespace exchange
