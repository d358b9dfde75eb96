#include "reports/xlsx/LibreOffice.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace valdora::xlsx {

QString findLibreOffice()
{
    for (const QString &name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
#ifdef Q_OS_WIN
    for (const QString &folder : {qEnvironmentVariable("ProgramFiles"), qEnvironmentVariable("ProgramFiles(x86)")}) {
        const QString path = folder + QStringLiteral("/LibreOffice/program/soffice.exe");
        if (!folder.isEmpty() && QFileInfo(path).isExecutable())
            return path;
    }
#endif
    return {};
}

QString convertWithLibreOffice(const QString &input, const QString &format, const QString &outputFolder, int timeoutMs)
{
    const QString soffice = findLibreOffice();
    if (soffice.isEmpty() || !QFileInfo(input).isFile())
        return {};
    QTemporaryDir profile;
    if (!profile.isValid() || !QDir().mkpath(outputFolder))
        return {};
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(soffice, {QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString(),
                      QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"), format,
                      QStringLiteral("--outdir"), outputFolder, input});
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        return {};
    }
    const QString output = QDir(outputFolder).filePath(QFileInfo(input).completeBaseName() + u'.' + format);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 || !QFileInfo(output).isFile())
        return {};
    return output;
}

} // namespace valdora::xlsx
