#pragma once
// What every command of valdora-cli shares: the parsed arguments, JSON output
// and the exit codes (0 done, 1 refused or invalid, 2 usage error).

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>

namespace valdora::cli {

enum Exit { Ok = 0, Refused = 1, Usage = 2 };

struct Args {
    QString dataFolder;      // --data DIR, or the program's Data folder
    QStringList positional;  // after the command name
    std::map<QString, QString> options; // --name value

    QString option(const QString &name, const QString &fallback = {}) const;
    bool has(const QString &name) const { return options.count(name) > 0; }
    QString settingsPath() const;
};

using Handler = std::function<int(const Args &)>;

struct Command {
    QString name;
    QString usage;
    Handler run;
};

// Each commands file registers its commands from a static initialiser.
void registerCommand(Command c);
const std::map<QString, Command> &commands();

void printJson(const QJsonObject &o);
void printJson(const QJsonValue &v);
int refuse(const QString &message); // message on stderr, returns Refused
int usage(const QString &message);  // message on stderr, returns Usage


} // namespace valdora::cli
