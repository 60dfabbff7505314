// Creation and upgrade of the statistics files, the short lists kept in the
// preferences file (players, recent deal numbers, advice flags, the start
// counter), the required-file checks and the product-name placeholders.
#pragma once

#include <functional>
#include <string>

#include "core/state.h"

namespace tw {

namespace sys {
class IniFile;
}

// Paths of the data files.
std::string CfgFilePath(const GameContext& ctx);
std::string StatFilePath(const GameContext& ctx);     // DATA\STAT.DAT
std::string StatLogFilePath(const GameContext& ctx);  // DATA\STAT_LOG.DAT
std::string StatScrFilePath(const GameContext& ctx);  // DATA\STAT_SCR.DAT
std::string StatGloFilePath(const GameContext& ctx);  // DATA\STAT_GLO.DAT

// A player name is a key or a section name in the results files and a fixed
// column of the log: it must not hold "=", "[", "]", control characters
// (line breaks) or bytes the single-byte character set leaves undefined, must
// not be blank and must fit the 30 columns. message (when given) says why a
// name is refused.
bool IsValidPlayerName(const std::string& name, std::string* message = nullptr);
// The same for a name typed in the window system's UTF-8; out receives the
// single-byte (Windows-1252) text of an accepted name.
bool IsValidPlayerNameUtf8(const std::string& utf8, std::string* out,
                           std::string* message = nullptr);

// Create the file with "[Version]" / "Version=0300" (and the DATA folder)
// when missing; true when it was created.
bool EnsureStatFile(GameContext& ctx);
bool EnsureStatScrFile(GameContext& ctx);

// Before anything reads a data file at start-up: changes of several files
// that a kill interrupted are finished or undone (the user is told once when
// one was undone), and temporary files left in DATA go. Later changes keep
// their intent record in DATA too.
void RecoverDataFiles(GameContext& ctx);

// At the first activation of the main window: an older hi-score file gets the
// version section and fixed-width records; the preference values "S" of
// "Cards_Animate" and "ConfirmQuit" become "Y".
void UpgradeDataFiles(GameContext& ctx);

// Non-empty "User001".."User020" of "Users", sorted without regard to case.
void LoadUserList(GameContext& ctx, StringList& list);
// In one write: "User001".."User020" from names when given (empty beyond
// the list; names beyond the twentieth are not kept) and "UserDefault" :=
// current. False when DATA\CFG.DAT cannot be read or written (then told).
bool SavePlayerList(GameContext& ctx, const StringList* names, const std::string& current);
// "User001".."User020" from names into a held preferences file.
void StagePlayerList(sys::IniFile& ini, const StringList& names);
// Move-to-front update of "Game001".."Game020" of "Game_Numbers".
void AddRecentDealNumber(GameContext& ctx, const std::string& number);

// Shows the advice (through show, which returns whether the "don't show
// again" box was ticked) unless "Show_Messages"/id is "N". True when shown.
using AdviceDialog = std::function<bool(const std::string& text, int page)>;
bool ShowAdvice(GameContext& ctx, const std::string& text, const std::string& id, int page,
                const AdviceDialog& show);

int ReadRunExeParameter(GameContext& ctx);

// A missing file is reported through fatal (caption, text), which shows the
// error box and ends the program; without fatal the text goes to ctx.Ui.
// True when the file exists.
using FatalError = std::function<void(const std::string& caption, const std::string& text)>;
bool CheckRequiredFile(GameContext& ctx, const std::string& path, const FatalError& fatal);
bool CheckImagesFile(GameContext& ctx, const std::string& path, const FatalError& fatal);

// The first "[Program]" and the first "[Program_sw]" become the product name.
std::string ExpandProductPlaceholders(const std::string& text);

}  // namespace tw
