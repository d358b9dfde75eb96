#pragma once
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

namespace valdora::test {

struct CliResult {
    int exitCode = -1;
    QString out;
    QString err;
    QJsonValue json; // the parsed standard output, when it is JSON
};

// Runs valdora-cli (built beside the tests) with the arguments.
CliResult runCli(const QStringList &args, int timeoutMs = 120000);

} // namespace valdora::test
