// Pixel values at 96 dots per inch scaled to the usual screen densities and back, the main
// window's layout and the popup cascade at those densities.
#include <gtest/gtest.h>

#include "ui/main/MainCommandsLogic.h"
#include "ui/popup/PopupCascade.h"
#include "ui/shared/DpiScale.h"

namespace {

constexpr int kUsualDpis[] = {96, 120, 144, 168, 192, 240, 288};

struct ScaleCase {
  int value;
  int dpi;
  int scaled;
};

TEST(DpiScale, RoundsToNearestWithHalvesAwayFromZero) {
  const ScaleCase cases[] = {
      // Unchanged at 96.
      {718, 96, 718},
      {538, 96, 538},
      {-1, 96, -1},
      {0, 96, 0},
      // 125 %: 1.25 rounds down, 2.5 rounds up, -2.5 rounds away from zero.
      {1, 120, 1},
      {2, 120, 3},
      {-2, 120, -3},
      {718, 120, 898},
      {538, 120, 673},
      {490, 120, 613},
      // 150 %: the main window's size and minimum, the list's default columns, halves.
      {718, 144, 1077},
      {538, 144, 807},
      {490, 144, 735},
      {33, 144, 50},
      {107, 144, 161},
      {1, 144, 2},
      {-1, 144, -2},
      {3, 144, 5},
      {-3, 144, -5},
      {-1920, 144, -2880},
      // 200 %.
      {718, 192, 1436},
      {-7, 192, -14},
      {13, 192, 26},
      // A density nobody reported counts as 96.
      {718, 0, 718},
      {718, -5, 718}};
  for (const ScaleCase& c : cases)
    EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

TEST(DpiScale, UnscalesToTheValueAt96) {
  const ScaleCase cases[] = {{1077, 144, 718},    {807, 144, 538},  {1078, 144, 719},
                             {-2880, 144, -1920}, {898, 120, 718},  {-3, 120, -2},
                             {1436, 192, 718},    {1437, 192, 719}, {-1, 192, -1}};
  for (const ScaleCase& c : cases)
    EXPECT_EQ(UnscaleFromDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
}

TEST(DpiScale, ValueAt96ComesBackUnchangedAtEveryUsualDensity) {
  // Positions left of and above the primary screen are negative; widths and heights positive.
  for (int dpi : kUsualDpis)
    for (int value = -4000; value <= 4000; ++value)
      ASSERT_EQ(UnscaleFromDpi(ScaleToDpi(value, dpi), dpi), value) << value << " at " << dpi;
}

TEST(DpiScale, BoundsAndWorkAreasScaleEveryField) {
  const WindowBounds stored{-1280, -15, 718, 538};
  const WindowBounds shown = ScaleBounds(stored, 144);
  EXPECT_EQ(shown.left, -1920);
  EXPECT_EQ(shown.top, -23);
  EXPECT_EQ(shown.width, 1077);
  EXPECT_EQ(shown.height, 807);
  const WindowBounds back = UnscaleBounds(shown, 144);
  EXPECT_EQ(back.left, stored.left);
  EXPECT_EQ(back.top, stored.top);
  EXPECT_EQ(back.width, stored.width);
  EXPECT_EQ(back.height, stored.height);

  const WorkAreaRect area = UnscaleWorkArea({-1920, 0, 1024, 748}, 144);
  EXPECT_EQ(area.left, -1280);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, 683);
  EXPECT_EQ(area.bottom, 499);
}

TEST(DpiScale, ColumnWidthsScaleOneByOne) {
  const std::array<int32_t, 5> defaults{33, 230, 210, 130, 107};
  const std::array<int32_t, 5> at144{50, 345, 315, 195, 161};
  EXPECT_EQ(ScaleWidths(defaults, 144), at144);
  EXPECT_EQ(UnscaleWidths(at144, 144), defaults);
  EXPECT_EQ(ScaleWidths(defaults, 96), defaults);
}

TEST(DpiScale, MainLayoutBandBelowTheListGrowsWithDensity) {
  struct LayoutCase {
    int dpi;
    int clientHeight;
    int listHeight;
    int buttonTop;
  };
  const LayoutCase cases[] = {{96, 500, 469, 473},
                              {120, 500, 461, 466},
                              {144, 800, 753, 759},
                              {192, 800, 738, 746},
                              {144, 40, 0, -1}};
  for (const LayoutCase& c : cases) {
    const MainLayout layout = LayOutMainWindow(700, c.clientHeight, c.dpi);
    EXPECT_EQ(layout.listWidth, 700) << c.dpi;
    EXPECT_EQ(layout.listHeight, c.listHeight) << c.dpi;
    EXPECT_EQ(layout.buttonTop, c.buttonTop) << c.dpi;
  }
  EXPECT_EQ(WheelScrollPixels(120, 144), -15);
  EXPECT_EQ(WheelScrollPixels(-120, 192), 20);
  EXPECT_EQ(WheelScrollPixels(11, 144), 0);
}

TEST(DpiScale, PopupCascadeScalesSizeAndOffset) {
  PopupCascade cascade;
  const WorkAreaRect area{0, 0, 1024, 748};
  const PopupPlace first = cascade.Open(area, 144);
  EXPECT_EQ(first.x, 1024 - 450);
  EXPECT_EQ(first.y, 748 - 450);
  const PopupPlace second = cascade.Open(area, 144);
  EXPECT_EQ(second.x, 1024 - 450 - 15);
  EXPECT_EQ(second.y, 748 - 450 - 15);
  // The offset itself stays in pixels at 96.
  EXPECT_EQ(cascade.Offset(), 20);
  const PopupPlace third = cascade.Open(area, 96);
  EXPECT_EQ(third.x, 1024 - 300 - 20);
}

}  // namespace
