#pragma once
// Saving a confirmed payment operation: the undo snapshot, the new balances,
// the document lines, the counters and the log, in one transaction. The
// counters are taken under the settings file's lock for the whole of it, so
// two workstations never issue the same receipt number and a failed save
// leaves no gap.

#include "collections/domain/ReceiptDocument.h"

#include <QDateTime>
#include <functional>

namespace valdora {
class ActionLog;
class Database;
class SettingsFile;
}

namespace valdora::collections {

struct SavedPayment {
    qint64 IDCHIT = 0;
    qint64 IDANUL = 0;
    qint64 NR = 0;
    QString TIP;
    bool printed = false;
    std::vector<ChitanteRow> rows;
};

struct PaymentSaveInputs {
    ChitanteHeader header; // role and cashier; IDCHIT and IDANUL are taken here
    QString userSection;   // settings section holding the user's CHIT counter
    QDateTime now;         // for the log
    // Test seam: called at named points of the save ("snapshot", "balances",
    // "lines"); throwing there must leave everything as it was.
    std::function<void(const char *stage)> checkpoint;
};

class PaymentStore {
public:
    // Throws valdora::Error (nothing written) when a row changed since the
    // situation was read, a value does not fit, or the database refuses.
    static SavedPayment save(Database &db, SettingsFile &settings, const ActionLog &log, PaymentSavePlan plan,
                             const PaymentSaveInputs &in);
};

} // namespace valdora::collections
