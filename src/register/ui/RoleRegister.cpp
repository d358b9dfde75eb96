#include "register/ui/RoleRegister.h"

#include "register/ui/LandSheetActions.h"

#include "register/ui/BuildingsPage.h"
#include "register/ui/TGospodarii.h"
#include "register/ui/VehiclesPage.h"

namespace valdora::roles {

void openRoleRegister(AppContext &ctx, QWidget *parent)
{
    TGospodarii w(ctx, parent);
    installBuildingsPage(w, ctx);
    installLandSheets(w, ctx);
    installVehiclesPage(w, ctx);
    w.openRegister();
}

} // namespace valdora::roles
