// Our own help viewer over the help file tarnwell.hlp (a binary resource
// file of HTML pages, one per context number, with a contents page and the
// list of topics). Topics open in named windows, as the commands and dialogs
// ask for them: "proc" for the program's own topics, "rules" for the rules
// of the games; each window is made once and reused.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "core/state.h"
#include "platform/gfx/help_file.h"

class QTextBrowser;
class QTreeWidget;
class QToolButton;

namespace tw {

inline constexpr const char* kHelpFileName = "tarnwell.hlp";
inline constexpr int kRulesContextBase = 3000;
inline constexpr int kContentsContext = 4012;

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // root: the folder of the pages in the registered help file.
  HelpWindow(const QString& root, QWidget* parent);

  void ShowPage(const QString& page);
  QTextBrowser* Browser() const { return browser_; }
  // The page shown ("3000.html", "contents.html").
  QString CurrentPage() const;

 private:
  QTextBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QToolButton* back_ = nullptr;
  QToolButton* forward_ = nullptr;
};

// Told at start-up when the help file is there but damaged.
std::string DamagedHelpFileText(const std::string& path);

class HelpService {
 public:
  HelpService();
  ~HelpService();
  HelpService(const HelpService&) = delete;
  HelpService& operator=(const HelpService&) = delete;

  // Registers the help file; false when it is missing or damaged.
  bool Open(const std::string& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // The last file refused was there but damaged.
  bool Damaged() const { return damaged_; }
  bool HasTopic(int context) const { return file_.Titles().count(context) != 0; }
  QString Title(int context) const;

  // Shows the topic in the named window; a context the file lacks shows the
  // contents instead and returns false.
  bool ShowTopic(const std::string& window, int context);
  void ShowContents();
  // Null until the window was first used.
  HelpWindow* Window(const std::string& name) const;

 private:
  HelpWindow* Ensure(const std::string& name);

  gfx::HelpFile file_;
  bool damaged_ = false;
  std::map<std::string, std::unique_ptr<HelpWindow>> windows_;
};

// The rules of a game: a catalogued game's topic (game + 3000) in the
// "rules" window; a custom game's summary beside its base game. A negative
// game is the current one, an empty name the current game's name.
void ShowGameRules(GameContext& ctx, HelpService& help, int game, const std::string& name,
                   QWidget* parent);

}  // namespace tw
