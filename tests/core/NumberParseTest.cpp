#include "document/NumberParse.h"

#include <gtest/gtest.h>

#include <limits>

TEST(NumberParse, AcceptsWhatUsersTypeInEitherWidth) {
    const struct {
        const char* text;
        double value;
    } accepted[] = {
        {"2.5", 2.5}, {"  -0.303 ", -0.303}, {"+1.5", 1.5}, {"５", 5},     {"１２．５", 12.5},
        {"－３", -3}, {"−０．５", -0.5},     {"＋７", 7},   {"　４　", 4}, {".5", 0.5},
        {"3.", 3},    {"1e3", 1000},         {"0910", 910}, {"-0", 0},
    };
    for (const auto& c : accepted) {
        const auto v = ParseNumber(c.text);
        ASSERT_TRUE(v) << c.text;
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
    for (const char* refused : {"", "   ", "abc", "0,5", "1.2.3", "--1", "+", ".", "inf", "nan",
                                "1e999", "2.5kN", "2 5", "1e", "0x10", "５ｍ"}) {
        EXPECT_FALSE(ParseNumber(refused)) << refused;
    }
    EXPECT_FALSE(ParseNumber(std::string(400, '9')));
    EXPECT_FALSE(ParseNumber("\xff\x35")); // broken UTF-8 is no digit
}

TEST(NumberParse, RangeAndLeadingNumber) {
    EXPECT_DOUBLE_EQ(*ParseNumber("1.82", 0.6, 1.82), 1.82);
    EXPECT_FALSE(ParseNumber("1.83", 0.6, 1.82));
    EXPECT_FALSE(ParseNumber("-1", 0, std::numeric_limits<double>::max()));

    EXPECT_DOUBLE_EQ(*ParseLeadingNumber("  2.50kN"), 2.5);
    EXPECT_DOUBLE_EQ(*ParseLeadingNumber("３ｍ"), 3);
    EXPECT_DOUBLE_EQ(*ParseLeadingNumber("2e"), 2);
    EXPECT_FALSE(ParseLeadingNumber("kN 2"));
    EXPECT_FALSE(ParseLeadingNumber("nan"));
    EXPECT_FALSE(ParseLeadingNumber("1e999"));
}
