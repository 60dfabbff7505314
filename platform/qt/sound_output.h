// The audio back-end of the sound player. It lives in a module of its own
// (tarnwell-sound beside the executable) so that the audio libraries are
// loaded only when the first sound plays, never before the first table.
#pragma once

#include <string>

namespace tw::qt {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Replaces the sound playing. file: a wave file that exists.
  virtual void Play(const std::string& file, bool loop) = 0;
  virtual void Stop() = 0;
};

// The module's entry point, "tw_create_sound_output"; the caller owns the result.
using CreateSoundOutput = SoundOutput* (*)();

}  // namespace tw::qt
