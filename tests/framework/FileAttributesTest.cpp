#include "framework/FileAttributes.h"

#include <gtest/gtest.h>

TEST(FileAttributes, TheNoticeNamesWhatChangedByNameOrNumber) {
    // Nobody has 4242424 as a name; 0 is root everywhere.
    const AttributeChange change{{0, 0, 0640}, {0, 4242424, 0600}};
    EXPECT_EQ(DescribeAttributeChange("a.map", change),
              "Saved \"a.map\", but it could not keep its attributes: now group 4242424 (was "
              "root), permissions 0600 (was 0640).");
    EXPECT_EQ(DescribeAttributeChange("a.map", {{4242424, 0, 0644}, {0, 0, 0644}}),
              "Saved \"a.map\", but it could not keep its attributes: now owner root (was "
              "4242424).");
    EXPECT_EQ(DescribeAttributeChange("a.map", {{0, 0, 0644}, {0, 0, 0644}}), "");
}
