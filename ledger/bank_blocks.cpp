#include "ledger/bank_blocks.h"

#include "store/query.h"
#include "store/schema.h"

namespace ledger {
namespace {

qint64 blockOf(qint64 rowId) { return rowId >> store::kBankBlockBits; }
qint64 firstIdOf(qint64 block) { return block << store::kBankBlockBits; }

qint64 wholeOf(store::Connection& c, const QString& sql, const QVariantMap& params) {
    store::Query q(c);
    q.setSql(sql);
    // The two statements of an answer share one set of values; each binds those it names.
    for (auto it = params.begin(); it != params.end(); ++it)
        if (sql.contains(QLatin1Char(':') + it.key())) q.bind(it.key(), it.value());
    q.open();
    return q.isEmpty() ? 0 : q.value(0).toLongLong();
}

}  // namespace

qint64 bankRowCount(store::Connection& c, const QString& bankLink) {
    return wholeOf(c, QStringLiteral("SELECT SUM(ROWS) FROM QVBnkBlk WHERE BANKLINK = :link"),
                   {{QStringLiteral("link"), bankLink}});
}

qint64 bankRowIdAt(store::Connection& c, const QString& bankLink, qint64 position) {
    if (position < 0) return 0;
    store::Query blocks(c);
    blocks.setSql(QStringLiteral(
        "SELECT BLOCK, ROWS FROM QVBnkBlk WHERE BANKLINK = :link AND ROWS > 0 ORDER BY BLOCK"));
    blocks.bind(QStringLiteral("link"), bankLink);
    blocks.open();
    qint64 before = 0;
    for (; !blocks.eof(); blocks.next()) {
        const qint64 rows = blocks.value(1).toLongLong();
        if (position < before + rows) {
            const qint64 block = blocks.value(0).toLongLong();
            return wholeOf(c,
                           QStringLiteral("SELECT rowid FROM QVBnkTr WHERE BANKLINK = :link AND "
                                          "rowid >= :from AND rowid < :to ORDER BY rowid "
                                          "LIMIT 1 OFFSET :skip"),
                           {{QStringLiteral("link"), bankLink},
                            {QStringLiteral("from"), firstIdOf(block)},
                            {QStringLiteral("to"), firstIdOf(block + 1)},
                            {QStringLiteral("skip"), position - before}});
        }
        before += rows;
    }
    return 0;
}

qint64 bankRowsBefore(store::Connection& c, const QString& bankLink, qint64 rowId) {
    const QVariantMap params{{QStringLiteral("link"), bankLink},
                             {QStringLiteral("block"), blockOf(rowId)},
                             {QStringLiteral("from"), firstIdOf(blockOf(rowId))},
                             {QStringLiteral("id"), rowId}};
    return wholeOf(c,
                   QStringLiteral("SELECT SUM(ROWS) FROM QVBnkBlk WHERE BANKLINK = :link AND "
                                  "BLOCK < :block"),
                   params) +
           wholeOf(c,
                   QStringLiteral("SELECT COUNT(*) FROM QVBnkTr WHERE BANKLINK = :link AND "
                                  "rowid >= :from AND rowid < :id"),
                   params);
}

qint64 bankAmountAfter(store::Connection& c, const QString& bankLink, qint64 rowId) {
    const QVariantMap params{{QStringLiteral("link"), bankLink},
                             {QStringLiteral("block"), blockOf(rowId)},
                             {QStringLiteral("to"), firstIdOf(blockOf(rowId) + 1)},
                             {QStringLiteral("id"), rowId}};
    return wholeOf(c,
                   QStringLiteral("SELECT SUM(AMOUNT) FROM QVBnkBlk WHERE BANKLINK = :link AND "
                                  "BLOCK > :block"),
                   params) +
           wholeOf(c,
                   QStringLiteral("SELECT SUM(CAST(ROUND(AMOUNT * 100) AS INTEGER)) FROM QVBnkTr "
                                  "WHERE BANKLINK = :link AND rowid > :id AND rowid < :to"),
                   params);
}

ui::RowBlocks bankRowBlocks(store::Connection& c, const QString& bankLink) {
    return {[&c, bankLink] { return bankRowCount(c, bankLink); },
            [&c, bankLink](qint64 position) { return bankRowIdAt(c, bankLink, position); },
            [&c, bankLink](qint64 id) { return bankRowsBefore(c, bankLink, id); },
            [&c, bankLink](qint64 id) { return bankAmountAfter(c, bankLink, id); }};
}

}  // namespace ledger
