#pragma once
// A fresh data folder for one test, connected and ready.

#include "store/connection.h"

#include <QTemporaryDir>

struct TempDataFolder {
    QTemporaryDir dir;
    store::Connection connection;
    TempDataFolder() { connection.connectToFolder(dir.path()); }
    QString path() const { return connection.path(); }
};
