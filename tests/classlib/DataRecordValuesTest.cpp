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

    // Records packed into one block stay apart, and a change to one leaves the others.
    TRecordPacker packer(64);
    packer.Begin(3, 6);
    packer.Add(std::string_view("abc"));
    packer.Add(std::nullopt);
    packer.Add(std::string_view("def"));
    TRecordValues built = packer.Finish();
    packer.Begin(2, 1);
    packer.Add(std::string_view(""));
    packer.Add(std::string_view("g"));
    TRecordValues next = packer.Finish();
    EXPECT_EQ(built.Get(0), TFieldValue("abc"));
    EXPECT_FALSE(built.Get(1).has_value());
    EXPECT_EQ(built.Get(2), TFieldValue("def"));
    EXPECT_EQ(next.Get(0), TFieldValue(""));
    EXPECT_EQ(next.Get(1), TFieldValue("g"));
    TRecordValues copy = built;
    EXPECT_EQ(copy, built);
    copy.Set(1, std::string());
    EXPECT_FALSE(copy == built);
    EXPECT_FALSE(built.Get(1).has_value());
    EXPECT_EQ(next.Get(1), TFieldValue("g"));

    // A record larger than the block gets one of its own; a record cannot take more than it announced.
    std::string large(100, 'x');
    packer.Begin(1, large.size());
    packer.Add(std::string_view(large));
    EXPECT_EQ(packer.Finish().Get(0), TFieldValue(large));
    packer.Begin(1, 2);
    EXPECT_THROW(packer.Add(std::string_view("abc")), std::logic_error);
}

TEST(DataRecordValues, APackerStartedAgainReusesOnlyTheBlocksNoRecordHolds) {
    TRecordPacker packer(64);
    auto pack = [&](std::string_view text) {
        packer.Begin(1, text.size());
        packer.Add(text);
        return packer.Finish();
    };
    uintptr_t dropped = 0;
    {
        TRecordValues gone = pack("primo");
        dropped = uintptr_t(gone.View(0)->data());
    }
    packer.Restart();
    TRecordValues kept = pack("tenuto");
    EXPECT_EQ(uintptr_t(kept.View(0)->data()), dropped) << "the free block is filled again";
    packer.Restart();
    TRecordValues next = pack("altro!");
    EXPECT_EQ(kept.Get(0), TFieldValue("tenuto")) << "a block a record holds is never overwritten";
    EXPECT_EQ(next.Get(0), TFieldValue("altro!"));
}
