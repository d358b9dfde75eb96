#include "app/db/DbFixture.h"
#include "app/ui/SingleInstance.h"
#include "app/ui/TForm1.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QUuid>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;

namespace {
void waitFor(const std::function<bool()> &done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}
} // namespace

TEST(SingleInstance, ASecondStartBringsTheFirstForward)
{
    const QString key = "valdora-test-" + QUuid::createUuid().toString(QUuid::Id128);
    ui::SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    int activated = 0;
    first.onActivate([&] { ++activated; });
    ui::SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    waitFor([&] { return activated > 0; });
    EXPECT_EQ(activated, 1);
}

TEST(TForm1, RunsTheStartOnceThenHandsOver)
{
    ProgramFixture p;
    ScriptedInteraction s;
    int handedOver = 0, finished = -1;
    StartupState seen;
    ui::TForm1 *form = nullptr;
    ui::TForm1 w(
        [&] {
            RegistryStore reg(106);
            return runStartup({p.folders(), true, reg, p.clock, {}, [&](const QString &st, int pos) { form->setProgress(st, pos); }, {}});
        },
        [&](StartupState &st) {
            ++handedOver;
            seen = st;
            EXPECT_FALSE(form->isVisible());
        });
    form = &w;
    QObject::connect(&w, &ui::TForm1::finished, [&](int code) { finished = code; });
    EXPECT_EQ(w.windowTitle(), "Valdora - Initializare");
    EXPECT_EQ(w.status()->text(), "Incarcare date");
    EXPECT_EQ(w.bar()->value(), 50);
    EXPECT_EQ(w.findChild<QLabel *>("title")->text(), "Valdora 2026 ver.1.0017");
    w.show();
    waitFor([&] { return finished >= 0; });
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(handedOver, 1);
    EXPECT_TRUE(seen.emptyDatabase);
    EXPECT_EQ(w.bar()->value(), 100);
}

TEST(TForm1, AFailedStartIsReportedAndEnds)
{
    ScriptedInteraction s;
    s.answer(ui::ResultOk, "Initializare");
    int finished = -1, handedOver = 0;
    ui::TForm1 w([]() -> StartupState { throw Error("Nu se poate crea folderul"); }, [&](StartupState &) { ++handedOver; });
    QObject::connect(&w, &ui::TForm1::finished, [&](int code) { finished = code; });
    w.show();
    waitFor([&] { return finished >= 0; });
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(handedOver, 0);
    EXPECT_EQ(s.messages.at(0).text, "Nu se poate crea folderul");
}
