#pragma once
// "Fisa de calcul" of the land pages: the workbook sheet of the role's land.

namespace valdora {
struct AppContext;
}

namespace valdora::roles {
class TGospodarii;

void installLandSheets(TGospodarii &w, AppContext &ctx);

} // namespace valdora::roles
