// The open-game dialog: the game chooser with its tree of game folders, the
// description and table picture of the selected game and the player choice.
//
// The dialog lives for the whole run and is shown modally. It never hides
// itself while open (a hidden modal dialog ends its event loop): OK and
// "Open a saved game" end it with an action that the opener carries out,
// and RunOpenGameDialog shows it again when that leaves no deal running.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/state.h"
#include "platform/gfx/reslib.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QAction;

namespace tw {

namespace qt {
class Prompts;
}

// Node ids of the tree's folders and guide entries.
namespace tree_id {
constexpr int kPlaceholder = -1;
constexpr int kFavouritesGuide = -2;  // "(Double click to customize)"
constexpr int kCustomGuide = -3;      // "(How to customize a game)"
constexpr int kFavourites = -10;
constexpr int kFolders = -20;
constexpr int kSelected = -2010;
constexpr int kGameType = -2020;
constexpr int kByTime = -2030;
constexpr int kByDifficulty = -2040;
constexpr int kBySkill = -2050;
constexpr int kByChance = -2060;
constexpr int kCustom = -2070;
constexpr int kAllGames = -30;
}  // namespace tree_id

inline constexpr int kOpenGameHelpContext = 1000;

// What the dialog asks of other windows; empty members do nothing.
struct OpenGameHooks {
  // Rules of a game (custom games show their summary).
  std::function<void(int game, const std::string& name)> ShowRules;
  // The statistics dialog on that game and player.
  std::function<void(int game, const std::string& player)> ShowStatistics;
  // The favourite-games dialog; the dialog refreshes its folder afterwards.
  std::function<void()> EditFavourites;
  // The help topic of a context.
  std::function<void(int context)> ShowHelp;
  // Deleting the game in play: end the deal and leave no game selected.
  std::function<void()> NoGameSelected;
};

enum class OpenGameAction {
  None,           // cancelled or closed
  StartGame,      // ChosenGame / ChosenName / ChosenPlayer
  OpenSavedGame,  // the opener runs the open-file dialog
};

class OpenGameDialog : public QDialog {
  Q_OBJECT

 public:
  OpenGameDialog(GameContext& ctx, const gfx::ResourceLibrary& library, qt::Prompts& prompts,
                 QWidget* parent = nullptr);
  ~OpenGameDialog() override;

  void SetHooks(OpenGameHooks hooks) { hooks_ = std::move(hooks); }

  // The outcome of the last exec().
  OpenGameAction Action() const { return action_; }
  int ChosenGame() const { return chosen_game_; }
  const std::string& ChosenName() const { return chosen_name_; }
  const std::string& ChosenPlayer() const { return chosen_player_; }
  // Id of the folder the chosen game was picked in.
  int ChosenFolder() const { return chosen_folder_; }

  // Empty and fill again the favourites or the custom games folder; "Node
  // not found" when the folder is not in the tree.
  void RefreshFavouriteGamesFolder();
  void RefreshCustomGamesFolder();

  // Tests and the opener drive these.
  QTreeWidget* Tree() const { return trv_games_; }
  QComboBox* Players() const { return cbo_players_; }
  QCheckBox* PreviewBox() const { return chk_preview_; }
  QPushButton* OkButton() const { return btn_ok_; }
  // The first node with that id (folders and games), null when none.
  QTreeWidgetItem* FindNode(int id) const;
  // Selects the node (filling its folder as a click would).
  void SelectNode(QTreeWidgetItem* node);
  int SelectedId() const;
  // Description texts: name, game time, difficulty, chance, decks, redeals.
  std::vector<QString> DescriptionTexts() const;
  bool DescriptionShown() const;
  // The picture box as shown.
  QImage PreviewPicture() const;

  void btnOKClick();
  void btnOpenClick();
  void btnRulesClick();
  void btnStatisticsClick();
  void chkPreviewClick();
  void trvGamesDblClick(QTreeWidgetItem* node);
  void mnuDeleteCustomGameClick();
  void Customizefavouritegames1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void done(int result) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct IndexEntry {
    std::string name;  // 50 characters
    int family = 0;
    int number = 0;
  };
  struct CustomInfo {
    int base = 0;
    int deals = 0;
  };

  void BuildTree();
  QTreeWidgetItem* AddFolder(QTreeWidgetItem* parent, const QString& caption, int id, int icon,
                             int selectedIcon, bool filled);
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& caption, int id, int icon,
                           int selectedIcon);
  void FillGameFolder(QTreeWidgetItem* node, int selectGame);
  void FillSelectedGames(QTreeWidgetItem* node, int selectGame);
  void FillFavourites(QTreeWidgetItem* node, int selectGame);
  void FillCustomGames(QTreeWidgetItem* node, int selectGame);
  void FillAllGames(QTreeWidgetItem* node, int selectGame);
  void FillFamily(QTreeWidgetItem* node, int selectGame);
  void FillAttribute(QTreeWidgetItem* node, int selectGame);
  void RefreshFolder(int id);
  void RemoveFirstChildIf(QTreeWidgetItem* node, int a, int b);
  void SelectIf(QTreeWidgetItem* item, int id, int selectGame);
  int FamilyIcon(int family) const;
  void ShowGameDescription(bool withHourglass);
  void DrawGamePreview(int game);
  void ShowPreviewBackground();
  void FillPlayers();
  void OnCurrentChanged(QTreeWidgetItem* current);
  void OnExpanded(QTreeWidgetItem* item);
  void PopupMenu1Popup(const QPoint& pos);
  int BaseGameOf(int id) const;
  void SaveInt(const char* key, int value);

  GameContext& ctx_;
  const gfx::ResourceLibrary& library_;
  qt::Prompts& prompts_;
  OpenGameHooks hooks_;

  QTreeWidget* trv_games_ = nullptr;
  QComboBox* cbo_players_ = nullptr;
  QPushButton* btn_statistics_ = nullptr;
  QPushButton* btn_rules_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  QLabel* lbl_game_name_ = nullptr;
  QCheckBox* chk_preview_ = nullptr;
  QLabel* img_game_ = nullptr;
  QLabel* img_game_time_ = nullptr;
  QLabel* lbl_game_time_ = nullptr;
  QLabel* img_difficult_ = nullptr;
  QLabel* lbl_diff_rules_ = nullptr;
  QLabel* img_winning_ = nullptr;
  QLabel* lbl_diff_win_ = nullptr;
  QLabel* lbl_deck_ = nullptr;
  QLabel* lbl_redeal_ = nullptr;
  QPushButton* btn_ok_ = nullptr;
  QPushButton* btn_open_ = nullptr;
  QPushButton* btn_cancel_ = nullptr;
  QPushButton* btn_aiuto_ = nullptr;
  QMenu* popup_ = nullptr;
  QAction* mnu_delete_ = nullptr;

  std::vector<QIcon> icons_;
  std::vector<IndexEntry> game_index_;
  std::map<int, CustomInfo> custom_info_;
  std::map<int, QImage> previews_;
  QImage background_;  // the picture box's gradient
  // Applied on the first show only (-1 afterwards).
  int initial_folder_ = tree_id::kAllGames;
  // Selections made by the program do not run the change handler.
  bool tree_enabled_ = false;

  OpenGameAction action_ = OpenGameAction::None;
  int chosen_game_ = -1;
  int chosen_folder_ = tree_id::kAllGames;
  std::string chosen_name_, chosen_player_;
};

class HelpService;
// Rules and help of the dialog served by our help viewer: rules in the
// "rules" window (custom games as their summary), dialog help in "proc".
void UseHelpService(OpenGameHooks& hooks, GameContext& ctx, HelpService& help, QWidget* parent);

// What the opener does with the dialog's outcome.
struct OpenGameOpener {
  // Asks before quitting a running game, stores player and game, sets up and
  // deals; false when nothing changed or the player refused.
  std::function<bool(int game, const std::string& name, const std::string& player)>
      SelectGameAndPlayer;
  // The file dialog and the opening of a saved game.
  std::function<void()> OpenSavedGame;
  // Left without a game chosen while none is set up: game commands off.
  std::function<void()> NoGameChosen;
};

// Shows the dialog modally until the player leaves it, carrying out its
// actions: a chosen game is started (its preferences are written only once
// the switch has been made); after "Open a saved game" the dialog comes
// back unless a deal is now in progress. True when a game was started.
bool RunOpenGameDialog(OpenGameDialog& dialog, GameContext& ctx, const OpenGameOpener& opener);

// "Preference" keys of the chosen game: "Game", "Game_Name", "Game_TreeNum".
void WriteGamePreference(GameContext& ctx, int game, const std::string& name, int treeNumber);

}  // namespace tw
