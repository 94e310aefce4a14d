// The harness itself: what the later tests rely on to hear the launcher.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/driver/driver.h"

namespace {

TEST(Harness, EachPlayedSoundIsCapturedWholeAndInOrder) {
  ASSERT_TRUE(e2e::SoundCapture::Available()) << "the run has no sound capture";
  const char* fixture = std::getenv("QUIL_PLAY_WAVE");
  ASSERT_NE(fixture, nullptr);

  e2e::GameCopy game;
  const std::string low = game.PathOf("low.wav"), high = game.PathOf("high.wav");
  // Two different waves: 0.1 s of 16-bit mono at 22050 Hz each.
  const auto makeWave = [](int period) {
    std::string samples;
    for (int i = 0; i < 2205; ++i) {
      const short value = (i / period) % 2 != 0 ? 8000 : -8000;
      samples.append(reinterpret_cast<const char*>(&value), 2);
    }
    const auto le32 = [](std::uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    const auto le16 = [](std::uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    std::string wave = "RIFF" + le32(36 + samples.size()) + "WAVEfmt " + le32(16) + le16(1) + le16(1) +
                       le32(22050) + le32(44100) + le16(2) + le16(16);
    wave += "data" + le32(samples.size()) + samples;
    return wave;
  };
  game.Write("low.wav", makeWave(50));
  game.Write("high.wav", makeWave(10));

  e2e::Launcher player(game,
                       {.program = e2e::WindowsPath(fixture), .arguments = "low.wav high.wav missing.wav"});
  ASSERT_EQ(player.WaitForExit(std::chrono::milliseconds(20000)), 0u);

  const std::vector<std::string> played = e2e::SoundCapture::Played();
  ASSERT_EQ(played.size(), 2u) << "a missing file plays nothing";
  EXPECT_TRUE(e2e::SoundCapture::IsWholePlayOf(played[0], e2e::SoundCapture::WaveSamples(low)))
      << played[0].size() << " bytes captured";
  EXPECT_TRUE(e2e::SoundCapture::IsWholePlayOf(played[1], e2e::SoundCapture::WaveSamples(high)))
      << played[1].size() << " bytes captured";
  EXPECT_FALSE(e2e::SoundCapture::IsWholePlayOf(played[0], e2e::SoundCapture::WaveSamples(high)));
}

}  // namespace
