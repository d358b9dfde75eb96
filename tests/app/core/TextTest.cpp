#include "app/core/Cp1250.h"
#include "app/core/Text.h"

#include <gtest/gtest.h>

using namespace valdora;

TEST(Text, SmallServices)
{
    EXPECT_EQ(cleanSpaces(u"  Ion   Popescu  jr "), "Ion Popescu jr");
    EXPECT_EQ(cleanSpaces(u""), "");
    EXPECT_EQ(joinConditions(u" (A=1)(B=2)(C=3) "), "(A=1) AND (B=2) AND (C=3)");
    EXPECT_EQ(firstWord(u"Popescu Ion Vasile"), "Popescu");
    EXPECT_EQ(firstWord(u"Popescu"), "Popescu");
    EXPECT_EQ(restAfterFirstWord(u"Popescu  Ion Vasile "), "Ion Vasile");
    EXPECT_EQ(restAfterFirstWord(u"Popescu"), "");
    EXPECT_EQ(streetAddress(u"Unirii", u"12"), "str.Unirii 12");
    EXPECT_EQ(streetAddress(u"  ", u"nr. 5"), "nr. 5");
    EXPECT_EQ(streetAddress(u"Unirii", u""), "str.Unirii");
}

TEST(Text, GroupIndex)
{
    EXPECT_EQ(groupIndex(u"Impozit pe cladiri"), 1);
    EXPECT_EQ(groupIndex(u"IMPOZIT PE TEREN INTRAVILAN"), 2);
    EXPECT_EQ(groupIndex(u"impozit pe teren extravilan"), 3);
    EXPECT_EQ(groupIndex(u"Impozit pe mijloace de transport"), 4);
    EXPECT_EQ(groupIndex(u"Salubritate"), 5);
    EXPECT_EQ(groupIndex(u""), 5);
    EXPECT_EQ(mainGroupName(4), "Impozit pe mijloace de transport");
    EXPECT_EQ(mainGroupName(5), "Alte taxe");
}

TEST(Text, AmountInWords)
{
    struct Case { const char *in; const char *out; };
    const Case cases[] = {
        {"1", "unu"}, {"12", "doisprezece"}, {"21", "douazecisiunu"}, {"100", "unasuta"},
        {"250", "douasutecincizeci"}, {"1002", "unamiidoi"}, {"0", "zero"}, {"", "zero"},
        {"4567", "patrumiicincisutesasezecisisapte"}, {"19", "nouasprezece"}, {"60", "sasezeci"},
        {"2", "doi"}, {"10", "zece"}, {"11", "unsprezece"}, {"15", "cincisprezece"}, {"1000", "unamii"},
        {"2000", "douamii"}, {"12.75", "doisprezece"}, {".5", "zero"}, {"1,234", "unamiidouasutetreizecisipatru"},
        {"1000000", "unamilioane"}, {"2000001", "douamilioaneunu"}, {"3000000000", "treimiliarde"},
        {"999999999999", "nouasutenouazecisinouamiliardenouasutenouazecisinouamilioanenouasutenouazecisinouamiinouasutenouazecisinoua"},
        {"001", "unu"}, {"-5", "cinci"}};
    for (const auto &k : cases)
        EXPECT_EQ(amountInWords(QString::fromLatin1(k.in)), QString::fromLatin1(k.out)) << k.in;
    for (const char *bad : {"abc", "12a", "1.2.3", "1000000000000"})
        EXPECT_FALSE(amountInWords(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(Text, Cp1250RoundTripsRomanianLetters)
{
    const QString cedilla = QString::fromUtf8("ĂÂÎŞŢăâîşţ");
    const QByteArray bytes = encodeCp1250(cedilla);
    EXPECT_EQ(bytes.toHex(), "c3c2ceaadee3e2eebafe");
    EXPECT_EQ(decodeCp1250(bytes), cedilla);
    // Comma-below letters are written as the cedilla ones rather than lost.
    EXPECT_EQ(decodeCp1250(encodeCp1250(QString::fromUtf8("Ștefan Țuțu"))), QString::fromUtf8("Ştefan Ţuţu"));
    EXPECT_TRUE(sameRomanianText(QString::fromUtf8("Ștefan"), QString::fromUtf8("ştefan"), Qt::CaseInsensitive));
    EXPECT_FALSE(sameRomanianText(QString::fromUtf8("Stefan"), QString::fromUtf8("Ştefan")));
}
