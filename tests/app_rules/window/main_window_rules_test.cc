#include "app_rules/window/main_window_rules.h"

#include <gtest/gtest.h>

namespace zenkar {
namespace {

TEST(TabIndexOf, FindsCodesAsStoredInTheSettings) {
  EXPECT_EQ(kTabPages.at(TabIndexOf("REC   ")).code, "REC");
  EXPECT_EQ(TabIndexOf("rec"), -1);
  EXPECT_EQ(TabIndexOf(""), -1);
  EXPECT_EQ(TabIndexOf("   "), -1);
}

TEST(StartTabToStore, KeepsFivePagesAndStartsEveryOtherOnTransactions) {
  for (const char* kept : {"REC", "RPT", "VND", "CFG", "UTL"}) {
    EXPECT_EQ(StartTabToStore(kept), kept);
  }
  for (const char* other : {"TRN", "HLP", "MIC", "", "XYZ"}) {
    EXPECT_EQ(StartTabToStore(other), "TRN") << other;
  }
}

TEST(UseSavedPosition, NeedsPositiveCoordinatesAndTheWholeWindowOnScreen) {
  const ScreenArea screen{0, 0, 1280, 1024};
  EXPECT_TRUE(UseSavedPosition({100, 50}, 800, 600, screen));
  EXPECT_TRUE(UseSavedPosition({480, 424}, 800, 600, screen));
  EXPECT_FALSE(UseSavedPosition({481, 50}, 800, 600, screen)) << "right edge off screen";
  EXPECT_FALSE(UseSavedPosition({100, 425}, 800, 600, screen)) << "bottom edge off screen";
  EXPECT_FALSE(UseSavedPosition({0, 50}, 800, 600, screen));
  EXPECT_FALSE(UseSavedPosition({-1, -1}, 800, 600, screen));
  EXPECT_FALSE(UseSavedPosition({100, 0}, 800, 600, screen));
}

TEST(PositionToKeep, OffScreenPositionsBecomeMinusOne) {
  const ScreenArea screen{0, 0, 1280, 1024};
  EXPECT_EQ(PositionToKeep({200, 100}, screen), (WindowPosition{200, 100}));
  EXPECT_EQ(PositionToKeep({0, 0}, screen), (WindowPosition{0, 0}));
  EXPECT_EQ(PositionToKeep({-5, 100}, screen), (WindowPosition{-1, -1}));
  EXPECT_EQ(PositionToKeep({1280, 100}, screen), (WindowPosition{-1, -1}));
  EXPECT_EQ(PositionToKeep({100, 2000}, screen), (WindowPosition{-1, -1}));
}

TEST(PagesThatDoNotFit, CountsEachPageTallerThanTheRoomLeft) {
  EXPECT_EQ(PagesThatDoNotFit(400, {100, 400, 401, 900}), 2);
  EXPECT_EQ(PagesThatDoNotFit(-20, {0, 10}), 2);
  EXPECT_EQ(PagesThatDoNotFit(500, {}), 0);
}

}  // namespace
}  // namespace zenkar
