// The about box, and the addresses of the product's publisher that it and
// the newsletter dialogs show.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"

class QLabel;

namespace tw {

namespace gfx {
class ResourceLibrary;
}

inline constexpr const char* kVersionText = "Version 3.00";
inline constexpr const char* kWebSite = "www.tarnwell2000.example";
inline constexpr const char* kInfoMail = "info@tarnwell2000.example";
inline constexpr const char* kSalesMail = "sales@tarnwell2000.example";
inline constexpr const char* kSupportMail = "support@tarnwell2000.example";
inline constexpr const char* kNewsletterMail = "news@tarnwell2000.example";
inline constexpr const char* kNewsletterPage = "www.tarnwell2000.example/newsletter.htm";
inline constexpr int kAboutHelpContext = 2005;

// Opens an address: kind "HTTP" or "EMAIL".
using AddressOpener = std::function<void(const std::string& kind, const std::string& address)>;

class AboutDialog : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(GameContext& ctx, const gfx::ResourceLibrary& library, AddressOpener open,
              QWidget* parent);

  void lblWebClick();
  void lblMailClick();
  void lblMailMarkClick();
  void lblMailSupportClick();
  bool SoundPlayed() const { return sound_played_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  GameContext& ctx_;
  AddressOpener open_;
  bool sound_played_ = false;
};

}  // namespace tw
