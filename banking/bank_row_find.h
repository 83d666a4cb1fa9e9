#pragma once
// Finding a row of a bank account from what the user types into the bank transaction window's
// find bar: a number is a reference or an amount, a date is a date, anything else is looked for
// in the narrative. The search is one query on the store, so it is as quick on an account of
// 200,000 rows as on one of ten. No widgets here.

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <optional>

namespace store {
class Connection;
}

namespace banking {

// What the typed text asks for.
struct RowFind {
    enum class Kind { Number, Date, Narrative };
    Kind kind = Kind::Narrative;
    std::optional<qint64> reference;  // a whole number may also be a reference number
    qint64 cents = 0;                 // a number: the amount, either sign
    QDate date;
    QString text;  // the narrative text, found anywhere, any case

    // The condition on QVBnkTr rows and its parameters.
    QString condition() const;
    QVariantMap params() const;
};

// Nothing for blank text. A date is read day, month, year as the date boxes read it, but only
// from text with a digit that is not a plain number (so "tea" is narrative and 1000042 a number).
std::optional<RowFind> rowFind(const QString& typed, const QDate& today);

struct FoundRow {
    qint64 rowId = 0;
    qint64 position = 0;  // 0-based, in the account's row order
};

// The next (or, backward, the prior) row of the account after the row `fromRowId` that matches,
// going round past the end; the row itself only when no other matches. Nothing when no row of
// the account matches. `bankLink` is the account's BANKLINK as its rows carry it.
std::optional<FoundRow> findBankRow(store::Connection& connection, const QString& bankLink,
                                    const RowFind& find, qint64 fromRowId, bool forward);

}  // namespace banking
