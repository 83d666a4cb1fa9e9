#pragma once
// The opening balance of a bank account: what the "Opening balances" page shows for an
// account, the arithmetic of its boxes, and the update with its questions. No widgets here.

#include "banking/bank_posting.h"
#include "store/connection.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace banking {

enum class OpeningState {
    NoBalance,        // neither an opening nor a current balance: the user enters one
    CurrentBalance,   // no opening balance, but entries have moved the balance
    OpeningBalance,   // an opening balance exists (INITBAL not 0): shown read-only
};

// What the page shows for an account.
struct OpeningView {
    OpeningState state = OpeningState::NoBalance;
    QDate date;
    QString statement = QStringLiteral("00.00");  // "Balance Amount  (from statement): "
    QString deposits = QStringLiteral("00.00");   // "Plus deposits not on statement :"
    QString cheques = QStringLiteral("00.00");    // "Minus cheques written not on statement : "
    QString result = QStringLiteral("00.00");
    QString resultCaption = QStringLiteral("Opening Balance :");
    bool entryEnabled = true;   // the date, the statement balance and both buttons
    bool updateEnabled = false; // "UpDate"
};
OpeningView openingView(const BankAccount& account, const QDate& today);

// The result box after the statement balance or a total changed: statement + deposits -
// cheques formatted "0.00", with an empty total read as "0" (written back to `deposits` and
// `cheques`); "0.00" when the statement balance is 0. Nothing (the result stays as it is) while
// the statement box is empty, a lone "-" or not a number.
std::optional<QString> openingResult(const QString& statement, QString* deposits, QString* cheques);
// "UpDate" may be pressed for a result that is not 0 (and never for one that is not a number).
bool updateAllowed(const QString& result);

enum class OpeningQuestion { OverdraftLimitExceeded, OverdraftNotPermitted, ConfirmSave };
// Returns true for "Yes".
using OpeningConfirm = std::function<bool(OpeningQuestion, const QString& text)>;
// A plain message on the way ("Change account to allow overdraft!").
using OpeningNotice = std::function<void(const QString& text)>;

// "Balance exceeds overdraft limit....proceed?" when the account has a provision and the
// result is below minus its limit; "Overdraft not permitted....proceed?" when it has none and
// the result is below 0.
std::optional<QString> openingOverdraftQuestion(const BankAccount& account, double result);

enum class OpeningUpdate { Saved, Declined, AccountNotFound };

// "UpDate" for the account with this bank code and number (and no other): the overdraft
// question, then "Confirm saving opening balances."; on Yes OPENBAL = INITBAL = CURRBAL =
// result, STARTDATE = REC_DATE = date, RECOK 1, in one database transaction.
OpeningUpdate updateOpeningBalance(store::Connection& connection, int coy, const QString& bankCode,
                                   const QString& acctNo, double result, const QDate& date,
                                   const OpeningConfirm& confirm, const OpeningNotice& notice);

}  // namespace banking
