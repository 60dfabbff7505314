// Records the drawing requests of the pile store, one line per call.
#pragma once

#include <string>
#include <vector>

#include "core/table_port.h"

namespace tw::test {

class FakeTablePort : public TablePort {
 public:
  std::vector<std::string> calls;

  void RestoreCardCell(int location, int card) override {
    Log("cell " + std::to_string(location) + " " + std::to_string(card));
  }
  void EraseUncovered(int location, const std::string& before,
                      const std::string& after) override {
    Log("erase " + std::to_string(location) + " " + before + ">" + after);
  }
  void DrawTopCard(int location) override { Log("top " + std::to_string(location)); }
  void RedrawPile(int location) override { Log("pile " + std::to_string(location)); }
  void RepaintTable() override { Log("repaint"); }
  void PresentTable() override { Log("present"); }
  void InvalidatePileEdges(int location) override { Log("edges " + std::to_string(location)); }

 private:
  void Log(const std::string& s) { calls.push_back(s); }
};

}  // namespace tw::test
