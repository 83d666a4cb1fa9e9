#include "reports/worktables.h"

#include <QRandomGenerator>
#include <memory>

#include "store/catalogue.h"
#include "store/error.h"
#include "store/keys.h"
#include "store/query.h"
#include "store/table.h"
#include "store/transaction.h"

namespace reports {
namespace {

constexpr int kRunKeyLength = 5;

QString sqlTableName(const QString& file) {
    const store::TableDef* t = store::findTable(file);
    if (!t) throw store::StoreError(QStringLiteral("Unknown table %1.").arg(file));
    return t->sqlName();
}

bool keyInUse(store::Connection& connection, const QString& headerTable, const QString& key) {
    store::Query q(connection);
    q.setSql({"SELECT 1 FROM " + sqlTableName(headerTable), "WHERE KEYCODE =:sKeyCode"});
    q.bind("sKeyCode", key);
    q.open();
    return !q.eof();
}

void appendHeader(store::Connection& connection, const CrossTabLayout& layout,
                  const CrossTabHeader& header, const QString& key) {
    store::Table t(connection, layout.headerTable);
    t.open();
    t.insert();
    t.setValue("KEYCODE", key);
    t.setValue("BUSNAME", header.busName);
    t.setValue("FROMTO", header.fromTo);
    t.setValue("CURRENT", header.current);
    t.setValue("TODATE", header.toDate);
    for (int i = 0; i < header.columnHeaders.size() && i < 12; ++i)
        t.setValue(QStringLiteral("COLHDR%1").arg(i + 1), header.columnHeaders[i]);
    t.post();
}

void appendRows(store::Connection& connection, const CrossTabLayout& layout,
                const std::vector<CrossTabRow>& rows, const QString& key) {
    store::Table t(connection, layout.rowTable);
    t.open();
    int lineNo = 0;
    for (const CrossTabRow& r : rows) {
        t.insert();
        t.setValue("KEYCODE", key);
        t.setValue("LINENO", ++lineNo);
        t.setValue("ACCTKEY", store::keys::reportAccountKey(key, r.acctCode));
        t.setValue("ACCTCODE", r.acctCode);
        t.setValue("RPTCAT", r.rptCat);
        t.setValue("COL0", r.description);
        for (size_t c = 0; c < layout.columns.size(); ++c)
            t.setValue(QLatin1String(layout.columns[c].field), r.values.at(c));
        t.post();
    }
}

CrossTabHeader readRunHeader(const store::Query& q) {
    CrossTabHeader h;
    h.busName = q.text("BUSNAME");
    h.fromTo = q.text("FROMTO");
    h.current = q.text("CURRENT");
    h.toDate = q.text("TODATE");
    for (int i = 1; i <= 12; ++i) h.columnHeaders << q.text(QStringLiteral("COLHDR%1").arg(i));
    return h;
}

}  // namespace

QString newRunKey(store::Connection& connection, const QString& headerTable) {
    static const char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (;;) {
        QString key;
        for (int i = 0; i < kRunKeyLength; ++i)
            key += QLatin1Char(kDigits[QRandomGenerator::global()->bounded(36)]);
        if (!keyInUse(connection, headerTable, key)) return key;
    }
}

QString writeCrossTabRun(store::Connection& connection, const CrossTabLayout& layout,
                         const CrossTabHeader& header, const std::vector<CrossTabRow>& rows) {
    // The key is drawn inside the write transaction, so a second program's run cannot take it
    // between the check and the header.
    store::Transaction tx(connection);
    const QString key = newRunKey(connection, layout.headerTable);
    appendHeader(connection, layout, header, key);
    appendRows(connection, layout, rows, key);
    tx.commit();
    return key;
}

CrossTab readCrossTabRun(store::Connection& connection, const CrossTabLayout& layout,
                         const QString& key) {
    CrossTab tab;
    store::Query header(connection);
    header.setSql(
        {"SELECT * FROM " + sqlTableName(layout.headerTable), "WHERE KEYCODE =:sKeyCode"});
    header.bind("sKeyCode", key);
    header.open();
    tab.found = !header.eof();
    if (tab.found) tab.header = readRunHeader(header);
    for (int g = 0; g < kReportGroups && tab.found; ++g) {
        store::Query q(connection);
        q.setSql({"Select * from " + sqlTableName(layout.rowTable) + " where", "KeyCode =:sKeyCode",
                  "and RptCat = '" + kReportCategories[size_t(g)] + "'", "order by AcctCode"});
        q.bind("sKeyCode", key);
        q.open();
        for (; !q.eof(); q.next()) {
            CrossTabRow r{q.text("ACCTCODE"), q.text("RPTCAT"), q.text("COL0"), {}};
            for (const CrossTabColumn& c : layout.columns)
                r.values.push_back(q.number(QLatin1String(c.field)));
            tab.groups[size_t(g)].push_back(std::move(r));
        }
    }
    totalCrossTab(layout, tab);
    return tab;
}

bool emptyWorkTables(store::Connection& connection, const QStringList& tables) {
    std::vector<std::unique_ptr<store::Table>> held;
    try {
        for (const QString& name : tables) {
            held.push_back(std::make_unique<store::Table>(connection, name));
            held.back()->open(store::OpenMode::Exclusive);
        }
    } catch (const store::StoreError&) {
        return false;  // another window or program has one open: its rows stay
    }
    store::Transaction tx(connection);
    for (auto& t : held) t->zap();
    tx.commit();
    return true;
}

}  // namespace reports
