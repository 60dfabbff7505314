#include "core/state.h"

#include "platform/sys/paths.h"

namespace tw {

// Nothing is drawn or hit-tested before the first game is laid out.
GameContext::GameContext() { ResetPilePositions(*this); }

std::string GameContext::DataPath(const std::string& relative) const {
  return sys::NativePath(ProgramDir + relative);
}

bool CreateSharedGlobals(GameContext& ctx, const std::string& programDir) {
  ctx.CfgRecord.Blank();
  ctx.ProgramDir = programDir;
  if (!ctx.ProgramDir.empty() && ctx.ProgramDir.back() != '/') ctx.ProgramDir += '/';
  ctx.SetCfg(cfg::ProgramDir, ctx.ProgramDir);
  ctx.SetCfg(cfg::IniFileName, "DATA\\CFG.DAT");
  FreeSharedGlobals(ctx);
  return ctx.ProgramDir.size() <= static_cast<size_t>(cfg::ProgramDir.len);
}

void ResetPilePositions(GameContext& ctx) {
  ctx.StockX.fill(kUnusedStock);
  ctx.StockY.fill(kUnusedStock);
  ctx.FoundationX.fill(kUnusedFoundation);
  ctx.FoundationY.fill(kUnusedFoundation);
  ctx.TableauX.fill(kUnusedTableau);
  ctx.TableauY.fill(kUnusedTableau);
  ctx.ReserveX.fill(kUnusedReserve);
  ctx.ReserveY.fill(kUnusedReserve);
}

void InitCardsAndPiles(GameContext& ctx) {
  static const char* const kSuitWords[] = {"CUORI", "QUADR", "FIORI", "PICCH"};
  static const char* const kRankNames[] = {"A",  "02", "03", "04", "05", "06", "07",
                                           "08", "09", "10", "J",  "Q",  "K"};
  ctx.CardRecords.clear();
  for (int code = 1; code <= kCardCodes; ++code) {
    int c = (code - 1) % 52;
    std::string name = std::string(kSuitWords[c / 13]) + "_" + kRankNames[c % 13];
    name.resize(15, ' ');
    std::string digits = std::to_string(code);
    digits.insert(0, 3 - digits.size(), '0');
    ctx.CardRecords.push_back(name + std::to_string(c / 13 + 1) + digits + "1");
  }
  ctx.MazzoPiles.assign(kStockSlots, "");
  ctx.DestPiles.assign(kMaxFoundations, "");
  ctx.FilaPiles.assign(kMaxTableaus, "");
  ctx.AppoggPiles.assign(kMaxReserves, "");
  ctx.MazzoPilesBackup = ctx.MazzoPiles;
  ctx.DestPilesBackup = ctx.DestPiles;
  ctx.FilaPilesBackup = ctx.FilaPiles;
  ctx.AppoggPilesBackup = ctx.AppoggPiles;
}

void FreeSharedGlobals(GameContext& ctx) {
  for (StringList* l :
       {&ctx.MazzoPiles, &ctx.DestPiles, &ctx.FilaPiles, &ctx.AppoggPiles, &ctx.MazzoPilesBackup,
        &ctx.DestPilesBackup, &ctx.FilaPilesBackup, &ctx.AppoggPilesBackup, &ctx.UndoMazzo,
        &ctx.UndoDest, &ctx.UndoFila, &ctx.UndoAppogg, &ctx.RedoMazzo, &ctx.RedoDest,
        &ctx.RedoFila, &ctx.RedoAppogg, &ctx.GameList, &ctx.CardRecords}) {
    l->clear();
  }
  ctx.UndoLog.clear();
  ctx.RedoLog.clear();
}

}  // namespace tw
