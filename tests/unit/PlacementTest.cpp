// Where windows open: the main window when its stored rectangle is on no screen, a dialog over
// its owner, and the cascade of reminder popups.
#include <gtest/gtest.h>

#include <vector>

#include "ui/popup/PopupCascade.h"
#include "ui/shared/WindowPlacement.h"

namespace {

struct BoundsCase {
  const char* name;
  WindowBounds stored;
  std::vector<WorkAreaRect> screens;
  WindowBounds expected;
};

class KeepOnAWorkAreaTest : public testing::TestWithParam<BoundsCase> {};

TEST_P(KeepOnAWorkAreaTest, KeepsOrCentres) {
  const BoundsCase& c = GetParam();
  const WorkAreaRect primary{0, 0, 1024, 738};
  const WindowBounds got = KeepOnAWorkArea(c.stored, c.screens, primary);
  EXPECT_EQ(
      (std::vector<int>{got.left, got.top, got.width, got.height}),
      (std::vector<int>{c.expected.left, c.expected.top, c.expected.width, c.expected.height}))
      << c.name;
}

const WorkAreaRect kPrimary{0, 0, 1024, 738};
const WorkAreaRect kRightScreen{1024, 0, 2944, 1040};
const WorkAreaRect kLeftScreen{-1280, 0, 0, 1024};

INSTANTIATE_TEST_SUITE_P(
    Screens, KeepOnAWorkAreaTest,
    testing::Values(
        BoundsCase{"on the primary screen", {153, 100, 718, 538}, {kPrimary}, {153, 100, 718, 538}},
        BoundsCase{"partly off the primary screen",
                   {900, 600, 718, 538},
                   {kPrimary},
                   {900, 600, 718, 538}},
        BoundsCase{"one pixel on the primary screen",
                   {1023, 737, 718, 538},
                   {kPrimary},
                   {1023, 737, 718, 538}},
        BoundsCase{
            "touching the edge only", {1024, 100, 718, 538}, {kPrimary}, {153, 100, 718, 538}},
        BoundsCase{"on a second screen that is still there",
                   {1500, 200, 718, 538},
                   {kPrimary, kRightScreen},
                   {1500, 200, 718, 538}},
        BoundsCase{"on a second screen that was removed",
                   {1500, 200, 718, 538},
                   {kPrimary},
                   {153, 100, 718, 538}},
        BoundsCase{"on a screen left of the primary",
                   {-900, 50, 800, 600},
                   {kLeftScreen, kPrimary},
                   {-900, 50, 800, 600}},
        BoundsCase{"far above every screen",
                   {100, -5000, 700, 520},
                   {kPrimary, kRightScreen},
                   {162, 109, 700, 520}},
        BoundsCase{"no screen known at all", {0, 0, 718, 538}, {}, {153, 100, 718, 538}}),
    [](const testing::TestParamInfo<BoundsCase>& test) {
      return "case" + std::to_string(test.index);
    });

struct DialogCase {
  const char* name;
  WindowBounds owner;
  int width, height;
  WorkAreaRect workArea;
  int expectedLeft, expectedTop;
};

// The editor's outer size at 96 DPI is about 703 x 267; at 144 DPI about 1052 x 398.
TEST(CentredOverOwner, CentresAndStaysInsideTheOwnersWorkArea) {
  const DialogCase cases[] = {
      {"centred as usual", {153, 100, 718, 538}, 703, 267, kPrimary, 161, 236},
      {"odd sizes: halves truncated toward zero", {10, 11, 101, 51}, 41, 21, kPrimary, 40, 26},
      {"owner past the right edge: pulled left",
       {700, 100, 718, 538},
       703,
       267,
       kPrimary,
       321,
       236},
      {"owner past the bottom: pulled up", {153, 600, 718, 538}, 703, 267, kPrimary, 161, 471},
      {"owner past the top-left corner", {-600, -500, 718, 538}, 257, 148, kPrimary, 0, 0},
      {"too wide for the screen: its left edge on it",
       {-10, 20, 1077, 700},
       1052,
       398,
       kPrimary,
       0,
       171},
      {"on a screen left of the primary", {-900, 50, 800, 600}, 703, 267, kLeftScreen, -851, 217},
      {"spilling from the left screen onto the primary",
       {-500, 50, 800, 600},
       703,
       267,
       kLeftScreen,
       -703,
       217},
  };
  for (const DialogCase& c : cases) {
    const WindowBounds got = CentredOverOwner(c.owner, c.width, c.height, c.workArea);
    EXPECT_EQ((std::vector<int>{got.left, got.top, got.width, got.height}),
              (std::vector<int>{c.expectedLeft, c.expectedTop, c.width, c.height}))
        << c.name;
  }
}

TEST(PopupCascade, OpensUpAndLeftFromTheCornerAndWrapsAfterTen) {
  PopupCascade cascade;
  const WorkAreaRect area{0, 0, 1024, 748};
  for (int n = 0; n < 10; ++n) {
    const PopupPlace place = cascade.Open(area);
    EXPECT_EQ(place.x, 1024 - 300 - 10 * n) << n;
    EXPECT_EQ(place.y, 748 - 300 - 10 * n) << n;
  }
  const PopupPlace eleventh = cascade.Open(area);
  EXPECT_EQ(eleventh.x, 724);
  EXPECT_EQ(eleventh.y, 448);
}

TEST(PopupCascade, ClosingMovesBackButNeverBeyondTheCorner) {
  PopupCascade cascade;
  const WorkAreaRect area{0, 0, 1024, 748};
  for (int n = 0; n < 3; ++n) cascade.Open(area);
  cascade.Closed();
  EXPECT_EQ(cascade.Open(area).x, 1024 - 300 - 20) << "one closed: 10 pixels back";
  for (int n = 0; n < 20; ++n) cascade.Closed();  // more closings than openings
  EXPECT_EQ(cascade.Offset(), 0);
  const PopupPlace place = cascade.Open(area);
  EXPECT_EQ(place.x, 724) << "never placed beyond the work area's corner";
  EXPECT_EQ(place.y, 448);
}

}  // namespace
