#include <gtest/gtest.h>

#include <new>

#include "frame/interface_object.h"
#include "support/recording_owner.h"

namespace {

int gHandlerRuns = 0;
void countingHandler() { ++gHandlerRuns; }

struct NewHandlerScope {
  explicit NewHandlerScope(std::new_handler handler) : saved(std::set_new_handler(handler)) {}
  ~NewHandlerScope() { std::set_new_handler(saved); }
  std::new_handler saved;
};


}  // namespace

TEST(AllocateWithRetry, WithoutHandlerAsksOnceAndGivesUp) {
  NewHandlerScope scope(nullptr);
  RecordingOwner owner;
  owner.refusalsLeft = 5;
  EXPECT_EQ(allocateWithRetry(12, owner.allocator()), nullptr);
  EXPECT_EQ(owner.events.size(), 1u);
}

TEST(AllocateWithRetry, WithHandlerRetriesUntilTheAllocatorGives) {
  NewHandlerScope scope(countingHandler);
  gHandlerRuns = 0;
  RecordingOwner owner;
  owner.refusalsLeft = 3;
  void* block = allocateWithRetry(12, owner.allocator());
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(gHandlerRuns, 3);
  EXPECT_EQ(owner.events.size(), 4u);
  owner.allocator()->free(block);
}

TEST(AllocateWithRetry, HandlerThatThrowsEndsTheRetriesWithNull) {
  NewHandlerScope scope([] { throw std::bad_alloc(); });
  RecordingOwner owner;
  owner.refusalsLeft = 100;
  EXPECT_EQ(allocateWithRetry(12, owner.allocator()), nullptr);
  EXPECT_EQ(owner.events.size(), 1u);
}
