#include "admin/domain/PasswordHash.h"
#include "admin/store/UserFile.h"
#include "support/TempDir.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace valdora::admin;
using valdora::test::TempDir;

TEST(PasswordHash, SaltedSlowAndToldApartFromPlainText)
{
    // The PBKDF2 test vector of RFC 7914 (HMAC-SHA256, one iteration).
    EXPECT_EQ(pbkdf2Sha256("passwd", "salt", 1).toHex(),
              "55ac046e56e3089fec1691c22544b605f94185216dde0465e68b9d57c20dacbc");
    const QByteArray a = PasswordHash::make("952");
    const QByteArray b = PasswordHash::make("952");
    EXPECT_EQ(a.size(), 32);
    EXPECT_NE(a, b); // a fresh salt each time
    EXPECT_TRUE(PasswordHash::isHashed(a));
    EXPECT_FALSE(PasswordHash::isHashed("952"));
    EXPECT_TRUE(PasswordHash::matches(a, "952"));
    EXPECT_FALSE(PasswordHash::matches(a, "953"));
    EXPECT_FALSE(PasswordHash::matches(a, ""));
    EXPECT_TRUE(PasswordHash::matches("952", "952")); // an older file's plain text
    EXPECT_TRUE(PasswordHash::make("").isEmpty());     // no password stays no password
    EXPECT_TRUE(PasswordHash::matches("", ""));
    QElapsedTimer t;
    t.start();
    PasswordHash::matches(a, "952");
    EXPECT_GE(t.elapsed(), 5) << "one check should be slow enough to stop guessing";
}

TEST(UserFile, RecordLayoutAndAccounts)
{
    TempDir dir;
    UserFile f(dir.file("s.mpg"));
    f.createWithAdmin();
    EXPECT_EQ(QFileInfo(f.path()).size(), 100);
    ASSERT_TRUE(f.login("ADMIN", "952").has_value());
    EXPECT_FALSE(f.login("ADMIN", "95").has_value());
    EXPECT_FALSE(f.login("admin", "952").has_value());

    EXPECT_TRUE(f.add("ION", Grade::Cashier, "AB 123"));
    EXPECT_FALSE(f.add("ION", Grade::Cashier, ""));
    EXPECT_TRUE(f.add("MARIA", Grade::RoleOperator, ""));
    EXPECT_EQ(QFileInfo(f.path()).size(), 300);
    const auto ion = f.login("ION", "");
    ASSERT_TRUE(ion.has_value());
    EXPECT_EQ(ion->grade, Grade::Cashier);
    EXPECT_EQ(ion->identityCard, "AB 123");

    EXPECT_TRUE(f.changeOwnAccount("ION", "", "PAROLA", "CD 9"));
    EXPECT_FALSE(f.login("ION", "").has_value());
    EXPECT_EQ(f.login("ION", "PAROLA")->identityCard, "CD 9");
    EXPECT_TRUE(f.changeOwnAccount("ION", "PAROLA", "ALTA", "CD 9"));
    EXPECT_TRUE(f.login("ION", "ALTA").has_value());
    EXPECT_FALSE(f.changeOwnAccount("ION", "PAROLA", "X", ""));

    EXPECT_TRUE(f.modify("ION", Grade::RoleOperator, "EF", true));
    EXPECT_EQ(f.login("ION", "")->grade, Grade::RoleOperator);

    // Removing moves the last record into the slot and shortens the file by one record.
    EXPECT_TRUE(f.remove("ION"));
    EXPECT_EQ(QFileInfo(f.path()).size(), 200);
    const auto all = f.readAll();
    EXPECT_EQ(all[0].name, "ADMIN");
    EXPECT_EQ(all[1].name, "MARIA");
    EXPECT_FALSE(f.remove("ADMIN"));
    EXPECT_EQ(QFileInfo(f.path()).size(), 200);
}

TEST(UserFile, LegacyPlainPasswordIsHashedAtLogin)
{
    TempDir dir;
    // A record as an older installation wrote it.
    QByteArray rec(100, '\0');
    rec[0] = 5;
    rec.replace(1, 5, "ADMIN");
    rec[33] = 3;
    rec.replace(34, 3, "952");
    rec[66] = 0;
    QByteArray two = rec;
    two[0] = 3;
    two.replace(1, 5, "ANA\0\0", 5);
    two[33] = 0;
    two[66] = 2;
    valdora::test::writeFile(dir.file("s.mpg"), rec + two);
    UserFile f(dir.file("s.mpg"));
    ASSERT_TRUE(f.login("ADMIN", "952").has_value());
    const QByteArray after = valdora::test::readFile(f.path());
    EXPECT_EQ(after.size(), 200);
    EXPECT_FALSE(after.contains("952"));
    EXPECT_EQ(after.at(33), 32);
    EXPECT_EQ(after.mid(100), UserFile::encode(UserFile::decode(two))); // the other record untouched
    EXPECT_TRUE(f.login("ADMIN", "952").has_value());
    EXPECT_EQ(f.login("ANA", "")->grade, Grade::Cashier);
}
