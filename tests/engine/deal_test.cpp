#include "engine/deal.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/deck.h"
#include "tests/engine/engine_fixture.h"

namespace tw {
namespace {

using testing::EngineTest;
using testing::Pile;
using testing::H;
using testing::D;
using testing::C;
using testing::S;


class Deal : public EngineTest {
 public:
  GameRulesRecord& r = ctx.GameRules;

  void Foundations(int n, int start, int base = 1) {
    r.FoundationCount() = static_cast<int16_t>(n);
    r.FoundationMaxCards() = 13;
    for (int i = 0; i < n; ++i) {
      r.FoundationStartCard(i) = static_cast<int16_t>(start);
      r.FoundationBase(i) = static_cast<int16_t>(base);
      r.FoundationDirection(i) = 1;
      r.FoundationRule(i) = 0;
    }
  }
  void Klondike() {
    r.CardCount() = 52;
    Foundations(4, 0);
    r.TableauCount() = 7;
    for (int i = 0; i < 7; ++i) {
      r.TableauCards(i) = static_cast<int16_t>(i + 1);
      r.TableauFaceMode(i) = 1;
      r.TableauStart(i) = 13;
      r.TableauRule(i) = 3;
    }
    r.StockCards() = 24;
    r.StockFaceDown() = 1;
  }
  void FreeCell() {
    r.CardCount() = 52;
    Foundations(4, 0);
    r.TableauCount() = 8;
    r.ReserveCount() = 4;
    for (int i = 0; i < 8; ++i) {
      r.TableauCards(i) = static_cast<int16_t>(i < 4 ? 7 : 6);
      r.TableauFaceMode(i) = 7;
    }
  }
  void Spider() {
    r.CardCount() = 104;
    Foundations(8, 0);
    r.TableauCount() = 10;
    for (int i = 0; i < 10; ++i) {
      r.TableauCards(i) = static_cast<int16_t>(i < 4 ? 6 : 5);
      r.TableauFaceMode(i) = 1;
    }
    r.StockCards() = 50;
    r.StockFaceDown() = 1;
  }
  // A fresh table, then the deal of that number.
  bool DealNumber(const std::string& number) {
    InitCardsAndPiles(ctx);
    ctx.SetCfg(cfg::DealNumber, number);
    return DealCards(ctx);
  }
  std::string FirstOrderCard(const std::string& number) {
    StringList order;
    DeckOrderFor(number, r.CardCount(), order);
    return order.front();
  }
  std::string Faces(const std::string& pile) {
    std::string f;
    for (int k = 0; k < PileCardCount(pile); ++k)
      f += IsFaceUp(ctx, PileCardAt(pile, k)) ? 'U' : 'D';
    return f;
  }
};

TEST_F(Deal, KlondikeFreeCellAndSpiderDealEveryCardOnce) {
  for (auto setup : {&Deal::Klondike, &Deal::FreeCell, &Deal::Spider}) {
    r.Clear();
    (this->*setup)();
    for (const char* number : {"1", "0", "123456789", "9999999999999", "4000000000007"}) {
      ASSERT_TRUE(DealNumber(number));
      ExpectEachCardOnce(r.CardCount());
    }
  }
}

TEST_F(Deal, KlondikeFacesAndTheFirstPile) {
  Klondike();
  ASSERT_TRUE(DealNumber("1"));
  // Deal 1 begins 040 004 043 ...: the stock takes the first 24 cards.
  EXPECT_EQ(ctx.MazzoPiles[0].substr(0, 9), "040004043");
  EXPECT_EQ(Faces(ctx.MazzoPiles[0]), std::string(24, 'D'));
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(Faces(ctx.FilaPiles[static_cast<size_t>(i)]),
              std::string(static_cast<size_t>(i), 'D') + "U");
  }
  EXPECT_EQ(ctx.Cfg(cfg::Score), "-52");
  // The same number deals the same table.
  const StringList fila = ctx.FilaPiles;
  ASSERT_TRUE(DealNumber("1"));
  EXPECT_EQ(ctx.FilaPiles, fila);
}

TEST_F(Deal, FaceModes) {
  r.CardCount() = 52;
  r.TableauCount() = 6;
  const int modes[] = {0, 9, -1, -2, -3, 2};
  for (int i = 0; i < 6; ++i) {
    r.TableauCards(i) = 5;
    r.TableauFaceMode(i) = static_cast<int16_t>(modes[i]);
  }
  r.StockCards() = 22;
  r.StockFaceDown() = 0;
  ASSERT_TRUE(DealNumber("77"));
  EXPECT_EQ(Faces(ctx.FilaPiles[0]), "DDDDD");
  EXPECT_EQ(Faces(ctx.FilaPiles[1]), "UUUUU");
  EXPECT_EQ(Faces(ctx.FilaPiles[2]), "UDUDU");
  EXPECT_EQ(Faces(ctx.FilaPiles[3]), "DUDUD");
  EXPECT_EQ(Faces(ctx.FilaPiles[4]), "UDDDD");
  EXPECT_EQ(Faces(ctx.FilaPiles[5]), "DDDUU");
  EXPECT_EQ(Faces(ctx.MazzoPiles[0]), std::string(22, 'U'));
  ExpectEachCardOnce(52);
}

TEST_F(Deal, WasteDiscardReservesAndScore) {
  r.CardCount() = 52;
  r.StockCards() = 30;
  r.WasteCards() = 3;
  r.DiscardCards() = 2;
  r.ReserveCount() = 2;
  r.ReserveCards(0) = 13;
  r.ReserveFaceMode(0) = 1;
  r.ReserveCards(1) = 3;
  r.ReserveFaceMode(1) = 0;
  r.WasteStartCard() = 105;  // card 5 on the third slot
  r.ScoreCardsAtDeal() = 4;
  ASSERT_TRUE(DealNumber("31337"));
  EXPECT_EQ(ctx.MazzoPiles[2].substr(0, 3), "005");
  EXPECT_EQ(PileCardCount(ctx.MazzoPiles[2]), 3);
  EXPECT_EQ(Faces(ctx.MazzoPiles[1]), "UUU");
  EXPECT_EQ(Faces(ctx.MazzoPiles[2]), "UUU");
  EXPECT_EQ(Faces(ctx.AppoggPiles[0]), std::string(12, 'D') + "U");
  EXPECT_EQ(Faces(ctx.AppoggPiles[1]), "DDD");
  // -52, the waste start card, two discards, four at the end.
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(-52 + 5 * (1 + 2 + 4)));
  ExpectEachCardOnce(52);
}

TEST_F(Deal, OnlyTheMoneyScoreCounts) {
  Klondike();
  Foundations(4, 93);
  ctx.SetCfg(cfg::ScoreKind, "02");
  ctx.SetCfg(cfg::Score, "17");
  ASSERT_TRUE(DealNumber("1"));
  EXPECT_EQ(ctx.Cfg(cfg::Score), "17");
  ctx.SetCfg(cfg::ScoreKind, "01");
  ASSERT_TRUE(DealNumber("1"));
  const int home = PileCardCount(ctx.DestPiles[0]) + PileCardCount(ctx.DestPiles[1]) +
                   PileCardCount(ctx.DestPiles[2]) + PileCardCount(ctx.DestPiles[3]);
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(-52 + 5 * home));
  EXPECT_EQ(fakes.window.scores.back(), ctx.Cfg(cfg::Score));
}

TEST_F(Deal, OrderRunningOutStopsTheDeal) {
  r.CardCount() = 52;
  r.StockCards() = 40;
  r.TableauCount() = 2;
  r.TableauCards(0) = 10;
  r.TableauCards(1) = 10;
  ASSERT_TRUE(DealNumber("5"));
  EXPECT_EQ(PileCardCount(ctx.FilaPiles[0]), 10);
  EXPECT_EQ(PileCardCount(ctx.FilaPiles[1]), 2);
  ExpectEachCardOnce(52);
}

TEST_F(Deal, ABadCardCountDealsNothing) {
  Klondike();
  for (int n : {0, 32, 53}) {
    r.CardCount() = static_cast<int16_t>(n);
    ui.messages.clear();
    EXPECT_FALSE(DealNumber("1"));
    EXPECT_TRUE(CardTally().empty()) << n;
    EXPECT_EQ(ui.messages, StringList{"Error 01 - fnGameNumberCardsArray"});
  }
}

TEST_F(Deal, FoundationStartCodes93And95) {
  // Two decks, eight foundations of code 93: deck 1's Aces, then deck 2's.
  Spider();
  Foundations(8, 93);
  r.TableauCount() = 0;
  for (int i = 0; i < 10; ++i) r.TableauCards(i) = 0;
  r.StockCards() = 96;
  ASSERT_TRUE(DealNumber("2024"));
  const int aces[] = {1, 14, 27, 40, 53, 66, 79, 92};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ctx.DestPiles[static_cast<size_t>(i)], CardCodeText(aces[i])) << i;
    EXPECT_EQ(r.FoundationBase(i), 1);
  }
  EXPECT_EQ(ctx.Cfg(cfg::Score), std::to_string(-104 + 40));
  ExpectEachCardOnce(104);

  // Kings of suits 0-3, then Aces.
  r.Clear();
  Klondike();
  Foundations(8, 95);
  ASSERT_TRUE(DealNumber("2024"));
  const int starts[] = {13, 26, 39, 52, 1, 14, 27, 40};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(PileCardAt(ctx.DestPiles[static_cast<size_t>(i)], 0), starts[i]) << i;
  }
  ExpectEachCardOnce(52);
}

TEST_F(Deal, AStartCardTheDeckDoesNotHoldIsNotInvented) {
  // Code 93 on eight foundations of a one-deck game asks for deck-2 Aces.
  Klondike();
  Foundations(8, 93);
  ASSERT_TRUE(DealNumber("8"));
  for (int i = 4; i < 8; ++i) {
    EXPECT_TRUE(ctx.DestPiles[static_cast<size_t>(i)].empty());
    EXPECT_EQ(r.FoundationBase(i), 1);
  }
  ExpectEachCardOnce(52);
}

TEST_F(Deal, StartCode91NeverGivesAHole) {
  Klondike();
  Foundations(4, 91);
  // Find a deal that begins with the King of spades: 52 + 4 x 13 = 2N.
  std::string number;
  for (int k = 0; k < 100000 && number.empty(); ++k) {
    if (FirstOrderCard(std::to_string(k)) == "052") number = std::to_string(k);
  }
  ASSERT_FALSE(number.empty());
  ASSERT_TRUE(DealNumber(number));
  const int starts[] = {13, 26, 39, 52};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(ctx.DestPiles[static_cast<size_t>(i)], CardCodeText(starts[i])) << i;
    EXPECT_EQ(r.FoundationBase(i), 13);
  }
  ExpectEachCardOnce(52);
}

TEST_F(Deal, OtherFoundationStartCodes) {
  Klondike();
  const std::string first = FirstOrderCard("99");
  struct Case {
    int code;
    int foundation;
    int expected;  // 0: empty
  } const cases[] = {
      {0, 0, 0},    {96, 2, 0}, {20, 0, std::stoi(first)}, {1, 2, 27}, {113, 3, 13},
      {113, 0, 13}, {7, 1, 20},
  };
  for (const Case& c : cases) {
    r.Clear();
    Klondike();
    Foundations(4, 0);
    r.FoundationStartCard(c.foundation) = static_cast<int16_t>(c.code);
    ASSERT_TRUE(DealNumber("99"));
    EXPECT_EQ(TopCard(ctx.DestPiles[static_cast<size_t>(c.foundation)]), c.expected)
        << "code " << c.code;
    ExpectEachCardOnce(52);
  }
}

TEST_F(Deal, StartCodes21And51To63SearchTheOrder) {
  Klondike();
  Foundations(4, 21);
  ASSERT_TRUE(DealNumber("424242"));
  std::set<int> suits;
  for (int i = 0; i < 4; ++i)
    suits.insert(CardSuit(TopCard(ctx.DestPiles[static_cast<size_t>(i)])));
  EXPECT_EQ(suits.size(), 4u);
  ExpectEachCardOnce(52);

  Foundations(4, 55);  // Fives
  ASSERT_TRUE(DealNumber("424242"));
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(CardRank(TopCard(ctx.DestPiles[static_cast<size_t>(i)])), 5);
    EXPECT_EQ(r.FoundationBase(i), 5);
  }
  ExpectEachCardOnce(52);

  // Eight foundations of one rank in one deck: the last four stay empty and
  // still wait for the rank.
  Foundations(8, 55);
  ASSERT_TRUE(DealNumber("424242"));
  for (int i = 4; i < 8; ++i) {
    EXPECT_TRUE(ctx.DestPiles[static_cast<size_t>(i)].empty());
    EXPECT_EQ(r.FoundationBase(i), 5);
  }
  ExpectEachCardOnce(52);
}

TEST_F(Deal, StartCode92TakesTheFirstFoundationsBase) {
  Klondike();
  Foundations(4, 92, 92);
  r.FoundationStartCard(0) = 20;
  ASSERT_TRUE(DealNumber("3"));
  const int base = CardRank(PileCardAt(ctx.DestPiles[0], 0));
  for (int i = 1; i < 4; ++i) {
    EXPECT_TRUE(ctx.DestPiles[static_cast<size_t>(i)].empty());
    EXPECT_EQ(r.FoundationBase(i), base);
  }
}

TEST_F(Deal, FirstCardToFoundationSetsEveryBase) {
  Klondike();
  r.FirstCardToFoundation() = 1;
  r.ExtraFoundationCard() = 1;
  for (int i = 0; i < 7; ++i) r.TableauStart(i) = 91;
  r.StockCards() = 22;
  ASSERT_TRUE(DealNumber("1"));
  // Deal 1: after 22 stock and 28 tableau cards come 036 and 001.
  EXPECT_EQ(ctx.DestPiles[0], "036001");
  EXPECT_EQ(Faces(ctx.DestPiles[0]), "UU");
  for (int i = 0; i < 16; ++i) EXPECT_EQ(r.FoundationBase(i), 10);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(r.TableauStart(i), 9);
  ExpectEachCardOnce(52);
}

TEST_F(Deal, BaseCardPassesPlayTableauCardsHome) {
  // Aces start the foundations; the pass then plays every Two, Three ...
  // that it reaches onto them.
  Klondike();
  Foundations(4, 93);
  bool differ = false, played = false;
  for (int k = 0; k < 40; ++k) {
    const std::string number = std::to_string(1000 + k);
    r.BaseCardsPileMajor() = 0;
    ASSERT_TRUE(DealNumber(number));
    ExpectEachCardOnce(52);
    // Each foundation holds its suit from the Ace up, without gaps.
    for (int i = 0; i < 4; ++i) {
      const std::string& f = ctx.DestPiles[static_cast<size_t>(i)];
      for (int k = 0; k < PileCardCount(f); ++k) EXPECT_EQ(PileCardAt(f, k), i * 13 + k + 1);
      if (PileCardCount(f) > 1) played = true;
    }
    const StringList rowMajor = ctx.DestPiles;
    r.BaseCardsPileMajor() = 1;
    ASSERT_TRUE(DealNumber(number));
    ExpectEachCardOnce(52);
    if (ctx.DestPiles != rowMajor) differ = true;
  }
  EXPECT_TRUE(played);
  EXPECT_TRUE(differ) << "pile-major and row-major passes never differed";
}

TEST_F(Deal, StartCode94PlaysOnlyToThePilesOwnFoundation) {
  Klondike();
  Foundations(4, 94);
  for (const char* number : {"11", "12", "13", "14"}) {
    ASSERT_TRUE(DealNumber(number));
    ExpectEachCardOnce(52);
    for (int i = 0; i < 4; ++i) {
      const std::string& f = ctx.DestPiles[static_cast<size_t>(i)];
      EXPECT_EQ(PileCardAt(f, 0), i * 13 + 1);
    }
  }
}

TEST_F(Deal, StartCode96ReplacesAcesFromTheStock) {
  Klondike();
  Foundations(4, 96, -1);
  for (int i = 0; i < 4; ++i) r.FoundationBase(i) = 1;
  r.FoundationStartCard(0) = 96;
  for (const char* number : {"21", "22", "23"}) {
    ASSERT_TRUE(DealNumber(number));
    ExpectEachCardOnce(52);
    for (int p = 0; p < 7; ++p) {
      const std::string& pile = ctx.FilaPiles[static_cast<size_t>(p)];
      for (int k = 0; k < PileCardCount(pile); ++k) {
        EXPECT_NE(CardRank(PileCardAt(pile, k)), 1) << number;
      }
    }
  }
  // Without a stock the Aces stay where they are.
  r.StockCards() = 0;
  r.TableauCards(6) = 31;
  ASSERT_TRUE(DealNumber("21"));
  ExpectEachCardOnce(52);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(ctx.DestPiles[static_cast<size_t>(i)].empty());
}

TEST_F(Deal, Kind11MovesReserveAndWasteAces) {
  r.CardCount() = 52;
  Foundations(5, 0);
  r.GameKind() = 11;
  r.ReserveCount() = 1;
  r.ReserveCards(0) = 20;
  r.ReserveFaceMode(0) = 1;
  r.WasteCards() = 20;
  r.StockCards() = 12;
  int checked = 0;
  for (int k = 0; k < 30; ++k) {
    ASSERT_TRUE(DealNumber(std::to_string(k)));
    ExpectEachCardOnce(52);
    const std::string& reserve = ctx.AppoggPiles[0];
    for (int j = 0; j < PileCardCount(reserve); ++j) {
      EXPECT_NE(CardRank(PileCardAt(reserve, j)), 1);
    }
    int moved = 0;
    for (int f = 1; f < 5; ++f) {
      const std::string& pile = ctx.DestPiles[static_cast<size_t>(f)];
      if (pile.empty()) continue;
      EXPECT_EQ(PileCardCount(pile), 1);
      EXPECT_EQ(CardRank(TopCard(pile)), 1);
      ++moved;
    }
    // Waste cards took the Aces' places, and the reserve is face up.
    if (moved > 0) {
      EXPECT_EQ(PileCardCount(reserve), 20);
      EXPECT_EQ(Faces(reserve), std::string(20, 'U'));
    }
    checked += moved;
  }
  EXPECT_GT(checked, 0);
}

TEST_F(Deal, Kind22PutsTheRoyalHeartsInPlace) {
  r.CardCount() = 52;
  r.GameKind() = 22;
  r.TableauCount() = 1;
  r.StockCards() = 52;
  ASSERT_TRUE(DealNumber("5150"));
  EXPECT_EQ(ctx.FilaPiles[0], "012");
  EXPECT_TRUE(IsFaceUp(ctx, 12));
  EXPECT_EQ(ctx.MazzoPiles[0].substr(0, 3), "013");
  ExpectEachCardOnce(52);
}

TEST_F(Deal, KingRule1ReplacesOnlyTheKing) {
  r.StockFaceDown() = 1;
  Lay(ctx.FilaPiles, 0, {S(13), H(5), H(6)});
  Lay(ctx.FilaPiles, 1, {D(13)});
  Lay(ctx.MazzoPiles, 0, {C(13), C(3), C(7), C(8)}, 4);
  ReplaceKingsFromStock(ctx, ctx.FilaPiles);
  EXPECT_EQ(ctx.FilaPiles[0], Pile({C(3), H(5), H(6)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({C(7)}));
  EXPECT_EQ(ctx.MazzoPiles[0], Pile({D(13), S(13), C(13), C(8)}));
  EXPECT_TRUE(IsFaceUp(ctx, C(3)));
  EXPECT_FALSE(IsFaceUp(ctx, S(13)));
}

TEST_F(Deal, KingRulesKeepEveryCard) {
  for (int rule : {1, 2, 3}) {
    r.Clear();
    Klondike();
    for (int i = 0; i < 7; ++i) r.TableauCards(i) = static_cast<int16_t>(rule == 2 ? 0 : 4);
    r.StockCards() = static_cast<int16_t>(rule == 2 ? 0 : 24);
    r.KingDealRule() = static_cast<int16_t>(rule);
    Foundations(4, 0, 1);
    r.FoundationStartCard(0) = 0;
    for (int k = 0; k < 25; ++k) {
      ASSERT_TRUE(DealNumber(std::to_string(k * 7919)));
      ExpectEachCardOnce(52);
      if (rule == 2) {
        for (int p = 0; p < 4; ++p) {
          EXPECT_EQ(CardRank(PileCardAt(ctx.FilaPiles[static_cast<size_t>(p)], 0)), 13);
        }
      }
      if (rule == 3) {
        // Greedy rank-once piles: the first pile never repeats a rank, and
        // every pile keeps its size.
        EXPECT_TRUE(NoDuplicateRanks(ctx.FilaPiles[0])) << k;
        for (int p = 0; p < 7; ++p)
          EXPECT_EQ(PileCardCount(ctx.FilaPiles[static_cast<size_t>(p)]), 4);
      }
    }
  }
}

TEST_F(Deal, RankOncePilesKeepCardsThatFitNowhere) {
  r.TableauCount() = 2;
  Lay(ctx.FilaPiles, 0, {H(5), D(5)});
  Lay(ctx.FilaPiles, 1, {S(5), C(5)});
  DealRankOncePiles(ctx);
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(5), S(5)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({D(5), C(5)}));

  Lay(ctx.FilaPiles, 0, {H(5), D(5), H(7)});
  Lay(ctx.FilaPiles, 1, {S(9), C(7)});
  DealRankOncePiles(ctx);
  EXPECT_EQ(ctx.FilaPiles[0], Pile({H(5), H(7), S(9)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({D(5), C(7)}));
}

TEST_F(Deal, MoveKingsToBottomKeepsTheOrderOfTheRest) {
  r.TableauCount() = 2;
  Lay(ctx.FilaPiles, 0, {H(3), S(13), H(7), D(13), H(9)});
  Lay(ctx.FilaPiles, 1, {C(13), H(2)});
  MoveKingsToBottom(ctx);
  EXPECT_EQ(ctx.FilaPiles[0], Pile({D(13), S(13), H(3), H(7), H(9)}));
  EXPECT_EQ(ctx.FilaPiles[1], Pile({C(13), H(2)}));
}

TEST_F(Deal, PlayToSuitFoundationSlots) {
  r.FoundationCount() = 8;
  for (int i = 0; i < 8; ++i) {
    r.FoundationBase(i) = 1;
    r.FoundationDirection(i) = 1;
    r.FoundationRule(i) = 0;
  }
  r.TableauCount() = 1;
  Lay(ctx.DestPiles, 6, {C(1)});
  Lay(ctx.FilaPiles, 0, {C(2)});
  EXPECT_FALSE(PlayToSuitFoundation(ctx, C(2), 0));  // foundations 1..4 only
  EXPECT_TRUE(PlayToSuitFoundation(ctx, C(2), 4));   // all eight
  EXPECT_EQ(ctx.DestPiles[6], Pile({C(1), C(2)}));
  EXPECT_TRUE(ctx.FilaPiles[0].empty());
  Lay(ctx.FilaPiles, 0, {C(3)});
  EXPECT_TRUE(PlayToSuitFoundation(ctx, C(3), 7));
}

}  // namespace
}  // namespace tw
