#include "banking/bank_row_find.h"

#include <QRegularExpression>
#include <cmath>

#include "store/query.h"
#include "ui/datetext.h"

namespace banking {

namespace {

// "1234", "-50", "1,234.50", "$12.5": a number, perhaps an amount.
std::optional<double> typedNumber(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral(R"(^[-+]?\$?(\d{1,3}(,\d{3})+|\d+)?(\.\d*)?$)"));
    if (!number.match(text).hasMatch() || !text.contains(QRegularExpression("\\d")))
        return std::nullopt;
    QString plain = text;
    plain.remove(QLatin1Char(',')).remove(QLatin1Char('$'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

QString likePattern(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('%'), QStringLiteral("\\%"))
        .replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

std::optional<qint64> firstRowId(store::Connection& connection, const QString& sql,
                                 QVariantMap params) {
    store::Query q(connection);
    q.setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it) q.bind(it.key(), it.value());
    q.open();
    if (q.eof()) return std::nullopt;
    return q.value(0).toLongLong();
}

}  // namespace

std::optional<RowFind> rowFind(const QString& typed, const QDate& today) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return std::nullopt;
    RowFind find;
    if (const auto number = typedNumber(text)) {
        find.kind = RowFind::Kind::Number;
        find.cents = std::llround(std::fabs(*number) * 100.0);
        if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('$')) && *number > 0)
            find.reference = static_cast<qint64>(*number);
        return find;
    }
    if (text.contains(QRegularExpression("\\d"))) {
        if (const auto date = ui::parseTypedDate(text, today)) {
            find.kind = RowFind::Kind::Date;
            find.date = *date;
            return find;
        }
    }
    find.text = text;
    return find;
}

QString RowFind::condition() const {
    switch (kind) {
        case Kind::Number:
            return reference ? QStringLiteral(
                                   "(TRANNUM = :iFindRef OR "
                                   "ABS(ROUND(AMOUNT * 100)) = :iFindCents)")
                             : QStringLiteral("ABS(ROUND(AMOUNT * 100)) = :iFindCents");
        case Kind::Date:
            return QStringLiteral("TRANDATE = :dFindDate");
        case Kind::Narrative:
            break;
    }
    return QStringLiteral("REASON LIKE :sFindText ESCAPE '\\'");
}

QVariantMap RowFind::params() const {
    switch (kind) {
        case Kind::Number: {
            QVariantMap p{{QStringLiteral("iFindCents"), cents}};
            if (reference) p.insert(QStringLiteral("iFindRef"), *reference);
            return p;
        }
        case Kind::Date:
            return {{QStringLiteral("dFindDate"), date}};
        case Kind::Narrative:
            break;
    }
    return {{QStringLiteral("sFindText"), likePattern(text)}};
}

std::optional<FoundRow> findBankRow(store::Connection& connection, const QString& bankLink,
                                    const RowFind& find, qint64 fromRowId, bool forward) {
    // The account's rows are in the order they were added: BANKLINK, then rowid.
    const QString base =
        QStringLiteral("SELECT rowid FROM QVBNKTR WHERE BANKLINK = :sBankLink AND ") +
        find.condition();
    const QString order = forward ? QStringLiteral(" ORDER BY rowid LIMIT 1")
                                  : QStringLiteral(" ORDER BY rowid DESC LIMIT 1");
    QVariantMap params = find.params();
    params.insert(QStringLiteral("sBankLink"), bankLink);
    params.insert(QStringLiteral("iFromRow"), fromRowId);
    // Past the row first, then round from the other end up to it: one pass at most.
    auto found = firstRowId(connection,
                            base +
                                (forward ? QStringLiteral(" AND rowid > :iFromRow")
                                         : QStringLiteral(" AND rowid < :iFromRow")) +
                                order,
                            params);
    if (!found)
        found = firstRowId(connection,
                           base +
                               (forward ? QStringLiteral(" AND rowid <= :iFromRow")
                                        : QStringLiteral(" AND rowid >= :iFromRow")) +
                               order,
                           params);
    if (!found) return std::nullopt;

    store::Query q(connection);
    q.setSql(QStringLiteral(
        "SELECT COUNT(*) FROM QVBNKTR WHERE BANKLINK = :sBankLink AND rowid < :iRow"));
    q.bind(QStringLiteral("sBankLink"), bankLink);
    q.bind(QStringLiteral("iRow"), *found);
    q.open();
    return FoundRow{*found, q.value(0).toLongLong()};
}

}  // namespace banking
