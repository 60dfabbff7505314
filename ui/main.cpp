// Headless entry point until the window exists: sets up the shared state
// and the data folder, reads the preferences, loads the games catalogue and
// deals the current game, then prints the table as text.
//
//   tarnwell [--list] [--game NUMBER] [--deal DEALNUMBER]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/cards.h"
#include "core/gamesfile.h"
#include "core/state.h"
#include "core/util.h"
#include "engine/deal.h"
#include "engine/deck.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "platform/sys/paths.h"
#include "platform/sys/services.h"

namespace {

std::string CardText(const tw::GameContext& ctx, int code) {
  if (code <= 0) return "  ";
  static const char kSuits[] = "hdcs";
  std::string rank = tw::RankText(tw::CardRank(code));
  if (rank == "10") rank = "T";
  std::string text = rank + kSuits[tw::CardSuit(code)];
  return tw::IsFaceUp(ctx, code) ? text : "##";
}

void PrintPile(const tw::GameContext& ctx, const char* name, const std::string& pile) {
  std::printf("%-12s", name);
  for (int i = 0; i < tw::PileCardCount(pile); ++i) {
    std::printf(" %s", CardText(ctx, tw::PileCardAt(pile, i)).c_str());
  }
  std::printf("\n");
}

int Usage() {
  std::fprintf(stderr, "usage: tarnwell [--list] [--game NUMBER] [--deal DEALNUMBER]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool list = false;
  std::string game, deal;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--list") == 0) {
      list = true;
    } else if (std::strcmp(argv[i], "--game") == 0 && i + 1 < argc) {
      game = argv[++i];
    } else if (std::strcmp(argv[i], "--deal") == 0 && i + 1 < argc) {
      deal = argv[++i];
    } else {
      return Usage();
    }
  }

  tw::sys::SystemClock clock;
  tw::sys::StdRandomSource random;
  tw::sys::ConsoleUiHooks ui;
  tw::GameContext ctx;
  ctx.Clock = &clock;
  ctx.Random = &random;
  ctx.Ui = &ui;
  tw::CreateSharedGlobals(ctx, tw::sys::ExecutableDirectory());
  tw::InitCardsAndPiles(ctx);

  if (!tw::sys::MakeDirectory(ctx.DataPath("DATA"))) {
    std::fprintf(stderr, "Cannot create the data folder %s\n", ctx.DataPath("DATA").c_str());
    return 1;
  }
  tw::sys::IniFile prefs(ctx.DataPath(ctx.Cfg(tw::cfg::IniFileName)));
  ctx.SetCfg(tw::cfg::Game, tw::IntToStrPad(prefs.ReadInteger("Preference", "Game", 1), 4));
  std::string player = prefs.ReadString("Preference", "UserDefault", "");
  ctx.SetCfg(tw::cfg::UserDefault, player.empty() ? "Player 1" : player);

  std::string error;
  if (!tw::LoadGameCatalogue(ctx, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (list) {
    for (const std::string& line : ctx.GameList) {
      std::printf("%4d  %s\n", tw::CatalogueNumber(line), tw::CatalogueName(line).c_str());
    }
    return 0;
  }

  if (!game.empty()) {
    int64_t number = 0;
    if (!tw::ParseInt(game, number) || tw::GameNameFromNumber(ctx, static_cast<int>(number)).empty()) {
      std::fprintf(stderr, "No game numbered %s; --list shows the games.\n", game.c_str());
      return 1;
    }
    ctx.SetCfg(tw::cfg::Game, tw::IntToStrPad(number, 4));
  }
  ctx.GameRules.Clear();
  if (!tw::LoadGameRules(ctx)) {
    std::fprintf(stderr, "The rules of game %s cannot be loaded.\n", ctx.Cfg(tw::cfg::Game).c_str());
    return 1;
  }
  if (deal.empty()) {
    tw::NewGameNumber(ctx);
  } else if (tw::IsAllDigits(deal) && deal.size() <= 13) {
    ctx.SetCfg(tw::cfg::DealNumber, std::string(13 - deal.size(), '0') + deal);
  } else {
    std::fprintf(stderr, "A deal number has up to 13 digits.\n");
    return 1;
  }
  if (!tw::DealCards(ctx)) return 1;

  int number = std::atoi(ctx.Cfg(tw::cfg::Game).c_str());
  std::printf("%s, deal %s, player %s\n\n", tw::GameNameFromNumber(ctx, number).c_str(),
              ctx.Cfg(tw::cfg::DealNumber).c_str(), ctx.Cfg(tw::cfg::UserDefault).c_str());
  const auto& r = ctx.GameRules;
  if (r.HasStock()) PrintPile(ctx, "Stock", ctx.MazzoPiles[0]);
  if (r.HasWaste()) PrintPile(ctx, "Waste", ctx.MazzoPiles[1]);
  if (!ctx.MazzoPiles[2].empty()) PrintPile(ctx, "Discard", ctx.MazzoPiles[2]);
  for (int i = 0; i < r.FoundationCount(); ++i) {
    PrintPile(ctx, ("Foundation " + std::to_string(i + 1)).c_str(), ctx.DestPiles[i]);
  }
  for (int i = 0; i < r.ReserveCount(); ++i) {
    PrintPile(ctx, ("Reserve " + std::to_string(i + 1)).c_str(), ctx.AppoggPiles[i]);
  }
  for (int i = 0; i < r.TableauCount(); ++i) {
    PrintPile(ctx, ("Tableau " + std::to_string(i + 1)).c_str(), ctx.FilaPiles[i]);
  }
  return 0;
}
