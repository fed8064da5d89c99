#include "fakes/temporary_home.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

// The tests run in a fresh temporary home; one goes with all written into it and gives the
// variables back.
TEST(TemporaryHome, HoldsTheTestsAndGoesWithWhatTheyWrote) {
    const auto get = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "(unset)");
    };
    const std::string home = get("HOME"), config = get("XDG_CONFIG_HOME");
    EXPECT_EQ(home.rfind((fs::temp_directory_path() / "zentu-test-home-").string(), 0), 0u) << home;
    EXPECT_EQ(config, home + "/.config");
    EXPECT_TRUE(fs::is_directory(config));
    fs::path root;
    {
        const TemporaryHome inner;
        root = inner.Root();
        std::ofstream(get("XDG_CONFIG_HOME") + "/QtProject.conf") << "[x]\n";
        EXPECT_TRUE(fs::exists(root / ".config/QtProject.conf"));
    }
    EXPECT_FALSE(fs::exists(root));
    EXPECT_EQ(get("HOME"), home);
    EXPECT_EQ(get("XDG_CONFIG_HOME"), config);
}
