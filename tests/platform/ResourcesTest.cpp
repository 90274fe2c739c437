#include "platform/Resources.h"
#include "TestPlatformResources.h"
#include "platform/Exception.h"
#include "platform/ImageCodecs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::string Text(std::span<const uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

int RunEmbedTool(const std::string& arguments) {
    return std::system((std::string(VMR_EMBED_TOOL) + " " + arguments + " 2>/dev/null").c_str());
}

} // namespace

TEST(Resources, EmbeddedBundleIsFoundInAnyCase) {
    RegisterResources_TestPlatform();
    RegisterResources_TestPlatform(); // a second call changes nothing
    EXPECT_EQ(Text(FindResource("GREETING")), "Ciao, mondo\n");
    EXPECT_EQ(Text(FindResource("greeting")), "Ciao, mondo\n");
    EXPECT_EQ(Text(FindResource("saluto")), "Ciao, mondo\n"); // named explicitly
    EXPECT_TRUE(HasResource("Empty"));
    EXPECT_TRUE(FindResource("EMPTY").empty());

    TSurface tiny = DecodeBMP(FindResource("tiny_image"), "TINY_IMAGE");
    ASSERT_EQ(tiny.Width(), 2);
    ASSERT_EQ(tiny.Height(), 2);
    EXPECT_EQ(tiny.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(tiny.Pixel(1, 0), 0x00FF00u);
    EXPECT_EQ(tiny.Pixel(0, 1), 0x0000FFu);
    EXPECT_EQ(tiny.Pixel(1, 1), 0xFFFFFFu);
}

TEST(Resources, MissingNamesAndClashesAreReported) {
    EXPECT_FALSE(HasResource("NO_SUCH_THING"));
    try {
        FindResource("No_Such_Thing");
        ADD_FAILURE() << "no error for a missing resource";
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource No_Such_Thing not found");
    }

    static const uint8_t first[] = {1, 2}, second[] = {3};
    static const TResourceEntry entries[] = {{"Clash_Test", first, 2}};
    RegisterResources(entries, 1);
    RegisterResources(entries, 1);
    static const TResourceEntry clash[] = {{"CLASH_test", second, 1}};
    EXPECT_THROW(RegisterResources(clash, 1), EInvalidOperation);
    EXPECT_EQ(FindResource("clash_TEST").size(), 2u);
    // Only ASCII letters fold: accented names stay distinct.
    static const TResourceEntry accented[] = {{"CITTÀ", second, 1}};
    RegisterResources(accented, 1);
    EXPECT_TRUE(HasResource("cittÀ"));
    EXPECT_FALSE(HasResource("città"));
}

TEST(Resources, EmbedToolRefusesBundlesItCannotBuildSoundly) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(testing::TempDir()) / ("vmr_embed_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string file = (dir / "a.txt").string();
    std::ofstream(file) << "a";
    const std::string out = (dir / "out").string();

    EXPECT_EQ(RunEmbedTool("Good " + out + " A " + file + " B " + file), 0);
    EXPECT_TRUE(fs::exists(dir / "out" / "GoodResources.S"));
    EXPECT_TRUE(fs::exists(dir / "out" / "GoodResources.cpp"));
    EXPECT_NE(RunEmbedTool("Twice " + out + " Name " + file + " NAME " + file), 0);
    EXPECT_NE(RunEmbedTool("Missing " + out + " A " + (dir / "missing.txt").string()), 0);
    EXPECT_NE(RunEmbedTool("not-an-identifier " + out + " A " + file), 0);
    EXPECT_NE(RunEmbedTool("Unpaired " + out + " A"), 0);
    EXPECT_NE(RunEmbedTool("Empty " + out), 0);
    EXPECT_FALSE(fs::exists(dir / "out" / "TwiceResources.S"));
    fs::remove_all(dir);
}
