#include "banking/bank_statement.h"

#include <cmath>

#include "reports/company.h"
#include "store/format.h"
#include "store/query.h"

namespace banking {

namespace fmt = store::fmt;

namespace {

StatementRow statementRowOf(const store::Query& q) {
    StatementRow r;
    r.date = q.date(QStringLiteral("TRANDATE"));
    r.tranNum = q.integer(QStringLiteral("TRANNUM"));
    r.reason = q.text(QStringLiteral("REASON")).trimmed();
    r.source = q.text(QStringLiteral("SOURCE")).trimmed();
    const qint64 cents = fmt::cents(q.number(QStringLiteral("AMOUNT")));
    if (cents < 0) r.debit = -cents;
    if (cents > 0) r.credit = cents;
    return r;
}

void readStatementAccount(store::Connection& connection, int coy, BankStatement& s) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT \"DESC\", BANKCODE FROM QVBNKACT"),
                         QStringLiteral("WHERE COYCODE = :iCoycode AND ACCTNO = :sAcctNo")});
    q.bind(QStringLiteral("iCoycode"), QString::number(coy));
    q.bind(QStringLiteral("sAcctNo"), s.acctNo);
    q.open();
    if (q.eof()) return;
    s.desc = q.text(QStringLiteral("DESC")).trimmed();
    s.bankCode = q.text(QStringLiteral("BANKCODE")).trimmed();
}

}  // namespace

QDate statementDefaultFrom(const QDate& today) { return fmt::financialYearStart(today); }

BankStatement bankStatement(store::Connection& connection, int coy, const QString& acctNo,
                            const QDate& from, const QDate& to) {
    BankStatement s;
    s.busName = reports::companyName(connection, coy).trimmed();
    s.acctNo = acctNo.trimmed();
    s.from = from;
    s.to = to;
    readStatementAccount(connection, coy, s);

    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("select * from QVBNKTR D, QVBNKACT A"),
                         QStringLiteral("where A.COYCODE =:iCoycode"),
                         QStringLiteral("and A.ACCTNO =:sAcctNo"),
                         QStringLiteral("and D.BANKACCT = A.ACCTNO"),
                         QStringLiteral("and (D.TRANDATE between :StartDate and :EndDate)"),
                         QStringLiteral("order by D.TRANDATE")});
    q.bind(QStringLiteral("iCoycode"), QString::number(coy));
    q.bind(QStringLiteral("sAcctNo"), s.acctNo);
    q.bind(QStringLiteral("StartDate"), from);
    q.bind(QStringLiteral("EndDate"), to);
    q.open();
    for (; !q.eof(); q.next()) {
        s.rows.push_back(statementRowOf(q));
        s.debitTotal += s.rows.back().debit;
        s.creditTotal += s.rows.back().credit;
    }
    return s;
}

QString statementMoney(qint64 cents) {
    return QStringLiteral("$") + fmt::money(double(std::llabs(cents)) / 100.0);
}

}  // namespace banking
