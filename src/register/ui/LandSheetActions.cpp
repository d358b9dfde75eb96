#include "register/ui/LandSheetActions.h"

#include "app/core/Error.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "register/store/LandConstants.h"
#include "register/store/RoleStore.h"
#include "register/ui/TGospodarii.h"
#include "reports/xlsx/LandSheets.h"

namespace valdora::roles {
namespace {

void showSheet(AppContext &ctx, qint64 IDGOS, bool extravilan)
{
    const auto role = loadRole(*ctx.db, IDGOS);
    if (!role)
        return;
    const LandRole land = LandRole::fromGospodar(role->TIP, role->SCCC, role->SCTI, role->SCTE);
    const xlsx::LandSheetHeader header{role->ROL, role->SATUL, role->NUMEP};
    xlsx::TExpXLSOLE &engine = xlsx::ExpXLSOLE();
    engine.setDocumentOpener([](const QString &path) { return ui::interaction().openDocument(path); });
    try {
        if (extravilan) {
            const auto row = extravilanRow(*ctx.db, IDGOS);
            const auto constants = extravilanConstants(ctx.adminValues());
            xlsx::extravilanSheet(engine, ctx.folders().temp, header, row, constants, LandTax::extravilan(row, constants, land));
        } else {
            const auto row = intravilanRow(*ctx.db, IDGOS);
            const auto constants = intravilanConstants(ctx.adminValues());
            xlsx::intravilanSheet(engine, ctx.folders().temp, header, row, constants, LandTax::intravilan(row, constants, land));
        }
    } catch (const valdora::Error &e) {
        ui::message(QStringLiteral("Fisa de calcul"), e.message(), ui::Ok, ui::Error);
    }
}

} // namespace

void installLandSheets(TGospodarii &w, AppContext &ctx)
{
    w.setLandSheetAction(1, [&ctx](qint64 id) { showSheet(ctx, id, true); });
    w.setLandSheetAction(3, [&ctx](qint64 id) { showSheet(ctx, id, false); });
}

} // namespace valdora::roles
