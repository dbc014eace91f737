#include <QString>
#include <gtest/gtest.h>

#include "toolkit/TextCodec.h"

TEST(TextCodec, RoundTripsGbkAndCharactersGbkLacks)
{
    // "中文" in GBK, then U+20000 (outside GBK), which GB18030 carries in four bytes.
    const std::string gbk = "\xD6\xD0\xCE\xC4";
    EXPECT_EQ(GbToUtf8(gbk), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(Utf8ToGb("\xE4\xB8\xAD\xE6\x96\x87"), gbk);
    const std::string rare = "\xF0\xA0\x80\x80";
    EXPECT_EQ(Utf8ToGb(rare).size(), 4u);
    EXPECT_EQ(GbToUtf8(Utf8ToGb(rare)), rare);
    EXPECT_EQ(QStringToGb(GbToQString(gbk + "abc")), gbk + "abc");
}

TEST(TextCodec, BrokenInputIsReplacedNotDropped)
{
    // A lone lead byte at the end, between plain letters.
    EXPECT_EQ(GbToUtf8("a\x81"), "a\xEF\xBF\xBD");
    EXPECT_EQ(GbToUtf8(Utf8ToGb("x\xFFy")), "x\xEF\xBF\xBDy");
}

TEST(TextCodec, RecognisesValidUtf8)
{
    struct Case { std::string bytes; bool valid; } cases[] = {
        {"", true}, {"plain", true}, {"\xE4\xB8\xAD", true}, {"\xF0\xA0\x80\x80", true},
        {"\xD6\xD0\xCE\xC4", false},   // GBK text
        {"\xC0\xAF", false},           // overlong "/"
        {"\xED\xA0\x80", false},       // surrogate
        {"\xE4\xB8", false},           // truncated
        {"\xF4\x90\x80\x80", false},   // past U+10FFFF
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
}
