// Tools/Customize: card faces and size, card back, table background, card
// effects and speed, sounds per event and the table cursor. The pages only
// change the dialog's previews; Apply puts the look into the settings record
// and redraws the table; OK stores every choice in DATA\CFG.DAT and the
// record; Cancel (or the close box) puts back the look of the moment the
// dialog opened.
#pragma once

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/state.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSlider;
class QStackedWidget;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

namespace gfx {
class ResourceLibrary;
}
namespace qt {
class Prompts;
}
class C_TBitmapAnimated;
class CardThumb;

// A card type of the Cards page: face set and size letter.
struct CardType {
  int set;
  char size;
};
// 001B .. 005B, 003M, 003L.
inline constexpr std::array<CardType, 7> kCardTypes = {
    {{1, 'B'}, {2, 'B'}, {3, 'B'}, {4, 'B'}, {5, 'B'}, {3, 'M'}, {3, 'L'}}};

// Card speed: track-bar position 1..5 and the wait per step in ms.
int SpeedToTrackbar(int speed);
int TrackbarToSpeed(int position);

// Background tree node ids: 0 a folder (the default background), 1 the
// custom colour, 2..1000 a picture number, above 1000 a fixed colour.
inline constexpr int kCustomColourNode = 1;

class TfrmCustomize : public QDialog {
  Q_OBJECT

 public:
  TfrmCustomize(GameContext& ctx, const gfx::ResourceLibrary& library, qt::Prompts& prompts,
                int colourCount, QWidget* parent);
  ~TfrmCustomize() override;

  // The table reloaded and redrawn from the settings record.
  void SetApplyLook(std::function<void()> f) { apply_look_ = std::move(f); }
  void SetHelp(std::function<void(int context)> help) { help_ = std::move(help); }
  // The colour dialog; false when cancelled. Tests replace it.
  void SetColourAsker(std::function<bool(QColor&)> ask) { ask_colour_ = std::move(ask); }

  // Controls (tests and screenshots).
  QTabWidget* Pages() const { return pages_; }
  QTreeWidget* BackTree() const { return trv_card_back_; }
  QTreeWidget* BackgroundTree() const { return trv_background_; }
  QListWidget* Effects() const { return clb_cards_; }
  QListWidget* SoundList() const { return lsv_sounds_; }
  QListWidget* CursorList() const { return lv_cursors_; }
  QSlider* Speed() const { return trb_speed_; }
  QCheckBox* Check(const char* name) const;
  QPushButton* Button(const char* name) const;
  C_TBitmapAnimated* AnimatedNo() const { return animated_no_; }
  C_TBitmapAnimated* AnimatedYes() const { return animated_yes_; }
  QStackedWidget* EffectPreview() const { return effect_preview_; }
  const QImage& CardSample() const { return card_sample_; }
  const QImage& BackSample() const { return back_sample_; }
  const QImage& BackgroundSample() const { return background_sample_; }
  // The pending card type (index into kCardTypes).
  int PendingType() const { return pending_type_; }
  // Selects a node of a tree by its id; false when there is none.
  bool SelectBack(int number);
  bool SelectBackground(int id);
  // A sound event's switch as the list shows it (index in caption order).
  bool SoundEnabled(int row) const;

  // Handlers.
  void imgCardMouseDown(int type);
  void btnOKClick();
  void btnApplyClick();
  void btnColoreClick();
  void btnSoundsEnable(bool enable);
  void btnSounds_GoClick();
  void btnSounds_StopClick();
  void ShowEffectPreview();
  void UpdateSoundButtons();

  void done(int result) override;

 private:
  void BuildCardsPage();
  void BuildBacksPage();
  void BuildBackgroundsPage();
  void BuildEffectsPage();
  void BuildSoundsPage();
  void BuildCursorsPage();
  void LoadCustomizeSettings();
  // The look chosen on the pages into the settings record.
  void TakeLookChoices();
  void ApplyCustomizeSettings();
  void RestoreCustomizeSettings();
  void ShowCardSample();
  void ShowBackSample();
  void ShowBackgroundSample();
  void RefreshSamples();
  void FillColourSample(QImage& picture, int colour) const;
  void PaintSampleBackground(QImage& picture) const;
  void SetBackgroundOptions(int id);
  int SelectedBackgroundId() const;
  int SelectedBackNumber() const;
  QImage Face(const CardType& type, int rank) const;
  QImage LibraryPicture(const char* name) const;

  GameContext& ctx_;
  const gfx::ResourceLibrary& library_;
  qt::Prompts& prompts_;
  std::function<void()> apply_look_;
  std::function<void(int)> help_;
  std::function<bool(QColor&)> ask_colour_;

  // The look of the moment the dialog opened, for Cancel.
  struct SavedLook {
    std::string size, set, fade, back, picture, colour, fixed, def, irregular;
  } saved_;
  bool ignore_dialog_values_ = true;
  int pending_type_ = 0;
  int custom_colour_ = 0;
  bool depth_ = true;

  QTabWidget* pages_ = nullptr;
  std::vector<CardThumb*> thumbs_;
  QLabel* card_sample_label_ = nullptr;
  QImage card_sample_;
  QTreeWidget* trv_card_back_ = nullptr;
  QLabel* back_sample_label_ = nullptr;
  QImage back_sample_;
  QTreeWidget* trv_background_ = nullptr;
  QLabel* background_sample_label_ = nullptr;
  QLabel* background_caption_ = nullptr;
  QImage background_sample_;
  QListWidget* clb_cards_ = nullptr;
  QStackedWidget* effect_preview_ = nullptr;
  QLabel* shadow_preview_ = nullptr;
  QLabel* irregular_preview_ = nullptr;
  C_TBitmapAnimated* animated_no_ = nullptr;
  C_TBitmapAnimated* animated_yes_ = nullptr;
  QSlider* trb_speed_ = nullptr;
  QListWidget* lsv_sounds_ = nullptr;
  QListWidget* lv_cursors_ = nullptr;
};

}  // namespace tw
