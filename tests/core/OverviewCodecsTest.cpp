// The overview dialog's codecs: the snow list, the owner's postcode and address in one field.
#include "document/OverviewCodecs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(OverviewCodecsTest, SnowItemsStoreTheirTermAndShowAgain) {
    EXPECT_EQ(SnowTermOfItem(0), 0.0);
    EXPECT_DOUBLE_EQ(SnowTermOfItem(1), 0.26);
    EXPECT_DOUBLE_EQ(SnowTermOfItem(11), 0.52); // 0.26 x 2.0 m
    for (int item = 0; item < SnowItemCount; ++item)
        EXPECT_EQ(SnowItemOfTerm(SnowTermOfItem(item)), item) << item;
    // Terms no item gives show none (the dialog then keeps them), never a wrong item.
    for (double term : {5.0, -0.5, 0.6, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(SnowItemOfTerm(term), -1) << term;
}

TEST(OverviewCodecsTest, PostcodeTakesEightBytesAndTheAddressFollowsAtByteEight) {
    const OwnerAddressParts start = SplitOwnerAddress("***-****vu\x8e\x73");
    EXPECT_EQ(start.postcode, "***-****");
    EXPECT_EQ(start.address, "vu\x8e\x73");
    EXPECT_EQ(JoinOwnerAddress(start.postcode, start.address), "***-****vu\x8e\x73");

    // A short postcode is padded, so the address stays where the forms print it.
    EXPECT_EQ(JoinOwnerAddress("123", "\x8e\x73"), "123     \x8e\x73");
    EXPECT_EQ(SplitOwnerAddress("123     \x8e\x73").postcode, "123");

    // Five full-width characters with no postcode: four in the postcode, the fifth after it;
    // a character across byte 8 goes to the address whole.
    const std::string fiveKanji = "\x88\x9f\x88\xa0\x88\xa1\x88\xa2\x88\xa3";
    EXPECT_EQ(SplitOwnerAddress(fiveKanji).postcode, fiveKanji.substr(0, 8));
    EXPECT_EQ(SplitOwnerAddress(fiveKanji).address, fiveKanji.substr(8));
    const OwnerAddressParts odd = SplitOwnerAddress("1" + fiveKanji);
    EXPECT_EQ(odd.postcode, "1" + fiveKanji.substr(0, 6));
    EXPECT_EQ(odd.address, fiveKanji.substr(6));
}
