// The program's life: the shared state and services, the splash, the main
// window's creation with the start-up settings, and the engine's ports wired
// to the window, the table drawing and the sound player. The entry point and
// the window tests both build one.
#pragma once

#include <memory>
#include <string>

#include "core/datafiles.h"
#include "core/state.h"
#include "engine/ports.h"
#include "platform/gfx/reslib.h"
#include "platform/sys/ini.h"
#include "platform/sys/services.h"

class QWidget;

namespace tw {

class AfterFirstPaint;
class MainWindow;
class OpenGameDialog;
class CardCounterWindow;
class HelpService;
class TableView;
class PlayView;
class TablePlayDrawing;
namespace qt {
class Prompts;
class QtPrompts;
class SoundPlayer;
}  // namespace qt

struct ProgramOptions {
  // Sounds are looked up but not played.
  bool Muted = false;
  bool Splash = true;
  // Message boxes and questions; null uses the window system's boxes.
  qt::Prompts* Prompts = nullptr;
  // The window is shown maximized or with its saved geometry; tests give a
  // fixed client size instead.
  int FixedWidth = 0, FixedHeight = 0;
  // The tick counter and time of day; null uses the machine's.
  sys::Clock* Clock = nullptr;
  // The first deal is the preferences' game, made without the open-game
  // dialog (window tests and the start-up timing, which cannot answer it).
  bool FirstDealDirect = false;
};

class Program {
 public:
  Program(std::string programDir, ProgramOptions options);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Everything up to the message loop: the splash, the main window created
  // and set up from the preferences, its geometry restored, the splash
  // gone. False after a fatal error (already shown); exitCode is then the
  // process's exit code.
  bool Start(int& exitCode);
  // Shows the main window (the first activation deals the current game); the
  // splash sound plays once its first frame is drawn.
  void Show();

  GameContext& Context() { return ctx_; }
  MainWindow& Window() { return *window_; }
  TableView& View() { return *view_; }
  PlayView& Play() { return *play_; }
  qt::SoundPlayer& Sound() { return *sound_; }
  const gfx::ResourceLibrary& Library() const { return library_; }
  // Made on first use.
  OpenGameDialog& OpenGame();
  HelpService& Help() { return *help_; }
  CardCounterWindow& Counter() { return *counter_; }

 private:
  class SoundAdapter;
  class FlowAdapter;


  void ShowSplash();
  void ReadSplashSoundSwitches();
  bool InitApplicationSettings(int& exitCode);
  // The start-up writes, once the first frame is drawn.
  void WriteStartupFiles();
  void RestoreMainWindowState();
  // The advice box: the real one, or the scripted prompts' message.
  AdviceDialog AdviceBox();
  void Fatal(const std::string& caption, const std::string& text);

  ProgramOptions options_;
  sys::SystemClock clock_;
  sys::StdRandomSource random_;
  std::unique_ptr<qt::QtPrompts> own_prompts_;
  qt::Prompts* prompts_ = nullptr;
  GameContext ctx_;
  gfx::ResourceLibrary library_;
  std::unique_ptr<qt::SoundPlayer> sound_;
  std::unique_ptr<SoundAdapter> sound_port_;
  std::unique_ptr<FlowAdapter> flow_port_;
  std::unique_ptr<TableView> view_;
  std::unique_ptr<TablePlayDrawing> drawing_;
  std::unique_ptr<PlayView> play_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<HelpService> help_;
  std::unique_ptr<OpenGameDialog> open_game_;
  std::unique_ptr<CardCounterWindow> counter_;
  std::unique_ptr<QWidget> splash_;
  bool splash_sound_ = false;
  std::unique_ptr<AfterFirstPaint> first_frame_;
  std::unique_ptr<sys::IniFile> startup_cfg_;
  bool version_files_due_ = false;
  EnginePorts ports_;
};

}  // namespace tw
