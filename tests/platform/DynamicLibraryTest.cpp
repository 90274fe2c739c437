#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

TEST(DynamicLibrary, BindsWhatTheLibraryHasAndSaysWhatItLacks) {
    TDynamicLibrary maths("libm.so.6");
    ASSERT_TRUE(maths.Loaded()) << maths.Failure();
    double (*cosine)(double) = nullptr;
    ASSERT_TRUE(maths.Bind(cosine, "cos"));
    EXPECT_EQ(cosine(0.0), 1.0);

    void (*missing)() = nullptr;
    EXPECT_FALSE(maths.Bind(missing, "vmrNoSuchFunction"));
    EXPECT_EQ(missing, nullptr);
    EXPECT_NE(maths.Failure().find("libm.so.6 has no vmrNoSuchFunction"), std::string::npos) << maths.Failure();

    TDynamicLibrary absent("libvmr-absent.so.1");
    EXPECT_FALSE(absent.Loaded());
    EXPECT_FALSE(absent.Bind(cosine, "cos"));
    EXPECT_EQ(cosine, nullptr);
    EXPECT_NE(absent.Failure().find("libvmr-absent.so.1 cannot be loaded: "), std::string::npos) << absent.Failure();
    EXPECT_NE(absent.Failure().find("cannot open shared object file"), std::string::npos) << absent.Failure();
}
