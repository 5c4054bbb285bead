#include "model/Cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, CharactersOnlyCp932HasConvertBothWays) {
    // "Ⅰ" is 0x8754, "㎡" 0x8775 and "①" 0x8740 in CP932; plain SHIFT_JIS has none of them.
    const std::string utf8 = "基礎Ⅰ ㎡ ①";
    auto bytes = cp932::fromUtf8(utf8);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, std::string("\x8A\xEE\x91\x62\x87\x54 \x87\x75 \x87\x40"));
    EXPECT_EQ(cp932::toUtf8(*bytes), utf8);
}

TEST(Cp932, UnencodableTextIsRefusedAndBadBytesAreReplaced) {
    EXPECT_FALSE(cp932::fromUtf8("emoji \xF0\x9F\x98\x80"));
    // A program text keeps what converts.
    EXPECT_EQ(cp932::programText("㎡ \xF0\x9F\x98\x80"), "\x87\x75 ????");
    // A lone lead byte at the end and an invalid trail byte.
    EXPECT_EQ(cp932::toUtf8("A\x82"), "A\xEF\xBF\xBD");
    EXPECT_EQ(cp932::toUtf8(std::string_view("\x82\x00", 2)).substr(0, 3), "\xEF\xBF\xBD");
}

TEST(Cp932, PrefixNeverSplitsADoubleByteCharacter) {
    const std::string text = "A\x8A\xEE"
                             "B"; // "A基B"
    EXPECT_EQ(cp932::prefixOnBoundary(text, 1), 1u);
    EXPECT_EQ(cp932::prefixOnBoundary(text, 2), 1u);
    EXPECT_EQ(cp932::prefixOnBoundary(text, 3), 3u);
    EXPECT_EQ(cp932::prefixOnBoundary(text, 10), 4u);
    // A lead byte whose trail byte is missing is not counted.
    EXPECT_EQ(cp932::prefixOnBoundary("A\x8A", 5), 1u);
}
