#include "map/CPointerTable.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

// Entries put in, changed and taken out in a random order stay found, and a
// walk meets each once, whatever runs the collisions left behind.
TEST(CPointerTable, HoldsWhatAMapHoldsThroughInsertsAndErases) {
    std::vector<int> objects(3000);
    CPointerTable<int, int> table;
    std::map<int*, int> expected;
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        int* object = &objects[random() % objects.size()];
        if (random() % 3 == 0) {
            EXPECT_EQ(table.erase(object), expected.erase(object) == 1);
        } else {
            table[object] += round;
            expected[object] += round;
        }
    }
    ASSERT_EQ(table.size(), expected.size());
    for (int& object : objects) {
        const auto found = expected.find(&object);
        const int* value = table.Find(&object);
        ASSERT_EQ(value != nullptr, found != expected.end());
        if (value) {
            EXPECT_EQ(*value, found->second);
        }
    }
    std::map<int*, int> walked(table.begin(), table.end());
    EXPECT_EQ(walked, expected);
}

TEST(CPointerTable, TablesOfTheSameEntriesAreAlikeInAnyOrder) {
    int objects[3] = {};
    CPointerTable<int, int> a, b;
    for (int i = 0; i < 3; ++i) {
        a[&objects[i]] = i;
        b[&objects[2 - i]] = 2 - i;
    }
    EXPECT_TRUE(a == b);
    b[&objects[1]] = 5;
    EXPECT_FALSE(a == b);
    b.erase(&objects[1]);
    EXPECT_FALSE(a == b);
}
