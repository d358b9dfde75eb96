#include "app/core/Edition.h"
#include "app/core/Folders.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

using namespace valdora;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(edition::Title));
    runFolders() = Folders::under(Folders::programFolderOf(QCoreApplication::applicationDirPath()));
    runFolders().create();

    QWidget window;
    window.setWindowTitle(edition::titleWithVersion());
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("VALDORA 2026")));
    layout->addWidget(new QLabel(QStringLiteral("Evidenta taxelor si impozitelor locale.")));
    window.resize(420, 160);
    window.show();
    return app.exec();
}
