// Synthesises the program's sound effects as 16-bit mono wave files: paper
// snaps and slides for cards, soft chimes for the table's events.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

// Deterministic noise, so every build ships the same files.
class Noise {
 public:
  double Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<double>(state_ % 20001) / 10000.0 - 1.0;
  }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

Noise noise;

void MixAt(Samples& into, const Samples& s, double atSeconds, double gain = 1.0) {
  size_t start = static_cast<size_t>(atSeconds * kRate);
  if (into.size() < start + s.size()) into.resize(start + s.size(), 0.0);
  for (size_t i = 0; i < s.size(); ++i) into[start + i] += gain * s[i];
}

// A card's snap on the table: a band of noise with a fast attack and decay,
// and a faint low thump under it.
Samples Snap(double seconds, double brightness, double decay) {
  Samples out(static_cast<size_t>(seconds * kRate));
  double low = 0, band = 0, thump = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    double env = (1.0 - std::exp(-t * 900.0)) * std::exp(-t * decay);
    double n = noise.Next();
    low += brightness * (n - low);
    band += 0.35 * (low - band);
    thump = std::sin(2 * kPi * 140.0 * t) * std::exp(-t * 60.0);
    out[i] = env * (low - band) * 1.6 + 0.18 * thump * env;
  }
  return out;
}

// A card sliding over felt: soft noise that swells and fades.
Samples Slide(double seconds) {
  Samples out(static_cast<size_t>(seconds * kRate));
  double low = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    double x = static_cast<double>(i) / static_cast<double>(out.size());
    double env = std::sin(kPi * x) * std::sin(kPi * x);
    low += 0.18 * (noise.Next() - low);
    out[i] = 0.9 * env * low;
  }
  return out;
}

// A bell-like tone: a few inharmonic partials with their own decays.
Samples Chime(double freq, double seconds, double gain = 1.0) {
  Samples out(static_cast<size_t>(seconds * kRate));
  const double partials[][3] = {{1.0, 1.0, 3.0}, {2.0, 0.35, 5.0}, {2.76, 0.18, 7.0},
                                {4.07, 0.08, 10.0}};
  for (size_t i = 0; i < out.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    double attack = 1.0 - std::exp(-t * 400.0);
    double v = 0;
    for (const auto& p : partials) v += p[1] * std::sin(2 * kPi * freq * p[0] * t) * std::exp(-t * p[2]);
    out[i] = gain * attack * v * 0.45;
  }
  return out;
}

Samples Arpeggio(const std::vector<double>& freqs, double step, double tail, double gain = 1.0) {
  Samples out;
  for (size_t k = 0; k < freqs.size(); ++k) MixAt(out, Chime(freqs[k], tail, gain), step * k);
  return out;
}

// A riffle: many quick snaps that speed up and thin out.
Samples Shuffle(double seconds) {
  Samples out;
  double t = 0.0;
  int k = 0;
  while (t < seconds) {
    MixAt(out, Snap(0.03, 0.55, 160.0), t, 0.55 + 0.25 * ((k * 7) % 5) / 4.0);
    t += 0.018 + 0.012 * ((k * 3) % 4) / 3.0;
    ++k;
  }
  return out;
}

void Normalise(Samples& s, double peak) {
  double m = 1e-9;
  for (double v : s) m = std::max(m, std::fabs(v));
  for (double& v : s) v *= peak / m;
  // Short fade at both ends against clicks.
  size_t fade = std::min<size_t>(s.size() / 4, 64);
  for (size_t i = 0; i < fade; ++i) {
    double g = static_cast<double>(i) / static_cast<double>(fade);
    s[i] *= g;
    s[s.size() - 1 - i] *= g;
  }
}

void Put32(std::ofstream& f, uint32_t v) {
  for (int i = 0; i < 4; ++i) f.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void Put16(std::ofstream& f, uint16_t v) {
  f.put(static_cast<char>(v & 0xFF));
  f.put(static_cast<char>(v >> 8));
}

bool WriteWave(const std::filesystem::path& path, Samples s, double peak) {
  Normalise(s, peak);
  std::ofstream f(path, std::ios::binary);
  uint32_t bytes = static_cast<uint32_t>(s.size() * 2);
  f.write("RIFF", 4);
  Put32(f, 36 + bytes);
  f.write("WAVEfmt ", 8);
  Put32(f, 16);
  Put16(f, 1);  // PCM
  Put16(f, 1);  // mono
  Put32(f, kRate);
  Put32(f, kRate * 2);
  Put16(f, 2);
  Put16(f, 16);
  f.write("data", 4);
  Put32(f, bytes);
  for (double v : s) {
    long q = std::lround(std::clamp(v, -1.0, 1.0) * 32767.0);
    Put16(f, static_cast<uint16_t>(static_cast<int16_t>(q)));
  }
  return static_cast<bool>(f);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds <output folder>\n");
    return 2;
  }
  std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);

  // Notes of a C major scale, for the chimes.
  const double C5 = 523.25, E5 = 659.25, G5 = 783.99, C6 = 1046.5, D5 = 587.33, A5 = 880.0;
  const double G4 = 392.0, E4 = 329.63, C4 = 261.63;

  Samples won;
  MixAt(won, Arpeggio({C5, E5, G5, C6}, 0.11, 1.2), 0.0);
  MixAt(won, Arpeggio({E5, G5, C6}, 0.0, 1.6, 0.8), 0.5);

  Samples redeal = Slide(0.35);
  MixAt(redeal, Shuffle(0.25), 0.1, 0.6);

  Samples undo = Slide(0.12);
  MixAt(undo, Chime(G4, 0.35, 0.35), 0.02);
  Samples redo = Slide(0.12);
  MixAt(redo, Chime(C5, 0.35, 0.35), 0.02);

  Samples tableau = Snap(0.09, 0.5, 70.0);
  Samples foundation = Snap(0.08, 0.6, 80.0);
  MixAt(foundation, Chime(G5, 0.45, 0.45), 0.01);
  Samples autoplay = Snap(0.08, 0.6, 80.0);
  MixAt(autoplay, Chime(C6, 0.35, 0.35), 0.01);
  Samples discard = Snap(0.09, 0.45, 60.0);
  MixAt(discard, Chime(E4, 0.35, 0.3), 0.01);

  Samples restart = Shuffle(0.3);
  MixAt(restart, Chime(C5, 0.5, 0.4), 0.28);

  Samples fresh = Shuffle(0.45);
  MixAt(fresh, Arpeggio({G4, C5}, 0.09, 0.6, 0.5), 0.42);

  const struct {
    const char* name;
    Samples samples;
    double peak;
  } sounds[] = {
      {"Splash.wav", Arpeggio({C4, G4, C5, E5, G5}, 0.09, 1.4), 0.55},
      {"New.wav", fresh, 0.6},
      {"Shuffle.wav", Shuffle(0.6), 0.55},
      {"Stock.wav", Snap(0.07, 0.7, 90.0), 0.5},
      {"Redeal.wav", redeal, 0.5},
      {"Foundation.wav", foundation, 0.55},
      {"Autoplay.wav", autoplay, 0.5},
      {"Eddy.wav", discard, 0.5},
      {"Tableau.wav", tableau, 0.5},
      {"Pairing.wav", Arpeggio({E5, A5}, 0.07, 0.5), 0.5},
      {"Reorder.wav", Shuffle(0.15), 0.45},
      {"Face_up.wav", Snap(0.06, 0.8, 110.0), 0.4},
      {"card_up.wav", Snap(0.05, 0.9, 130.0), 0.35},
      {"card_down.wav", Snap(0.07, 0.45, 85.0), 0.4},
      {"Undo.wav", undo, 0.45},
      {"Redo.wav", redo, 0.45},
      {"Restart.wav", restart, 0.55},
      {"Won.wav", won, 0.6},
      {"Scores.wav", Arpeggio({G5, C6, E5, G5}, 0.12, 0.9), 0.55},
      {"Hi-Scor.wav", Arpeggio({C5, E5, G5}, 0.1, 0.8), 0.5},
      {"About.wav", Arpeggio({C5, D5, E5, G5}, 0.1, 0.9), 0.5},
  };
  for (const auto& s : sounds) {
    if (!WriteWave(dir / s.name, s.samples, s.peak)) {
      std::fprintf(stderr, "make_sounds: cannot write %s\n", (dir / s.name).c_str());
      return 1;
    }
  }
  return 0;
}
