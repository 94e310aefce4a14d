#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/intro_playback.h"

namespace {

// A video device and a platform that log every request they get, in order.
struct Script {
  bool opens = true;
  bool ntFamily = false;
  std::uint32_t length = 45;
  // Positions the device reports, one per question; the last one repeats.
  std::vector<std::uint32_t> positions = {};
  // How many mode questions answer "playing" before the device says stopped.
  int playingAnswers = 1 << 30;
  // How many Escape questions answer "no" before Escape is down.
  int escapeAfter = 1 << 30;
  std::vector<std::string> log = {};
};

class FakeVideo : public intro::Video {
 public:
  explicit FakeVideo(Script& script) : s_(script) {}
  ~FakeVideo() override { s_.log.push_back("close"); }
  void Place(int width, int height) override {
    s_.log.push_back("place " + std::to_string(width) + "x" + std::to_string(height));
  }
  void AttachToWindow() override { s_.log.push_back("attach"); }
  void Play() override { s_.log.push_back("play"); }
  std::uint32_t Length() override { return s_.length; }
  std::uint32_t Position() override {
    const std::uint32_t at = s_.positions.at(std::min(next_, s_.positions.size() - 1));
    ++next_;
    s_.log.push_back("position " + std::to_string(at));
    return at;
  }
  bool Playing() override { return s_.playingAnswers-- > 0; }
  void Pause() override { s_.log.push_back("pause"); }

 private:
  Script& s_;
  std::size_t next_ = 0;
};

class FakePort : public intro::Port {
 public:
  explicit FakePort(Script& script) : s_(script) {}
  std::unique_ptr<intro::Video> Open(const char* file) override {
    s_.log.push_back(std::string("open ") + file);
    return s_.opens ? std::make_unique<FakeVideo>(s_) : nullptr;
  }
  bool NtFamily() override { return s_.ntFamily; }
  void ShowBox(const char* text) override { s_.log.push_back(std::string("box ") + text); }
  bool EscapePressed() override { return s_.escapeAfter-- <= 0; }
  void Rest() override { s_.log.push_back("rest"); }

 private:
  Script& s_;
};

using Log = std::vector<std::string>;

intro::Ending PlayIntro(Script& script) {
  FakePort port(script);
  return intro::Play(port, "logo.avi", 1024, 768);
}

TEST(IntroPlayback, PlaysToTheEndRestingBetweenPollsWithTheBoxOnlyOnTheNtFamily) {
  Script played{.positions = {0, 20, 45}};
  EXPECT_EQ(PlayIntro(played), intro::Ending::kReachedEnd);
  EXPECT_EQ(played.log, (Log{"open logo.avi", "place 1024x768", "attach", "play", "position 0", "rest",
                             "position 20", "rest", "position 45", "close"}));

  // On the NT family the box comes after the open and before the first frame.
  Script nt{.ntFamily = true, .positions = {45}};
  EXPECT_EQ(PlayIntro(nt), intro::Ending::kReachedEnd);
  EXPECT_EQ(nt.log, (Log{"open logo.avi", "box Starting AVI", "place 1024x768", "attach", "play",
                         "position 45", "close"}));
}

TEST(IntroPlayback, EndsWhenTheDeviceStopsOneFrameShortOfTheLength) {
  Script shortOfEnd{.positions = {10, 44}, .playingAnswers = 3};  // stays at length - 1
  EXPECT_EQ(PlayIntro(shortOfEnd), intro::Ending::kStopped);
  EXPECT_EQ(shortOfEnd.log, (Log{"open logo.avi", "place 1024x768", "attach", "play", "position 10", "rest",
                                 "position 44", "rest", "position 44", "rest", "position 44", "close"}));
}

TEST(IntroPlayback, EscapePausesAndClosesAndAFileThatCannotOpenEndsAtOnce) {
  Script held{.positions = {0}, .escapeAfter = 0};  // Escape down before the call
  EXPECT_EQ(PlayIntro(held), intro::Ending::kSkipped);
  EXPECT_EQ(held.log,
            (Log{"open logo.avi", "place 1024x768", "attach", "play", "position 0", "pause", "close"}));

  Script missing{.opens = false, .ntFamily = true};
  EXPECT_EQ(PlayIntro(missing), intro::Ending::kNotOpened);
  EXPECT_EQ(missing.log, (Log{"open logo.avi", "box Starting AVI"}));
}

}  // namespace
