#include "fakes/temporary_home.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

bool Within(const fs::path& path, const fs::path& folder) {
    const fs::path relative = path.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

std::optional<std::string> Get(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

// Whoever runs the tests keeps their home as it was: every folder where programs keep
// settings, data or caches lies in a fresh temporary folder.
TEST(TemporaryHome, TestsRunInATemporaryHome) {
    const passwd* user = getpwuid(getuid());
    const fs::path home = Get("HOME").value_or("");
    EXPECT_TRUE(Within(home, fs::temp_directory_path()));
    for (const auto& [name, folder] : TemporaryHome::Variables()) {
        const std::string value = Get(name).value_or("");
        EXPECT_TRUE(fs::is_directory(value)) << name;
        EXPECT_EQ(value, (*folder ? home / folder : home).string());
        EXPECT_FALSE(user != nullptr && Within(value, user->pw_dir)) << name;
    }
}

// A home goes with all that was written into it, and the variables are as they were, also
// one that was not set at all.
TEST(TemporaryHome, IsRemovedAndTheVariablesRestored) {
    for (const char* unset : {"", "XDG_STATE_HOME", "XDG_CONFIG_HOME"}) {
        const std::optional<std::string> kept = Get(unset);
        if (*unset) unsetenv(unset);
        std::vector<std::optional<std::string>> before;
        for (const auto& variable : TemporaryHome::Variables())
            before.push_back(Get(variable.first));
        fs::path root;
        {
            const TemporaryHome home;
            root = home.Root();
            std::ofstream(Get("XDG_CONFIG_HOME").value_or("") + "/QtProject.conf") << "[x]\n";
            EXPECT_TRUE(fs::exists(root / ".config/QtProject.conf")) << unset;
            EXPECT_EQ(Get("HOME"), root.string());
        }
        EXPECT_FALSE(fs::exists(root)) << unset;
        for (std::size_t i = 0; i < before.size(); ++i) {
            EXPECT_EQ(Get(TemporaryHome::Variables()[i].first), before[i]) << unset << i;
        }
        if (kept) setenv(unset, kept->c_str(), 1);
    }
}
