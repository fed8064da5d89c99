// Every test program runs in a home of its own, made fresh and removed at the end, so that
// nothing a test or the toolkit writes (Qt's file dialog keeps its settings in ~/.config)
// lands in the home of whoever runs the tests.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

class TemporaryHome {
  public:
    // The variables set, each with its folder below the new home.
    static std::vector<std::pair<const char*, const char*>> Variables() {
        return {{"HOME", ""},
                {"XDG_CONFIG_HOME", ".config"},
                {"XDG_DATA_HOME", ".local/share"},
                {"XDG_STATE_HOME", ".local/state"},
                {"XDG_CACHE_HOME", ".cache"}};
    }

    TemporaryHome() {
        std::error_code error;
        std::string pattern =
            (std::filesystem::temp_directory_path(error) / "zentu-test-home-XXXXXX").string();
        if (error || mkdtemp(pattern.data()) == nullptr) {
            // Better no test at all than tests that write into the real home.
            std::perror("zentu tests: cannot make a temporary home");
            std::abort();
        }
        root = pattern;
        for (const auto& [name, folder] : Variables()) {
            const char* old = std::getenv(name);
            saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            const std::filesystem::path path = *folder ? root / folder : root;
            std::filesystem::create_directories(path, error);
            setenv(name, path.c_str(), 1);
        }
    }

    ~TemporaryHome() {
        // A child forked by a test that leaves through here must not take the home away.
        if (getpid() != owner) {
            return;
        }
        for (const auto& [name, old] : saved) {
            if (old) {
                setenv(name, old->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }

    TemporaryHome(const TemporaryHome&) = delete;
    TemporaryHome& operator=(const TemporaryHome&) = delete;

    const std::filesystem::path& Root() const { return root; }

  private:
    pid_t owner = getpid();
    std::filesystem::path root;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};
