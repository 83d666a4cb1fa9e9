#pragma once
// The books of every bank account agree with themselves: CURRBAL = INITBAL + its rows, numbers
// used once, every entry with its journal line, every payment whole and every transfer with both
// rows. Shared by the
// tests that run second programs against a data folder.

#include <gtest/gtest.h>

#include <QStringList>

#include "ledger/account_totals.h"
#include "store/query.h"

namespace banking_test {

inline qint64 scalar(store::Connection& c, const QString& sql) {
    store::Query q(c);
    q.setSql(sql);
    q.open();
    return q.value(0).toLongLong();
}

// Every payment's total is the sum of its lines and its "CHQ" bank row carries minus that (none
// while it has no lines); every line has exactly one journal line of its amount.
inline void expectPaymentsAgree(store::Connection& c) {
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM QVChHdr h WHERE ROUND(h.AMOUNT * 100) <> ROUND(("
                     "SELECT TOTAL(d.TOT_AMT) FROM QVChqDet d WHERE d.CHQBNKCOY = h.CHQBNKCOY)"
                     " * 100)"),
              0)
        << "a payment whose total is not the sum of its lines";
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM QVChHdr h WHERE (SELECT COUNT(*) FROM QVBnkTr t "
                     "WHERE t.TRANNUM = h.TRANNUM AND t.TRANTYPE = 'CHQ' AND t.BANKLINK = "
                     "h.COYCODE || '-' || h.BANKCODE || '-' || h.ACCTCODE AND "
                     "ROUND(t.AMOUNT * 100) = -ROUND(h.AMOUNT * 100)) <> (h.AMOUNT > 0)"),
              0)
        << "a payment without exactly one bank row of minus its total";
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM QVChqDet d WHERE (SELECT COUNT(*) FROM QVActTr a "
                     "WHERE a.REASON = 'CHQ' AND a.TRANNUM = CAST(d.CHEQUENO AS INTEGER) AND "
                     "a.SRCHCODE = d.LINKCODE || '-' || d.ACCTNO || '-' || d.CHEQUENO || '-' "
                     "|| d.LINENO AND ROUND(a.AMOUNT * 100) = ROUND(ABS(d.TOT_AMT) * 100)) <> 1"),
              0)
        << "a payment line without exactly one journal line of its amount";
}

// The books of every bank account agree with themselves.
inline void expectBooksAgree(const QString& folder) {
    store::Connection c;  // a fresh connection, as the next start of the program would open
    c.connectToFolder(folder);
    store::Query q(c);
    q.setSql(QStringList{
        "SELECT b.BANKLINK, CAST(ROUND(b.CURRBAL * 100) AS INTEGER),",
        " CAST(ROUND((b.INITBAL + (SELECT TOTAL(t.AMOUNT) FROM QVBnkTr t",
        "  WHERE t.BANKLINK = b.BANKLINK)) * 100) AS INTEGER),",
        " b.LASTREFNO, (SELECT MAX(t.TRANNUM) FROM QVBnkTr t WHERE t.BANKLINK = b.BANKLINK)",
        "FROM QVBnkAct b"});
    q.open();
    for (; !q.eof(); q.next()) {
        EXPECT_EQ(q.value(1).toLongLong(), q.value(2).toLongLong())
            << "CURRBAL of " << q.text("BANKLINK").toStdString();
        EXPECT_GE(q.value(3).toLongLong(), q.value(4).toLongLong())
            << "LASTREFNO of " << q.text("BANKLINK").toStdString();
    }
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM (SELECT BANKLINK, TRANNUM FROM QVBnkTr "
                     "GROUP BY BANKLINK, TRANNUM HAVING COUNT(*) > 1)"),
              0)
        << "a transaction number is used twice in one account";
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM QVBnkTr t WHERE t.TRANTYPE IN ('DEP','WD','INT','FEES') "
                     "AND (SELECT COUNT(*) FROM QVActTr a WHERE a.BNKTRNLNK = t.BNKTRNLNK || '-1' "
                     "AND ROUND(a.AMOUNT * 100) = ROUND(ABS(t.AMOUNT) * 100)) <> 1"),
              0)
        << "a bank row without exactly one journal line of its amount";
    EXPECT_EQ(scalar(c,
                     "SELECT COUNT(*) FROM QVActTr a WHERE NOT EXISTS (SELECT 1 FROM QVBnkTr t "
                     "WHERE t.BNKTRNLNK || '-1' = a.BNKTRNLNK)"),
              0)
        << "a journal line without its bank row";
    expectPaymentsAgree(c);
    EXPECT_EQ(scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE TRANTYPE = 'TR' AND SOURCEACCT = ''"),
              scalar(c, "SELECT COUNT(*) FROM QVBnkTr WHERE TRANTYPE = 'TR' AND SOURCEACCT <> ''"))
        << "a transfer with one row";
    EXPECT_EQ(ledger::totalsDifferences(c).join('\n').toStdString(), "")
        << "the totals per account and month differ from the lines";
}

}  // namespace banking_test
