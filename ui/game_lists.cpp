#include "ui/game_lists.h"

#include <QComboBox>
#include <QListWidget>

#include "core/gamelists.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

constexpr int kNameRole = Qt::UserRole;

StringList ComboNames(const QComboBox* combo) {
  StringList out;
  for (int i = 0; i < combo->count(); ++i) out.push_back(ItemGameName(combo, i));
  return out;
}

StringList ListNames(const QListWidget* list) {
  StringList out;
  for (int i = 0; i < list->count(); ++i) out.push_back(ItemGameName(list, i));
  return out;
}

}  // namespace

void FillGamesCombo(const GameContext& ctx, QComboBox* combo, int game) {
  combo->clear();
  for (const std::string& name : BuildSortedGameNames(ctx))
    combo->addItem(qt::FromLatin(TrimRightSpaces(name)), qt::FromLatin(name));
  int index = -1;
  if (game >= 0) index = IndexOfTrimmedText(combo, GameNameFromNumber(ctx, game));
  combo->setCurrentIndex(index);
}

void FillGamesListBox(const GameContext& ctx, QListWidget* list, int game) {
  list->clear();
  for (const std::string& name : BuildSortedGameNames(ctx)) {
    auto* item = new QListWidgetItem(qt::FromLatin(TrimRightSpaces(name)), list);
    item->setData(kNameRole, qt::FromLatin(name));
  }
  int index = -1;
  if (game >= 0) index = IndexOfTrimmedText(list, GameNameFromNumber(ctx, game));
  list->setCurrentRow(index);
}

int IndexOfTrimmedText(const QComboBox* combo, const std::string& text) {
  return IndexOfTrimmedText(ComboNames(combo), text);
}

int IndexOfTrimmedText(const QListWidget* list, const std::string& text) {
  return IndexOfTrimmedText(ListNames(list), text);
}

std::string ItemGameName(const QComboBox* combo, int index) {
  const QVariant v = combo->itemData(index, kNameRole);
  return qt::ToLatin(v.isValid() ? v.toString() : combo->itemText(index));
}

std::string ItemGameName(const QListWidget* list, int index) {
  const QListWidgetItem* item = list->item(index);
  if (!item) return std::string();
  const QVariant v = item->data(kNameRole);
  return qt::ToLatin(v.isValid() ? v.toString() : item->text());
}

}  // namespace tw
