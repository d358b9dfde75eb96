#include "app/db/Transaction.h"

#include <QHash>

namespace valdora {
namespace {
QHash<const Database *, int> &depths()
{
    static QHash<const Database *, int> d;
    return d;
}
} // namespace

Transaction::Transaction(Database &db) : db_(db), depth_(depths().value(&db))
{
    if (depth_ == 0)
        db_.exec(QStringLiteral("BEGIN IMMEDIATE"));
    else
        db_.exec(QStringLiteral("SAVEPOINT sp%1").arg(depth_));
    depths()[&db_] = depth_ + 1;
}

void Transaction::commit()
{
    if (done_)
        return;
    if (depth_ == 0)
        db_.exec(QStringLiteral("COMMIT"));
    else
        db_.exec(QStringLiteral("RELEASE sp%1").arg(depth_));
    done_ = true;
    depths()[&db_] = depth_;
}

Transaction::~Transaction()
{
    if (!done_) {
        try {
            if (depth_ == 0)
                db_.exec(QStringLiteral("ROLLBACK"));
            else {
                db_.exec(QStringLiteral("ROLLBACK TO sp%1").arg(depth_));
                db_.exec(QStringLiteral("RELEASE sp%1").arg(depth_));
            }
        } catch (...) {
            // The connection already gave the transaction up.
        }
    }
    if (depth_ == 0)
        depths().remove(&db_);
    else
        depths()[&db_] = depth_;
}

} // namespace valdora
