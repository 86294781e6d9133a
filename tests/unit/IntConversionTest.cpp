// The conversion of stored numbers: what is a whole number and what is not.
#include <gtest/gtest.h>

#include <climits>

#include "core/IntConversion.h"

namespace {

struct IntCase {
  const char* text;
  std::optional<int32_t> expected;  // nullopt: a conversion error
};

void PrintTo(const IntCase& c, std::ostream* os) { *os << "'" << c.text << "'"; }

class StrToInt32Test : public testing::TestWithParam<IntCase> {};

TEST_P(StrToInt32Test, ConvertsOrRefuses) {
  const IntCase& c = GetParam();
  EXPECT_EQ(StrToInt32(c.text), c.expected) << "'" << c.text << "'";
  EXPECT_EQ(StoredInt32(c.text), c.expected) << "the reader's way, '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(Decimal, StrToInt32Test,
                         testing::Values(IntCase{"0", 0}, IntCase{"718", 718}, IntCase{" 718", 718},
                                         IntCase{"   -5", -5}, IntCase{"+7", 7}, IntCase{"-0", 0},
                                         IntCase{"0018", 18}, IntCase{"999999999", 999999999},
                                         IntCase{"1000000000", 1000000000},
                                         IntCase{"2147483647", INT_MAX},
                                         IntCase{"-2147483648", INT_MIN},
                                         IntCase{"000000000000002147483647", INT_MAX}));

INSTANTIATE_TEST_SUITE_P(
    Hexadecimal, StrToInt32Test,
    testing::Values(IntCase{"$2CE", 718}, IntCase{"$2ce", 718}, IntCase{"x2CE", 718},
                    IntCase{"X2CE", 718}, IntCase{"0x2CE", 718}, IntCase{"0X2ce", 718},
                    IntCase{" $2CE", 718}, IntCase{"$FFFFFFFF", -1}, IntCase{"$80000000", INT_MIN},
                    IntCase{"$7FFFFFFF", INT_MAX}, IntCase{"$00000002CE", 718}));

INSTANTIATE_TEST_SUITE_P(
    Errors, StrToInt32Test,
    testing::Values(IntCase{"", std::nullopt}, IntCase{" ", std::nullopt},
                    IntCase{"-", std::nullopt}, IntCase{"+", std::nullopt},
                    IntCase{"718abc", std::nullopt}, IntCase{"718 ", std::nullopt},
                    IntCase{"7 18", std::nullopt}, IntCase{"\t718", std::nullopt},
                    IntCase{"1e3", std::nullopt}, IntCase{"2147483648", std::nullopt},
                    IntCase{"-2147483649", std::nullopt},
                    IntCase{"99999999999999999999", std::nullopt}, IntCase{"$", std::nullopt},
                    IntCase{"0x", std::nullopt}, IntCase{"x", std::nullopt},
                    IntCase{"$100000000", std::nullopt}, IntCase{"$G", std::nullopt},
                    IntCase{"-$10", std::nullopt}, IntCase{"$-10", std::nullopt},
                    IntCase{"--1", std::nullopt}, IntCase{"0x1 ", std::nullopt}));

}  // namespace
