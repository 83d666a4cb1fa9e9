#include "store/transaction.h"

#include "store/error.h"

#include <sqlite3.h>

namespace store {

// The outermost scope takes the write lock at once (BEGIN IMMEDIATE), so what it reads
// inside cannot be changed by another program before it commits; inner scopes are savepoints.
Transaction::Transaction(Connection& connection) : connection_(connection) {
    sqlite3* db = connection_.handle();
    level_ = connection_.txDepth_;
    if (level_ == 0)
        execSql(db, "BEGIN IMMEDIATE");
    else
        execSql(db, QStringLiteral("SAVEPOINT sp%1").arg(level_));
    ++connection_.txDepth_;
}

Transaction::~Transaction() {
    if (!done_) {
        try {
            rollback();
        } catch (...) {
            // A destructor must not throw; the connection stays usable either way.
        }
    }
}

void Transaction::commit() {
    if (done_) return;
    sqlite3* db = connection_.handle();
    if (level_ == 0)
        execSql(db, "COMMIT");
    else
        execSql(db, QStringLiteral("RELEASE sp%1").arg(level_));
    done_ = true;
    --connection_.txDepth_;
}

void Transaction::rollback() {
    if (done_) return;
    done_ = true;
    --connection_.txDepth_;
    sqlite3* db = connection_.handle();
    if (level_ == 0) {
        execSql(db, "ROLLBACK");
    } else {
        execSql(db, QStringLiteral("ROLLBACK TO sp%1").arg(level_));
        execSql(db, QStringLiteral("RELEASE sp%1").arg(level_));
    }
}

}  // namespace store
