#include "support/Cli.h"

#include <QJsonArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace valdora::test {

CliResult runCli(const QStringList &args, int timeoutMs)
{
    CliResult r;
    QProcess p;
    // Keep the per-machine values of test runs out of the user's own.
    static QTemporaryDir registry;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("VALDORA_REGISTRY_DIR")))
        env.insert(QStringLiteral("VALDORA_REGISTRY_DIR"), registry.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VALDORA_CLI_PATH), args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timeout");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    // Scalars are printed bare; wrap them to parse.
    QJsonParseError e;
    const QJsonDocument d = QJsonDocument::fromJson(("[" + r.out + "]").toUtf8(), &e);
    if (e.error == QJsonParseError::NoError && d.array().size() == 1)
        r.json = d.array().at(0);
    return r;
}

} // namespace valdora::test
