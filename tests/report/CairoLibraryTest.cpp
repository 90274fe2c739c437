#include "platform/Exception.h"
#include "report/CairoLibrary.h"

#include <gtest/gtest.h>

TEST(CairoLibrary, TheSystemLibraryHasEveryCallAndAMissingOneSaysWhich) {
    const TCairoLibrary& cairo = TCairoLibrary::Required();
    ASSERT_TRUE(cairo.Loaded()) << cairo.Failure();
    cairo_surface_t* surface = cairo.ImageSurfaceCreate(CAIRO_FORMAT_RGB24, 4, 4);
    EXPECT_EQ(cairo.SurfaceStatus(surface), CAIRO_STATUS_SUCCESS);
    cairo.SurfaceDestroy(surface);

    const TCairoLibrary missing("libno-such-cairo.so.2");
    EXPECT_FALSE(missing.Loaded());
    EXPECT_NE(missing.Failure().find("libno-such-cairo.so.2"), std::string::npos) << missing.Failure();
    // A library without cairo's calls is not taken for it.
    const TCairoLibrary other("libm.so.6");
    EXPECT_FALSE(other.Loaded());
    EXPECT_NE(other.Failure().find("cairo_"), std::string::npos) << other.Failure();
}
