#include "cli/CliSupport.h"

#include "app/core/Edition.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

namespace valdora::cli {
namespace {
std::map<QString, Command> &table()
{
    static std::map<QString, Command> t;
    return t;
}
void writeOut(FILE *f, const QByteArray &b)
{
    std::fwrite(b.constData(), 1, size_t(b.size()), f);
    std::fflush(f);
}
} // namespace

QString Args::option(const QString &name, const QString &fallback) const
{
    const auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
}

QString Args::settingsPath() const { return dataFolder + u'/' + QString::fromLatin1(edition::SettingsFileName); }

void registerCommand(Command c)
{
    const QString name = c.name;
    table()[name] = std::move(c);
}

const std::map<QString, Command> &commands() { return table(); }

void printJson(const QJsonObject &o) { writeOut(stdout, QJsonDocument(o).toJson(QJsonDocument::Indented)); }

void printJson(const QJsonValue &v)
{
    if (v.isObject())
        return printJson(v.toObject());
    if (v.isArray())
        return writeOut(stdout, QJsonDocument(v.toArray()).toJson(QJsonDocument::Indented));
    QJsonArray wrap{v};
    QByteArray b = QJsonDocument(wrap).toJson(QJsonDocument::Compact);
    writeOut(stdout, b.mid(1, b.size() - 2) + '\n');
}

int refuse(const QString &message)
{
    writeOut(stderr, message.toUtf8() + '\n');
    return Refused;
}

int usage(const QString &message)
{
    writeOut(stderr, message.toUtf8() + '\n');
    return Usage;
}

} // namespace valdora::cli
