// The sound module: wave files played with QSoundEffect, one effect kept per
// file so that a sound played again starts at once.
#include <QSoundEffect>
#include <QString>
#include <QUrl>
#include <map>
#include <memory>

#include "platform/qt/sound_output.h"

namespace {

class EffectOutput : public tw::qt::SoundOutput {
 public:
  void Play(const std::string& file, bool loop) override {
    Stop();
    std::unique_ptr<QSoundEffect>& effect = effects_[file];
    if (!effect) {
      effect = std::make_unique<QSoundEffect>();
      effect->setSource(QUrl::fromLocalFile(QString::fromStdString(file)));
    }
    effect->setLoopCount(loop ? QSoundEffect::Infinite : 1);
    effect->play();
    playing_ = effect.get();
  }
  void Stop() override {
    if (playing_) playing_->stop();
    playing_ = nullptr;
  }

 private:
  std::map<std::string, std::unique_ptr<QSoundEffect>> effects_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace

extern "C" Q_DECL_EXPORT tw::qt::SoundOutput* tw_create_sound_output() { return new EffectOutput; }
