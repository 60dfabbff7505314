// A depth-first solver over the engine's own legal drops, on a headless copy
// of a dealt table: finds a line of play that wins the deal, for a window
// test to play with the mouse.
#pragma once

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/state.h"
#include "engine/autoplay.h"
#include "engine/random_player.h"

namespace tw::testing {

class DropSolver {
 public:
  // The table is copied; its ports and drawing are left out.
  explicit DropSolver(const GameContext& live) : sim_(live) {
    sim_.Ports = &ports_;
    ports_.Drop = &drop_;
    sim_.Table = nullptr;
    sim_.Ui = nullptr;
    sim_.TfrmMain.AutoPlayOn = 0;
  }

  // True with the moves in line when a win was found within the budget.
  bool Solve(int nodeBudget) {
    budget_ = nodeBudget;
    line_.clear();
    return Search(0);
  }
  const std::vector<PlayerMove>& Line() const { return line_; }
  int Nodes() const { return nodes_; }

 private:
  struct Saved {
    StringList mazzo, dest, fila, appogg, records;
    GameStateRecord state;
    CfgRecordData cfg;
    MainWindowFlags flags;
  };
  Saved Save() const {
    return {sim_.MazzoPiles,  sim_.DestPiles, sim_.FilaPiles, sim_.AppoggPiles,
            sim_.CardRecords, sim_.GameState, sim_.CfgRecord, sim_.TfrmMain};
  }
  void Restore(const Saved& s) {
    sim_.MazzoPiles = s.mazzo;
    sim_.DestPiles = s.dest;
    sim_.FilaPiles = s.fila;
    sim_.AppoggPiles = s.appogg;
    sim_.CardRecords = s.records;
    sim_.GameState = s.state;
    sim_.CfgRecord = s.cfg;
    sim_.TfrmMain = s.flags;
  }
  std::string Key() const {
    std::string key;
    // Free cells and tableau piles in any order are the same position.
    StringList cells(sim_.AppoggPiles), piles(sim_.FilaPiles);
    std::sort(cells.begin(), cells.end());
    std::sort(piles.begin(), piles.end());
    for (const StringList* list :
         {&sim_.MazzoPiles, &sim_.DestPiles, static_cast<const StringList*>(&cells),
          static_cast<const StringList*>(&piles)}) {
      for (const std::string& p : *list) key += p + '|';
    }
    return key;
  }
  static int Rank(const PlayerMove& m, const GameContext& ctx) {
    if (m.target.rfind("Dest", 0) == 0) return 0;
    if (m.target.rfind("Fila", 0) == 0) {
      int index = std::stoi(m.target.substr(4)) - 1;
      return ctx.FilaPiles[static_cast<size_t>(index)].empty() ? 2 : 1;
    }
    return 3;
  }
  bool Search(int depth) {
    if (IsGameWon(sim_)) return true;
    if (++nodes_ > budget_ || depth > 300) return false;
    if (!seen_.insert(Key()).second) return false;
    std::vector<PlayerMove> moves = LegalDrops(sim_);
    std::stable_sort(moves.begin(), moves.end(), [this](const PlayerMove& a, const PlayerMove& b) {
      return Rank(a, sim_) < Rank(b, sim_);
    });
    const Saved before = Save();
    bool emptyTried = false, cellTried = false;
    for (const PlayerMove& m : moves) {
      if (m.target.rfind("Dest", 0) != 0 && IsFoundationCard(m)) continue;
      // One empty pile and one free cell stand for all of them.
      const int rank = Rank(m, sim_);
      if (rank == 2 && emptyTried && m.lifted == 1) continue;
      if (rank == 3 && cellTried) continue;
      if (!MakeDrop(sim_, m)) continue;
      sim_.UndoMazzo.clear();
      sim_.UndoDest.clear();
      sim_.UndoFila.clear();
      sim_.UndoAppogg.clear();
      sim_.UndoLog.clear();
      line_.push_back(m);
      if (Search(depth + 1)) return true;
      line_.pop_back();
      Restore(before);
      if (rank == 2 && m.lifted == 1) emptyTried = true;
      if (rank == 3) cellTried = true;
      if (nodes_ > budget_) return false;
    }
    return false;
  }
  bool IsFoundationCard(const PlayerMove& m) const {
    for (const std::string& p : sim_.DestPiles) {
      if (p.size() >= 3 && std::stoi(p.substr(p.size() - 3)) == m.card) return true;
    }
    return false;
  }

  GameContext sim_;
  EnginePorts ports_;
  DirectDrop drop_;
  std::vector<PlayerMove> line_;
  std::unordered_set<std::string> seen_;
  int nodes_ = 0;
  int budget_ = 0;
};

}  // namespace tw::testing
