#include "support/Cli.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace valdora::test;

TEST(Cli, WordsVersionAndChecks)
{
    auto r = runCli({"words", "4567"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json.toString(), "patrumiicincisutesasezecisisapte");

    r = runCli({"words", "12x"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());

    r = runCli({"version"});
    EXPECT_EQ(r.json["version"].toString(), "1.0017");
    EXPECT_EQ(r.json["fiscalYear"].toInt(), 2026);

    r = runCli({"check", "cnp", "6040229000111"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json["sex"].toString(), "feminin");
    EXPECT_EQ(r.json["birthDate"].toString(), "29.02.2004");
    EXPECT_EQ(runCli({"check", "cnp", "3800101221148"}).exitCode, 1);
    EXPECT_EQ(runCli({"check", "cui", "124"}).exitCode, 0);
    EXPECT_EQ(runCli({"check", "cui", "ab"}).exitCode, 1);
    EXPECT_EQ(runCli({"check", "iban", "RO54RNCB0082044173490001"}).exitCode, 0);
    EXPECT_EQ(runCli({"check", "nothing", "1"}).exitCode, 2);
    EXPECT_EQ(runCli({"no-such-command"}).exitCode, 2);
}

TEST(Cli, Counters)
{
    TempDir dir;
    auto r = runCli({"--data", dir.path(), "peek-number", "SERVER", "IDGOS"});
    EXPECT_EQ(r.json["number"].toInt(), 1);
    EXPECT_EQ(runCli({"--data", dir.path(), "next-number", "SERVER", "IDGOS"}).json["number"].toInt(), 1);
    EXPECT_EQ(runCli({"next-number", "SERVER", "IDGOS", "--data", dir.path()}).json["number"].toInt(), 2);
    EXPECT_EQ(runCli({"--data", dir.path(), "peek-number", "server", "idgos"}).json["number"].toInt(), 3);
    writeFile(dir.file("Valdora.set"), "[SERVER]\r\nIDGOS=abc\r\n");
    r = runCli({"--data", dir.path(), "next-number", "SERVER", "IDGOS"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("IDGOS"));
}
