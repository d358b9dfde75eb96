#pragma once
// The entry the main window calls for "Gospodarii -Roluri-".

class QWidget;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

// Opens the role register modally; returns when it closes.
void openRoleRegister(AppContext &ctx, QWidget *parent);

} // namespace valdora::roles
