#include "platform/SharedLibrary.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SharedLibrary, BindsFunctionsOfALoadedLibraryAndSaysWhatIsMissing) {
    TSharedLibrary maths("libm.so.6");
    ASSERT_TRUE(maths.Loaded()) << maths.Failure();
    double (*cosine)(double) = nullptr;
    ASSERT_TRUE(maths.Bind(cosine, "cos"));
    EXPECT_EQ(cosine(0.5), std::cos(0.5));

    double (*none)(double) = cosine;
    EXPECT_FALSE(maths.Bind(none, "no_such_function_here"));
    EXPECT_EQ(none, nullptr);
    EXPECT_NE(maths.Failure().find("no_such_function_here"), std::string::npos) << maths.Failure();

    TSharedLibrary missing("libno-such-library.so.9");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_NE(missing.Failure().find("libno-such-library.so.9"), std::string::npos) << missing.Failure();
    EXPECT_FALSE(missing.Bind(cosine, "cos"));
    EXPECT_EQ(cosine, nullptr);
}
