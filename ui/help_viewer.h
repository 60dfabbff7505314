// Our own help viewer over the help file tarnwell.hlp (a binary resource
// file of HTML pages, one per context number, with a contents page and the
// list of topics). Topics open in named windows, as the commands and dialogs
// ask for them: "proc" for the program's own topics, "rules" for the rules
// of the games; each window is made once and reused.
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
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

// Help windows stay over the home window (the main window); one asked for
// while a modal dialog is open is lent to that dialog (over it and not
// blocked by it) and given back when the dialog closes. Help windows never
// keep the program running.
class HelpService : public QObject {
 public:
  HelpService();
  ~HelpService() override;
  HelpService(const HelpService&) = delete;
  HelpService& operator=(const HelpService&) = delete;

  void SetHome(QWidget* home) { home_ = home; }

  // Registers the help file; false when it is missing or damaged.
  bool Open(const std::string& path);
  // The same, done when the help is first asked for; a damaged file is then
  // told through onDamaged.
  void OpenWhenUsed(const std::string& path, std::function<void(const std::string&)> onDamaged = {}) {
    pending_ = path;
    on_damaged_ = std::move(onDamaged);
  }
  bool IsOpen() const;
  // The last file refused was there but damaged.
  bool Damaged() const { return damaged_; }
  bool HasTopic(int context) const;
  QString Title(int context) const;

  // Shows the topic in the named window; a context the file lacks shows the
  // contents instead and returns false.
  bool ShowTopic(const std::string& window, int context);
  void ShowContents();
  // Null until the window was first used.
  HelpWindow* Window(const std::string& name) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OpenPending() const;
  HelpWindow* Ensure(const std::string& name);
  // Makes the window a window of owner (none: the home window), as shown
  // and where it was.
  void Lend(HelpWindow* w, QWidget* owner);

  gfx::HelpFile file_;
  bool damaged_ = false;
  QPointer<QWidget> home_;
  mutable std::optional<std::string> pending_;
  std::function<void(const std::string&)> on_damaged_;
  // A window lent to a dialog that is destroyed goes with it.
  std::map<std::string, QPointer<HelpWindow>> windows_;
};

// The rules of a game: a catalogued game's topic (game + 3000) in the
// "rules" window; a custom game's summary beside its base game. A negative
// game is the current one, an empty name the current game's name.
// Keeps a top-level window and its frame inside the available area of the
// screen of near (its own when near is null), shrinking it where needed; the
// first time it goes over near.
void PlaceInsideScreen(QWidget* w, const QWidget* near);

void ShowGameRules(GameContext& ctx, HelpService& help, int game, const std::string& name,
                   QWidget* parent);

}  // namespace tw
