#include "app/core/Error.h"
#include "app/core/IniFile.h"
#include "app/core/RegistryStore.h"
#include "app/core/SettingsFile.h"
#include "support/TempDir.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace valdora;
using valdora::test::TempDir;

TEST(IniFile, CaseInsensitiveAndValuesKeptExactly)
{
    IniFile ini = IniFile::parse(QStringLiteral("[SERVER]\r\nIDGOS=12\r\n[Ion Pop]\nSistare urmarire= 7 \n"));
    EXPECT_EQ(ini.value("server", "idgos"), "12");
    EXPECT_EQ(ini.value("ION POP", "sistare URMARIRE"), " 7 ");
    EXPECT_EQ(ini.value("SERVER", "missing"), "");
    ini.setValue("Server", "IdGos", "13");
    ini.setValue("CONST", "VER26", "1.0017");
    EXPECT_EQ(ini.sections(), (QStringList{"SERVER", "Ion Pop", "CONST"}));
    EXPECT_EQ(ini.keys("server"), QStringList{"IDGOS"});
    const IniFile again = IniFile::parse(ini.serialize());
    EXPECT_EQ(again.value("SERVER", "IDGOS"), "13");
    EXPECT_EQ(again.value("const", "ver26"), "1.0017");
    EXPECT_EQ(again.value("Ion Pop", "Sistare urmarire"), " 7 ");
    // A value cannot smuggle in a line of its own.
    ini.setValue("SERVER", "X", "a\r\n[EVIL]\r\nk=v");
    EXPECT_FALSE(IniFile::parse(ini.serialize()).hasKey("EVIL", "k"));
}

TEST(SettingsFile, ReadWriteAndCounters)
{
    TempDir dir;
    SettingsFile s(dir.file("Valdora.set"));
    EXPECT_EQ(s.read("SERVER", "LASTPACK"), "");
    EXPECT_EQ(s.peekNumber("SERVER", "IDGOS"), 1);
    EXPECT_EQ(s.nextNumber("SERVER", "IDGOS"), 1);
    EXPECT_EQ(s.read("SERVER", "IDGOS"), "2");
    EXPECT_EQ(s.nextNumber("server", "idgos"), 2);
    EXPECT_EQ(s.read("SERVER", "IDGOS"), "3");
    EXPECT_EQ(s.peekNumber("SERVER", "IDGOS"), 3);
    EXPECT_EQ(s.read("SERVER", "IDGOS"), "3");
    s.write("SERVER", "FARAMAJORARI", "");
    EXPECT_TRUE(s.hasKey("SERVER", "FARAMAJORARI"));
    s.write(QString::fromUtf8("Ştefan"), "SERIA", QString::fromUtf8("ȚB"));
    EXPECT_EQ(s.read(QString::fromUtf8("ştefan"), "seria"), QString::fromUtf8("ŢB"));
    // The file is code page 1250 text.
    EXPECT_TRUE(valdora::test::readFile(s.path()).contains("[\xaa" "tefan]"));
}

TEST(SettingsFile, ACounterThatIsNotANumberIsAnErrorNamingTheKey)
{
    TempDir dir;
    SettingsFile s(dir.file("Valdora.set"));
    s.write("SERVER", "IDCHIT", "12x");
    try {
        s.nextNumber("SERVER", "IDCHIT");
        FAIL() << "expected an error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains("IDCHIT")) << e.message().toStdString();
    }
    EXPECT_EQ(s.read("SERVER", "IDCHIT"), "12x");
    EXPECT_THROW(s.peekNumber("SERVER", "IDCHIT"), Error);
}

TEST(SettingsFile, TwoProcessesNeverTakeTheSameNumber)
{
    TempDir dir;
    const QString file = dir.file("Valdora.set");
    SettingsFile(file).write("SERVER", "OTHER", "x");
    QProcess a, b;
    const QStringList args{file, "SERVER", "IDCHIT", "2000"};
    a.start(SETTINGS_HAMMER, args);
    b.start(SETTINGS_HAMMER, args);
    ASSERT_TRUE(a.waitForFinished(120000));
    ASSERT_TRUE(b.waitForFinished(120000));
    ASSERT_EQ(a.exitCode(), 0);
    ASSERT_EQ(b.exitCode(), 0);
    QSet<qint64> seen;
    int total = 0;
    for (QProcess *p : {&a, &b})
        for (const QByteArray &line : p->readAllStandardOutput().split('\n'))
            if (!line.isEmpty()) {
                seen.insert(line.toLongLong());
                ++total;
            }
    EXPECT_EQ(total, 4000);
    EXPECT_EQ(seen.size(), 4000);
    for (qint64 n = 1; n <= 4000; ++n)
        ASSERT_TRUE(seen.contains(n)) << n;
    EXPECT_EQ(SettingsFile(file).read("SERVER", "IDCHIT"), "4001");
    EXPECT_EQ(SettingsFile(file).read("SERVER", "OTHER"), "x");
}

TEST(RegistryStore, ValuesOfThisAndThePreviousEdition)
{
    TempDir dir;
    RegistryStore::setBaseFolder(dir.path());
    RegistryStore(105).write("CALE", "/srv/valdora2025");
    RegistryStore current(106);
    current.write("SERVER", "");
    current.write("CALESALVARI", "/backups");
    EXPECT_EQ(RegistryStore(106).read("CALESALVARI"), "/backups");
    EXPECT_EQ(RegistryStore(106).read("CALE"), "");
    EXPECT_EQ(previousEditionFolder(), "/srv/valdora2025");
    RegistryStore::setBaseFolder({});
}
