// The favourite-games dialog: games moved between the list of all games and
// the favourites, which the open-game dialog shows in their own folder.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/state.h"

class QListWidget;
class QPushButton;

namespace tw {

inline constexpr int kFavouritesHelpContext = 1011;

// The names under "Favourite Games" ("Game000" upwards, up to the first
// missing or empty key), as stored.
std::vector<std::string> ReadFavouriteGames(const GameContext& ctx);
// The section rewritten with these names (trimmed), in order.
void WriteFavouriteGames(GameContext& ctx, const std::vector<std::string>& names);

class FavouritesDialog : public QDialog {
  Q_OBJECT

 public:
  FavouritesDialog(GameContext& ctx, QWidget* parent);

  void btnAddClick();
  void btnRemoveClick();
  void btnRemoveAllClick();
  // Writes the favourites and closes.
  void btnOKClick();

  QListWidget* AllGames() const { return lb_all_; }
  QListWidget* Favourites() const { return lb_selected_; }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

 private:
  void MoveSelected(QListWidget* from, QListWidget* to);

  GameContext& ctx_;
  QListWidget* lb_all_ = nullptr;
  QListWidget* lb_selected_ = nullptr;
  std::function<void(int)> show_help_;
};

}  // namespace tw
