#pragma once
// A scope that makes every write on one connection all-or-nothing. Scopes nest: an inner
// scope that is not committed undoes only its own writes; the outer commit makes all durable.

#include "store/connection.h"

namespace store {

class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();  // rolls back unless committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();

private:
    Connection& connection_;
    int level_;
    bool done_ = false;
};

}  // namespace store
