#pragma once
// A fresh data folder for one window test, reached by the windows through the alias NRV, with
// a connection of the test's own to set up and inspect the tables.

#include "ledger/accounts.h"
#include "ledger/departments.h"
#include "store/connection.h"
#include "store/paths.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

struct LedgerFolder {
    QTemporaryDir dir;
    store::Connection connection;

    LedgerFolder() {
        QDir().mkpath(store::paths::configFolder());
        QFile aliases(store::paths::configFolder() + QStringLiteral("aliases.ini"));
        aliases.open(QIODevice::WriteOnly | QIODevice::Truncate);
        aliases.write(("[NRV]\nPath=" + dir.path() + "\n").toUtf8());
        aliases.close();
        connection.connectToFolder(dir.path());
    }

    void addDepartment(const QString& code, const QString& name = {}) {
        store::Table coy(connection, "QVCoy.DBF");
        coy.open();
        ledger::DepartmentDetails d;
        d.deptCode = code;
        d.busName = name.isEmpty() ? code + QStringLiteral(" dept") : name;
        ledger::addDepartment(coy, 1, QStringLiteral("B1"), d);
    }

    void addAccount(const QString& code, const QString& dept = {}, const QString& type = "INC",
                    bool active = true) {
        store::Table accounts(connection, "QVAccDet.DBF");
        accounts.open();
        ledger::AccountDetails d;
        d.acctCode = code;
        d.deptCode = dept;
        d.typeCode = type;
        d.descr = code + QStringLiteral(" account");
        d.active = active;
        ledger::addAccount(accounts, 1, d);
    }

    void addJournalLine(const QString& acctCode) {
        store::Table lines(connection, "QVActTr.DBF");
        lines.open();
        lines.append();
        lines.setValue("COYCODE", "1");
        lines.setValue("ACCTCODE", acctCode);
        lines.post();
    }

    // The first record of a table where a field equals a value.
    QVariant valueWhere(const char* table, const char* field, const QVariant& value,
                        const char* wanted) {
        store::Table t(connection, QString::fromLatin1(table));
        t.open();
        if (!t.locate(QString::fromLatin1(field), value)) return {};
        return t.value(QString::fromLatin1(wanted));
    }
};
