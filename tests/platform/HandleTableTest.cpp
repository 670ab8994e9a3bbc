// The handle table every platform handle lives in: what a value looks like, stale and foreign
// handles, the generation's wrap, the counts per kind, running out of handles, and workers.
#include "core/HandleTable.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

using platform::core::HandleKind;
using platform::core::HandleObject;
using platform::core::HandleTable;

namespace {

// Says when it dies, and looks itself up from its destructor as a bitmap's destructor may.
struct Watched : HandleObject {
  explicit Watched(bool* dead, const HandleTable* table = nullptr, uintptr_t* self = nullptr)
      : dead(dead), table(table), self(self) {}
  ~Watched() override {
    if (table != nullptr) lookedUpWhileDying = table->find(*self, HandleKind::Pen, HandleKind::Pen);
    *dead = true;
  }
  bool* dead;
  const HandleTable* table;
  uintptr_t* self;
  HandleObject* lookedUpWhileDying = nullptr;
};

TEST(HandleTable, EveryValueFitsThirtyTwoBitsHasItsLowBitClearAndIsNeverAResourceNumber) {
  HandleTable table;
  std::set<uintptr_t> seen;
  for (int round = 0; round < 3; ++round) {
    std::vector<std::pair<uintptr_t, HandleKind>> live;
    for (auto kind = HandleKind::Window; kind <= platform::core::LastHandleKind;
         kind = static_cast<HandleKind>(static_cast<int>(kind) + 1)) {
      for (int i = 0; i < 40; ++i) live.emplace_back(table.add(kind), kind);
    }
    for (auto [value, kind] : live) {
      EXPECT_LE(value, uintptr_t{UINT32_MAX});
      EXPECT_EQ(value & 1, 0u);
      EXPECT_GE(value, uintptr_t{0x10000});
      EXPECT_TRUE(seen.insert(value).second) << "a value given out twice: " << value;
      EXPECT_TRUE(table.contains(value, kind));
    }
    for (auto [value, kind] : live) EXPECT_TRUE(table.remove(value, kind));
  }
}

TEST(HandleTable, ARemovedHandleIsStaleEvenWhenItsSlotServesAgainAndItsObjectDiesOutsideTheLock) {
  HandleTable table;
  bool dead = false;
  uintptr_t first = 0;
  auto object = std::make_unique<Watched>(&dead, &table, &first);
  Watched* watched = object.get();
  first = table.add(HandleKind::Pen, std::move(object));
  ASSERT_NE(first, 0u);
  EXPECT_EQ(table.find(first, HandleKind::Pen, HandleKind::Pen), watched);

  EXPECT_TRUE(table.remove(first, HandleKind::Pen));  // would hang if the destructor ran under the lock
  EXPECT_TRUE(dead);
  EXPECT_FALSE(table.contains(first, HandleKind::Pen));
  EXPECT_EQ(table.find(first, HandleKind::Pen, HandleKind::Pen), nullptr);
  EXPECT_FALSE(table.remove(first, HandleKind::Pen));

  const uintptr_t second = table.add(HandleKind::Pen);  // takes the freed slot
  EXPECT_NE(second, first);
  EXPECT_TRUE(table.contains(second, HandleKind::Pen));
  EXPECT_FALSE(table.contains(first, HandleKind::Pen));
}

TEST(HandleTable, AHandleOfAnotherKindOrAMadeUpValueFindsNothingAndRemovesNothing) {
  HandleTable table;
  bool dead = false;
  const uintptr_t window = table.add(HandleKind::Window, std::make_unique<Watched>(&dead));
  const uintptr_t thread = table.add(HandleKind::Thread);

  EXPECT_EQ(table.find(window, HandleKind::AcceleratorTable, HandleKind::AcceleratorTable), nullptr);
  EXPECT_EQ(table.find(window, HandleKind::Pen, HandleKind::DeviceContext), nullptr);
  EXPECT_NE(table.find(window, HandleKind::Window, HandleKind::Window), nullptr);
  EXPECT_FALSE(table.remove(window, HandleKind::Thread));
  EXPECT_FALSE(table.remove(thread, HandleKind::PowerRequirement));
  EXPECT_FALSE(dead);

  // The flag bit, a value past 32 bits, resource numbers and a stray index or generation.
  std::vector<uintptr_t> madeUp = {0,
                                   1,
                                   0x12345,
                                   window | 1,
                                   window + (uintptr_t{1} << HandleTable::IndexShift),
                                   window + (uintptr_t{1} << HandleTable::GenerationShift),
                                   window | uintptr_t{1} << (sizeof(uintptr_t) * 8 - 1)};
  for (uintptr_t value : madeUp) {
    EXPECT_EQ(table.find(value, HandleKind::Window, platform::core::LastHandleKind), nullptr) << value;
    EXPECT_FALSE(table.remove(value, HandleKind::Window)) << value;
  }
  EXPECT_TRUE(table.contains(window, HandleKind::Window));
  EXPECT_TRUE(table.contains(thread, HandleKind::Thread));
}

TEST(HandleTable, TheGenerationWrapsPastZeroSoAReusedSlotRepeatsOnlyAfterEveryGeneration) {
  HandleTable table(1);
  const uintptr_t first = table.add(HandleKind::Font);
  std::set<uintptr_t> values{first};
  uintptr_t value = first;
  for (uint32_t i = 1; i < HandleTable::GenerationLimit - 1; ++i) {
    ASSERT_TRUE(table.remove(value, HandleKind::Font));
    value = table.add(HandleKind::Font);
    ASSERT_NE(value, 0u);
    EXPECT_GE(value, uintptr_t{1} << HandleTable::GenerationShift);  // generation 0 is never used
    EXPECT_TRUE(values.insert(value).second);
  }
  ASSERT_TRUE(table.remove(value, HandleKind::Font));
  EXPECT_EQ(table.add(HandleKind::Font), first);  // every generation but 0 used once
}

TEST(HandleTable, CountsFollowEachKindLeavePermanentHandlesOutAndClearTakesOneKind) {
  HandleTable table;
  const uintptr_t pen = table.add(HandleKind::Pen);
  const uintptr_t stockPen = table.add(HandleKind::Pen);
  table.makePermanent(stockPen);
  const uintptr_t brush = table.add(HandleKind::Brush);
  std::vector<uintptr_t> windows;
  for (int i = 0; i < 3; ++i) windows.push_back(table.add(HandleKind::Window));

  EXPECT_EQ(table.count(HandleKind::Pen), 1u);
  EXPECT_EQ(table.count(HandleKind::Brush), 1u);
  EXPECT_EQ(table.count(HandleKind::Window), 3u);
  EXPECT_EQ(table.count(HandleKind::Font), 0u);
  EXPECT_EQ(table.handles(HandleKind::Window), windows);
  EXPECT_TRUE(table.isPermanent(stockPen));
  EXPECT_FALSE(table.isPermanent(pen));

  EXPECT_FALSE(table.remove(stockPen, HandleKind::Pen));  // a stock object stays
  EXPECT_TRUE(table.remove(windows[1], HandleKind::Window));
  EXPECT_EQ(table.count(HandleKind::Window), 2u);

  table.clear(HandleKind::Pen);
  EXPECT_EQ(table.count(HandleKind::Pen), 0u);
  EXPECT_FALSE(table.contains(pen, HandleKind::Pen));
  EXPECT_TRUE(table.contains(stockPen, HandleKind::Pen));
  EXPECT_TRUE(table.contains(brush, HandleKind::Brush));
  EXPECT_EQ(table.count(HandleKind::Window), 2u);
}

TEST(HandleTable, OutOfHandlesGivesNoHandleFreesTheObjectAndAFreedSlotServesAgain) {
  HandleTable table(3);
  std::vector<uintptr_t> live;
  for (int i = 0; i < 3; ++i) live.push_back(table.add(HandleKind::Bitmap));
  bool dead = false;
  EXPECT_EQ(table.add(HandleKind::Bitmap, std::make_unique<Watched>(&dead)), 0u);
  EXPECT_TRUE(dead);
  EXPECT_EQ(table.count(HandleKind::Bitmap), 3u);

  ASSERT_TRUE(table.remove(live[0], HandleKind::Bitmap));
  const uintptr_t again = table.add(HandleKind::Bitmap);
  EXPECT_NE(again, 0u);
  EXPECT_NE(again, live[0]);
  EXPECT_EQ(table.add(HandleKind::Bitmap), 0u);
}

TEST(HandleTable, WorkersMakingAndClosingHandlesWhileTheUserInterfaceLooksUpItsOwnLoseNothing) {
  HandleTable table;
  bool dead = false;
  const uintptr_t window = table.add(HandleKind::Window, std::make_unique<Watched>(&dead));
  std::vector<std::thread> workers;
  for (int w = 0; w < 3; ++w) {
    workers.emplace_back([&table] {
      std::vector<uintptr_t> held;
      for (int i = 0; i < 2000; ++i) {
        held.push_back(table.add(HandleKind::PowerRequirement));
        if (i % 3 == 2) {
          for (uintptr_t value : held) EXPECT_TRUE(table.remove(value, HandleKind::PowerRequirement));
          held.clear();
        }
      }
      for (uintptr_t value : held) EXPECT_TRUE(table.remove(value, HandleKind::PowerRequirement));
    });
  }
  for (int i = 0; i < 20000; ++i) ASSERT_NE(table.find(window, HandleKind::Window, HandleKind::Window), nullptr);
  for (std::thread& worker : workers) worker.join();
  EXPECT_EQ(table.count(HandleKind::PowerRequirement), 0u);
  EXPECT_EQ(table.count(HandleKind::Window), 1u);
}

}  // namespace
