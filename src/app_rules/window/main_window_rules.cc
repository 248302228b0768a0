#include "app_rules/window/main_window_rules.h"

#include <algorithm>

namespace zenkar {

int TabIndexOf(std::string_view code) {
  while (!code.empty() && code.back() == ' ') code.remove_suffix(1);
  for (size_t i = 0; i < kTabPages.size(); ++i) {
    if (kTabPages[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

std::string TabCaptionText(const TabPageInfo& page) {
  return "  " + std::string(page.caption) + "  ";
}

std::string StartTabToStore(std::string_view current) {
  for (std::string_view kept : {"REC", "RPT", "VND", "CFG", "UTL"}) {
    if (current == kept) return std::string(kept);
  }
  return "TRN";
}

int StartTabIndex(std::string_view stored_code) { return std::max(TabIndexOf(stored_code), 0); }

bool UseSavedPosition(WindowPosition saved, int width, int height, const ScreenArea& screen) {
  if (saved.left <= 0 || saved.top <= 0) return false;
  return saved.left >= screen.left && saved.top >= screen.top &&
         saved.left + width <= screen.left + screen.width &&
         saved.top + height <= screen.top + screen.height;
}

WindowPosition PositionToKeep(WindowPosition window, const ScreenArea& screen) {
  const bool on_screen = window.left >= screen.left && window.top >= screen.top &&
                         window.left < screen.left + screen.width &&
                         window.top < screen.top + screen.height;
  return on_screen ? window : WindowPosition{-1, -1};
}

int PagesThatDoNotFit(int page_area_height, const std::vector<int>& page_heights) {
  return static_cast<int>(std::count_if(page_heights.begin(), page_heights.end(),
                                        [&](int height) { return height > page_area_height; }));
}

int ClampFontSize(int stored) { return std::clamp(stored, 10, 18); }

}  // namespace zenkar
