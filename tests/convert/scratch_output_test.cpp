#include "convert/scratch_output.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <new>

namespace qb::detail {
namespace {

TEST(ScratchOutput, NestedUsesGetSeparateSpace) {
    ScratchOutput outer(100);
    std::memcpy(outer.data(), "outer", 5);
    {
        ScratchOutput inner(100);
        EXPECT_NE(inner.data(), outer.data());
        std::memcpy(inner.data(), "inner", 5);
    }
    EXPECT_EQ(outer.Result(5), "outer");
}

TEST(ScratchOutput, StaysUsableAfterAnAllocationFails) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer stops on the impossible allocation itself";
#else
    { ScratchOutput warm(1000); }
    EXPECT_THROW(ScratchOutput huge(std::numeric_limits<std::size_t>::max() / 2), std::bad_alloc);
    ScratchOutput after(1000);
    ASSERT_NE(after.data(), nullptr);
    std::memset(after.data(), 'x', 1000);
    EXPECT_EQ(after.Result(3), "xxx");
#endif
}

}  // namespace
}  // namespace qb::detail
