#include "FTypy.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(TTagList, IndexesEverySeparator) {
    TTagList t;
    t.SetText("~20ABC~21DEF~32Jan Kowalski", "~");
    ASSERT_EQ(t.Count(), 3);
    EXPECT_EQ(t.PozPoczTagNr(20), 1);
    EXPECT_EQ(t.PozPoczTagNr(21), 7);
    EXPECT_EQ(t.PozPoczTagNr(32), 13);
    EXPECT_EQ(t.PozPoczTagNr(33), 0);
    EXPECT_EQ(t.NextTag("~20"), "~21");
    EXPECT_EQ(t.NextTag("~32"), ""); // the last one
    EXPECT_EQ(t.NextTag("~99"), "");

    const QString l = t.Linia86();
    EXPECT_EQ(CzytajPodpole(l, "~", "~20"), "ABC");
    EXPECT_EQ(CzytajPodpole(l, "~", "~21"), "DEF");
    EXPECT_EQ(CzytajPodpole(l, "~", "~32"), "Jan Kowalski");
    EXPECT_EQ(CzytajPodpole(l, "~", "~33"), "");

    t.SetText("~05", "~"); // earlier entries are dropped
    EXPECT_EQ(t.Count(), 1);
    EXPECT_TRUE(t.JestTagNr(5));
}

TEST(TTagList, SeparatorNearTheEnd) {
    TTagList t;
    t.SetText("~20A~2", "~");
    ASSERT_EQ(t.Count(), 2);
    EXPECT_EQ(t.NextTag("~20"), "~2"); // one character of number part
    t.SetText("~20A~", "~");
    EXPECT_EQ(t.NextTag("~20"), "~"); // the separator alone
    EXPECT_EQ(CzytajPodpole("~20A~", "~", "~20"), "A");
}

TEST(TTagList, NumbersOfThreeDigitsNeverMatch) {
    TTagList t;
    t.SetText("^100^05x", "^");
    EXPECT_FALSE(t.JestTagNr(100));
    EXPECT_TRUE(t.JestTagNr(5));
    EXPECT_EQ(t.PozPoczTagNr(5), 5);
}

TEST(TTagList, SubfieldReading) {
    // A separator inside a title cuts it; a repeated subfield answers for its first
    // occurrence; wrapped lines join without a space.
    EXPECT_EQ(CzytajPodpole("~20A~B~21C", "~", "~20"), "A");
    EXPECT_EQ(CzytajPodpole("~20first~21x~20second", "~", "~20"), "first");
    EXPECT_EQ(CzytajPodpole("~20PRZELEW ZA\r\nFAKTURE~21X", "~", "~20"), "PRZELEW ZAFAKTURE");
    EXPECT_EQ(CzytajPodpole("~20~21X", "~", "~20"), "");
    EXPECT_EQ(CzytajPodpole("~20 spaced ", "~", "~20"), " spaced "); // not trimmed here
}
