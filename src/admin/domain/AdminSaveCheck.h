#pragma once
// The checks "Salveaza si inchide" runs before anything is saved, in their
// order: building rates outside their legal interval are questions, the rest
// are refusals on one control.

#include "admin/domain/AdminControls.h"

#include <QString>
#include <vector>

namespace valdora::admin {

struct SaveCheckStep {
    enum Kind { Question, Refusal } kind;
    QString control; // the control concerned
    QString page;    // the page to open
    QString text;    // question text ("Cote H.C.L.") or balloon text
};

// The questions come first, then at most one refusal (the first that applies).
std::vector<SaveCheckStep> saveChecks(const AdminValues &values);

} // namespace valdora::admin
