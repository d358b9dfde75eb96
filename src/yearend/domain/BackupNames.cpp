#include "yearend/domain/BackupNames.h"

#include "app/core/Edition.h"

#include <QDir>
#include <QRegularExpression>

namespace valdora::yearend {

QString archiveDescription() { return QStringLiteral("Arhiva Valdora ") + QString::fromLatin1(edition::FiscalYearText); }

QString archiveFilter()
{
    return archiveDescription() + QStringLiteral(" (*") + QString::fromLatin1(edition::BackupExtension) + u')';
}

QString automaticBackupName(QDate day, const std::function<bool(const QString &name)> &taken)
{
    const QString stem = day.toString(QStringLiteral("ddMMyyyy")) + u'_';
    for (int n = 0;; ++n) {
        const QString name = stem + QString::number(n) + QString::fromLatin1(edition::BackupExtension);
        if (!taken(name))
            return name;
    }
}

QString comparableFolder(const QString &folder)
{
    QString f = folder.trimmed();
    f.replace(u'\\', u'/');
    f = QDir::cleanPath(f);
    while (f.size() > 1 && f.endsWith(u'/'))
        f.chop(1);
    return f.toUpper();
}

bool isForbiddenBackupFolder(const QString &folder, const QStringList &forbidden)
{
    const QString f = comparableFolder(folder);
    for (const QString &x : forbidden)
        if (!x.trimmed().isEmpty() && comparableFolder(x) == f)
            return true;
    return false;
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c == u'/' || c == u'\\' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
            c == u'<' || c == u'>' || c == u'|')
            return false;
    }
    if (name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    static const QRegularExpression device(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    return !device.match(name).hasMatch();
}

} // namespace valdora::yearend
