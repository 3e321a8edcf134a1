#include <gtest/gtest.h>

#include "codec_test_support.h"

namespace vantor {
namespace {

struct RoundTrip {
    const char* type;
    const char* name;
    const char* text;  // typed
    const char* back;  // what reading the written bytes shows
};

class RoundTrips : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTrips, WrittenBytesReadBackAsTheValue) {
    const RoundTrip& c = GetParam();
    const test::Encoded written = test::encode(c.type, c.name, c.text);
    ASSERT_EQ(written.result, kConvertOk) << written.reason;
    const test::Decoded read = test::decode(c.type, c.name, written.data);
    EXPECT_EQ(read.result, kConvertOk);
    EXPECT_EQ(read.text, c.back);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RoundTrips,
    ::testing::Values(RoundTrip{"STORED_DOT", "x", "-12.5", "-12.500"}, RoundTrip{"STORED_DOT", "x", "0.125", "0.125"},
                      RoundTrip{"STORED_DOT", "x", "-9999.999", "-9999.999"},
                      RoundTrip{"STORED_DOT", "x", "268435.455", "268435.455"},
                      RoundTrip{"float", "x", "-3.25", "-3.250"}, RoundTrip{"float", "r.oe", "2.5", "2.500"},
                      RoundTrip{"int", "x", "0", "0"}, RoundTrip{"int", "x", "255", "255"},
                      RoundTrip{"int", "x", "65535", "65535"}, RoundTrip{"int16", "x", "1", "1"},
                      RoundTrip{"int", "Addr", "247", "247"}, RoundTrip{"CLK_frm", "x", "12:34", "12:34"},
                      RoundTrip{"CLK_frm", "x", "0:59", "00:59"}, RoundTrip{"name", "x", "A1.-", "A1.- "},
                      RoundTrip{"name", "x", "Z/_9.", "Z/_9."}, RoundTrip{"none:even:odd", "x", "odd", "odd"}));

}  // namespace
}  // namespace vantor
