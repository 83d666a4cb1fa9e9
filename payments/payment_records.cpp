#include "payments/payment_records.h"

#include "payments/suppliers.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"

namespace payments {

namespace keys = store::keys;

QString payTypeCode(PayType type) {
    switch (type) {
        case PayType::Cheque:
            return QStringLiteral("CHQ");
        case PayType::Electronic:
            return QStringLiteral("EDI");
        case PayType::Cash:
            return QStringLiteral("CSH");
    }
    return {};
}

PayType payTypeOf(const QString& code) {
    const QString c = code.trimmed();
    if (c == QLatin1String("CHQ")) return PayType::Cheque;
    if (c == QLatin1String("EDI")) return PayType::Electronic;
    return PayType::Cash;
}

QString bankRowSource(PayType type) {
    switch (type) {
        case PayType::Cheque:
            return QStringLiteral("CHEQUE");
        case PayType::Electronic:
            return QStringLiteral("EDI");
        case PayType::Cash:
            return QStringLiteral("CASH");
    }
    return {};
}

QString PaymentSupplier::nameLine() const {
    if (!regular) return QStringLiteral("Miscellaneous supplier.");
    if (gstRegistered) return busName;
    return busName + QStringLiteral(" ") + QStringLiteral("is not G.S.T. registered.");
}

PaymentSupplier resolvePaymentSupplier(store::Connection& connection, int coy,
                                       const QString& boxText) {
    PaymentSupplier s;
    s.boxText = boxText.trimmed();
    s.code = QString::fromLatin1(keys::kMiscSupplier);
    const auto found = findSupplier(connection, coy, s.boxText);
    if (!found) return s;
    s.regular = true;
    s.code = found->details.suppCode.trimmed();
    s.busName = found->details.busName.trimmed();
    s.gstRegistered = found->details.gstReg;
    return s;
}

QString PaymentHeader::key() const {
    return keys::paymentKey(QString::number(tranNum), acctNo, coy);
}

namespace {

PaymentHeader readHeader(const store::Query& q) {
    PaymentHeader h;
    h.rowId = q.value(0).toLongLong();
    h.coy = q.text(QStringLiteral("COYCODE")).trimmed().toInt();
    h.tranNum = q.integer(QStringLiteral("TRANNUM"));
    h.chequeNo = q.text(QStringLiteral("CHEQUENO")).trimmed();
    h.type = payTypeOf(q.text(QStringLiteral("PAYTYPE")));
    h.bankCode = q.text(QStringLiteral("BANKCODE")).trimmed();
    h.acctNo = q.text(QStringLiteral("ACCTCODE")).trimmed();
    h.supplierText = q.text(QStringLiteral("SUPPLIER")).trimmed();
    h.regular = q.text(QStringLiteral("SUPPTYPE")).trimmed() == QLatin1String("REG");
    h.date = q.date(QStringLiteral("CHQDATE"));
    h.amount = q.number(QStringLiteral("AMOUNT"));
    h.gstAmt = q.number(QStringLiteral("GSTAMT"));
    h.numLines = int(q.integer(QStringLiteral("NUMLINES")));
    h.confirmed = q.integer(QStringLiteral("CONFIRMED")) != 0;
    h.gstCalc = q.integer(QStringLiteral("GSTCALC")) != 0;
    return h;
}

std::optional<PaymentHeader> readPaymentWhere(store::Connection& connection, const QString& where,
                                              const QVariantMap& params) {
    store::Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT rowid, COYCODE, TRANNUM, CHEQUENO, PAYTYPE, BANKCODE, ACCTCODE,"),
        QStringLiteral(
            " SUPPLIER, SUPPTYPE, CHQDATE, AMOUNT, GSTAMT, NUMLINES, CONFIRMED, GSTCALC"),
        QStringLiteral("FROM QVCHHDR WHERE ") + where, QStringLiteral("ORDER BY rowid LIMIT 1")});
    for (auto it = params.begin(); it != params.end(); ++it) q.bind(it.key(), it.value());
    q.open();
    if (q.eof()) return std::nullopt;
    return readHeader(q);
}

}  // namespace

std::optional<PaymentHeader> findPayment(store::Connection& connection, int coy, qint64 tranNum) {
    return readPaymentWhere(connection,
                            QStringLiteral("COYCODE = :sCoyCode AND TRANNUM = :iTranNum"),
                            {{QStringLiteral("sCoyCode"), QString::number(coy)},
                             {QStringLiteral("iTranNum"), tranNum}});
}

std::optional<PaymentHeader> findPaymentAtRow(store::Connection& connection, qint64 rowId) {
    return readPaymentWhere(connection, QStringLiteral("rowid = :iRowId"),
                            {{QStringLiteral("iRowId"), rowId}});
}

std::vector<PaymentRef> paymentRefs(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT rowid, TRANNUM FROM QVCHHDR"),
                         QStringLiteral("WHERE COYCODE = :sCoyCode ORDER BY rowid")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.open();
    std::vector<PaymentRef> out;
    for (; !q.eof(); q.next()) out.push_back({q.value(0).toLongLong(), q.value(1).toLongLong()});
    return out;
}

QString PaymentLine::searchCodeFor(const QString& paymentNumber) const {
    return keys::paymentLineSearchCode(linkCode, acctNo, paymentNumber, lineNo);
}

std::vector<PaymentLine> paymentLines(store::Connection& connection, const QString& paymentKey) {
    store::Query q(connection);
    q.setSql(QStringList{
        QStringLiteral("SELECT rowid, LINENO, LINKCODE, ACCTNO, NARRATIVE, TOT_AMT, GSTAMT,"),
        QStringLiteral(" GSTCALC, CHEQUENO FROM QVCHQDET WHERE CHQBNKCOY = :sKey ORDER BY rowid")});
    q.bind(QStringLiteral("sKey"), keys::cutToWidth(paymentKey, keys::kPaymentKeyWidth));
    q.open();
    std::vector<PaymentLine> out;
    for (; !q.eof(); q.next()) {
        PaymentLine l;
        l.rowId = q.value(0).toLongLong();
        l.lineNo = int(q.integer(QStringLiteral("LINENO")));
        l.linkCode = q.text(QStringLiteral("LINKCODE")).trimmed();
        l.acctNo = q.text(QStringLiteral("ACCTNO")).trimmed();
        l.narrative = q.text(QStringLiteral("NARRATIVE"));
        l.totAmt = q.number(QStringLiteral("TOT_AMT"));
        l.gstAmt = q.number(QStringLiteral("GSTAMT"));
        l.gstCalc = int(q.integer(QStringLiteral("GSTCALC")));
        l.number = q.text(QStringLiteral("CHEQUENO")).trimmed();
        out.push_back(l);
    }
    return out;
}

double accountPaymentsTotal(store::Connection& connection, int coy, const QString& acctNo) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT SUM(C.AMOUNT) FROM QVCHHDR C"),
                         QStringLiteral("WHERE C.COYCODE =:iCoyCode "),
                         QStringLiteral("AND C.ACCTCODE =:sBankAcct")});
    q.bind(QStringLiteral("iCoyCode"), QString::number(coy));
    q.bind(QStringLiteral("sBankAcct"), acctNo.trimmed());
    q.open();
    return q.eof() ? 0.0 : store::fmt::roundTo(q.number(0), 2);
}

}  // namespace payments
