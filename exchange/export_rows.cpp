#include "exchange/export_rows.h"

#include "store/query.h"

namespace exchange {
namespace {

constexpr int kPageRows = 20000;

const char* const kJournalColumns =
    "D.ACCTCODE, D.REF, D.SUPPCODE, D.CLIENTCODE, D.GSTTYPE, D.LINENO, D.BANKACCT, D.DESC, "
    "D.AMOUNT, D.BUSAMT, D.ZERORATED, D.GSTAMT, D.GSTDATE, D.TRANNUM, D.TRANDATE, D.HASBNKACCT, "
    "D.TRANTYPE, D.SPLITDEST, D.SPLITSOURC, D.REASON, D.CLIJOBNO, A.EXPCODE, A.DOMESTIC, "
    "A.ALLOCPER";

QString rowTextAt(const store::Query& q, int i) {
    return withoutTrailingBlanks(q.value(i).toString());
}

QDate rowDateAt(const store::Query& q, int i) {
    return QDate::fromString(q.value(i).toString(), Qt::ISODate);
}

JournalRow journalRowOf(const store::Query& q) {
    JournalRow j;
    j.acctCode = rowTextAt(q, 0);
    j.ref = rowTextAt(q, 1);
    j.suppCode = rowTextAt(q, 2);
    j.clientCode = rowTextAt(q, 3);
    j.gstType = rowTextAt(q, 4);
    j.lineNo = q.value(5).toInt();
    j.bankAcct = rowTextAt(q, 6);
    j.desc = rowTextAt(q, 7);
    j.amount = q.number(8);
    j.busAmt = q.number(9);
    j.zeroRated = q.value(10).toInt();
    j.gstAmt = q.number(11);
    j.gstDate = rowDateAt(q, 12);
    j.tranNum = q.value(13).toLongLong();
    j.tranDate = rowDateAt(q, 14);
    j.hasBnkAcct = q.value(15).toInt();
    j.tranType = rowTextAt(q, 16);
    j.splitDest = rowTextAt(q, 17);
    j.splitSourc = rowTextAt(q, 18);
    j.reason = rowTextAt(q, 19);
    j.cliJobNo = rowTextAt(q, 20);
    j.expCode = rowTextAt(q, 21);
    j.domestic = q.value(22).toInt() == 1;
    j.allocPer = q.value(23).toInt();
    return j;
}

BankTranRow bankTranRowOf(const store::Query& q) {
    BankTranRow b;
    b.bankCode = rowTextAt(q, 0);
    b.bankAcct = rowTextAt(q, 1);
    b.source = rowTextAt(q, 2);
    b.destBank = rowTextAt(q, 3);
    b.destAcct = rowTextAt(q, 4);
    b.sourceBank = rowTextAt(q, 5);
    b.sourceAcct = rowTextAt(q, 6);
    b.reason = rowTextAt(q, 7);
    b.amount = q.number(8);
    b.confirmed = q.value(9).toInt();
    b.reconciled = q.value(10).toInt();
    b.tranDate = rowDateAt(q, 11);
    b.tranNum = q.value(12).toLongLong();
    b.tranType = rowTextAt(q, 13);
    b.tranRef = rowTextAt(q, 14);
    b.cshAccDet = q.value(15).toInt();
    return b;
}

void bindExportRange(store::Query& q, const ExportRange& r, bool coyAsText) {
    q.bind(QStringLiteral("iCoyCode"),
           coyAsText ? QVariant(QString::number(r.coy)) : QVariant(r.coy));
    q.bind(QStringLiteral("StartDate"), r.start);
    q.bind(QStringLiteral("EndDate"), r.end);
}

qint64 countExportRows(store::Connection& c, const QString& sql, const ExportRange& r,
                       bool coyAsText, const QVariantMap& more = {}) {
    store::Query q(c);
    q.setSql(sql);
    bindExportRange(q, r, coyAsText);
    for (auto it = more.cbegin(); it != more.cend(); ++it) q.bind(it.key(), it.value());
    q.open();
    return q.value(0).toLongLong();
}

const char* const kJournalWhere =
    " WHERE D.COYCODE = :iCoyCode AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)";
const char* const kBankWhere =
    " WHERE A.COYCODE = :iCoyCode AND (A.SOURCE <> 'TRNFR' OR :withTransfers = 1)"
    " AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)";

QVariantMap transferParam(Transfers t) {
    return {{QStringLiteral("withTransfers"), t == Transfers::Included ? 1 : 0}};
}

}  // namespace

qint64 countJournalRows(store::Connection& c, const ExportRange& r) {
    return countExportRows(
        c, QStringLiteral("SELECT COUNT(*) FROM QVACTTR D") + QLatin1String(kJournalWhere), r,
        true);
}

void forEachJournalRow(store::Connection& c, const ExportRange& r,
                       const std::function<void(const JournalRow&)>& fn) {
    // Keyset pages over (TRANNUM, rowid): each page starts where the last one ended.
    const QString sql = QStringLiteral(
                            "SELECT %1, D.rowid FROM QVACTTR D"
                            " LEFT JOIN QVACCDET A ON A.FULLCODE = D.FULLCODE%2"
                            " AND (D.TRANNUM, D.rowid) > (:lastNum, :lastRow)"
                            " ORDER BY D.TRANNUM, D.rowid LIMIT %3")
                            .arg(QLatin1String(kJournalColumns), QLatin1String(kJournalWhere))
                            .arg(kPageRows);
    qint64 lastNum = std::numeric_limits<qint64>::min(), lastRow = 0;
    for (;;) {
        store::Query q(c);
        q.setSql(sql);
        bindExportRange(q, r, true);
        q.bind(QStringLiteral("lastNum"), lastNum);
        q.bind(QStringLiteral("lastRow"), lastRow);
        q.open();
        int rows = 0;
        for (q.first(); !q.eof(); q.next(), ++rows) {
            const JournalRow j = journalRowOf(q);
            lastNum = j.tranNum;
            lastRow = q.value(24).toLongLong();
            fn(j);
        }
        if (rows < kPageRows) return;
    }
}

qint64 countBankTranRows(store::Connection& c, const ExportRange& r, Transfers transfers) {
    return countExportRows(
        c, QStringLiteral("SELECT COUNT(*) FROM QVBNKTR A") + QLatin1String(kBankWhere), r, false,
        transferParam(transfers));
}

void forEachBankTranRow(store::Connection& c, const ExportRange& r,
                        const std::function<void(const BankTranRow&)>& fn, Transfers transfers) {
    const QString sql =
        QStringLiteral(
            "SELECT A.BANKCODE, A.BANKACCT, A.SOURCE, A.DESTBANK, A.DESTACCT,"
            " A.SOURCEBANK, A.SOURCEACCT, A.REASON, A.AMOUNT, A.CONFIRMED,"
            " A.RECONCILED, A.TRANDATE, A.TRANNUM, A.TRANTYPE, A.TRANREF, A.CSHACCDET,"
            " A.rowid FROM QVBNKTR A%1"
            " AND (A.TRANNUM, A.TRANDATE, A.rowid) > (:lastNum, :lastDate, :lastRow)"
            " ORDER BY A.TRANNUM, A.TRANDATE, A.rowid LIMIT %2")
            .arg(QLatin1String(kBankWhere))
            .arg(kPageRows);
    qint64 lastNum = std::numeric_limits<qint64>::min(), lastRow = 0;
    QString lastDate;
    for (;;) {
        store::Query q(c);
        q.setSql(sql);
        bindExportRange(q, r, false);
        q.bind(QStringLiteral("withTransfers"), transferParam(transfers).first());
        q.bind(QStringLiteral("lastNum"), lastNum);
        q.bind(QStringLiteral("lastDate"), lastDate);
        q.bind(QStringLiteral("lastRow"), lastRow);
        q.open();
        int rows = 0;
        for (q.first(); !q.eof(); q.next(), ++rows) {
            const BankTranRow b = bankTranRowOf(q);
            lastNum = b.tranNum;
            lastDate = q.value(11).toString();
            lastRow = q.value(16).toLongLong();
            fn(b);
        }
        if (rows < kPageRows) return;
    }
}

std::vector<JournalRow> journalRowsOfBankTran(store::Connection& c, const ExportRange& r,
                                              const QString& bankAcct, qint64 tranNum) {
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT %1 FROM QVACTTR D, QVACCDET A"
                            " WHERE D.COYCODE = :iCoyCode AND D.BANKACCT = :sBankCode"
                            " AND A.FULLCODE = D.FULLCODE AND D.TRANNUM = :iTranNum"
                            " AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)"
                            " ORDER BY D.TRANDATE")
                 .arg(QLatin1String(kJournalColumns)));
    bindExportRange(q, r, true);
    q.bind(QStringLiteral("sBankCode"), bankAcct);
    q.bind(QStringLiteral("iTranNum"), tranNum);
    q.open();
    std::vector<JournalRow> rows;
    for (q.first(); !q.eof(); q.next()) rows.push_back(journalRowOf(q));
    return rows;
}

std::vector<PaymentRow> paymentRows(store::Connection& c, const ExportRange& r) {
    store::Query q(c);
    q.setSql(QStringList{
        QStringLiteral("SELECT C.CHEQUENO, C.CHQDATE, C.AMOUNT, C.CHQBNKCOY FROM QVCHHDR C"),
        QStringLiteral("WHERE C.COYCODE =:iCoyCode"),
        QStringLiteral("AND (C.CHQDATE BETWEEN :StartDate AND :EndDate)"),
        QStringLiteral("ORDER BY C.CHQDATE")});
    bindExportRange(q, r, true);
    q.open();
    std::vector<PaymentRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.push_back({rowTextAt(q, 0), rowTextAt(q, 3), rowDateAt(q, 1), q.number(2)});
    return rows;
}

std::vector<PaymentLineRow> paymentLineRows(store::Connection& c, int coy,
                                            const QString& paymentKey) {
    store::Query q(c);
    // The ledger account only has to exist: one line per payment line, however many
    // departments carry an account of that code.
    q.setSql(
        QStringLiteral("SELECT D.CHEQUENO, D.CHQDATE, D.TOT_AMT, D.GSTAMT, D.NARRATIVE, D.ACCTNO"
                       " FROM QVCHQDET D WHERE D.COYCODE = :iCoyCode AND D.CHQBNKCOY = :sKey"
                       " AND EXISTS (SELECT 1 FROM QVACCDET A WHERE A.COYCODE = :sCoyCode"
                       " AND A.ACCTCODE = D.ACCTNO) ORDER BY D.LINENO"));
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sKey"), paymentKey);
    q.open();
    std::vector<PaymentLineRow> rows;
    for (q.first(); !q.eof(); q.next())
        rows.push_back({rowTextAt(q, 0), rowDateAt(q, 1), q.number(2), q.number(3), rowTextAt(q, 4),
                        rowTextAt(q, 5)});
    return rows;
}

}  // namespace exchange
