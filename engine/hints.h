// The small indicators of two game families: the rank each of foundations
// 1..4 needs next when they build by different intervals (kind 10), and how
// far the current batch of 20 waste cards has been played (kind 23).
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

inline constexpr int kHintFoundations = 4;
inline constexpr int kBatchSize = 20;

// The rank foundation i (0-based, 0..3) needs next: it builds by i + 1,
// wrapping past the King. 0 when it shows no hint (empty, full, unknown).
int FoundationHintRank(const GameContext& ctx, int i);
// That rank as "A", "2" .. "10", "J", "Q", "K"; empty without a hint.
std::string FoundationHintText(const GameContext& ctx, int i);
// "n/20": the cards of the current batch played so far.
std::string BatchCounterText(const GameContext& ctx);

}  // namespace tw
