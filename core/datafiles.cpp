#include "core/datafiles.h"

#include <algorithm>
#include <cctype>

#include "core/textfile.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "platform/sys/paths.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

constexpr int kPlayerNameWidth = 30;
constexpr int kUserSlots = 20;
constexpr int kRecentDeals = 20;
// Key of a hi-score line plus "=" plus the record without its " x" end.
constexpr int kOldHiScoreLineWidth = 89;

std::string TwoDigits(int n) { return IntToStrPad(n, 2); }
std::string ThreeDigits(int n) { return IntToStrPad(n, 3); }

bool EnsureVersionedFile(const std::string& path) {
  if (sys::PathExists(path)) return false;
  sys::MakeDirectory(sys::DirectoryOf(sys::NativePath(path)));
  return sys::ReplaceFileLines(path, {kVersionHeader, kVersionLine});
}

// Windows-1252 byte of a code point, -1 when the set has none.
int SingleByteOf(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  static const struct {
    uint32_t cp;
    int byte;
  } kHigh[] = {{0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85},
               {0x2020, 0x86}, {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A},
               {0x2039, 0x8B}, {0x0152, 0x8C}, {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92},
               {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95}, {0x2013, 0x96}, {0x2014, 0x97},
               {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B}, {0x0153, 0x9C},
               {0x017E, 0x9E}, {0x0178, 0x9F}};
  for (const auto& h : kHigh) {
    if (h.cp == cp) return h.byte;
  }
  return -1;
}

const char* const kNotSingleByte =
    "A player name can contain only characters of the Western (Windows-1252) character set.";

bool Refuse(std::string* message, const std::string& text) {
  if (message) *message = text;
  return false;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

}  // namespace

std::string CfgFilePath(const GameContext& ctx) {
  std::string name = ctx.Cfg(cfg::IniFileName);
  return ctx.DataPath(name.empty() ? "DATA\\CFG.DAT" : name);
}
std::string StatFilePath(const GameContext& ctx) { return ctx.DataPath("DATA\\STAT.DAT"); }
std::string StatLogFilePath(const GameContext& ctx) { return ctx.DataPath("DATA\\STAT_LOG.DAT"); }
std::string StatScrFilePath(const GameContext& ctx) { return ctx.DataPath("DATA\\STAT_SCR.DAT"); }
std::string StatGloFilePath(const GameContext& ctx) { return ctx.DataPath("DATA\\STAT_GLO.DAT"); }

bool IsValidPlayerName(const std::string& name, std::string* message) {
  if (TrimRightSpaces(name).empty()) return Refuse(message, "Please enter at least 1 character.");
  if (name[0] == ' ') return Refuse(message, "A player name cannot begin with a blank.");
  for (unsigned char c : name) {
    if (c < 32 || c == 127) {
      return Refuse(message, "A player name cannot contain line breaks or control characters.");
    }
    if (c == '=' || c == '[' || c == ']') {
      return Refuse(message, "A player name cannot contain the characters =, [ and ].");
    }
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
      return Refuse(message, kNotSingleByte);
    }
  }
  if (static_cast<int>(TrimRightSpaces(name).size()) > kPlayerNameWidth) {
    return Refuse(message, "A player name can have at most 30 characters.");
  }
  return true;
}

bool IsValidPlayerNameUtf8(const std::string& utf8, std::string* out, std::string* message) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    size_t extra = 0;
    uint32_t cp = c;
    if (c >= 0x80) {
      if ((c & 0xE0) == 0xC0) {
        extra = 1, cp = c & 0x1F;
      } else if ((c & 0xF0) == 0xE0) {
        extra = 2, cp = c & 0x0F;
      } else if ((c & 0xF8) == 0xF0) {
        extra = 3, cp = c & 0x07;
      } else {
        return Refuse(message, kNotSingleByte);
      }
    }
    if (i + extra >= utf8.size() + (extra == 0 ? 1 : 0)) return Refuse(message, kNotSingleByte);
    for (size_t k = 1; k <= extra; ++k) {
      unsigned char d = static_cast<unsigned char>(utf8[i + k]);
      if ((d & 0xC0) != 0x80) return Refuse(message, kNotSingleByte);
      cp = (cp << 6) | (d & 0x3F);
    }
    int b = SingleByteOf(cp);
    if (b < 0 || (cp >= 0x80 && cp < 0xA0)) return Refuse(message, kNotSingleByte);
    bytes += static_cast<char>(b);
    i += extra + 1;
  }
  if (!IsValidPlayerName(bytes, message)) return false;
  if (out) *out = bytes;
  return true;
}

bool EnsureStatFile(GameContext& ctx) { return EnsureVersionedFile(StatFilePath(ctx)); }
bool EnsureStatScrFile(GameContext& ctx) { return EnsureVersionedFile(StatScrFilePath(ctx)); }

void RecoverDataFiles(GameContext& ctx) {
  const std::string data = ctx.DataPath("DATA");
  sys::SetBatchJournalFolder(data);
  if (!sys::DirectoryExists(data)) return;
  const sys::BatchRecovery recovery = sys::RecoverFileBatches(data);
  if (recovery.failed) {
    ShowMsg(ctx, "An unfinished change of the data files in " + data +
                     " could not be finished or undone.\rIts record (CHANGES.JNL) is kept, and "
                     "the repair is tried again at the next start.");
  }
  const std::string text = sys::BatchRecoveryText(recovery);
  if (!text.empty()) ShowMsg(ctx, text);
}

void UpgradeDataFiles(GameContext& ctx) {
  const std::string path = StatScrFilePath(ctx);
  SectionedTextFile file;
  if (sys::FileExists(path) && file.Load(path)) {
    std::string version = "0000";
    file.GetValue("Version", "Version", version);
    if (TrimRightSpaces(version) != "0300") {
      std::vector<std::string> lines = {kVersionHeader, kVersionLine, ""};
      for (const auto& line : file.Lines()) {
        if (line.rfind("[Version]", 0) == 0 || line.rfind("Version=", 0) == 0) continue;
        // Older hi-score lines lack the end mark; cut or pad them to the
        // fixed width so later in-place updates stay aligned.
        if (!line.empty() && line[0] == '0') {
          lines.push_back(PadRight(line, kOldHiScoreLineWidth) + " x");
        } else {
          lines.push_back(line);
        }
      }
      if (!sys::ReplaceFileLines(path, lines)) ShowMsg(ctx, "Error updating file: " + path);
    }
  }
  // Independent of the hi-score file's version: an older preferences file
  // may sit next to a current hi-score file.
  sys::IniFile ini(CfgFilePath(ctx));
  for (const char* key : {"Cards_Animate", "ConfirmQuit"}) {
    if (ini.ReadString("Preference", key, "") == "S") ini.WriteString("Preference", key, "Y");
  }
}

void LoadUserList(GameContext& ctx, StringList& list) {
  list.clear();
  sys::IniFile ini(CfgFilePath(ctx));
  for (int i = 1; i <= kUserSlots; ++i) {
    std::string name = ini.ReadString("Users", "User" + ThreeDigits(i), "");
    if (!name.empty()) list.push_back(name);
  }
  std::stable_sort(list.begin(), list.end(), LessNoCase);
}

void StagePlayerList(sys::IniFile& ini, const StringList& names) {
  for (int i = 1; i <= kUserSlots; ++i) {
    const size_t k = static_cast<size_t>(i - 1);
    ini.WriteString("Users", "User" + ThreeDigits(i), k < names.size() ? names[k] : "");
  }
}

bool SavePlayerList(GameContext& ctx, const StringList* names, const std::string& current) {
  sys::IniFile ini(CfgFilePath(ctx));
  if (!ini.Hold()) return false;
  if (names) StagePlayerList(ini, *names);
  ini.WriteString("Preference", "UserDefault", current);
  return ini.WriteHeld();
}

void AddRecentDealNumber(GameContext& ctx, const std::string& number) {
  if (number.empty()) return;
  sys::IniFile ini(CfgFilePath(ctx));
  if (!ini.Hold()) return;
  StringList list;
  for (int i = 1; i <= kRecentDeals; ++i) {
    list.push_back(ini.ReadString("Game_Numbers", "Game0" + TwoDigits(i), ""));
  }
  size_t removed = 0;
  for (auto it = list.begin(); it != list.end();) {
    if (*it == number) {
      it = list.erase(it);
      ++removed;
    } else {
      ++it;
    }
  }
  list.insert(list.end(), removed, std::string());
  list.insert(list.begin(), number);
  for (int i = 1; i <= kRecentDeals; ++i) {
    ini.WriteString("Game_Numbers", "Game0" + TwoDigits(i), list[static_cast<size_t>(i - 1)]);
  }
  ini.WriteHeld();
}

bool ShowAdvice(GameContext& ctx, const std::string& text, const std::string& id, int page,
                const AdviceDialog& show) {
  sys::IniFile ini(CfgFilePath(ctx));
  if (ini.ReadString("Show_Messages", id, "") == "N" || !show) return false;
  if (show(text, page)) ini.WriteString("Show_Messages", id, "N");
  return true;
}

int ReadRunExeParameter(GameContext& ctx) {
  return sys::IniFile(CfgFilePath(ctx)).ReadInteger("Parameters", "Run_Exe", 0);
}

namespace {

bool CheckFile(GameContext& ctx, const std::string& path, const std::string& text,
               const FatalError& fatal) {
  if (sys::FileExists(path)) return true;
  if (fatal) {
    fatal("Error", text);
  } else if (ctx.Ui) {
    ctx.Ui->ShowMessage(text);
  }
  return false;
}

}  // namespace

bool CheckRequiredFile(GameContext& ctx, const std::string& path, const FatalError& fatal) {
  return CheckFile(ctx, path,
                   "Cannot find file:\n" + path +
                       "\nCopy the file into the directory that above is specified\n"
                       "or reinstall the program.",
                   fatal);
}

bool CheckImagesFile(GameContext& ctx, const std::string& path, const FatalError& fatal) {
  return CheckFile(ctx, path,
                   "Cannot find images file:\n" + path +
                       "\nSome program components cannot be shown correctly.\n"
                       "Copy the file into the directory that above is specified\n"
                       "or reinstall the program.",
                   fatal);
}

std::string ExpandProductPlaceholders(const std::string& text) {
  std::string out = text;
  for (const char* ph : {"[Program_sw]", "[Program]"}) {
    size_t at = out.find(ph);
    if (at != std::string::npos) out.replace(at, std::string(ph).size(), "Tarnwell 2000");
  }
  return out;
}

}  // namespace tw
