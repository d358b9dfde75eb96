#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace valdora::test {

ScriptedInteraction::ScriptedInteraction() { ui::setInteraction(this); }

ScriptedInteraction::~ScriptedInteraction()
{
    ui::setInteraction(nullptr);
    for (const auto &a : answers_)
        ADD_FAILURE() << "answer " << a.result << " for \"" << a.title.toStdString() << "\" was never asked for";
}

ScriptedInteraction &ScriptedInteraction::answer(int result, const QString &expectTitle)
{
    answers_.push_back({result, expectTitle});
    return *this;
}
ScriptedInteraction &ScriptedInteraction::answerFolder(std::optional<QString> f)
{
    folders_.push_back(std::move(f));
    return *this;
}
ScriptedInteraction &ScriptedInteraction::answerFile(std::optional<QString> f)
{
    files_.push_back(std::move(f));
    return *this;
}
ScriptedInteraction &ScriptedInteraction::answerInput(std::optional<QString> t)
{
    inputs_.push_back(std::move(t));
    return *this;
}

int ScriptedInteraction::message(const QString &title, const QString &text, int buttons, int kind)
{
    messages.push_back({title, text, buttons, kind});
    if ((buttons & 15) == 0)
        return ui::ResultRenunt;
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected message \"" << title.toStdString() << "\": " << text.toStdString();
        return ui::ResultRenunt;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    if (!a.title.isEmpty()) {
        EXPECT_EQ(title.toStdString(), a.title.toStdString()) << text.toStdString();
    }
    return a.result;
}

void ScriptedInteraction::problem(const QString &text, QWidget *control) { problems.push_back({text, control}); }

void ScriptedInteraction::progressStart(const QString &description, int, bool) { progress << description; }

namespace {
std::optional<QString> take(std::deque<std::optional<QString>> &q, const char *what, const QString &prompt)
{
    if (q.empty()) {
        ADD_FAILURE() << "unexpected " << what << ": " << prompt.toStdString();
        return std::nullopt;
    }
    std::optional<QString> v;
    if (q.front())
        v = *q.front();
    q.pop_front();
    return v;
}
} // namespace

std::optional<QString> ScriptedInteraction::chooseFolder(const QString &prompt, const QString &)
{
    return take(folders_, "folder dialog", prompt);
}
std::optional<QString> ScriptedInteraction::openFileName(const QString &title, const QString &, const QString &)
{
    return take(files_, "file dialog", title);
}
std::optional<QString> ScriptedInteraction::saveFileName(const QString &title, const QString &, const QString &)
{
    return take(files_, "file dialog", title);
}
std::optional<QString> ScriptedInteraction::inputBox(const QString &title, const QString &, const QString &)
{
    return take(inputs_, "input box", title);
}
bool ScriptedInteraction::openDocument(const QString &path)
{
    opened << path;
    return true;
}
bool ScriptedInteraction::print(const QString &path)
{
    printed << path;
    return true;
}

void runWhenModal(const char *className, std::function<void(QWidget *)> f)
{
    auto *timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, f, name = QByteArray(className)] {
        QWidget *w = QApplication::activeModalWidget();
        if (w && w->inherits(name.constData())) {
            timer->stop();
            timer->deleteLater();
            f(w);
            return;
        }
        if (++*tries > 500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal " << name.constData() << " appeared";
        }
    });
    timer->start(10);
}

} // namespace valdora::test
