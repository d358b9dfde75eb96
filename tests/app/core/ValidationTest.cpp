#include "app/core/Validation.h"

#include <gtest/gtest.h>

using namespace valdora;

TEST(Validation, FiscalCode)
{
    struct Case { const char *code; bool valid; };
    const Case cases[] = {{"124", true}, {"125", false}, {"12", false}, {"12345678901", false},
                          {"18547290", true}, {"18547291", false}, {"", false}, {"12a4", false},
                          {"-124", false}, {" 124", false}};
    for (const auto &k : cases)
        EXPECT_EQ(isValidFiscalCode(QString::fromLatin1(k.code)), k.valid) << k.code;
}

TEST(Validation, Iban)
{
    struct Case { const char *iban; bool valid; };
    const Case cases[] = {{"RO54RNCB0082044173490001", true}, {"ro54 rncb 0082 0441 7349 0001", true},
                          {"RO10TREZ2915069XXX000123", true}, {"RO55RNCB0082044173490001", false},
                          {"RO54RNCB008204417349000", false}, {"DE54RNCB0082044173490001", false},
                          {"ROAARNCB0082044173490001", false}, {"", false}};
    for (const auto &k : cases)
        EXPECT_EQ(isValidIban(QString::fromLatin1(k.iban)), k.valid) << k.iban;
}

TEST(Validation, Cnp)
{
    struct Case { const char *cnp; bool valid; const char *sex; QDate born; };
    const Case cases[] = {
        {"1800101221144", true, "masculin", QDate(1980, 1, 1)},
        {"1800101221145", false, "masculin", QDate(1980, 1, 1)},   // wrong check digit
        {"5031231123452", true, "masculin", QDate(2003, 12, 31)},  // born after 2000
        {"6040229000111", true, "feminin", QDate(2004, 2, 29)},    // leap day
        {"7801014000116", true, "masculin", QDate(1980, 10, 14)},  // resident
        {"9791231400123", true, "masculin", QDate(1979, 12, 31)},  // foreigner
        {"2902294001231", false, "feminin", QDate(1900, 1, 1)},    // 29.02.1990 does not exist
        {"3800101221148", false, "feminin", QDate(1980, 1, 1)},    // first digit 3 refused even with the right check
        {"1000101000009", true, "masculin", QDate(1900, 1, 1)},
        {"180010122114", false, "masculin", QDate(1980, 1, 1)},    // 12 digits
        {"123456", false, "masculin", QDate(1899, 12, 30)},
        {"18a0101221144", false, "masculin", QDate(1899, 12, 30)},
    };
    for (const auto &k : cases) {
        const QString t = QString::fromLatin1(k.cnp);
        EXPECT_EQ(CnpCheck::isValid(t), k.valid) << k.cnp;
        EXPECT_EQ(CnpCheck::sex(t), QString::fromLatin1(k.sex)) << k.cnp;
        EXPECT_EQ(CnpCheck::birthDate(t), k.born) << k.cnp;
    }
    EXPECT_FALSE(CnpCheck::isValid(u"4800101221144"));
    EXPECT_FALSE(CnpCheck::isValid(u"0800101221144"));
    EXPECT_TRUE(CnpCheck::isValid(u"", true));
    EXPECT_FALSE(CnpCheck::isValid(u"", false));
    EXPECT_EQ(CnpCheck::sex(u""), "masculin");
}
