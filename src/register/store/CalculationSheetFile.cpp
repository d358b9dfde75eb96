#include "register/store/CalculationSheetFile.h"

#include "app/core/Error.h"
#include "app/core/TempNames.h"

#include <QFile>

namespace valdora::roles {

QString writeCalculationSheet(const QString &tempFolder, const QString &prefix, const QStringList &lines)
{
    const QString path = TempNames(tempFolder).temporaryFile(prefix, QStringLiteral(".txt"));
    QFile f(path);
    if (path.isEmpty() || !f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Error(QStringLiteral("Nu pot scrie fisa de calcul in ") + tempFolder);
    QByteArray text;
    for (const QString &line : lines)
        text += line.toUtf8() + "\r\n";
    if (f.write(text) != text.size() || !f.flush())
        throw Error(QStringLiteral("Nu pot scrie fisa de calcul in ") + path);
    return path;
}

} // namespace valdora::roles
