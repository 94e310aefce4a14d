#include "common/handle_ledger.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

using ledger::Kind;

TEST(HandleLedger, EachKindCountsUpAndDownOnItsOwn) {
  const ledger::Snapshot before = ledger::Take();
  ledger::Add(Kind::kBitmap);
  ledger::Add(Kind::kBitmap);
  ledger::Add(Kind::kWindow);
  ledger::Remove(Kind::kFont);
  // A count may go below zero: that shows a fault.
  EXPECT_EQ(ledger::Changes(before, ledger::Take()), "bitmap +2, font -1, window +1");

  ledger::Remove(Kind::kBitmap);
  ledger::Remove(Kind::kBitmap);
  ledger::Remove(Kind::kWindow);
  ledger::Add(Kind::kFont);
  EXPECT_EQ(ledger::Take(), before);
  EXPECT_EQ(ledger::Changes(before, ledger::Take()), "");
}

// Each kind has a name of its own, so a report never mixes two kinds up, and
// a description names every kind with its count.
TEST(HandleLedger, EveryKindHasANameOfItsOwn) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < ledger::kKindCount; ++i) {
    const std::string name = ledger::KindName(static_cast<Kind>(i));
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_NE(name, "?");
    EXPECT_NE(ledger::Describe(ledger::Snapshot{}).find(name + " 0"), std::string::npos) << name;
  }
}

// Owners may be made and dropped on any thread (a test's helper thread, say):
// no count is lost.
TEST(HandleLedger, CountsFromSeveralThreadsAddUp) {
  const ledger::Snapshot before = ledger::Take();
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([] {
      for (int i = 0; i < 10000; ++i) {
        ledger::Add(Kind::kRegion);
        ledger::Add(Kind::kBrush);
        ledger::Remove(Kind::kRegion);
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(ledger::Changes(before, ledger::Take()), "brush +40000");
  for (int i = 0; i < 40000; ++i) {
    ledger::Remove(Kind::kBrush);
  }
  EXPECT_EQ(ledger::Take(), before);
}

}  // namespace
