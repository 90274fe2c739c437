#include "classlib/data/RecordValues.h"

#include <gtest/gtest.h>

TEST(DataRecordValues, KeepNullEmptyAndTextApartThroughChanges) {
    TRecordValues values(4);
    EXPECT_EQ(values.Count(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(values.View(i).has_value());
    values.Set(1, std::string());
    values.Set(3, std::string("ultimo è qui"));
    values.Set(0, std::string("primo"));
    EXPECT_EQ(values.Get(0), TFieldValue("primo"));
    EXPECT_EQ(values.Get(1), TFieldValue(""));
    EXPECT_FALSE(values.Get(2).has_value());
    EXPECT_EQ(values.Get(3), TFieldValue("ultimo è qui"));
    values.Set(0, std::nullopt);
    values.Set(3, std::string("x"));
    EXPECT_FALSE(values.Get(0).has_value());
    EXPECT_EQ(values.Get(1), TFieldValue(""));
    EXPECT_EQ(values.Get(3), TFieldValue("x"));

    TRecordValues::TBuilder builder(3, 6);
    builder.Add(std::string_view("abc"));
    builder.Add(std::nullopt);
    builder.Add(std::string_view("def"));
    TRecordValues built = builder.Finish();
    EXPECT_EQ(built.Get(0), TFieldValue("abc"));
    EXPECT_FALSE(built.Get(1).has_value());
    EXPECT_EQ(built.Get(2), TFieldValue("def"));
    TRecordValues copy = built;
    EXPECT_EQ(copy, built);
    copy.Set(1, std::string());
    EXPECT_FALSE(copy == built);
}
