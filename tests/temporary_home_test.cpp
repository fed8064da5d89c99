#include "fakes/temporary_home.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The tests run in a fresh temporary home; one goes with all in it at its end and gives the
// variables back.
TEST(TemporaryHome, HoldsTheTestsAndGoesAtTheEnd) {
    const auto get = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "(unset)");
    };
    const std::string home = get("HOME"), config = get("XDG_CONFIG_HOME");
    EXPECT_EQ(home.rfind((fs::temp_directory_path() / "zentu-test-home-").string(), 0), 0u) << home;
    EXPECT_EQ(config, home + "/.config");
    std::string inner;
    {
        const TemporaryHome another;
        inner = get("HOME");
    }
    EXPECT_FALSE(fs::exists(inner));
    EXPECT_EQ(get("HOME"), home);
    EXPECT_EQ(get("XDG_CONFIG_HOME"), config);
}
