#include "store/transaction.h"

#include "store/error.h"

#include <sqlite3.h>

namespace store {

// The outermost scope takes the write lock at once (BEGIN IMMEDIATE), so what it reads
// inside cannot be changed by another program before it commits; inner scopes are savepoints.
Transaction::Transaction(Connection& connection) : connection_(connection) {
    level_ = connection_.txDepth_;
    if (level_ == 0) {
        connection_.releaseLogAfterFullDisk();
        connection_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        connection_.exec(QStringLiteral("SAVEPOINT sp%1").arg(level_));
    }
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
    if (level_ == 0)
        connection_.exec(QStringLiteral("COMMIT"));
    else
        connection_.exec(QStringLiteral("RELEASE sp%1").arg(level_));
    done_ = true;
    --connection_.txDepth_;
}

void Transaction::rollback() {
    if (done_) return;
    done_ = true;
    --connection_.txDepth_;
    // A full disk or an I/O error can make the engine roll the whole transaction back itself.
    if (!sqlite3_get_autocommit(connection_.handle())) {
        if (level_ == 0) {
            connection_.exec(QStringLiteral("ROLLBACK"));
        } else {
            connection_.exec(QStringLiteral("ROLLBACK TO sp%1").arg(level_));
            connection_.exec(QStringLiteral("RELEASE sp%1").arg(level_));
        }
    }
    if (level_ == 0) connection_.releaseLogAfterFullDisk();
}

}  // namespace store
