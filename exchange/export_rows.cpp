#include "exchange/export_rows.h"

#include "store/query.h"
#include "store/rowwalk.h"

namespace exchange {
namespace {

// The fields of a record of "NRVExp.txt", which are the first columns of a JournalRow.
constexpr OwnColumn kOwnJournalColumns[] = {
    {"D.ACCTCODE", OwnField::Text},   {"D.REF", OwnField::Text},
    {"D.SUPPCODE", OwnField::Text},   {"D.CLIENTCODE", OwnField::Text},
    {"D.GSTTYPE", OwnField::Text},    {"D.LINENO", OwnField::Whole},
    {"D.BANKACCT", OwnField::Text},   {"D.DESC", OwnField::Text},
    {"D.AMOUNT", OwnField::Number},   {"D.BUSAMT", OwnField::Number},
    {"D.ZERORATED", OwnField::Whole}, {"D.GSTAMT", OwnField::Number},
    {"D.GSTDATE", OwnField::Date},    {"D.TRANNUM", OwnField::WholeNumber},
    {"D.TRANDATE", OwnField::Date},   {"D.HASBNKACCT", OwnField::Whole},
    {"D.TRANTYPE", OwnField::Text},   {"D.SPLITDEST", OwnField::Text},
    {"D.SPLITSOURC", OwnField::Text}, {"D.REASON", OwnField::Text},
    {"D.CLIJOBNO", OwnField::Text}};
// The fields of a record of "NRVBnk.txt", the columns of a BankTranRow.
constexpr OwnColumn kOwnBankColumns[] = {
    {"A.BANKCODE", OwnField::Text},       {"A.BANKACCT", OwnField::Text},
    {"A.SOURCE", OwnField::Text},         {"A.DESTBANK", OwnField::Text},
    {"A.DESTACCT", OwnField::Text},       {"A.SOURCEBANK", OwnField::Text},
    {"A.SOURCEACCT", OwnField::Text},     {"A.REASON", OwnField::Text},
    {"A.AMOUNT", OwnField::Number},       {"A.CONFIRMED", OwnField::Whole},
    {"A.RECONCILED", OwnField::Whole},    {"A.TRANDATE", OwnField::QuotedDate},
    {"A.TRANNUM", OwnField::WholeNumber}, {"A.TRANTYPE", OwnField::Text},
    {"A.TRANREF", OwnField::Text},        {"A.CSHACCDET", OwnField::Whole}};

QString selectListOf(std::span<const OwnColumn> columns) {
    QStringList names;
    for (const OwnColumn& c : columns) names << QLatin1String(c.column);
    return names.join(QLatin1String(", "));
}

const QString& journalSelectList() {
    static const QString list =
        selectListOf(kOwnJournalColumns) + QLatin1String(", A.EXPCODE, A.DOMESTIC, A.ALLOCPER");
    return list;
}

// A selected row's values by column number, from a query or from a walk that keeps no rows.
QVariant rowValueAt(const store::Query& q, int i) { return q.value(i); }
QVariant rowValueAt(const std::vector<QVariant>& row, int i) { return row[size_t(i)]; }

template <typename Row>
QString rowTextAt(const Row& q, int i) {
    return withoutTrailingBlanks(rowValueAt(q, i).toString());
}
// A stored date, "yyyy-MM-dd", read without the general parser: two per exported line.
QDate isoDateOf(const QString& s) {
    if (s.size() != 10 || s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-')) return {};
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int k = 0; k < 3; ++k)
        for (int i = starts[k]; i < starts[k] + lengths[k]; ++i) {
            const char16_t c = s.at(i).unicode();
            if (c < u'0' || c > u'9') return {};
            parts[k] = parts[k] * 10 + (c - u'0');
        }
    return QDate(parts[0], parts[1], parts[2]);  // invalid for a day that does not exist
}

template <typename Row>
QDate rowDateAt(const Row& q, int i) {
    return isoDateOf(rowValueAt(q, i).toString());
}
template <typename Row>
int rowIntAt(const Row& q, int i) {
    return rowValueAt(q, i).toInt();
}
template <typename Row>
double rowNumberAt(const Row& q, int i) {
    return rowValueAt(q, i).toDouble();
}

template <typename Row>
JournalRow journalRowOf(const Row& q) {
    JournalRow j;
    j.acctCode = rowTextAt(q, 0);
    j.ref = rowTextAt(q, 1);
    j.suppCode = rowTextAt(q, 2);
    j.clientCode = rowTextAt(q, 3);
    j.gstType = rowTextAt(q, 4);
    j.lineNo = rowIntAt(q, 5);
    j.bankAcct = rowTextAt(q, 6);
    j.desc = rowTextAt(q, 7);
    j.amount = rowNumberAt(q, 8);
    j.busAmt = rowNumberAt(q, 9);
    j.zeroRated = rowIntAt(q, 10);
    j.gstAmt = rowNumberAt(q, 11);
    j.gstDate = rowDateAt(q, 12);
    j.tranNum = rowValueAt(q, 13).toLongLong();
    j.tranDate = rowDateAt(q, 14);
    j.hasBnkAcct = rowIntAt(q, 15);
    j.tranType = rowTextAt(q, 16);
    j.splitDest = rowTextAt(q, 17);
    j.splitSourc = rowTextAt(q, 18);
    j.reason = rowTextAt(q, 19);
    j.cliJobNo = rowTextAt(q, 20);
    j.expCode = rowTextAt(q, 21);
    j.domestic = rowIntAt(q, 22) == 1;
    j.allocPer = rowIntAt(q, 23);
    return j;
}

template <typename Row>
BankTranRow bankTranRowOf(const Row& q) {
    BankTranRow b;
    b.bankCode = rowTextAt(q, 0);
    b.bankAcct = rowTextAt(q, 1);
    b.source = rowTextAt(q, 2);
    b.destBank = rowTextAt(q, 3);
    b.destAcct = rowTextAt(q, 4);
    b.sourceBank = rowTextAt(q, 5);
    b.sourceAcct = rowTextAt(q, 6);
    b.reason = rowTextAt(q, 7);
    b.amount = rowNumberAt(q, 8);
    b.confirmed = rowIntAt(q, 9);
    b.reconciled = rowIntAt(q, 10);
    b.tranDate = rowDateAt(q, 11);
    b.tranNum = rowValueAt(q, 12).toLongLong();
    b.tranType = rowTextAt(q, 13);
    b.tranRef = rowTextAt(q, 14);
    b.cshAccDet = rowIntAt(q, 15);
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

// The company code is compared with a unary plus so that the engine reads the date range by its
// index instead of every row of the company; a year of a large book is a fraction of it.
const char* const kJournalWhere =
    " WHERE +D.COYCODE = :iCoyCode AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)";
const char* const kBankWhere =
    " WHERE +A.COYCODE = :iCoyCode AND (A.SOURCE <> 'TRNFR' OR :withTransfers = 1)"
    " AND (A.TRANDATE BETWEEN :StartDate AND :EndDate)";

QVariantMap exportRangeParams(const ExportRange& r, bool coyAsText) {
    return {{QStringLiteral("iCoyCode"),
             coyAsText ? QVariant(QString::number(r.coy)) : QVariant(r.coy)},
            {QStringLiteral("StartDate"), r.start},
            {QStringLiteral("EndDate"), r.end}};
}

QVariantMap transferParam(Transfers t) {
    return {{QStringLiteral("withTransfers"), t == Transfers::Included ? 1 : 0}};
}

// The journal lines of the range in one sorted pass; the plus on TRANNUM keeps the engine from
// walking the whole table in TRANNUM order to spare the sort.
QString journalWalkSql(const QString& selectList, const char* join) {
    return QStringLiteral("SELECT %1 FROM QVACTTR D%2%3 ORDER BY +D.TRANNUM, D.rowid")
        .arg(selectList, QLatin1String(join), QLatin1String(kJournalWhere));
}

QString bankWalkSql() {
    return QStringLiteral("SELECT %1 FROM QVBNKTR A%2 ORDER BY +A.TRANNUM, A.TRANDATE, A.rowid")
        .arg(selectListOf(kOwnBankColumns), QLatin1String(kBankWhere));
}

}  // namespace

std::span<const OwnColumn> ownJournalColumns() { return kOwnJournalColumns; }
std::span<const OwnColumn> ownBankColumns() { return kOwnBankColumns; }

void forEachOwnJournalRow(store::Connection& c, const ExportRange& r,
                          const std::function<void(const store::RowView&)>& fn) {
    // No ledger account fields: the own format has none.
    store::walkRows(c, journalWalkSql(selectListOf(kOwnJournalColumns), ""),
                    exportRangeParams(r, true), fn);
}

void forEachOwnBankRow(store::Connection& c, const ExportRange& r,
                       const std::function<void(const store::RowView&)>& fn) {
    QVariantMap params = exportRangeParams(r, false);
    params.insert(transferParam(Transfers::Included));
    store::walkRows(c, bankWalkSql(), params, fn);
}

qint64 countJournalRows(store::Connection& c, const ExportRange& r) {
    return countExportRows(
        c, QStringLiteral("SELECT COUNT(*) FROM QVACTTR D") + QLatin1String(kJournalWhere), r,
        true);
}

void forEachJournalRow(store::Connection& c, const ExportRange& r,
                       const std::function<void(const JournalRow&)>& fn) {
    // Walked without keeping its rows.
    const QString sql =
        journalWalkSql(journalSelectList(), " LEFT JOIN QVACCDET A ON A.FULLCODE = D.FULLCODE");
    store::forEachRow(c, sql, exportRangeParams(r, true),
                      [&](const std::vector<QVariant>& row) { fn(journalRowOf(row)); });
}

qint64 countBankTranRows(store::Connection& c, const ExportRange& r, Transfers transfers) {
    return countExportRows(
        c, QStringLiteral("SELECT COUNT(*) FROM QVBNKTR A") + QLatin1String(kBankWhere), r, false,
        transferParam(transfers));
}

void forEachBankTranRow(store::Connection& c, const ExportRange& r,
                        const std::function<void(const BankTranRow&)>& fn, Transfers transfers) {
    QVariantMap params = exportRangeParams(r, false);
    params.insert(transferParam(transfers));
    store::forEachRow(c, bankWalkSql(), params,
                      [&](const std::vector<QVariant>& row) { fn(bankTranRowOf(row)); });
}

std::vector<JournalRow> journalRowsOfBankTran(store::Connection& c, const ExportRange& r,
                                              const QString& bankAcct, qint64 tranNum) {
    store::Query q(c);
    q.setSql(QStringLiteral("SELECT %1 FROM QVACTTR D, QVACCDET A"
                            " WHERE D.COYCODE = :iCoyCode AND D.BANKACCT = :sBankCode"
                            " AND A.FULLCODE = D.FULLCODE AND D.TRANNUM = :iTranNum"
                            " AND (D.TRANDATE BETWEEN :StartDate AND :EndDate)"
                            " ORDER BY D.TRANDATE")
                 .arg(journalSelectList()));
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
