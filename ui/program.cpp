#include "ui/program.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <functional>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/stats.h"
#include "core/util.h"
#include "engine/gameover.h"
#include "platform/qt/prompts.h"
#include "platform/qt/sound_player.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "table/geometry.h"
#include "table/view/animate.h"
#include "table/view/table_play_drawing.h"
#include "table/view/table_view.h"
#include "ui/after_paint.h"
#include "ui/card_counter.h"
#include "ui/favourites.h"
#include "ui/help_viewer.h"
#include "ui/main_window.h"
#include "ui/msg_advice.h"
#include "ui/open_game.h"
#include "ui/splash.h"
#include "ui/startup.h"

namespace tw {

class Program::SoundAdapter : public SoundPort {
 public:
  explicit SoundAdapter(qt::SoundPlayer& player) : player_(player) {}
  void PlaySound(const std::string& name, SoundMode mode) override {
    played = true;
    using M = qt::SoundPlayer::Mode;
    player_.Play(name, mode == SoundMode::Loop   ? M::Loop
                       : mode == SoundMode::Sync ? M::Wait
                                                 : M::Once);
  }
  void StopSound() override { player_.Stop(); }

  // A sound of the game has been asked for.
  bool played = false;

 private:
  qt::SoundPlayer& player_;
};

class Program::FlowAdapter : public GameFlowPort {
 public:
  void GameOver(GameContext& ctx) override { tw::GameOver(ctx); }
};

Program::Program(std::string programDir, ProgramOptions options) : options_(options) {
  if (options_.Prompts) {
    prompts_ = options_.Prompts;
  } else {
    own_prompts_ = std::make_unique<qt::QtPrompts>(kProductName);
    prompts_ = own_prompts_.get();
  }
  ctx_.Clock = options_.Clock ? options_.Clock : &clock_;
  ctx_.Random = &random_;
  ctx_.Ui = prompts_;
  CreateSharedGlobals(ctx_, programDir);
  // A data file that cannot be read or written is told once.
  sys::SetFileProblemReporter([this](sys::FileProblem problem, const std::string& path) {
    splash_.reset();  // it would stand over the message
    prompts_->ShowMessage(sys::FileProblemText(problem, path));
  });
}

Program::~Program() {
  WriteStartupFiles();  // a program closed before its first activation
  sys::SetFileProblemReporter({});
  sys::SetBatchJournalFolder("");
  // The engine must not reach a window that is going away.
  ctx_.Ports = nullptr;
  ctx_.Table = nullptr;
  counter_.reset();
  open_game_.reset();
  help_.reset();
  window_.reset();
  play_.reset();
  drawing_.reset();
  view_.reset();
  library_.Close();
}

void Program::Fatal(const std::string& caption, const std::string& text) {
  splash_.reset();
  prompts_->ShowError(caption, text);
}

bool Program::Start(int& exitCode) {
  exitCode = 0;
  prompts_->SetHourglass(true);
  QGuiApplication::setApplicationName(kProductName);
  // First of all: a change of several data files that a kill cut short.
  RecoverDataFiles(ctx_);
  sound_ = std::make_unique<qt::SoundPlayer>(ctx_.DataPath("SOUNDS"));
  sound_->SetMuted(options_.Muted);
  // The picture library is read once: the splash shows its logo.
  const std::string libraryPath = ctx_.DataPath("QEX.RGF");
  library_.Open(libraryPath);
  if (options_.Splash) ShowSplash();
  ReadSplashSoundSwitches();

  // Without the picture library nothing can be drawn.
  if (!library_.IsOpen()) {
    std::string lower = libraryPath;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    prompts_->SetHourglass(false);
    Fatal("", "Can't find/load " + lower);
    exitCode = 1;
    return false;
  }
  view_ = std::make_unique<TableView>(ctx_, library_);
  drawing_ = std::make_unique<TablePlayDrawing>(ctx_, *view_);
  play_ = std::make_unique<PlayView>(ctx_, *drawing_);
  window_ = std::make_unique<MainWindow>(ctx_, *view_, *play_, *prompts_);
  drawing_->LayoutSource = [this] { return window_->LayoutInputForDrawing(); };
  drawing_->TopMarginSource = [this] { return window_->ToolbarBottom(); };
  if (own_prompts_) own_prompts_->SetParent(window_.get());
  // A clock of the caller's own does not follow the machine's: the time
  // between frames says nothing of what the screen could show.
  if (options_.Clock) window_->ShowEveryFrame();
  sound_port_ = std::make_unique<SoundAdapter>(*sound_);
  flow_port_ = std::make_unique<FlowAdapter>();
  ports_.View = play_.get();
  ports_.Window = window_.get();
  ports_.Sound = sound_port_.get();
  ports_.Dialogs = window_.get();
  ports_.Drop = play_.get();
  ports_.Flow = flow_port_.get();
  counter_ = std::make_unique<CardCounterWindow>(ctx_, library_, window_.get());
  counter_->SetOnClosed([this] {
    if (QAction* item = window_->Action("mnuCardCounter")) {
      const QSignalBlocker block(item);
      item->setChecked(false);
    }
  });
  ports_.Counter = counter_.get();
  window_->SetCardCounter(counter_.get());
  ctx_.Ports = &ports_;
  ctx_.Table = view_.get();

  if (!InitApplicationSettings(exitCode)) {
    prompts_->SetHourglass(false);
    return false;
  }
  // The help file is optional: without it help commands show nothing. A
  // damaged one is told when help is first asked for, and left alone.
  help_ = std::make_unique<HelpService>();
  help_->SetHome(window_.get());
  help_->OpenWhenUsed(ctx_.DataPath(kHelpFileName), [this](const std::string& path) {
    prompts_->ShowMessage(DamagedHelpFileText(path));
  });
  // The open-game window is made when it is first needed.
  window_->SetDialogs([this] { return &OpenGame(); }, help_.get());
  window_->SetFirstDealDirect(options_.FirstDealDirect);
  RestoreMainWindowState();
  if (splash_) splash_->hide();
  splash_.reset();
  prompts_->SetHourglass(false);
  return true;
}

OpenGameDialog& Program::OpenGame() {
  if (open_game_) return *open_game_;
  open_game_ = std::make_unique<OpenGameDialog>(ctx_, library_, *prompts_, window_.get());
  OpenGameHooks hooks;
  UseHelpService(hooks, ctx_, *help_, open_game_.get());
  hooks.NoGameSelected = [this] { window_->NoGameSelected(); };
  hooks.ShowStatistics = [this](int game, const std::string& player) {
    window_->StatisticsCommand(0, game, player, open_game_.get());
  };
  hooks.EditFavourites = [this] {
    FavouritesDialog dialog(ctx_, open_game_.get());
    dialog.exec();
  };
  open_game_->SetHooks(hooks);
  return *open_game_;
}

void Program::ShowSplash() {
  auto splash = std::make_unique<SplashWindow>(library_.LoadBitmap("LOGO").Image());
  splash->show();
  splash->raise();
  splash->repaint();
  QApplication::processEvents();
  splash_ = std::move(splash);
}

void Program::ReadSplashSoundSwitches() {
  // The preferences are not loaded yet: the two switches are read here.
  sys::IniFile ini(CfgFilePath(ctx_));
  ctx_.SetCfg(cfg::Sounds_Enabled, ini.ReadString("Preference", "Sounds_Enabled", "Y"));
  splash_sound_ = ctx_.CfgIs(cfg::Sounds_Enabled, "Y") &&
                  ini.ReadString("Preference", "Sounds_Splash", "Y") == "Y";
}

bool Program::InitApplicationSettings(int& exitCode) {
  window_->setWindowTitle(kProductName);
  window_->LoadCursors(library_);
  window_->LoadToolbarGlyphs(library_);
  ctx_.GameState.MovingCard() = 0;
  ctx_.GameState.RunLastCard() = 0;
  MainWindowFlags& flags = ctx_.TfrmMain;
  flags.DoubleClicked = 0;
  flags.GameInProgress = 0;
  flags.GameWon = 0;
  flags.WinAnimationRunning = 0;
  flags.ClockRunning = 0;
  flags.PeekCardX = 0;
  flags.PeekCardY = 0;
  flags.FirstActivation = 1;

  // A data folder that cannot be made is reported by the files that need it.
  sys::MakeDirectory(ctx_.DataPath("DATA"));
  sys::IniFile ini(CfgFilePath(ctx_));
  const int colours = GetColorCount();
  const WindowPreferences prefs = ReadPreferences(ctx_, ini, colours);
  if (colours <= 256) {
    ShowAdvice(ctx_,
               "At this time your display driver supports 256 colors or less. This program takes "
               "advantage of 65,536 colors (16 bit) or 16.8 million colors (24 bit) palettes or "
               "higher resolutions. \rIf your video driver allows High or True color mode "
               "settings (16 bit or 24 bit), modify your screen resolution using Properties for "
               "Display in Control Panel.",
               "Screen_Under_256_Colors", 0, AdviceBox());
  }
  // The first players and the run counter reach the file with one rewrite,
  // made once the window is on the screen with the version files: their
  // flushes to the disk need not keep the window waiting. Nothing else
  // writes the file before then.
  startup_cfg_ = std::make_unique<sys::IniFile>(CfgFilePath(ctx_));
  startup_cfg_->Hold();
  EnsureCurrentPlayer(ctx_, *startup_cfg_);
  CountProgramRun(*startup_cfg_);
  window_->SetAfterFirstFrame([this] { WriteStartupFiles(); });
  ctx_.GameState.SmallScreenState() = 2;
  ResetSessionCounters(ctx_);
  flags.ShadowOffset = ctx_.CfgIs(cfg::Cards_Shadowed, "N") ? 0 : 9;
  InitCardsAndPiles(ctx_);

  const std::string games = ctx_.DataPath(kGamesFileName);
  auto fatal = [this](const std::string& caption, const std::string& text) {
    Fatal(caption, text);
  };
  if (!CheckRequiredFile(ctx_, games, fatal)) {
    exitCode = 1;
    return false;
  }
  std::string error;
  if (!LoadGameCatalogue(ctx_, error)) {
    Fatal("", error);
    exitCode = 1;
    return false;
  }
  CheckCurrentGame(ctx_);
  SetCardSize(ctx_);
  view_->ReloadCardPictures();
  window_->ApplyStartupSettings(prefs);
  version_files_due_ = true;
  return true;
}

void Program::WriteStartupFiles() {
  if (!startup_cfg_) return;
  startup_cfg_->WriteHeld();
  startup_cfg_.reset();
  if (!version_files_due_) return;  // a start that failed
  version_files_due_ = false;
  WriteVersionMarker(ctx_);
  RemoveOldVersionFiles(ctx_);
}

AdviceDialog Program::AdviceBox() {
  if (own_prompts_) return QtAdviceDialog(window_.get());
  return [this](const std::string& text, int) {
    prompts_->ShowMessage(text);
    return false;
  };
}

void Program::RestoreMainWindowState() {
  if (options_.FixedWidth > 0 && options_.FixedHeight > 0) {
    window_->resize(options_.FixedWidth, options_.FixedHeight);
    return;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize s = screen ? screen->availableGeometry().size() : QSize(1024, 768);
  const MainWindowState state =
      ReadMainWindowState(sys::IniFile(CfgFilePath(ctx_)), s.width(), s.height());
  window_->setGeometry(state.Left, state.Top, std::max(state.Width, 320),
                       std::max(state.Height, 240));
  if (state.Maximized) window_->setWindowState(Qt::WindowMaximized);
}

void Program::Show() {
  if (!window_) return;
  // The splash sound waits for the first frame, so that the audio back-end is
  // loaded after it; a sound of the game played by then goes first.
  if (splash_sound_) {
    first_frame_ = std::make_unique<AfterFirstPaint>(window_.get(), [this] {
      if (!sound_port_->played) sound_->Play("Splash", qt::SoundPlayer::Mode::Once);
    });
  }
  window_->show();
}

}  // namespace tw
