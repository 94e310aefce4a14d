// A time limit for every test of the program this is linked into: a test
// that runs past it (a loop that never ends, a wait for a window that never
// comes) is named and ends the program with a failure at once, instead of
// holding its whole tier until the tier's own limit. QUIL_TEST_TIME_LIMIT
// gives the limit in seconds (120 when unset).
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

// LeakSanitizer would count the watch, which is kept on purpose.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIL_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QUIL_SANITIZED 1
#endif
#ifdef QUIL_SANITIZED
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// The watch itself lives to the end of the process and is never destroyed:
// its thread waits on it until then, and a condition variable destroyed under
// a waiting thread hangs the exit.
class Watch {
 public:
  explicit Watch(std::chrono::seconds limit) : limit_(limit) {
    std::thread([this] { Run(); }).detach();
  }

  void Start(const testing::TestInfo& test) {
    std::lock_guard<std::mutex> lock(mutex_);
    name_ = std::string(test.test_suite_name()) + "." + test.name();
    deadline_ = std::chrono::steady_clock::now() + limit_;
    running_ = true;
    changed_.notify_all();
  }

  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    running_ = false;
    changed_.notify_all();
  }

 private:
  void Run() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      if (!running_) {
        changed_.wait(lock);
      } else if (changed_.wait_until(lock, deadline_) == std::cv_status::timeout && running_ &&
                 std::chrono::steady_clock::now() >= deadline_) {
        std::printf("\n[  TIMEOUT ] %s ran past its limit of %lld s\n[  FAILED  ] %s\n", name_.c_str(),
                    static_cast<long long>(limit_.count()), name_.c_str());
        std::fflush(stdout);
        std::_Exit(3);
      }
    }
  }

  const std::chrono::seconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::string name_;
  std::chrono::steady_clock::time_point deadline_;
  bool running_ = false;
};

// GoogleTest owns and deletes the listener; the watch stays.
class TimeLimit : public testing::EmptyTestEventListener {
 public:
  explicit TimeLimit(Watch* watch) : watch_(watch) {}
  void OnTestStart(const testing::TestInfo& test) override { watch_->Start(test); }
  void OnTestEnd(const testing::TestInfo&) override { watch_->Stop(); }

 private:
  Watch* watch_;
};

std::chrono::seconds LimitFromEnvironment() {
  const char* asked = std::getenv("QUIL_TEST_TIME_LIMIT");
  const long seconds = asked != nullptr ? std::strtol(asked, nullptr, 10) : 0;
  return std::chrono::seconds(seconds > 0 ? seconds : 120);
}

// Appended before main runs the tests; GoogleTest owns it from here.
const bool kInstalled = [] {
#ifdef QUIL_SANITIZED
  __lsan::ScopedDisabler keptOnPurpose;
#endif
  testing::UnitTest::GetInstance()->listeners().Append(new TimeLimit(new Watch(LimitFromEnvironment())));
  return true;
}();

}  // namespace
