#pragma once
// A connection to the data folder named by an alias. Each window owns one.

#include <QString>
#include <map>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Connects through an alias ("NRV"). Creates the data folder and its store only for the
    // default data folder on a first start; throws StoreError saying what is wrong with any
    // other folder that is not a data store (see examineDataFolder), or when the alias cannot
    // be resolved or the store cannot be opened.
    void connect(const QString& alias = QStringLiteral("NRV"));
    // Connects straight to a data folder, creating the folder and its store when missing
    // (tests, tools, and a new book the user asked for).
    void connectToFolder(const QString& folder);
    void disconnect();
    bool isConnected() const { return db_ != nullptr; }

    // The data folder with a trailing separator.
    QString path() const { return folder_; }

    sqlite3* handle() const;  // for the store's own classes only
    // A prepared statement kept for the life of the connection; callers reset it after use.
    sqlite3_stmt* cachedStatement(const QString& sql);
    // Depth of open transaction scopes on this connection.
    int transactionDepth() const { return txDepth_; }

    // Throws the engine's last failure on this connection as a StoreError, "doing: engine
    // text". A full disk says "The disk holding the data folder is full." instead, and the
    // write-ahead log is checkpointed and truncated as soon as no write transaction is open, so
    // saves work again once space is freed.
    [[noreturn]] void raise(const QString& doing);
    // Runs one statement without results; failures as raise().
    void exec(const QString& sql);
    // Reads go through plain reads instead of the file map, for a connection whose reads scatter
    // over the file (a window's pages of rows, a report's lines): through the map each first
    // touch of a page reads as much around it as the disk's read-ahead, megabytes on some
    // disks. Bulk work (export, import, rebuild) keeps the map.
    void readScattered();

private:
    friend class Transaction;
    void clearStatements();
    // After a full disk: copies the log into the data file and truncates it. Tried again at the
    // next transaction while it cannot be done (a reader holds the log).
    void releaseLogAfterFullDisk();
    bool diskFull_ = false;
    sqlite3* db_ = nullptr;
    std::map<QString, sqlite3_stmt*> statements_;
    QString folder_;
    int txDepth_ = 0;
};

// Runs one statement without results on a connection; throws StoreError on failure.
void execSql(sqlite3* db, const char* sql);
void execSql(sqlite3* db, const QString& sql);
// The engine's text for the last failure on a connection, with what was being done; a full disk
// gives "The disk holding the data folder is full.".
QString sqliteError(sqlite3* db, const QString& doing);

}  // namespace store
