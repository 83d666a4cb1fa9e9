#pragma once
// The records of the program's own export format, as the export reads them from the books and
// the import reads them back: a journal line of "NRVExp.txt" and a bank transaction of
// "NRVBnk.txt", fields in file order.
#include <QDate>
#include <QString>

namespace exchange {

struct OwnJournalRecord {
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

struct OwnBankRecord {
    QString bankCode, bankAcct, source, destBank, destAcct, sourceBank, sourceAcct, reason;
    double amount = 0;
    int confirmed = 0, reconciled = 0;
    QDate tranDate;
    qint64 tranNum = 0;
    QString tranType, tranRef;
    int cshAccDet = 0;
};

// A text as the tables store it and a query binds it: without trailing blanks.
inline QString withoutTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' ')) --n;
    return n == s.size() ? s : s.left(n);  // most texts have none: shared, not copied
}

}  // namespace exchange
