#include <QCoreApplication>
#include <gtest/gtest.h>

// Tests that need an application object (QProcess, QSettings, widgets) get one
// from the program that runs them; widget tests build their own main.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
