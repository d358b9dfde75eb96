#pragma once
// A write transaction that rolls back unless committed. It takes the write
// lock at once (BEGIN IMMEDIATE), so two workstations never both read, then
// fail to write. A transaction opened inside another becomes a savepoint.

#include "app/db/Database.h"

namespace valdora {

class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();

private:
    Database &db_;
    int depth_;
    bool done_ = false;
};

} // namespace valdora
