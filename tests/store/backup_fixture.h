#pragma once
// A demo book with a few hundred entries posted through the bank entry rules, a settings file in
// its data folder, and a way to read any table back row by row with plain SQL.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QStringList>

#include "banking/sample_company.h"
#include "store/catalogue.h"
#include "support/temp_folder.h"

namespace backup_test {

inline const QDate kToday(2026, 3, 31);

// Every row of a table, each as one text, in row order: read straight from the store file.
inline QStringList tableRows(const QString& folder, const QString& table) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(QDir(folder).filePath("quorvel.db")).constData(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    QStringList rows;
    const QByteArray sql =
        QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) == SQLITE_OK) {
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList cells;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                cells << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
            rows << cells.join(QLatin1Char('|'));
        }
    } else {
        rows << QStringLiteral("cannot read %1: %2")
                    .arg(table, QString::fromUtf8(sqlite3_errmsg(db)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

// The whole book, table by table.
inline std::map<QString, QStringList> wholeBook(const QString& folder) {
    std::map<QString, QStringList> book;
    for (const store::TableDef& t : store::catalogue())
        book[t.sqlName()] = tableRows(folder, t.sqlName());
    return book;
}

inline void expectSameBook(const std::map<QString, QStringList>& expected, const QString& folder) {
    const auto actual = wholeBook(folder);
    for (const auto& [table, rows] : expected)
        EXPECT_EQ(actual.at(table), rows) << "table " << table.toStdString();
}

inline void writeText(const QString& file, const QByteArray& text) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

inline QByteArray readText(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A demo company with `entries` posted entries and "IntSettings.ini" beside its store.
inline void makeBook(TempDataFolder& folder, int entries) {
    banking::sample::makeDemoCompany(folder.connection, kToday);
    banking::sample::postDemoEntries(folder.connection, entries, kToday, 7, 100);
    writeText(QDir(folder.path()).filePath("IntSettings.ini"), "[GST]\nCountry=NZ\n");
}

}  // namespace backup_test
