#include "app/ui/ProblemBalloon.h"
#include "app/ui/TCNPEdit.h"
#include "app/ui/TContor.h"
#include "app/ui/TErori.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::ui;

TEST(TErori, ButtonLayoutCaptionsAndColours)
{
    TErori w;
    w.prepare("Stergere", "\rChiar stergem?\rAtentie", DaNu, Confirmation);
    EXPECT_EQ(w.windowTitle(), "Confirmare");
    EXPECT_EQ(w.button("DA")->x(), 65);
    EXPECT_EQ(w.button("NU")->x(), 203);
    EXPECT_TRUE(w.button("OK")->isHidden());
    EXPECT_TRUE(w.button("RENUNT")->isHidden());
    EXPECT_EQ(w.textLabel()->text(), "\nChiar stergem?\nAtentie");
    EXPECT_EQ(w.titleLabel()->text(), "Stergere");

    w.prepare("Info", "x", Ok, Information);
    EXPECT_EQ(w.button("OK")->x(), 134);
    EXPECT_EQ(w.windowTitle(), "Informatie");
    w.prepare("Toate", "x", Da | Nu | Ok | Renunt, Warning);
    // Four buttons: gap 10, in the order DA, NU, RENUNT, OK.
    EXPECT_EQ(w.button("DA")->x(), 10);
    EXPECT_EQ(w.button("NU")->x(), 93);
    EXPECT_EQ(w.button("RENUNT")->x(), 176);
    EXPECT_EQ(w.button("OK")->x(), 259);
    EXPECT_EQ(w.windowTitle(), "Atentie !");
    EXPECT_EQ(TErori::captionOf(1), "Eroare");
    EXPECT_EQ(TErori::gradientOf(Information).second, QColor(0, 0, 0xBB));
    EXPECT_EQ(TErori::gradientOf(7).first, QColor(0xFF, 0xD5, 0xD5));
}

TEST(TErori, ResultsOfButtonsAndEscape)
{
    struct Case { int buttons; const char *press; int result; };
    const Case cases[] = {{DaNu, "DA", ResultDa}, {DaNu, "NU", ResultNu}, {Ok, "OK", ResultOk},
                          {Ok | Renunt, "RENUNT", ResultRenunt}, {DaNu, nullptr, ResultRenunt}};
    for (const auto &k : cases) {
        TErori w;
        w.prepare("t", "x", k.buttons, Confirmation);
        QTimer::singleShot(0, &w, [&w, &k] {
            if (k.press) {
                w.button(QString::fromLatin1(k.press))->click();
            } else {
                QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                QApplication::sendEvent(&w, &esc);
            }
        });
        EXPECT_EQ(w.run(), k.result) << (k.press ? k.press : "Escape");
    }
    // No button at all: nothing is shown.
    EXPECT_EQ(interaction().message("t", "x", 0, Information), ResultRenunt);
}

TEST(ProblemBalloon, ShowsBesideTheControlAndClosesItself)
{
    QWidget host;
    auto *edit = new QLabel("x", &host);
    host.show();
    ProblemBalloon *b = ProblemBalloon::show("Lipseste numele!", edit);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->isVisible());
    EXPECT_EQ(b->text(), "Lipseste numele!");
    EXPECT_EQ(b->width(), 300);
    EXPECT_EQ(ProblemBalloon::current(), b);
    EXPECT_TRUE(b->findChild<QLabel *>() != nullptr);
    bool titled = false;
    for (auto *l : b->findChildren<QLabel *>())
        titled |= l->text() == "Problema !";
    EXPECT_TRUE(titled);
    QElapsedTimer t;
    t.start();
    while (ProblemBalloon::current() && t.elapsed() < 7000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(ProblemBalloon::current(), nullptr);
    EXPECT_GE(t.elapsed(), 4500);
}

TEST(TContor, ProgressAndStop)
{
    QWidget active;
    active.show();
    active.activateWindow();
    TContor &c = TContor::instance();
    c.start("Salvare", 3, true);
    EXPECT_TRUE(c.isVisible());
    EXPECT_FALSE(c.stopButton()->isHidden());
    for (int i = 0; i < 5; ++i)
        c.step();
    EXPECT_EQ(c.bar()->value(), 3);
    EXPECT_FALSE(c.stopRequested());
    c.stopButton()->click();
    EXPECT_TRUE(c.stopRequested());
    c.finish();
    EXPECT_FALSE(c.isVisible());
    EXPECT_TRUE(active.isEnabled());
    c.start("Fara oprire");
    EXPECT_TRUE(c.stopButton()->isHidden());
    EXPECT_FALSE(c.stopRequested());
    c.finish();
}

TEST(TCNPEdit, DigitsOnlyAndItsReadings)
{
    TCNPEdit e;
    e.setFocus();
    for (QChar ch : QStringLiteral("6040a22-9000111")) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(&e, &press);
    }
    EXPECT_EQ(e.text(), "6040229000111");
    EXPECT_TRUE(e.Corect());
    EXPECT_EQ(e.Sex(), "feminin");
    EXPECT_EQ(e.NascutLa(), QDate(2004, 2, 29));
    e.setText("0");
    EXPECT_EQ(e.text(), "");
    EXPECT_FALSE(e.Corect());
    e.setAcceptGol(true);
    EXPECT_TRUE(e.Corect());
    EXPECT_EQ(e.maxLength(), 13);
}
