#pragma once
// Reading the program's own export files back: records split into fields (a quoted field may
// hold commas, doubled quotes and line breaks, as the export writes them), then typed as a
// journal line of "NRVExp.txt" or a bank transaction of "NRVBnk.txt".
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace exchange {

// The records of a file's text; empty lines are skipped.
std::vector<QStringList> splitRecords(const QString& text);

struct ImportJournalLine {
    QString acctCode, ref, suppCode, clientCode, gstType;
    int lineNo = 0;
    QString bankAcct, desc;
    double amount = 0, busAmt = 0;
    int zeroRated = 0;
    double gstAmt = 0;
    QDate gstDate;
    qint64 tranNum = 0;
    QDate tranDate;
    int hasBnkAcct = 0;
    QString tranType, splitDest, splitSourc, reason, cliJobNo;
};

struct ImportBankLine {
    QString bankCode, bankAcct, source, destBank, destAcct, sourceBank, sourceAcct, reason;
    double amount = 0;
    int confirmed = 0, reconciled = 0;
    QDate tranDate;
    qint64 tranNum = 0;
    QString tranType, tranRef;
    int cshAccDet = 0;
};

// Nothing when a field is missing or a number or date does not convert.
std::optional<ImportJournalLine> parseJournalLine(const QStringList& fields);
std::optional<ImportBankLine> parseBankLine(const QStringList& fields);

}  // namespace exchange
