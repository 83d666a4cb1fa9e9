#include "banking/bank_entry_reads.h"

#include <cmath>

#include "banking/bank_entry_steps.h"
#include "banking/entry_details.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

std::vector<BankAccount> bankAccountsOf(store::Connection& connection, int coy,
                                        AccountOrder order) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT BANKCODE, ACCTNO FROM QVBNKACT"),
                         order == AccountOrder::ByLink
                             ? QStringLiteral("WHERE COYCODE = :sCoyCode ORDER BY BANKLINK, rowid")
                             : QStringLiteral("WHERE COYCODE = :sCoyCode ORDER BY rowid")});
    q.bind(QStringLiteral("sCoyCode"), QString::number(coy));
    q.open();
    std::vector<BankAccount> list;
    for (; !q.eof(); q.next()) {
        if (auto a = findBankAccount(connection, coy, q.text(QStringLiteral("BANKCODE")),
                                     q.text(QStringLiteral("ACCTNO"))))
            list.push_back(*a);
    }
    return list;
}

std::optional<BankAccount> defaultBankAccount(store::Connection& connection, int coy) {
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    t.open();
    t.setFilter(QStringLiteral("COYCODE = :c"), {{QStringLiteral("c"), QString::number(coy)}});
    if (t.isEmpty()) return std::nullopt;
    QString bank = t.text(QStringLiteral("BANKCODE")), acct = t.text(QStringLiteral("ACCTNO"));
    if (t.locate(QStringLiteral("DEFAULT"), 1)) {
        bank = t.text(QStringLiteral("BANKCODE"));
        acct = t.text(QStringLiteral("ACCTNO"));
    }
    return findBankAccount(connection, coy, bank, acct);
}

bool bankExists(store::Connection& connection, const QString& bankCode) {
    const QString code = bankCode.trimmed();
    if (code.isEmpty()) return false;
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT BANKCODE FROM QVBKHDR"),
                         QStringLiteral("WHERE BANKCODE = :sBankCode")});
    q.bind(QStringLiteral("sBankCode"), code);
    q.open();
    return !q.eof();
}

bool referenceInUse(store::Connection& connection, int coy, const QString& bankCode,
                    const QString& acctNo, qint64 reference) {
    return findStoredBankRow(connection, coy, bankCode, acctNo, reference).has_value();
}

double accountRowsTotal(store::Connection& connection, int coy, const QString& bankCode,
                        const QString& acctNo) {
    // The account's totals per month, in cents: a few rows however many the account holds.
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT SUM(AMOUNT) FROM QVBnkTot"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink")});
    q.bind(QStringLiteral("sBankLink"), keys::bankRowLink(coy, bankCode, acctNo));
    q.open();
    return double(q.value(0).toLongLong()) / 100.0;
}

std::optional<LineFigures> entryLineFigures(store::Connection& connection, const QString& linkCode,
                                            const QString& purpose, const QString& bankCode,
                                            const QString& acctNo, qint64 reference) {
    const qint64 id = findEntryLine(connection, entrySearchCode(linkCode, purpose, reference),
                                    bankCode, acctNo, reference);
    if (id == 0) return std::nullopt;
    store::Table lines(connection, QStringLiteral("QVActTr.DBF"));
    lines.open();
    if (!lines.gotoRowId(id)) return std::nullopt;
    return LineFigures{lines.number(QStringLiteral("AMOUNT")),
                       lines.number(QStringLiteral("GSTAMT"))};
}

SaveResult applyDetailsTotal(store::Connection& connection, int coy, const QString& bankCode,
                             const QString& acctNo, qint64 reference, const Confirm& confirm,
                             bool depositsNotOnStatement) {
    const auto row = findStoredBankRow(connection, coy, bankCode, acctNo, reference);
    SaveResult result;
    if (!row || row->reconciled) return result;
    const auto type = entryTypeOfRow(row->tranType);
    if (type != EntryType::Deposit && type != EntryType::Withdrawal) return result;

    const double total = detailLinesTotal(connection, coy, bankCode, acctNo, reference);
    if (fmt::cents(total) == 0)
        return deleteBankEntry(connection, coy, bankCode, acctNo, reference, confirm,
                               depositsNotOnStatement);
    if (fmt::cents(std::abs(total)) == fmt::cents(std::abs(row->amount))) return result;
    BankEntry e;
    e.coy = coy;
    e.bankCode = bankCode;
    e.acctNo = acctNo;
    e.type = *type;
    e.reference = reference;
    e.date = row->date;
    e.amount = std::abs(total);
    e.narrative = row->narrative;
    e.source = QStringLiteral("DETAILS");
    e.hasDetails = true;
    e.depositsNotOnStatement = depositsNotOnStatement;
    return postBankEntry(connection, e, EntryMode::Edit, confirm);
}

}  // namespace banking
