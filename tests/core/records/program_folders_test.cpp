// Where the programs look for the user's data folder, the shipped data and the atlas program, in
// the build's layout and in an installed one.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/records/program_folders.h"
#include "test_paths.h"

namespace orrerion {
namespace {

namespace fs = std::filesystem;

TEST(UserDataDir, FollowsXdgDataHomeWhenAbsoluteElseTheHomeFolder) {
    struct Case {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {nullptr, "/home/ann", "/home/ann/.local/share/Orrerion/Orrerion"},
        {"", "/home/ann", "/home/ann/.local/share/Orrerion/Orrerion"},
        {"/data/ann", "/home/ann", "/data/ann/Orrerion/Orrerion"},
        {"relative/share", "/home/ann", "/home/ann/.local/share/Orrerion/Orrerion"},  // not absolute: ignored
        {nullptr, nullptr, "/.local/share/Orrerion/Orrerion"},
        {nullptr, "", "/.local/share/Orrerion/Orrerion"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UserDataDir(c.xdgDataHome, c.home), fs::path(c.expected))
            << "XDG_DATA_HOME=" << (c.xdgDataHome ? c.xdgDataHome : "(unset)")
            << " HOME=" << (c.home ? c.home : "(unset)");
    }
}

TEST(ProgramFolders, FindTheAtlasAndTheShippedDataInTheBuildOrTheInstalledLayout) {
    const fs::path root = testing::MakeTempDir();
    auto touch = [](const fs::path& file) {
        fs::create_directories(file.parent_path());
        testing::WriteWholeFile(file, "x");
    };
    // The build: everything in bin/, the data in bin/data.
    touch(root / "build" / "bin" / "ATLAS.EXE");
    touch(root / "build" / "bin" / "data" / "OPTIONS.OPT");
    // An installed copy under a prefix.
    touch(root / "usr" / "libexec" / "orrerion" / "ATLAS.EXE");
    touch(root / "usr" / "share" / "orrerion" / "data" / "OPTIONS.OPT");
    fs::create_directories(root / "usr" / "bin");
    // A lone program with nothing beside it.
    fs::create_directories(root / "lone" / "bin");

    struct Case {
        fs::path exeDir, atlasDir, shippedDir;
    };
    const Case cases[] = {
        {root / "build" / "bin", root / "build" / "bin", root / "build" / "bin" / "data"},
        {root / "usr" / "bin", root / "usr" / "libexec" / "orrerion", root / "usr" / "share" / "orrerion" / "data"},
        // Not found: the program's own folder, where a failed start asks for the atlas's folder.
        {root / "lone" / "bin", root / "lone" / "bin", root / "lone" / "bin" / "data"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AtlasProgramDir(c.exeDir), c.atlasDir) << c.exeDir;
        EXPECT_EQ(ShippedDataDir(c.exeDir), c.shippedDir) << c.exeDir;
    }

    // The data folder: the build's bin/data; the user's folder for an installed copy, which only
    // looking does not create.
    const fs::path user = root / "home" / ".local" / "share" / "Orrerion" / "Orrerion";
    EXPECT_EQ(ChooseProgramDir(root / "build" / "bin", {}, user), root / "build" / "bin" / "data");
    EXPECT_EQ(ChooseProgramDir(root / "usr" / "bin", {}, user), user);
    EXPECT_FALSE(fs::exists(user));
}

}  // namespace
}  // namespace orrerion
