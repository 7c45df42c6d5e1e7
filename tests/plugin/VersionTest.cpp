// The release number hosts read: the number the build's version gives, and the rule that makes it.

#include "host/Opcodes.h"
#include "plugin/VendorVersion.h"
#include "tests/plugin/OpenCompressor.h"

#include <gtest/gtest.h>

namespace {

TEST(VendorVersion, PluginAnswersTwoThousandForReleaseTwo) {
    OpenCompressor compressor;
    EXPECT_EQ(compressor.dispatch(effGetVendorVersion, 0, 0, nullptr, 0.0f), 2000);
}

TEST(VendorVersion, EachPartHasItsOwnDigits) {
    const struct {
        int32_t major, minor, patch, number;
    } cases[] = {{2, 0, 0, 2000}, {2, 0, 1, 2001}, {2, 1, 0, 2100}, {2, 9, 99, 2999}, {3, 0, 12, 3012}};
    for (const auto& c : cases)
        EXPECT_EQ(vendorVersion(c.major, c.minor, c.patch), c.number)
            << c.major << '.' << c.minor << '.' << c.patch;
}

TEST(VendorVersion, PartsThatWouldSpillIntoAnotherDigitDoNotFit) {
    EXPECT_TRUE(fitsVendorVersion(0, 0));
    EXPECT_TRUE(fitsVendorVersion(9, 99));
    EXPECT_FALSE(fitsVendorVersion(10, 0));
    EXPECT_FALSE(fitsVendorVersion(0, 100));
    EXPECT_FALSE(fitsVendorVersion(-1, 0));
    EXPECT_FALSE(fitsVendorVersion(0, -1));
}

} // namespace
