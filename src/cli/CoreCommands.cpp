#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/SettingsFile.h"
#include "app/core/Text.h"
#include "app/core/Validation.h"
#include "cli/CliSupport.h"

#include <QJsonObject>

namespace valdora::cli {
namespace {

int version(const Args &)
{
    printJson(QJsonObject{
        {QStringLiteral("title"), QString::fromLatin1(edition::Title)},
        {QStringLiteral("version"), edition::versionText()},
        {QStringLiteral("fiscalYear"), edition::FiscalYear},
        {QStringLiteral("product"), edition::ProductNumber},
    });
    return Ok;
}

int words(const Args &a)
{
    if (a.positional.size() != 1)
        return usage(QStringLiteral("valdora-cli words AMOUNT"));
    const auto w = amountInWords(a.positional[0]);
    if (!w)
        return refuse(QStringLiteral("Suma \"%1\" nu este un numar.").arg(a.positional[0]));
    printJson(QJsonValue(*w));
    return Ok;
}

int check(const Args &a)
{
    if (a.positional.size() != 2)
        return usage(QStringLiteral("valdora-cli check cnp|cui|iban VALUE"));
    const QString kind = a.positional[0].toLower();
    const QString value = a.positional[1];
    QJsonObject o{{QStringLiteral("value"), value}};
    bool valid = false;
    if (kind == QLatin1String("cnp")) {
        valid = CnpCheck::isValid(value);
        o[QStringLiteral("sex")] = CnpCheck::sex(value);
        o[QStringLiteral("birthDate")] = formatDate(CnpCheck::birthDate(value));
    } else if (kind == QLatin1String("cui")) {
        valid = isValidFiscalCode(value);
    } else if (kind == QLatin1String("iban")) {
        valid = isValidIban(value);
    } else {
        return usage(QStringLiteral("valdora-cli check cnp|cui|iban VALUE"));
    }
    o[QStringLiteral("valid")] = valid;
    printJson(o);
    return valid ? Ok : Refused;
}

int counter(const Args &a, bool take)
{
    if (a.positional.size() != 2)
        return usage(QStringLiteral("valdora-cli %1 SECTION KEY").arg(take ? "next-number" : "peek-number"));
    try {
        SettingsFile s(a.settingsPath());
        const qint64 n = take ? s.nextNumber(a.positional[0], a.positional[1]) : s.peekNumber(a.positional[0], a.positional[1]);
        printJson(QJsonObject{{QStringLiteral("section"), a.positional[0]},
                              {QStringLiteral("key"), a.positional[1]},
                              {QStringLiteral("number"), n}});
        return Ok;
    } catch (const Error &e) {
        return refuse(e.message());
    }
}

} // namespace

namespace {
const bool registered = [] {
    registerCommand({QStringLiteral("version"), QStringLiteral("version"), version});
    registerCommand({QStringLiteral("words"), QStringLiteral("words AMOUNT"), words});
    registerCommand({QStringLiteral("check"), QStringLiteral("check cnp|cui|iban VALUE"), check});
    registerCommand({QStringLiteral("next-number"), QStringLiteral("next-number SECTION KEY"),
                     [](const Args &a) { return counter(a, true); }});
    registerCommand({QStringLiteral("peek-number"), QStringLiteral("peek-number SECTION KEY"),
                     [](const Args &a) { return counter(a, false); }});
    return true;
}();
} // namespace

} // namespace valdora::cli
