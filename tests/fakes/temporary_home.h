// Every test program runs in a fresh home, removed at the end, so that nothing a test or Qt
// writes (its file dialog keeps settings in ~/.config) lands in the home of whoever runs it.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TemporaryHome {
  public:
    TemporaryHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zentu-test-home-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::perror("zentu tests: cannot make a temporary home");
            std::abort();  // better no tests than tests that write into the real home
        }
        root = pattern;
        const std::pair<const char*, const char*> folders[] = {{"HOME", ""},
                                                               {"XDG_CONFIG_HOME", ".config"},
                                                               {"XDG_DATA_HOME", ".local/share"},
                                                               {"XDG_STATE_HOME", ".local/state"},
                                                               {"XDG_CACHE_HOME", ".cache"}};
        for (const auto& [name, folder] : folders) {
            const char* old = std::getenv(name);
            saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            const std::filesystem::path path = *folder ? root / folder : root;
            std::filesystem::create_directories(path);
            setenv(name, path.c_str(), 1);
        }
    }

    ~TemporaryHome() {
        if (getpid() != owner) return;  // a forked child leaves the home to its parent
        for (const auto& [name, old] : saved) old ? setenv(name, old->c_str(), 1) : unsetenv(name);
        std::filesystem::remove_all(root);
    }

  private:
    pid_t owner = getpid();
    std::filesystem::path root;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};
