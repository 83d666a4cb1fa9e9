#include "payments/cheque_choice.h"

#include "store/format.h"
#include "store/query.h"

namespace payments {

namespace {

ChequeSummary readSummary(const store::Query& q) {
    ChequeSummary s;
    s.tranNum = q.integer(QStringLiteral("TRANNUM"));
    s.supplier = q.text(QStringLiteral("SUPPLIER")).trimmed();
    s.cliCode = q.text(QStringLiteral("CLICODE")).trimmed();
    s.amount = q.number(QStringLiteral("AMOUNT"));
    s.date = q.date(QStringLiteral("CHQDATE"));
    return s;
}

// The first of the company's payments matching `where`, in the order they were entered.
std::optional<ChequeSummary> firstChequeWhere(store::Connection& connection, int coy,
                                              const QString& where, const QString& name,
                                              const QVariant& value) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT TRANNUM, SUPPLIER, CLICODE, AMOUNT, CHQDATE"),
                         QStringLiteral("FROM QVCHHDR WHERE COYCODE =:sCoyCode") + where,
                         QStringLiteral("ORDER BY rowid LIMIT 1")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    if (!name.isEmpty()) q.bind(name, value);
    q.open();
    if (q.eof()) return std::nullopt;
    return readSummary(q);
}

}  // namespace

bool companyHasPayments(store::Connection& connection, int coy) {
    return firstPaymentNumber(connection, coy).has_value();
}

std::optional<ChequeSummary> findChequeSummary(store::Connection& connection, int coy,
                                               qint64 tranNum) {
    return firstChequeWhere(connection, coy, QStringLiteral(" AND TRANNUM =:iTranNum"),
                            QStringLiteral("iTranNum"), tranNum);
}

std::optional<ChequeSummary> chequeNamedBy(store::Connection& connection, int coy,
                                           const QString& numberText) {
    bool ok = false;
    const qint64 number = numberText.trimmed().toLongLong(&ok);
    if (!ok) return std::nullopt;
    return findChequeSummary(connection, coy, number);
}

std::optional<qint64> firstPaymentNumber(store::Connection& connection, int coy) {
    const auto first = firstChequeWhere(connection, coy, QString(), QString(), {});
    if (!first) return std::nullopt;
    return first->tranNum;
}

std::optional<qint64> firstPaymentOfSupplier(store::Connection& connection, int coy,
                                             const QString& suppCode) {
    const auto first = firstChequeWhere(connection, coy, QStringLiteral(" AND SUPPLIER =:sSupp"),
                                        QStringLiteral("sSupp"), suppCode.trimmed());
    if (!first) return std::nullopt;
    return first->tranNum;
}

QString firstSupplierCode(store::Connection& connection, int coy) {
    store::Query q(connection);
    q.setSql(
        QStringLiteral("SELECT SUPPCODE FROM QVSUPP WHERE COYNO =:iCoyCode ORDER BY rowid "
                       "LIMIT 1"));
    q.bind(QStringLiteral("iCoyCode"), coy);
    q.open();
    return q.eof() ? QString() : q.text(QStringLiteral("SUPPCODE")).trimmed();
}

QString chequeDescription(const std::optional<ChequeSummary>& payment) {
    if (!payment) return chequeNotFoundText();
    const QString tail =
        QStringLiteral(" ") + QStringLiteral(" On : ") + store::fmt::shortDate(payment->date);
    const QString amount = store::fmt::money(payment->amount);
    if (!payment->supplier.isEmpty())
        return QStringLiteral("Supplier : ") + payment->supplier + QStringLiteral(" Amount ") +
               amount + tail;
    if (!payment->cliCode.isEmpty())
        return QStringLiteral("Refund : ") + payment->cliCode + QStringLiteral(" Amount ") +
               amount + tail;
    return QStringLiteral("Cheque for : ") + amount + tail;
}

ChequeOutput chequeOutput(bool hasPayments, bool specificPayment, bool displayDetails) {
    if (!hasPayments) return ChequeOutput::NoCheques;
    if (!specificPayment) return ChequeOutput::DateRangeReport;
    return displayDetails ? ChequeOutput::PaymentReport : ChequeOutput::ChequePrint;
}

QString chequesNoneText() { return QStringLiteral("This Company has no cheques."); }
QString chequesNoneForAccountText() { return QStringLiteral("This bank account has no cheques."); }
QString chequeNotFoundText() { return QStringLiteral("Cannot find cheque."); }
QString supplierNotFoundText() { return QStringLiteral("Cannot find this supplier."); }

}  // namespace payments
