#include "tests/e2e/driver/driver.h"

#include <algorithm>

#include "tests/support/files.h"

namespace e2e {

namespace {

// capture.raw, capture.raw.0001, capture.raw.0002, ...: name order is play order.
std::vector<std::string> CaptureFiles() {
  const std::string folder = EnvironmentPath("QUIL_SOUND_CAPTURE_DIR");
  std::vector<std::string> names =
      folder.empty() ? std::vector<std::string>() : support::FindNames(folder + "\\capture.raw*");
  for (std::string& name : names) {
    name = folder + "\\" + name;
  }
  return names;
}

}  // namespace

bool SoundCapture::Available() {
  return !EnvironmentPath("QUIL_SOUND_CAPTURE_DIR").empty();
}

std::vector<std::string> SoundCapture::PlayedOnceSettled(
    const std::function<bool(const std::vector<std::string>&)>& done, milliseconds patience) {
  // Settled: the same at three looks 150 ms apart.
  return Settled<std::vector<std::string>>(Played, 3, patience, milliseconds(150), done);
}

std::size_t SoundCapture::WholePlaysOf(const std::vector<std::string>& sounds,
                                       const std::optional<std::string>& samples) {
  return static_cast<std::size_t>(std::count_if(
      sounds.begin(), sounds.end(), [&](const std::string& s) { return IsWholePlayOf(s, samples); }));
}

void SoundCapture::ClearWhenQuiet() {
  // A sound that has just started may not have reached its file yet.
  PlayedOnceSettled([](const std::vector<std::string>&) { return true; }, milliseconds(3000));
  Clear();
}

void SoundCapture::Clear() {
  for (const std::string& file : CaptureFiles()) {
    DeleteFileA(file.c_str());
  }
}

std::vector<std::string> SoundCapture::Played() {
  std::vector<std::string> sounds;
  for (const std::string& file : CaptureFiles()) {
    sounds.push_back(ReadFileBytes(file).value_or(""));
  }
  return sounds;
}

std::optional<std::string> SoundCapture::WaveSamples(const std::string& wavePath) {
  const std::optional<std::string> wave = ReadFileBytes(wavePath);
  if (!wave || wave->size() < 12 || wave->compare(0, 4, "RIFF") != 0 || wave->compare(8, 4, "WAVE") != 0) {
    return std::nullopt;
  }
  std::size_t pos = 12;
  while (pos + 8 <= wave->size()) {
    const std::string id = wave->substr(pos, 4);
    const auto* p = reinterpret_cast<const unsigned char*>(wave->data() + pos + 4);
    const std::size_t size = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::size_t>(p[3]) << 24);
    if (id == "data") {
      return wave->substr(pos + 8, std::min(size, wave->size() - pos - 8));
    }
    pos += 8 + size + (size & 1);
  }
  return std::nullopt;
}

bool SoundCapture::IsWholePlayOf(const std::string& captured, const std::optional<std::string>& samples) {
  if (!samples || samples->empty() || captured.size() < samples->size() ||
      captured.compare(0, samples->size(), *samples) != 0) {
    return false;
  }
  return captured.find_first_not_of('\0', samples->size()) == std::string::npos;
}

}  // namespace e2e
