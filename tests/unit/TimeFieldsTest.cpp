// The editor's number fields: normalising a typed time, the wrapping time arrows, the stopping
// year arrows, and the key filter.
#include <gtest/gtest.h>

#include "ui/editor/TimeFields.h"

namespace {

struct FieldCase {
  const char* text;
  int32_t highest;
  bool valid;
  int32_t position;
  const char* shown;  // what the field reads afterwards; for an invalid text, the error
};

class TimeFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(TimeFieldTest, NormalisesOrReportsTheText) {
  const FieldCase& c = GetParam();
  const NumberFieldValue value = NormaliseTimeField(c.text, c.highest);
  ASSERT_EQ(value.valid, c.valid) << "'" << c.text << "'";
  if (c.valid) {
    EXPECT_EQ(value.position, c.position);
    EXPECT_EQ(DecimalText(value.position), c.shown);
  } else {
    EXPECT_EQ(value.error, c.shown);
  }
}

INSTANTIATE_TEST_SUITE_P(
    TypedAndPasted, TimeFieldTest,
    testing::Values(
        FieldCase{"75", kMinuteHighest, true, 59, "59"},
        FieldCase{"99", kHourHighest, true, 23, "23"}, FieldCase{"07", kHourHighest, true, 7, "7"},
        FieldCase{"24", kHourHighest, true, 23, "23"},
        FieldCase{"23", kHourHighest, true, 23, "23"},
        FieldCase{"60", kMinuteHighest, true, 59, "59"},
        FieldCase{"0", kMinuteHighest, true, 0, "0"}, FieldCase{"00", kMinuteHighest, true, 0, "0"},
        // Pasted texts: a sign is dropped, hexadecimal is a number too.
        FieldCase{"-5", kHourHighest, true, 5, "5"}, FieldCase{"$F", kHourHighest, true, 15, "15"},
        FieldCase{" 7", kHourHighest, true, 7, "7"},
        FieldCase{"-2147483648", kMinuteHighest, true, 59, "59"},
        FieldCase{"", kHourHighest, false, 0, "'' is not a valid integer value"},
        FieldCase{"1a", kMinuteHighest, false, 0, "'1a' is not a valid integer value"},
        FieldCase{"-", kMinuteHighest, false, 0, "'-' is not a valid integer value"}));

TEST(YearField, KeepsWithinTheArrowsRangeAndReportsNonNumbers) {
  struct Case {
    const char* text;
    bool valid;
    int32_t position;
  };
  const Case cases[] = {{"2024", true, 2024}, {"0", true, 0},        {"9999", true, 9999},
                        {"-999", true, 999},  {"12345", true, 9999}, {"$FFF", true, 4095},
                        {"", false, 0},       {"20x4", false, 0}};
  for (const Case& c : cases) {
    const NumberFieldValue value = NormaliseYearField(c.text);
    ASSERT_EQ(value.valid, c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(value.position, c.position) << c.text;
    }
  }
  EXPECT_EQ(NormaliseYearField("").error, "'' is not a valid integer value");
}

struct ArrowCase {
  int32_t highest;
  int32_t shown;
  ArrowButton button;
  int32_t expected;
};

// One press as the window sees it: the arrows step within their range, then the handler wraps.
int32_t PressTimeArrow(int32_t shown, ArrowButton button, int32_t highest) {
  const int32_t stepped = ArrowStep(shown, button, TimeArrowsLowest(), TimeArrowsHighest(highest));
  return WrapTimeArrows(stepped, button, highest);
}

class TimeArrowsTest : public testing::TestWithParam<ArrowCase> {};

TEST_P(TimeArrowsTest, StepAndWrapAtTheEnds) {
  const ArrowCase& c = GetParam();
  EXPECT_EQ(PressTimeArrow(c.shown, c.button, c.highest), c.expected);
}

INSTANTIATE_TEST_SUITE_P(HoursMinutesSeconds, TimeArrowsTest,
                         testing::Values(ArrowCase{kHourHighest, 0, ArrowButton::Down, 23},
                                         ArrowCase{kHourHighest, 23, ArrowButton::Up, 0},
                                         ArrowCase{kHourHighest, 22, ArrowButton::Up, 23},
                                         ArrowCase{kHourHighest, 1, ArrowButton::Down, 0},
                                         ArrowCase{kHourHighest, 12, ArrowButton::Up, 13},
                                         ArrowCase{kMinuteHighest, 0, ArrowButton::Down, 59},
                                         ArrowCase{kMinuteHighest, 59, ArrowButton::Up, 0},
                                         ArrowCase{kMinuteHighest, 58, ArrowButton::Up, 59},
                                         ArrowCase{kMinuteHighest, 30, ArrowButton::Down, 29}));

TEST(YearArrows, StopAtZeroAndAt9999) {
  EXPECT_EQ(ArrowStep(9999, ArrowButton::Up, kYearLowest, kYearHighest), 9999);
  EXPECT_EQ(ArrowStep(9998, ArrowButton::Up, kYearLowest, kYearHighest), 9999);
  EXPECT_EQ(ArrowStep(0, ArrowButton::Down, kYearLowest, kYearHighest), 0);
  EXPECT_EQ(ArrowStep(1, ArrowButton::Down, kYearLowest, kYearHighest), 0);
  EXPECT_EQ(ArrowStep(kYearArrowsStart, ArrowButton::Up, kYearLowest, kYearHighest), 2009);
}

TEST(KeyFilter, LetsOnlyDigitsAndBackspaceThrough) {
  struct Case {
    uint32_t character;
    bool passes;
  };
  const Case cases[] = {
      {'0', true},     {'5', true},  {'9', true},  {8, true},  // backspace
      {'a', false},    {'Z', false}, {'-', false}, {'+', false}, {' ', false},
      {'$', false},    {'.', false}, {'/', false}, {':', false},  // just outside '0'..'9'
      {13, false},     {27, false},  {22, false},                 // Enter, Escape, Ctrl+V
      {0x0410, false},  // Cyrillic capital A, typed with the Russian layout
      {0x0660, false},  // Arabic-Indic digit zero: not one of "0" ... "9"
  };
  for (const Case& c : cases) EXPECT_EQ(IsNumberKey(c.character), c.passes) << c.character;
}

}  // namespace
