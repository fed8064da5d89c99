#include "res/string_table.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The texts themselves are pinned by the tests of the code that shows them.
TEST(StringTableTest, UnknownIdsGiveTheEmptyText) {
    for (const int id : {0, -1, 99, INT_MAX, INT_MIN}) {
        EXPECT_EQ(LoadString(id), "") << "id " << id;
    }
    EXPECT_EQ(LoadString(37), "Don't Check Spaces");  // the last id is still in the table
}

}  // namespace
