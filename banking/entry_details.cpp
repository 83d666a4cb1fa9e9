#include "banking/entry_details.h"

#include "store/error.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

#include <cmath>

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

bool entryHasLines(store::Connection& connection, int coy, const QString& bankCode,
                   const QString& acctNo, qint64 reference)
{
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT REF FROM QVACTTR"),
                         QStringLiteral("WHERE COYCODE =:sCoyCode"),
                         QStringLiteral("AND ") + QLatin1String(kEntryLinesWhere)});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    bindEntryLineKeys(q, bankCode, acctNo, reference, coy);
    q.open();
    return !q.eof();
}

double detailLinesTotal(store::Connection& connection, int coy, const QString& bankCode,
                        const QString& acctNo, qint64 reference)
{
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT TRANTYPE, AMOUNT FROM QVACTTR"),
                         QStringLiteral("WHERE ") + QLatin1String(kEntryLinesWhere)});
    bindEntryLineKeys(q, bankCode, acctNo, reference, coy);
    q.open();
    qint64 cents = 0;
    for (; !q.eof(); q.next()) {
        const QString type = q.text(QStringLiteral("TRANTYPE")).trimmed();
        const qint64 amount = fmt::cents(q.number(QStringLiteral("AMOUNT")));
        if (type == QLatin1String("I")) cents += amount;
        else if (type == QLatin1String("E")) cents -= amount;
    }
    return double(cents) / 100.0;
}

SaveResult removeDetailLine(store::Connection& connection, int coy, const QString& bankCode,
                            const QString& acctNo, qint64 reference, qint64 lineRowId,
                            bool depositsNotOnStatement)
{
    SaveResult result;
    try {
        store::Transaction tx(connection);
        store::Table accounts(connection, QStringLiteral("QVBnkAct.DBF"));
        accounts.setIndexName(QStringLiteral("BANKLINK"));
        accounts.open();
        if (!accounts.findKey(keys::bankAccountLink(coy, bankCode, acctNo))) {
            result.outcome = Outcome::Refused;
            result.problem = Problem::AccountNotFound;
            result.message = problemText(result.problem);
            return result;
        }
        store::Table rows(connection, QStringLiteral("QVBnkTr.DBF"));
        rows.open();
        rows.setFilter(QStringLiteral("BANKLINK = :l AND TRANNUM = :n"),
                       {{"l", keys::bankRowLink(coy, bankCode, acctNo)},
                        {"n", reference}});
        store::Table lines(connection, QStringLiteral("QVActTr.DBF"));
        lines.open();
        const QString entryKey = entryBnkTrnLnk(bankCode, acctNo, reference, coy);
        if (rows.isEmpty() || !lines.gotoRowId(lineRowId) ||
            lines.text(QStringLiteral("BNKTRNLNK")) != keys::cutToWidth(entryKey, keys::kBankEntryKeyWidth)) {
            result.outcome = Outcome::Refused;
            result.problem = Problem::NothingToEdit;
            result.message = problemText(result.problem);
            return result;
        }
        if (rows.integer(QStringLiteral("RECONCILED")) != 0) {
            result.outcome = Outcome::Refused;
            result.problem = Problem::Reconciled;
            result.message = problemText(result.problem);
            return result;
        }
        const double lineAmount = lines.number(QStringLiteral("AMOUNT"));
        const QString searchCode = lines.text(QStringLiteral("SRCHCODE"));

        const double before = rows.number(QStringLiteral("AMOUNT"));
        const double magnitude = fmt::roundTo(std::abs(before) - lineAmount, 2);
        const double after = before < 0 ? -magnitude : magnitude;
        rows.edit();
        rows.setValue(QStringLiteral("AMOUNT"), after);
        rows.post();
        if (!depositsNotOnStatement) {
            // The running balance moves with the row, so the two never disagree.
            accounts.edit();
            accounts.setValue(QStringLiteral("CURRBAL"),
                              fmt::roundTo(accounts.number(QStringLiteral("CURRBAL")) - before + after, 2));
            accounts.post();
        }

        store::Table receipts(connection, QStringLiteral("Tranjou.DBF"));
        receipts.open();
        if (!searchCode.isEmpty() && receipts.locate(QStringLiteral("REF"), searchCode)) {
            receipts.edit();
            receipts.setValue(QStringLiteral("BNKTRNLNK"), QString::fromLatin1(keys::kNoBankEntry));
            receipts.setValue(QStringLiteral("BANKLINK"), QString::fromLatin1(keys::kNoBankEntry));
            receipts.setValue(QStringLiteral("DEPOSITED"), 0);
            receipts.post();
        }
        detachLine(connection, lineRowId);
        if (!entryHasLines(connection, coy, bankCode, acctNo, reference)) {
            rows.refresh();
            rows.edit();
            rows.setValue(QStringLiteral("CSHACCDET"), 0);
            rows.post();
        }
        result.balance = accounts.number(QStringLiteral("CURRBAL"));
        tx.commit();
    } catch (const store::StoreError& e) {
        result.outcome = Outcome::Failed;
        result.message = e.text();
        result.detail = e.text();
    }
    return result;
}

}  // namespace banking
