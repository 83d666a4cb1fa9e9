#include "banking/opening_balance.h"

#include "store/format.h"
#include "store/keys.h"
#include "store/table.h"
#include "store/transaction.h"

namespace banking {

namespace fmt = store::fmt;
namespace keys = store::keys;

OpeningView openingView(const BankAccount& account, const QDate& today) {
    OpeningView v;
    v.date = today;
    if (fmt::cents(account.initBal) != 0) {
        v.state = OpeningState::OpeningBalance;
        v.result = fmt::money(account.initBal);
        v.entryEnabled = false;
        // Its opening balance is set: "UpDate" would only rewrite it.
        v.updateEnabled = false;
    } else if (fmt::cents(account.currBal) != 0) {
        v.state = OpeningState::CurrentBalance;
        v.result = fmt::money(account.currBal);
        v.resultCaption = QStringLiteral("Current balance is :");
        v.entryEnabled = false;
        v.updateEnabled = true;
    }
    return v;
}

std::optional<QString> openingResult(const QString& statement, QString* deposits, QString* cheques) {
    const QString typed = statement.trimmed();
    if (typed.isEmpty() || typed == QLatin1String("-")) return std::nullopt;
    double balance = 0.0;
    if (!fmt::parseMoney(typed, &balance)) return std::nullopt;
    if (fmt::cents(balance) == 0) return QStringLiteral("0.00");
    if (deposits->trimmed().isEmpty()) *deposits = QStringLiteral("0");
    if (cheques->trimmed().isEmpty()) *cheques = QStringLiteral("0");
    double plus = 0.0, minus = 0.0;
    if (!fmt::parseMoney(*deposits, &plus) || !fmt::parseMoney(*cheques, &minus)) return std::nullopt;
    const qint64 cents = fmt::cents(balance) + fmt::cents(plus) - fmt::cents(minus);
    return fmt::money(double(cents) / 100.0);
}

bool updateAllowed(const QString& result) {
    double value = 0.0;
    return fmt::parseMoney(result, &value) && fmt::cents(value) != 0;
}

std::optional<QString> openingOverdraftQuestion(const BankAccount& account, double result) {
    const qint64 balance = fmt::cents(result);
    if (account.allowOd && balance < -fmt::cents(account.odAmount))
        return QStringLiteral("Balance exceeds overdraft limit....proceed?");
    if (!account.allowOd && balance < 0) return QStringLiteral("Overdraft not permitted....proceed?");
    return std::nullopt;
}

OpeningUpdate updateOpeningBalance(store::Connection& connection, int coy, const QString& bankCode,
                                   const QString& acctNo, double result, const QDate& date,
                                   const OpeningConfirm& confirm, const OpeningNotice& notice) {
    const auto account = findBankAccount(connection, coy, bankCode, acctNo);
    if (!account) return OpeningUpdate::AccountNotFound;
    if (const auto question = openingOverdraftQuestion(*account, result)) {
        const OpeningQuestion which = account->allowOd ? OpeningQuestion::OverdraftLimitExceeded
                                                       : OpeningQuestion::OverdraftNotPermitted;
        if (!confirm(which, *question)) return OpeningUpdate::Declined;
        if (which == OpeningQuestion::OverdraftNotPermitted)
            notice(QStringLiteral("Change account to allow overdraft!"));
    }
    if (!confirm(OpeningQuestion::ConfirmSave, QStringLiteral("Confirm saving opening balances.")))
        return OpeningUpdate::Declined;

    store::Transaction tx(connection);
    store::Table t(connection, "QVBnkAct.DBF");
    t.setIndexName("BANKLINK");
    t.open();
    if (!t.findKey(keys::bankAccountLink(coy, bankCode, acctNo)))
        return OpeningUpdate::AccountNotFound;
    const double balance = fmt::roundTo(result, 2);
    t.edit();
    try {
        t.setValue("OPENBAL", balance);
        t.setValue("INITBAL", balance);
        t.setValue("CURRBAL", balance);
        t.setValue("STARTDATE", date);
        t.setValue("REC_DATE", date);
        t.setValue("RECOK", 1);
        t.post();
    } catch (...) {
        t.cancel();
        throw;
    }
    tx.commit();
    return OpeningUpdate::Saved;
}

}  // namespace banking
