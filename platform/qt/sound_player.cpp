#include "platform/qt/sound_player.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLibrary>
#include <QThread>
#include <algorithm>
#include <cctype>
#include <fstream>

#include "platform/qt/sound_output.h"
#include "platform/sys/files.h"
#include "platform/sys/paths.h"

namespace tw::qt {

namespace {

bool EndsWithWav(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".wav";
}

uint32_t Le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// A sound waited for never holds the table longer than this.
constexpr int kLongestWaitMs = 3000;

}  // namespace

int WaveDurationMs(const std::string& path) {
  std::ifstream in(sys::NativePath(path), std::ios::binary);
  if (!in) return 0;
  unsigned char head[12];
  if (!in.read(reinterpret_cast<char*>(head), 12)) return 0;
  if (std::string(reinterpret_cast<char*>(head), 4) != "RIFF" ||
      std::string(reinterpret_cast<char*>(head) + 8, 4) != "WAVE") {
    return 0;
  }
  uint32_t byteRate = 0;
  for (int guard = 0; guard < 64; ++guard) {
    unsigned char chunk[8];
    if (!in.read(reinterpret_cast<char*>(chunk), 8)) return 0;
    const std::string id(reinterpret_cast<char*>(chunk), 4);
    const uint32_t size = Le32(chunk + 4);
    if (id == "fmt ") {
      unsigned char fmt[16];
      if (size < 16 || !in.read(reinterpret_cast<char*>(fmt), 16)) return 0;
      byteRate = Le32(fmt + 8);
      in.seekg(size - 16 + (size & 1), std::ios::cur);
    } else if (id == "data") {
      if (byteRate == 0) return 0;
      return static_cast<int>(static_cast<uint64_t>(size) * 1000 / byteRate);
    } else {
      in.seekg(size + (size & 1), std::ios::cur);
    }
  }
  return 0;
}

SoundPlayer::SoundPlayer(std::string folder, QObject* parent)
    : QObject(parent), folder_(std::move(folder)) {
  if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
}

SoundPlayer::~SoundPlayer() = default;

std::string SoundPlayer::ResolveFile(const std::string& name) const {
  if (name.empty()) return "";
  // Names are plain file names; anything that climbs out of the folder is no sound.
  if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return "";
  const std::string file = EndsWithWav(name) ? name : name + ".wav";
  const std::string path = sys::NativePath(folder_ + file);
  return sys::FileExists(path) ? path : "";
}

SoundOutput* SoundPlayer::Output() {
  if (output_tried_) return output_.get();
  output_tried_ = true;
  QLibrary module(QCoreApplication::applicationDirPath() + "/tarnwell-sound");
  if (auto create = reinterpret_cast<CreateSoundOutput>(module.resolve("tw_create_sound_output"))) {
    output_.reset(create());
  }
  return output_.get();
}

void SoundPlayer::Stop() {
  if (output_) output_->Stop();
  current_.clear();
}

void SoundPlayer::Play(const std::string& name, Mode mode) {
  Stop();
  const std::string file = ResolveFile(name);
  if (file.empty()) return;
  current_ = name;
  if (muted_) return;
  if (SoundOutput* output = Output()) output->Play(file, mode == Mode::Loop);
  if (mode != Mode::Wait) return;
  // Waiting keeps painting and timers going but lets no input through.
  const int length = std::min(WaveDurationMs(file), kLongestWaitMs);
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < length) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QThread::msleep(5);
  }
}

}  // namespace tw::qt
