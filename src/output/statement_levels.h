// The total-level accumulation both financial statements share.
//
// Accounts are walked in chart order with an accumulator per total level
// (0 to 9). An account of level L adds its amount to the accumulators L to 9,
// shows accumulator L (its own amount at level 1, or the sum of everything
// accumulated at level L since the last account of level L or higher), and
// clears the accumulators 0 to L.
#ifndef ZENKAR_OUTPUT_STATEMENT_LEVELS_H_
#define ZENKAR_OUTPUT_STATEMENT_LEVELS_H_

#include <algorithm>
#include <array>

#include "common/money.h"

namespace zenkar {

inline constexpr int kLowestTotalLevel = 1;
inline constexpr int kHighestTotalLevel = 9;

// A stored level brought into 1 to 9, so no chart can reach outside the
// accumulators.
inline int TotalLevelOf(int stored) {
  return std::clamp(stored, kLowestTotalLevel, kHighestTotalLevel);
}

class LevelAccumulators {
 public:
  void Add(int level, Money amount) {
    for (int l = level; l <= kHighestTotalLevel; ++l) sums_[l] += amount;
  }
  Money At(int level) const { return sums_[level]; }
  void ClearThrough(int level) {
    for (int l = 0; l <= level; ++l) sums_[l] = Money();
  }

 private:
  std::array<Money, kHighestTotalLevel + 1> sums_{};
};

}  // namespace zenkar

#endif  // ZENKAR_OUTPUT_STATEMENT_LEVELS_H_
