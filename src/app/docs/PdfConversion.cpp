#include "app/docs/PdfConversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace valdora::docs {

QString findOffice()
{
    for (const char *name : {"soffice", "libreoffice"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!found.isEmpty())
            return found;
    }
#ifdef Q_OS_WIN
    for (const QString &root : {qEnvironmentVariable("ProgramFiles"), qEnvironmentVariable("ProgramFiles(x86)")}) {
        const QString p = root + QStringLiteral("/LibreOffice/program/soffice.exe");
        if (!root.isEmpty() && QFileInfo(p).isExecutable())
            return p;
    }
#elif defined(Q_OS_MACOS)
    const QString p = QStringLiteral("/Applications/LibreOffice.app/Contents/MacOS/soffice");
    if (QFileInfo(p).isExecutable())
        return p;
#endif
    return {};
}

bool convertToPdf(const QString &source, const QString &pdf, const PdfOptions &options)
{
    const QString office = options.office.isEmpty() ? findOffice() : options.office;
    if (office.isEmpty() || !QFileInfo(office).isExecutable() || !QFileInfo(source).isFile())
        return false;

    // The office writes <outdir>/<base>.pdf; a private folder keeps a failed or
    // half-written result away from the target.
    QTemporaryDir work;
    if (!work.isValid())
        return false;
    const QString profile = work.filePath(QStringLiteral("profile"));
    const QString outDir = work.filePath(QStringLiteral("out"));
    if (!QDir().mkpath(outDir))
        return false;

    QProcess proc;
    proc.setProgram(office);
    proc.setArguments({QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile).toString(),
                       QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--nologo"),
                       QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"), outDir,
                       QFileInfo(source).absoluteFilePath()});
    proc.setStandardOutputFile(QProcess::nullDevice());
    proc.setStandardErrorFile(QProcess::nullDevice());
    proc.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Its own process group: the launcher starts the real office as a child,
    // and an overrun must stop both.
    proc.setChildProcessModifier([] { ::setsid(); });
#endif
    proc.start();
    if (!proc.waitForStarted(10000))
        return false;
    if (!proc.waitForFinished(options.timeoutMs)) {
#ifdef Q_OS_UNIX
        const qint64 pid = proc.processId();
        if (pid > 0)
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
#endif
        proc.kill();
        proc.waitForFinished(5000);
        return false;
    }
    if (proc.exitStatus() != QProcess::NormalExit || proc.exitCode() != 0)
        return false;

    const QString produced = outDir + u'/' + QFileInfo(source).completeBaseName() + QStringLiteral(".pdf");
    if (QFileInfo(produced).size() <= 0)
        return false;
    if (QFileInfo::exists(pdf) && !QFile::remove(pdf))
        return false;
    if (QFile::rename(produced, pdf))
        return true;
    return QFile::copy(produced, pdf);
}

} // namespace valdora::docs
