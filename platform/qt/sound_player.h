// Wave playback from the SOUNDS folder: one sound at a time, each new one
// replacing the one playing. Works without an audio device or without the
// sound module (it is silent then); the module is loaded by the first sound
// played. Names are matched without regard to case; ".wav" is added to a
// name without it.
#pragma once

#include <QObject>
#include <memory>
#include <string>

namespace tw::qt {

class SoundOutput;

class SoundPlayer : public QObject {
  Q_OBJECT

 public:
  enum class Mode { Once, Wait, Loop };

  // folder: the SOUNDS folder (need not exist).
  explicit SoundPlayer(std::string folder, QObject* parent = nullptr);
  ~SoundPlayer() override;

  // An empty name, or a name without a file, stops the sound playing and
  // plays nothing. Wait returns once the sound has ended (never longer than
  // its length read from the file).
  void Play(const std::string& name, Mode mode);
  void Stop();

  // The file a name plays; "" when there is none.
  std::string ResolveFile(const std::string& name) const;
  // The last name played (for tests); "" after Stop.
  const std::string& Current() const { return current_; }

  // Off: Play only records the name (tests, start-up timing).
  void SetMuted(bool muted) { muted_ = muted; }

 private:
  SoundOutput* Output();

  std::string folder_;
  std::unique_ptr<SoundOutput> output_;
  bool output_tried_ = false;
  std::string current_;
  bool muted_ = false;
};

// Length in milliseconds of a PCM wave file from its header; 0 when the file
// is not one.
int WaveDurationMs(const std::string& path);

}  // namespace tw::qt
