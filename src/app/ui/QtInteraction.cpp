#include "app/ui/QtInteraction.h"

#include "app/ui/ProblemBalloon.h"
#include "app/ui/TContor.h"
#include "app/ui/TErori.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QProcess>
#include <QUrl>

namespace valdora::ui {
namespace {
QtInteraction realWindows;
Interaction *current = &realWindows;
} // namespace

Interaction &interaction() { return *current; }
void setInteraction(Interaction *i) { current = i ? i : &realWindows; }

int QtInteraction::message(const QString &title, const QString &text, int buttons, int kind)
{
    if ((buttons & (Da | Nu | Ok | Renunt)) == 0)
        return ResultRenunt;
    TErori w(QApplication::activeWindow());
    w.prepare(title, text, buttons, kind);
    return w.run();
}

void QtInteraction::problem(const QString &text, QWidget *control) { ProblemBalloon::show(text, control); }

void QtInteraction::progressStart(const QString &description, int maximum, bool withStop)
{
    TContor::instance().start(description, maximum, withStop);
}
void QtInteraction::progressStep() { TContor::instance().step(); }
void QtInteraction::progressSet(int position) { TContor::instance().setPosition(position); }
void QtInteraction::progressFinish() { TContor::instance().finish(); }
bool QtInteraction::stopRequested() { return TContor::instance().stopRequested(); }

std::optional<QString> QtInteraction::chooseFolder(const QString &prompt, const QString &startFolder)
{
    const QString start = QDir(startFolder).exists() ? startFolder : QString();
    const QString d = QFileDialog::getExistingDirectory(QApplication::activeWindow(), prompt, start);
    if (d.isEmpty())
        return std::nullopt;
    return QDir::cleanPath(d);
}

std::optional<QString> QtInteraction::openFileName(const QString &title, const QString &filter, const QString &start)
{
    const QString f = QFileDialog::getOpenFileName(QApplication::activeWindow(), title, start, filter);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtInteraction::saveFileName(const QString &title, const QString &filter, const QString &start)
{
    const QString f = QFileDialog::getSaveFileName(QApplication::activeWindow(), title, start, filter);
    if (f.isEmpty())
        return std::nullopt;
    return f;
}

std::optional<QString> QtInteraction::inputBox(const QString &title, const QString &prompt, const QString &initial)
{
    bool ok = false;
    const QString t = QInputDialog::getText(QApplication::activeWindow(), title, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return t;
}

bool QtInteraction::openDocument(const QString &path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

bool QtInteraction::print(const QString &path)
{
    // The system's print command for the file; the document's program prints it otherwise.
#ifdef Q_OS_WIN
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#else
    return QProcess::startDetached(QStringLiteral("lp"), {path});
#endif
}

} // namespace valdora::ui
