// valdora-cli [--data DIR] COMMAND [ARGS]: the program's services without windows.

#include "app/core/Error.h"
#include "app/core/Folders.h"
#include "cli/CliSupport.h"

#include <QCoreApplication>
#include <QDir>

using namespace valdora;
using namespace valdora::cli;

namespace {
int printUsage()
{
    QString text = QStringLiteral("usage: valdora-cli [--data DIR] COMMAND [ARGS]\ncommands:\n");
    for (const auto &[name, c] : commands())
        text += QStringLiteral("  ") + c.usage + u'\n';
    text.chop(1);
    return usage(text);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    runFolders() = Folders::under(Folders::programFolderOf(QCoreApplication::applicationDirPath()));

    QStringList raw = app.arguments().mid(1);
    Args args;
    QString command;
    for (int i = 0; i < raw.size(); ++i) {
        const QString &t = raw[i];
        if (t.startsWith(QLatin1String("--")) && t.size() > 2) {
            const QString name = t.mid(2);
            if (i + 1 >= raw.size())
                return usage(QStringLiteral("Optiunea --%1 cere o valoare.").arg(name));
            if (name == QLatin1String("data"))
                args.dataFolder = raw[++i];
            else
                args.options[name] = raw[++i];
        } else if (command.isEmpty()) {
            command = t;
        } else {
            args.positional << t;
        }
    }
    if (command.isEmpty())
        return printUsage();
    const auto it = commands().find(command);
    if (it == commands().end())
        return printUsage();
    if (args.dataFolder.isEmpty())
        args.dataFolder = runFolders().localData;
    args.dataFolder = QDir::cleanPath(QDir(args.dataFolder).absolutePath());
    runFolders().database = args.dataFolder;
    try {
        return it->second.run(args);
    } catch (const Error &e) {
        return refuse(e.message());
    } catch (const std::exception &e) {
        return refuse(QString::fromUtf8(e.what()));
    }
}
