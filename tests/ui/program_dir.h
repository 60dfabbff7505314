// A program directory of its own for a window test: the generated games
// file, picture library, Images and SOUNDS linked from the build's program
// directory, and an empty DATA folder for the preferences and results.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/qt/prompts.h"
#include "platform/sys/files.h"
#include "tests/platform/temp_dir.h"

namespace tw::testing {

class TestProgramDir {
 public:
  TestProgramDir() {
    namespace fs = std::filesystem;
    const fs::path dist(TW_DIST_DIR);
    ready_ = fs::exists(dist / "QEX.RGF") && fs::exists(dist / "GAMES.DAT");
    if (!ready_) return;
    std::error_code ec;
    for (const char* name : {"QEX.RGF", "GAMES.DAT", "tarnwell.hlp"})
      if (fs::exists(dist / name)) fs::create_symlink(dist / name, fs::path(dir_.File(name)), ec);
    for (const char* name : {"Images", "SOUNDS", "Demos"})
      if (fs::exists(dist / name))
        fs::create_directory_symlink(dist / name, fs::path(dir_.File(name)), ec);
    fs::create_directory(dir_.File("DATA"), ec);
  }
  bool Ready() const { return ready_; }
  std::string Dir() const { return dir_.Dir(); }
  std::string File(const std::string& name) const { return dir_.File(name); }
  void Write(const std::string& name, const std::string& text) const { dir_.Write(name, text); }

 private:
  TempDir dir_;
  bool ready_ = false;
};

// Message boxes recorded; every question answered yes.
class RecordingPrompts : public qt::Prompts {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  bool AskOkCancel(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  void ShowError(const std::string&, const std::string& text) override { messages.push_back(text); }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}

  std::vector<std::string> messages, questions;
  bool answer = true;
};

}  // namespace tw::testing
