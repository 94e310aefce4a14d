#include "common/handle_ledger.h"

#include <gtest/gtest.h>

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
  const ledger::Snapshot during = ledger::Take();
  EXPECT_EQ(during[Kind::kBitmap], before[Kind::kBitmap] + 2);
  EXPECT_EQ(during[Kind::kWindow], before[Kind::kWindow] + 1);
  EXPECT_EQ(during[Kind::kFont], before[Kind::kFont] - 1) << "a count may go below zero: that shows a fault";
  EXPECT_EQ(during[Kind::kPalette], before[Kind::kPalette]);
  EXPECT_FALSE(during == before);
  EXPECT_EQ(ledger::Changes(before, during), "bitmap +2, font -1, window +1");

  ledger::Remove(Kind::kBitmap);
  ledger::Remove(Kind::kBitmap);
  ledger::Remove(Kind::kWindow);
  ledger::Add(Kind::kFont);
  EXPECT_EQ(ledger::Take(), before);
  EXPECT_EQ(ledger::Changes(before, ledger::Take()), "");
}

TEST(HandleLedger, ADescriptionNamesEveryKindInOrder) {
  ledger::Snapshot snapshot;
  snapshot.counts = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(ledger::Describe(snapshot),
            "bitmap 1, palette 2, memory DC 3, window DC 4, font 5, brush 6, region 7, window 8");
  EXPECT_EQ(ledger::Describe(ledger::Snapshot{}),
            "bitmap 0, palette 0, memory DC 0, window DC 0, font 0, brush 0, region 0, window 0");
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
  EXPECT_EQ(ledger::Take()[Kind::kBrush], before[Kind::kBrush] + 40000);
  EXPECT_EQ(ledger::Take()[Kind::kRegion], before[Kind::kRegion]);
  for (int i = 0; i < 40000; ++i) {
    ledger::Remove(Kind::kBrush);
  }
  EXPECT_EQ(ledger::Take(), before);
}

}  // namespace
