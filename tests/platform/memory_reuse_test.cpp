#include "platform/memory_reuse.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// Keeps the block from being optimised away with its malloc and free.
char* volatile g_block = nullptr;

// A block the size of a day's largest odds file comes from the heap, and once freed it
// stays there for the next day instead of going back to the system.
TEST(KeepFreedMemoryForReuseTest, AFreedOddsFileSizedBlockStaysWithTheProgram) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps memory by rules of its own";
#elif !defined(__GLIBC__)
  GTEST_SKIP() << "this allocator has no such setting";
#else
  platform::KeepFreedMemoryForReuse();
  constexpr std::size_t kBlock = 4 << 20;
  const std::size_t mapped_before = mallinfo2().hblkhd;
  g_block = static_cast<char*>(std::malloc(kBlock));
  ASSERT_NE(g_block, nullptr);
  std::memset(g_block, 1, kBlock);
  EXPECT_EQ(mallinfo2().hblkhd, mapped_before) << "the block was mapped apart from the heap";
  std::free(g_block);
  EXPECT_GE(mallinfo2().fordblks, kBlock) << "the freed block went back to the system";
#endif
}

}  // namespace
