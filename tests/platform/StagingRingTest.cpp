#include "platform/host/xcb/StagingRing.h"

#include <gtest/gtest.h>

namespace {

TEST(StagingRing, PiecesFollowOneAnotherAndAPlaceStillUnreadIsNotGivenOut) {
    TStagingRing ring(100);
    EXPECT_EQ(ring.Claim(30), 0u);
    EXPECT_EQ(ring.Claim(30), 30u);
    EXPECT_EQ(ring.Claim(40), 60u);
    EXPECT_FALSE(ring.Claim(1)); // full: every byte waits to be read
    EXPECT_FALSE(ring.Idle());
}

TEST(StagingRing, APieceThatDoesNotFitAtTheEndWaitsForTheStartToBeRead) {
    TStagingRing ring(100);
    ASSERT_EQ(ring.Claim(40), 0u);
    ASSERT_EQ(ring.Claim(40), 40u);
    EXPECT_FALSE(ring.Claim(30)); // 20 left at the end, and the start is unread
    ring.Read(0);
    EXPECT_EQ(ring.Claim(30), 0u);
    EXPECT_FALSE(ring.Claim(20)); // from 30 to 50 overlaps the piece at 40
    EXPECT_EQ(ring.Claim(10), 30u);
}

TEST(StagingRing, ReadingAPieceFreesTheOnesPlacedBeforeItButNotAfter) {
    TStagingRing ring(100);
    ASSERT_EQ(ring.Claim(25), 0u);
    ASSERT_EQ(ring.Claim(25), 25u);
    ASSERT_EQ(ring.Claim(25), 50u);
    ASSERT_EQ(ring.Claim(25), 75u);
    ring.Read(25);
    EXPECT_EQ(ring.Claim(50), 0u);
    EXPECT_FALSE(ring.Claim(1)); // 50 and 75 are still to be read
    EXPECT_FALSE(ring.Idle());
}

TEST(StagingRing, OnceEverythingIsReadItStartsOverAtTheBeginning) {
    TStagingRing ring(100);
    ASSERT_EQ(ring.Claim(30), 0u);
    ASSERT_EQ(ring.Claim(30), 30u);
    ring.Read(30);
    EXPECT_TRUE(ring.Idle());
    EXPECT_EQ(ring.Claim(20), 0u); // not 60: the memory already written serves again
    EXPECT_EQ(ring.Claim(20), 20u);
}

TEST(StagingRing, MoreThanTheCapacityNeverFitsAndAnUnknownOffsetFreesNothing) {
    TStagingRing ring(100);
    EXPECT_FALSE(ring.Claim(101));
    EXPECT_EQ(ring.Claim(100), 0u);
    ring.Read(50); // no piece starts there
    EXPECT_FALSE(ring.Claim(1));
    ring.Read(0);
    EXPECT_TRUE(ring.Idle());
    EXPECT_EQ(ring.Claim(100), 0u);
}

} // namespace
