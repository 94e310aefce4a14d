// The walk over the sound card's mixer, with mixers of every shape the walk
// has a branch for.
#include "media/mixer_volume.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

using mixer::Control;
using mixer::Line;

// A wave-in destination fed by a microphone (line 1) and a CD (line 2), each
// with a stereo volume control bounded 0 to 65535; a test changes what it needs.
struct FakeMixer {
  bool opens = true;
  bool hasWaveIn = true;
  Line waveIn{0, 0, 100, mixer::kWaveInDestination, 2, 2};
  std::vector<Line> sources = {{0, 0, 1, 0x1003, 2, 0}, {0, 1, 2, mixer::kCompactDiscSource, 2, 0}};
  std::map<std::uint32_t, Control> volumeControls = {{1, {11, false, 0, 65535}},  // by line id
                                                     {2, {12, false, 0, 65535}}};
  std::vector<std::uint32_t> current = {7, 9};  // the control's values before the call

  // What the call did.
  std::vector<std::string> reports;
  std::uint32_t setOnLine = 0;
  std::vector<std::uint32_t> written;
  int openDevices = 0;
};

class FakeDevice : public mixer::Device {
 public:
  explicit FakeDevice(FakeMixer& mixer) : mixer_(mixer) { ++mixer_.openDevices; }
  ~FakeDevice() override { --mixer_.openDevices; }
  bool DestinationByType(std::uint32_t type, Line& line) override {
    if (!mixer_.hasWaveIn || type != mixer::kWaveInDestination) {
      return false;
    }
    line = mixer_.waveIn;
    return true;
  }
  bool Source(const Line&, std::uint32_t index, Line& line) override {
    if (index >= mixer_.sources.size()) {
      return false;
    }
    line = mixer_.sources[index];
    return true;
  }
  bool ControlByType(const Line& line, std::uint32_t type, Control& control) override {
    const auto found = mixer_.volumeControls.find(line.lineId);
    if (type != mixer::kVolumeControl || found == mixer_.volumeControls.end()) {
      return false;
    }
    control = found->second;
    mixer_.setOnLine = line.lineId;
    return true;
  }
  bool ReadValues(const Control&, std::span<std::uint32_t> values) override {
    for (std::size_t i = 0; i < values.size() && i < mixer_.current.size(); ++i) {
      values[i] = mixer_.current[i];
    }
    return true;
  }
  void WriteValues(const Control&, std::span<const std::uint32_t> values) override {
    mixer_.written.assign(values.begin(), values.end());
  }

 private:
  FakeMixer& mixer_;
};

class FakePort : public mixer::Port {
 public:
  explicit FakePort(FakeMixer& mixer) : mixer_(mixer) {}
  std::unique_ptr<mixer::Device> Open(std::uint32_t index) override {
    return mixer_.opens && index == 0 ? std::make_unique<FakeDevice>(mixer_) : nullptr;
  }
  void Report(const char* text) override { mixer_.reports.emplace_back(text); }

 private:
  FakeMixer& mixer_;
};

std::vector<std::uint32_t> SetOn(FakeMixer& card, std::int32_t level, int& step) {
  FakePort port(card);
  mixer::SetMusicVolume(level, port, step);
  EXPECT_EQ(card.openDevices, 0) << "the mixer is closed again";
  return card.written;
}

TEST(MixerVolume, LevelsMapToFiveStepsOfTheControlsRange) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {{0, 5461},   {1, 5461},   {10, 5461},  {11, 8191},
                                                          {20, 8191},  {21, 16383}, {30, 16383}, {31, 32767},
                                                          {40, 32767}, {41, 65535}, {50, 65535}};
  for (const auto& [level, value] : cases) {
    FakeMixer card;
    int step = 0;
    EXPECT_EQ(SetOn(card, level, step), (std::vector<std::uint32_t>{value, value})) << level;
    EXPECT_EQ(card.setOnLine, 2u) << "the CD-audio line";
    EXPECT_TRUE(card.reports.empty());
  }
  // Bounds other than 0..65535, in unsigned 32-bit arithmetic.
  EXPECT_EQ(mixer::VolumeValue(100, 1100, 1), 150u);
  EXPECT_EQ(mixer::VolumeValue(0xFFFFFFFFu, 2, 4), 1u) << "the sum wraps as the platform's does";
}

TEST(MixerVolume, ALevelOutsideTheRangeKeepsThePreviousStep) {
  FakeMixer card;
  int step = 0;
  EXPECT_EQ(SetOn(card, -10, step), (std::vector<std::uint32_t>{5461, 5461})) << "step 0 on a first call";
  SetOn(card, 35, step);
  EXPECT_EQ(SetOn(card, 60, step), (std::vector<std::uint32_t>{32767, 32767}));
  EXPECT_EQ(SetOn(card, 70, step), (std::vector<std::uint32_t>{32767, 32767}));
}

// Each shape of mixer the walk has a branch for, as a change to the card a
// FakeMixer starts as: the line it sets (0: none), the values written, what it reports.
TEST(MixerVolume, EachShapeOfMixerGetsItsLineAndChannelsOrAReport) {
  using Values = std::vector<std::uint32_t>;
  using Reports = std::vector<std::string>;
  const std::tuple<std::uint32_t, Values, Reports, void (*)(FakeMixer&)> cases[] = {
      // No CD source: the last source.
      {2, {65535, 65535}, {}, [](auto& m) { m.sources[1].componentType = 0x1008; }},
      // No sources: the destination itself.
      {100,
       {65535, 65535},
       {},
       [](auto& m) { m.waveIn.connections = 0, m.volumeControls[100] = m.volumeControls[2]; }},
      {2, {65535}, {}, [](auto& m) { m.volumeControls[2].uniform = true; }},
      // Four channels: the first and the last set, the others kept as read.
      {2,
       {65535, 2, 3, 65535},
       {},
       [](auto& m) {
         m.sources[1].channels = 4, m.current = {1, 2, 3, 4};
       }},
      {2, {65535}, {}, [](auto& m) { m.sources[1].channels = 0; }},  // no channels said: one
      {0, {}, {}, [](auto& m) { m.volumeControls.clear(); }},
      {0, {}, {" Mixer Open Error1"}, [](auto& m) { m.opens = false; }},
      {0, {}, {" Mixer Open Error2", " Mixer Open Error3"}, [](auto& m) { m.hasWaveIn = false; }},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [line, written, reports, shape] = cases[i];
    FakeMixer card;
    shape(card);
    int step = 0;
    EXPECT_EQ(SetOn(card, 50, step), written) << "shape " << i;
    EXPECT_EQ(std::pair(card.setOnLine, card.reports), std::pair(line, reports)) << "shape " << i;
  }
}

}  // namespace
