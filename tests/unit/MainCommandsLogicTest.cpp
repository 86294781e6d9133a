// The main window's command rules: pause/activate, the list menu, the wheel, the layout.
#include <gtest/gtest.h>

#include "core/Store.h"
#include "core/Task.h"
#include "ui/main/MainCommandsLogic.h"

namespace {

TEST(PauseActivate, FollowsTheStatusTable) {
  struct Case {
    int32_t before;
    uint16_t prevMS;
    std::optional<int32_t> after;
  };
  const Case cases[] = {
      {StatusDone, 0, StatusActive},
      {StatusDone, 1, StatusActive},
      {StatusActive, 0, StatusPaused},
      {StatusActive, 7, StatusPaused},
      {StatusPaused, 1, StatusDoneToday},
      {StatusPaused, 65535, StatusDoneToday},
      {StatusPaused, 0, StatusActive},
      {StatusDoneToday, 0, StatusPaused},
      {StatusDoneToday, 3, StatusPaused},
      {4, 0, std::nullopt},
      {-1, 1, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PausedOrActivatedStatus(c.before, c.prevMS), c.after)
        << "status " << c.before << " prevMS " << c.prevMS;
}

TEST(PauseActivate, NewStatusTextsAreTheListsTexts) {
  EXPECT_STREQ(StatusText(*PausedOrActivatedStatus(StatusPaused, 0)), "Активно");
  EXPECT_STREQ(StatusText(*PausedOrActivatedStatus(StatusPaused, 1)), "Выполнено на сегодня");
  EXPECT_STREQ(StatusText(*PausedOrActivatedStatus(StatusActive, 0)), "Приостановлено");
}

TEST(UpdateListMenu, PreparesItemsBySelectionAndStatus) {
  struct Case {
    std::optional<int32_t> status;
    bool editDeleteEnabled;
    bool n7Enabled;
    std::optional<std::string> n7Caption;
  };
  const Case cases[] = {
      {std::nullopt, false, false, "Приостановить"},
      {StatusDone, true, true, "Активировать"},
      {StatusActive, true, true, "Приостановить"},
      {StatusPaused, true, true, "Активировать"},
      {StatusDoneToday, true, true, "Приостановить"},
      {9, true, true, std::nullopt},  // caption left as it was
  };
  for (const Case& c : cases) {
    const ListMenuState state = PrepareListMenu(c.status);
    const int status = c.status.value_or(-100);
    EXPECT_TRUE(state.addEnabled) << status;
    EXPECT_EQ(state.editEnabled, c.editDeleteEnabled) << status;
    EXPECT_EQ(state.deleteEnabled, c.editDeleteEnabled) << status;
    EXPECT_EQ(state.pauseEnabled, c.n7Enabled) << status;
    EXPECT_EQ(state.pauseCaption, c.n7Caption) << status;
  }
}

TEST(OnMouseWheel, ScrollsDeltaTimesPointZeroNineTowardZero) {
  const std::pair<int, int> cases[] = {{120, -10}, {119, -10}, {11, 0},    {-120, 10},
                                       {240, -21}, {-11, 0},   {12, -1},   {0, 0},
                                       {-119, 10}, {360, -32}, {-480, 43}, {100, -9}};
  for (const auto& [delta, pixels] : cases) EXPECT_EQ(WheelScrollPixels(delta), pixels) << delta;
}

TEST(OnMouseWheel, PointerMustBeStrictlyInsideTheList) {
  // The list at (0, 0), 482 x 428.
  struct Case {
    int x, y;
    bool inside;
  };
  const Case cases[] = {{1, 1, true},     {481, 427, true}, {0, 10, false},
                        {10, 0, false},   {482, 10, false}, {10, 428, false},
                        {10, 440, false}, {-5, 10, false},  {240, 200, true}};
  for (const Case& c : cases)
    EXPECT_EQ(InsideList(c.x, c.y, 0, 0, 482, 428), c.inside) << c.x << "," << c.y;
  EXPECT_FALSE(InsideList(5, 5, 5, 5, 10, 10));
  EXPECT_TRUE(InsideList(6, 6, 5, 5, 10, 10));
  EXPECT_FALSE(InsideList(15, 6, 5, 5, 10, 10));
}

TEST(Layout, ListFillsTheClientAboveTheButtons) {
  struct Case {
    int width, height;
    MainLayout layout;
  };
  const Case cases[] = {
      {702, 499, {702, 468, 472}},
      {474, 451, {474, 420, 424}},
      {1024, 31, {1024, 0, 4}},
      {0, 0, {0, 0, -27}},
  };
  for (const Case& c : cases) {
    const MainLayout layout = LayOutMainWindow(c.width, c.height);
    EXPECT_EQ(layout.listWidth, c.layout.listWidth) << c.width << "x" << c.height;
    EXPECT_EQ(layout.listHeight, c.layout.listHeight) << c.width << "x" << c.height;
    EXPECT_EQ(layout.buttonTop, c.layout.buttonTop) << c.width << "x" << c.height;
  }
}

}  // namespace

TEST(TypeToFind, SelectsTheNextRowWhoseMessageBeginsWithTheTypedText) {
  Store store;
  const RowModel& rows = store.rows;
  for (const char* message : {"Позвонить маме", "аптека", "Оплатить счёт", "позвонить в банк"}) {
    store.tasks.emplace_back().message = message;
    store.rows.AppendRow();
  }
  struct Case {
    const char* typed;
    int start;
    bool wrap;
    int found;  // a start out of the list is the top; only a wrap goes back to it
  } cases[] = {
      {"п", 0, true, 0},  {"п", 1, true, 3},           {"П", 1, false, 3},
      {"по", 3, true, 3}, {"п", 4, true, 0},           {"ПОЗВОНИТЬ В", 0, true, 3},
      {"А", 0, true, 1},  {"о", 3, true, 2},           {"о", 3, false, -1},
      {"x", 0, true, -1}, {"", 0, true, -1},           {"п", 4, false, 0},
      {"п", -1, true, 0}, {"ПОЗВОНИТЬ М", 1, true, 0}, {"ПОЗВОНИТЬ М", 1, false, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindRowByMessageStart(rows, c.typed, c.start, c.wrap), c.found)
        << c.typed << " from " << c.start;
  EXPECT_EQ(FindRowByMessageStart(Store().rows, "п", 0, true), -1);
}
