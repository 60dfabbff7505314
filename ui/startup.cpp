#include "ui/startup.h"

#include <cstdlib>

#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/files.h"

namespace tw {

namespace {

constexpr const char* kPrefs = "Preference";

// The sound switches in the order the start-up reads them.
constexpr CfgField kSoundSwitches[] = {
    cfg::Sounds_About,       cfg::Sounds_Autoplay, cfg::Sounds_CardDown, cfg::Sounds_CardUp,
    cfg::Sounds_NewHiScores, cfg::Sounds_FaceUp,   cfg::Sounds_GameWon,  cfg::Sounds_HiScores,
    cfg::Sounds_NewGame,     cfg::Sounds_Pairing,  cfg::Sounds_Redeal,   cfg::Sounds_Redo,
    cfg::Sounds_Restart,     cfg::Sounds_Shuffle,  cfg::Sounds_Splash,   cfg::Sounds_Stock,
    cfg::Sounds_Foundation,  cfg::Sounds_Tableau,  cfg::Sounds_Undo};
constexpr const char* kSoundKeys[] = {
    "Sounds_About",  "Sounds_Autoplay",   "Sounds_CardDown", "Sounds_CardUp",  "Sounds_NewHiScores",
    "Sounds_FaceUp", "Sounds_GameWon",    "Sounds_HiScores", "Sounds_NewGame", "Sounds_Pairing",
    "Sounds_Redeal", "Sounds_Redo",       "Sounds_Restart",  "Sounds_Shuffle", "Sounds_Splash",
    "Sounds_Stock",  "Sounds_Foundation", "Sounds_Tableau",  "Sounds_Undo"};
static_assert(std::size(kSoundSwitches) == std::size(kSoundKeys));

}  // namespace

WindowPreferences ReadPreferences(GameContext& ctx, const sys::IniFile& ini, int colorCount) {
  WindowPreferences win;
  auto text = [&](CfgField f, const char* key, const std::string& def) {
    ctx.SetCfg(f, ini.ReadString(kPrefs, key, def));
  };
  auto padded = [&](CfgField f, const char* key, int def, int width) {
    ctx.SetCfg(f, IntToStrPad(ini.ReadInteger(kPrefs, key, def), width));
  };
  auto decimal = [&](CfgField f, const char* key, int def) {
    ctx.SetCfg(f, std::to_string(ini.ReadInteger(kPrefs, key, def)));
  };

  text(cfg::Show_ToolTips, "Show_ToolTips", "Y");
  win.ToolbarLarge = ini.ReadString(kPrefs, "ToolBar_Large", "N") == "Y";
  win.ToolbarFlat = ini.ReadString(kPrefs, "ToolBar_Flat", "Y") == "Y";
  padded(cfg::Back_Card, "Back_Card", 11, 3);
  padded(cfg::Card, "Card", colorCount <= 256 ? 3 : 1, 3);
  std::string size = ini.ReadString(kPrefs, "Card_Size", "B");
  // An unknown letter would leave every card dimension undefined.
  if (size != "B" && size != "M" && size != "L") size = "B";
  ctx.SetCfg(cfg::Card_Size, size);
  if (size != "B") ctx.SetCfg(cfg::Back_Card, "006");
  text(cfg::Background_bmp, "Background_bmp", "");
  decimal(cfg::Background_Fixed_Col, "Background_Fixed_Col", 32768);
  decimal(cfg::Background_Col, "Background_Col", -2147483633);
  text(cfg::Background_def, "Background_def", "N");
  text(cfg::Fade_Background, "Fade_Background", "Y");
  padded(cfg::Game, "Game", 1, 4);
  text(cfg::Game_name, "Game_name", "FreeCell");
  text(cfg::Show_Time, "Show_Time", "Y");
  text(cfg::Show_Score, "Show_Score", "Y");
  text(cfg::Cards_Animate, "Cards_Animate", "Y");
  text(cfg::Cards_Shadowed, "Cards_Shadowed", ctx.Cfg(cfg::Cards_Animate));
  text(cfg::Piles_TT, "Piles_TT", "N");
  text(cfg::Automatic_FaceUp, "Automatic_FaceUp", "Y");
  text(cfg::Deal_Animation, "Deal_Animation", "Y");
  text(cfg::Redeal_Animation, "Redeal_Animation", "Y");
  decimal(cfg::Language, "Language", 20000);
  decimal(cfg::Speed_Move_Card, "Speed_Move_Card", 10);
  text(cfg::StatusBar, "StatusBar", "N");
  text(cfg::UserDefault, "UserDefault", "");
  text(cfg::Undo_Enabled, "Undo_Enabled", "0");
  text(cfg::Winning_Animation, "Winning_Animation", "Y");
  text(cfg::ConfirmQuitGame, "ConfirmQuitGame", "Y");
  text(cfg::ConfirmEnterHiScores, "ConfirmEnterHiScores", "Y");
  text(cfg::Sounds_Enabled, "Sounds_Enabled", "Y");
  for (size_t i = 0; i < std::size(kSoundKeys); ++i) text(kSoundSwitches[i], kSoundKeys[i], "Y");
  text(cfg::Random_Background, "Random_Background", "N");
  text(cfg::Random_Card, "Random_Card", "N");
  text(cfg::Random_Deck, "Random_Deck", "N");
  text(cfg::VertScrollBar, "VertScrollBar", "N");
  decimal(cfg::Cursor, "Cursor", 11);

  ctx.SetCfg(cfg::ScoreKind, "01");
  if (std::atoi(ctx.Cfg(cfg::Back_Card).c_str()) == 0) ctx.SetCfg(cfg::Back_Card, "001");
  if (std::atoll(ctx.Cfg(cfg::Background_Col).c_str()) == 0) {
    ctx.SetCfg(cfg::Background_Col, "-2147483633");
  }
  if (ctx.Cfg(cfg::Background_bmp).empty()) ctx.SetCfg(cfg::Background_bmp, "0");
  win.AutoPlay = ini.ReadString(kPrefs, "AutoPlay", "Y") == "Y";
  return win;
}

void EnsureCurrentPlayer(GameContext& ctx, sys::IniFile& ini) {
  if (!ctx.Cfg(cfg::UserDefault).empty()) return;
  std::string first;
  for (const std::string& key : ini.ReadSectionKeys("Users")) {
    const std::string name = ini.ReadString("Users", key, "");
    if (!name.empty()) {
      first = name;
      break;
    }
  }
  if (first.empty()) {
    ini.WriteString("Users", "User001", "Player 1");
    ini.WriteString("Users", "User002", "Player 2");
    ini.WriteString("Users", "User003", "Player 3");
    first = "Player 1";
  }
  ini.WriteString(kPrefs, "UserDefault", first);
  ctx.SetCfg(cfg::UserDefault, first);
}

void CountProgramRun(sys::IniFile& ini) {
  const int runs = ini.ReadInteger("Parameters", "Run_Exe", 0);
  if (runs < 9) ini.WriteInteger("Parameters", "Run_Exe", runs + 1);
}

void CheckCurrentGame(GameContext& ctx) {
  int64_t game = 0;
  if (!ParseInt(ctx.Cfg(cfg::Game), game) || game < 0) return;
  const std::string name = GameNameFromNumber(ctx, static_cast<int>(game));
  if (name.empty()) {
    ctx.SetCfg(cfg::Game, "-001");
    ctx.SetCfg(cfg::Game_name, "");
  } else {
    ctx.SetCfg(cfg::Game_name, name);
  }
}

void WriteVersionMarker(const GameContext& ctx) {
  const std::string path = ctx.DataPath(kVersionMarkerFile);
  if (sys::FileExists(path)) return;
  sys::ReplaceFileLines(path, {kVersionMarkerText});
}

void RemoveOldVersionFiles(const GameContext& ctx) {
  auto remove = [&](const std::string& name) {
    const std::string path = ctx.DataPath(name);
    if (sys::FileExists(path)) sys::DeleteFile(path);
  };
  for (const char* v : {"0150", "0200", "0300", "0310", "0320", "0330", "0340", "0350"}) {
    remove(std::string("QEXV") + v + ".DAT");
  }
  if (sys::FileExists(ctx.DataPath("IMAGES\\GAME0000.BMP"))) {
    for (int n = 0; n <= 100; ++n) remove("IMAGES\\GAME" + IntToStrPad(n, 4) + ".BMP");
  }
  if (sys::FileExists(ctx.DataPath("IMAGES\\WB001.BMP"))) {
    for (int n = 0; n <= 25; ++n) {
      for (const char* p : {"WB", "WM", "WP"})
        remove("IMAGES\\" + std::string(p) + IntToStrPad(n, 3) + ".BMP");
    }
  }
  if (sys::FileExists(ctx.DataPath("IMAGES\\CB001C.BMP"))) {
    for (int n = 1; n <= 5; ++n) {
      for (const char* s : {"C", "D", "H", "S"})
        remove("IMAGES\\CB" + IntToStrPad(n, 3) + s + ".BMP");
    }
    for (const char* p : {"CM", "CL"}) {
      for (const char* s : {"C", "D", "H", "S"})
        remove("IMAGES\\" + std::string(p) + "003" + s + ".BMP");
    }
  }
  remove("TARNWELL.DLL");
}

MainWindowState ReadMainWindowState(const sys::IniFile& ini, int screenWidth, int screenHeight) {
  MainWindowState s;
  s.Left = ini.ReadInteger(kPrefs, "MainWindowState_Left", 50);
  s.Top = ini.ReadInteger(kPrefs, "MainWindowState_Top", 50);
  s.Width = ini.ReadInteger(kPrefs, "MainWindowState_Width", screenWidth - 150);
  s.Height = ini.ReadInteger(kPrefs, "MainWindowState_Height", screenHeight - 150);
  s.Maximized = ini.ReadString(kPrefs, "MainWindowState_Maximized", "Y") == "Y";
  return s;
}

void SaveMainWindowState(sys::IniFile& ini, const MainWindowState& state) {
  if (state.Maximized) {
    ini.WriteString(kPrefs, "MainWindowState_Maximized", "Y");
    return;
  }
  ini.WriteString(kPrefs, "MainWindowState_Maximized", "N");
  ini.WriteInteger(kPrefs, "MainWindowState_Left", state.Left);
  ini.WriteInteger(kPrefs, "MainWindowState_Top", state.Top);
  ini.WriteInteger(kPrefs, "MainWindowState_Width", state.Width);
  ini.WriteInteger(kPrefs, "MainWindowState_Height", state.Height);
}

}  // namespace tw
