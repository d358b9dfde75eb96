#include "reports/xlsx/LandSheets.h"

#include "app/core/Error.h"
#include "reports/xlsx/XlsxTemplates.h"

#include <QVariant>

namespace valdora::xlsx {

namespace {

QVariant amount(Currency c) { return QVariant::fromValue(c); }

// The column's caption, "A I" (zone and rank, as the page shows them).
QString caption(const LandClassification &c) { return (c.zone + u' ' + c.rank).trimmed(); }

void header(TExpXLSOLE &engine, const LandSheetHeader &h)
{
    engine.ReplaceAll(QStringLiteral("[ROL]"), h.role);
    engine.ReplaceAll(QStringLiteral("[LOC]"), h.locality);
    engine.ReplaceAll(QStringLiteral("[NUME]"), h.name);
}

QString openAndFill(TExpXLSOLE &engine, const QString &tempFolder, const char *resource, const char *prefix,
                    const std::function<void()> &fill, bool show)
{
    const QString templ =
        writeBuiltInTemplate(QString::fromLatin1(resource), tempFolder, QString::fromLatin1(prefix));
    if (!engine.OpenTemplate(templ, true))
        throw Error(QStringLiteral("Modelul %1 lipseste!").arg(QString::fromLatin1(prefix)));
    fill();
    return engine.Finish(show);
}

} // namespace

void fillExtravilanSheet(TExpXLSOLE &engine, const LandSheetHeader &h, const ExtravilanLandRow &page,
                         const ExtravilanLandConstants &constants, const ExtravilanLandAssessment &assessment)
{
    header(engine, h);
    for (int i = 1; i <= ExtravilanLandRow::Columns; ++i)
        engine.ReplaceAll(QStringLiteral("[E%1]").arg(i), caption(constants.classification.at(i - 1)));
    for (int c = 1; c <= ExtravilanLandRow::Categories; ++c) {
        for (int i = 1; i <= ExtravilanLandRow::Columns; ++i) {
            engine.SetCell(c + 8, 2 * i, amount(page.area(c, i)));
            engine.SetCell(c + 8, 2 * i + 1, amount(constants.rate(c, i)));
        }
    }
    engine.ReplaceAll(QStringLiteral("[SCUTIRE]"), amount(assessment.SCTE));
}

void fillIntravilanSheet(TExpXLSOLE &engine, const LandSheetHeader &h, const IntravilanLandRow &page,
                         const IntravilanLandConstants &constants, const IntravilanLandAssessment &assessment)
{
    header(engine, h);
    for (int i = 1; i <= IntravilanLandRow::Columns; ++i) {
        engine.ReplaceAll(QStringLiteral("[I%1]").arg(i), caption(constants.classification.at(i - 1)));
        engine.SetCell(9, 2 * i, amount(page.courtyard(i)));
        engine.SetCell(9, 2 * i + 1, amount(constants.courtyardRate(i)));
    }
    for (int c = 1; c <= IntravilanLandRow::Categories; ++c) {
        for (int n = 1; n <= IntravilanLandRow::Columns; ++n) {
            engine.SetCell(c + 9, 2 * n, amount(page.area(c, n)));
            engine.SetCell(c + 9, 2 * n + 1, amount(constants.rate(c, n)));
        }
    }
    engine.ReplaceAll(QStringLiteral("[SCUTIRECC]"), amount(assessment.SCCC));
    engine.ReplaceAll(QStringLiteral("[SCUTIRETI]"), amount(assessment.SCTI));
}

QString extravilanSheet(TExpXLSOLE &engine, const QString &tempFolder, const LandSheetHeader &h,
                        const ExtravilanLandRow &page, const ExtravilanLandConstants &constants,
                        const ExtravilanLandAssessment &assessment, bool show)
{
    return openAndFill(engine, tempFolder, "CALCULTE", "CalculTE",
                       [&] { fillExtravilanSheet(engine, h, page, constants, assessment); }, show);
}

QString intravilanSheet(TExpXLSOLE &engine, const QString &tempFolder, const LandSheetHeader &h,
                        const IntravilanLandRow &page, const IntravilanLandConstants &constants,
                        const IntravilanLandAssessment &assessment, bool show)
{
    return openAndFill(engine, tempFolder, "CALCULTI", "CalculTI",
                       [&] { fillIntravilanSheet(engine, h, page, constants, assessment); }, show);
}

} // namespace valdora::xlsx
