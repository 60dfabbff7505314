// A fresh context with empty piles, fake surroundings and helpers to lay
// out piles by card codes.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>

#include "core/cards.h"
#include "core/state.h"
#include "tests/engine/fake_ports.h"

namespace tw::testing {

// Card codes by suit and rank: hearts 1..13, diamonds 14..26, clubs 27..39,
// spades 40..52.
constexpr int H(int rank) { return rank; }
constexpr int D(int rank) { return 13 + rank; }
constexpr int C(int rank) { return 26 + rank; }
constexpr int S(int rank) { return 39 + rank; }

inline std::string Pile(std::initializer_list<int> cards) {
  std::string s;
  for (int c : cards) s += CardCodeText(c);
  return s;
}

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() {
    CreateSharedGlobals(ctx, "/nonexistent/");
    InitCardsAndPiles(ctx);
    ctx.Ui = &ui;
    ctx.Ports = &fakes.ports;
    ctx.SetCfg(cfg::ScoreKind, "01");
  }

  // Lays a pile and turns its cards face up (the last `down` from the
  // bottom face down).
  void Lay(StringList& list, int index, std::initializer_list<int> cards, int down = 0) {
    list[static_cast<size_t>(index)] = Pile(cards);
    int k = 0;
    for (int c : cards) SetCardFace(ctx, c, k++ < down ? "0" : "1");
  }

  // Codes of every pile, card -> number of times it lies somewhere.
  std::map<int, int> CardTally() const {
    std::map<int, int> tally;
    for (const StringList* list :
         {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles}) {
      for (const std::string& pile : *list) {
        for (int k = 0; k < PileCardCount(pile); ++k) ++tally[PileCardAt(pile, k)];
      }
    }
    return tally;
  }

  // Every card 1..n exactly once, no holes, nothing else.
  void ExpectEachCardOnce(int n) const {
    std::map<int, int> tally = CardTally();
    EXPECT_EQ(tally.count(0), 0u) << "a hole was dealt";
    EXPECT_EQ(static_cast<int>(tally.size()), n);
    for (int c = 1; c <= n; ++c) EXPECT_EQ(tally[c], 1) << "card " << c;
  }

  GameContext ctx;
  FakeUi ui;
  FakePorts fakes;
};

}  // namespace tw::testing
