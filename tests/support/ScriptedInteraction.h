#pragma once
// The interaction seam for tests: answers messages and dialogs from a queue
// given in advance, records everything shown, and fails the test on a prompt
// nobody expected (or on answers left over at the end).

#include "app/ui/Interaction.h"

#include <QPointer>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

namespace valdora::test {

struct ShownMessage {
    QString title;
    QString text;
    int buttons = 0;
    int kind = 0;
};

struct ShownProblem {
    QString text;
    QPointer<QWidget> control;
};

class ScriptedInteraction final : public ui::Interaction {
public:
    ScriptedInteraction();  // installs itself
    ~ScriptedInteraction() override; // uninstalls; fails on unused answers

    // The next message gets this result; `expectTitle` (when given) must match.
    ScriptedInteraction &answer(int result, const QString &expectTitle = {});
    ScriptedInteraction &answerFolder(std::optional<QString> folder);
    ScriptedInteraction &answerFile(std::optional<QString> file);
    ScriptedInteraction &answerInput(std::optional<QString> text);

    std::vector<ShownMessage> messages;
    std::vector<ShownProblem> problems;
    QStringList opened;   // documents opened
    QStringList printed;
    QStringList progress; // descriptions of progress windows
    bool stop = false;    // what stopRequested() answers

    int message(const QString &title, const QString &text, int buttons, int kind) override;
    void problem(const QString &text, QWidget *control) override;
    void progressStart(const QString &description, int maximum, bool withStop) override;
    void progressStep() override {}
    void progressSet(int) override {}
    void progressFinish() override {}
    bool stopRequested() override { return stop; }
    std::optional<QString> chooseFolder(const QString &prompt, const QString &startFolder) override;
    std::optional<QString> openFileName(const QString &title, const QString &filter, const QString &start) override;
    std::optional<QString> saveFileName(const QString &title, const QString &filter, const QString &start) override;
    std::optional<QString> inputBox(const QString &title, const QString &prompt, const QString &initial) override;
    bool openDocument(const QString &path) override;
    bool print(const QString &path) override;

private:
    struct Answer { int result; QString title; };
    std::deque<Answer> answers_;
    std::deque<std::optional<QString>> folders_, files_, inputs_;
};

// Runs `f` on the next modal dialog of type T once it is up (for dialogs a
// window opens with exec()).
template <typename T, typename F> void whenModal(F f);
void runWhenModal(const char *className, std::function<void(QWidget *)> f);

template <typename T, typename F> void whenModal(F f)
{
    runWhenModal(T::staticMetaObject.className(), [f](QWidget *w) { f(static_cast<T *>(w)); });
}

} // namespace valdora::test
