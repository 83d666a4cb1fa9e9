#include "banking/reconciliation.h"

#include <cmath>

#include "banking/bank_entry_reads.h"
#include "store/format.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

namespace {

const QString kChequeRow = QStringLiteral("CHQ");

// The account's QVBnkAct row, positioned, or false.
bool seekReconciledAccount(store::Table& t, int coy, const QString& bankCode,
                           const QString& acctNo) {
    t.setIndexName(QStringLiteral("BANKLINK"));
    if (!t.isOpen()) t.open();
    return t.findKey(keys::bankAccountLink(coy, bankCode, acctNo));
}

qint64 presentedCents(store::Connection& connection, const QString& bankLink) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT SUM(ROUND(AMOUNT * 100)) FROM QVBNKTR"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink AND RECONCILED = 0"),
                         QStringLiteral("AND CONFIRMED = 1")});
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.open();
    return std::llround(q.number(0));
}

// Mirrors a "CHQ" row's mark onto its payment header, when there is one.
void markPaymentHeader(store::Connection& connection, int coy, qint64 tranNum, int confirmed) {
    store::Table headers(connection, QStringLiteral("QVChHdr.DBF"));
    headers.open();
    headers.setFilter(QStringLiteral("COYCODE = :sCoyCode AND TRANNUM = :iTranNum"),
                      {{QStringLiteral("sCoyCode"), QString::number(coy)},
                       {QStringLiteral("iTranNum"), tranNum}});
    headers.first();
    while (headers.hasRecord()) {
        if (headers.integer(QStringLiteral("CONFIRMED")) != confirmed) {
            headers.edit();
            headers.setValue(QStringLiteral("CONFIRMED"), confirmed);
            headers.post();
        }
        headers.next();
        if (headers.eof()) break;  // next() stays on the last header
    }
}

struct PresentedRow {
    qint64 rowId = 0;
    qint64 tranNum = 0;
    bool cheque = false;
};

std::vector<PresentedRow> presentedRows(store::Connection& connection, const QString& bankLink) {
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT rowid, TRANNUM, TRANTYPE FROM QVBNKTR"),
                         QStringLiteral("WHERE BANKLINK = :sBankLink AND RECONCILED = 0"),
                         QStringLiteral("AND CONFIRMED = 1")});
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.open();
    std::vector<PresentedRow> rows;
    for (; !q.eof(); q.next())
        rows.push_back({q.value(0).toLongLong(), q.integer(QStringLiteral("TRANNUM")),
                        q.text(QStringLiteral("TRANTYPE")).trimmed() == kChequeRow});
    return rows;
}

void closeRow(store::Table& rows, qint64 rowId) {
    if (!rows.gotoRowId(rowId)) return;
    rows.edit();
    rows.setValue(QStringLiteral("CONFIRMED"), 0);
    rows.setValue(QStringLiteral("RECONCILED"), 1);
    rows.post();
}

void writeCompletedAccount(store::Table& account, qint64 reconciled, double statement,
                           const QDate& today) {
    account.edit();
    account.setValue(QStringLiteral("RECAMOUNT"), double(reconciled) / 100.0);
    account.setValue(QStringLiteral("OPENBAL"), fmt::roundTo(statement, 2));
    account.setValue(QStringLiteral("REC_DATE"), today);
    account.setValue(QStringLiteral("RECOK"), 1);
    account.setValue(QStringLiteral("PREVBAL"), 0.0);
    account.post();
}

}  // namespace

std::vector<BankAccount> companyBankAccounts(store::Connection& connection, int coy) {
    return bankAccountsOf(connection, coy, AccountOrder::AsAdded);
}

AccountHeading accountHeading(store::Connection& connection, const BankAccount& account) {
    AccountHeading h;
    store::Query q(connection);
    q.setSql(QStringList{QStringLiteral("SELECT NAME, BRANCH FROM QVBKHDR"),
                         QStringLiteral("WHERE BANKCODE = :sBankCode")});
    q.bind(QStringLiteral("sBankCode"), account.bankCode.trimmed());
    q.open();
    if (!q.eof())
        h.bank = q.text(QStringLiteral("NAME")).trimmed() + QStringLiteral(" Branch : ") +
                 q.text(QStringLiteral("BRANCH")).trimmed();
    h.account = account.bankCode.trimmed() + QLatin1Char('-') + account.acctNo.trimmed();
    h.description = account.desc.trimmed();
    return h;
}

QStringList unreconciledRowsSql() {
    return {QStringLiteral("select rowid, * from QVBnkTr where"),
            QStringLiteral("BANKLINK = :sBankLink and "), QStringLiteral("RECONCILED = 0"),
            QStringLiteral("order by TRANDATE, rowid")};
}

QVariantMap unreconciledRowsParams(const QString& bankLink) {
    return {{QStringLiteral("sBankLink"), keys::cutToWidth(bankLink, keys::kBankRowLinkWidth)}};
}

std::optional<double> statementBalance(const QString& typed) {
    double value = 0.0;
    if (!fmt::parseMoney(typed, &value) || !fmt::checkedCents(value)) return std::nullopt;
    return fmt::roundTo(value, 2);
}

std::optional<ReconciliationFigures> reconciliationFigures(store::Connection& connection, int coy,
                                                           const QString& bankCode,
                                                           const QString& acctNo) {
    store::Table t(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekReconciledAccount(t, coy, bankCode, acctNo)) return std::nullopt;
    ReconciliationFigures f;
    f.opening = fmt::cents(t.number(QStringLiteral("OPENBAL")));
    f.prevBal = fmt::cents(t.number(QStringLiteral("PREVBAL")));
    f.reconciled = presentedCents(connection, keys::bankRowLink(coy, bankCode, acctNo));
    return f;
}

QString reconcileMessage(ReconcileOutcome outcome) {
    switch (outcome) {
        case ReconcileOutcome::NoStatementBalance:
            return kNoStatementBalance;
        case ReconcileOutcome::BalancesDiffer:
            return kBalancesDiffer;
        case ReconcileOutcome::NotFound:
            return QStringLiteral("Account cannot be found.");
        case ReconcileOutcome::Done:
            break;
    }
    return {};
}

PresentResult togglePresented(store::Connection& connection, int coy, qint64 rowId,
                              const QString& statementText) {
    PresentResult result;
    if (!statementBalance(statementText)) {
        result.outcome = ReconcileOutcome::NoStatementBalance;
        return result;
    }
    store::Transaction tx(connection);
    store::Table rows(connection, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    if (!rows.gotoRowId(rowId) || rows.integer(QStringLiteral("COYCODE")) != coy ||
        rows.integer(QStringLiteral("RECONCILED")) != 0) {
        result.outcome = ReconcileOutcome::NotFound;
        return result;
    }
    const int mark = rows.integer(QStringLiteral("CONFIRMED")) == 1 ? 0 : 1;
    rows.edit();
    rows.setValue(QStringLiteral("CONFIRMED"), mark);
    rows.post();
    if (rows.text(QStringLiteral("TRANTYPE")).trimmed() == kChequeRow)
        markPaymentHeader(connection, coy, rows.integer(QStringLiteral("TRANNUM")), mark);
    tx.commit();
    result.presented = mark == 1;
    return result;
}

ReconcileOutcome completeReconciliation(store::Connection& connection, int coy,
                                        const QString& bankCode, const QString& acctNo,
                                        const QString& statementText, const QDate& today,
                                        const std::function<void(int, int)>& progress) {
    const auto statement = statementBalance(statementText);
    if (!statement) return ReconcileOutcome::NoStatementBalance;
    store::Transaction tx(connection);
    store::Table account(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekReconciledAccount(account, coy, bankCode, acctNo)) return ReconcileOutcome::NotFound;
    const QString bankLink = keys::bankRowLink(coy, bankCode, acctNo);
    const qint64 reconciled = presentedCents(connection, bankLink);
    if (fmt::cents(account.number(QStringLiteral("OPENBAL"))) + reconciled !=
        fmt::cents(*statement))
        return ReconcileOutcome::BalancesDiffer;

    const std::vector<PresentedRow> presented = presentedRows(connection, bankLink);
    store::Table rows(connection, QStringLiteral("QVBnkTr.DBF"));
    rows.open();
    const int total = int(presented.size());
    for (int i = 0; i < total; ++i) {
        const PresentedRow& r = presented[size_t(i)];
        if (r.cheque) markPaymentHeader(connection, coy, r.tranNum, 1);
        closeRow(rows, r.rowId);
        if (progress && (i % 500 == 499 || i + 1 == total)) progress(i + 1, total);
    }
    writeCompletedAccount(account, reconciled, *statement, today);
    tx.commit();
    return ReconcileOutcome::Done;
}

void rememberStatementBalance(store::Connection& connection, int coy, const QString& bankCode,
                              const QString& acctNo, const QString& statementText) {
    double value = 0.0;
    if (!statementText.trimmed().isEmpty()) {
        const auto typed = statementBalance(statementText);
        if (!typed) return;
        value = *typed;
    }
    store::Transaction tx(connection);
    store::Table account(connection, QStringLiteral("QVBnkAct.DBF"));
    if (!seekReconciledAccount(account, coy, bankCode, acctNo)) return;
    if (fmt::cents(account.number(QStringLiteral("PREVBAL"))) == fmt::cents(value)) return;
    account.edit();
    account.setValue(QStringLiteral("PREVBAL"), value);
    account.post();
    tx.commit();
}

}  // namespace banking
