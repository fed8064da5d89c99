// The house's include rules, read from the sources: the Qt glue includes no subsystem,
// and no file pair (foo.h with foo.cpp) reaches itself through its includes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace fs = std::filesystem;

TEST(Layers, IncludesRunOneWayAndTheGlueKnowsNoSubsystem) {
    const fs::path src = fs::path(ZENTU_EXAMPLES_DIR).parent_path() / "src";
    std::map<std::string, std::set<std::string>> graph;  // "editor/st_dialog" -> its includes
    const std::regex include(
        R"(^\s*#\s*include\s*"((app|editor|framework|model|output|platform|quiz|exchange|list)/[^"]+)\.h")");
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
        std::string pair = entry.path().lexically_relative(src).replace_extension().string();
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch found;
            if (std::regex_search(line, found, include) && found[1] != pair) {
                graph[pair].insert(found[1]);
            }
        }
    }
    ASSERT_GT(graph.size(), 20u) << src;
    // The glue knows no feature: a framework file includes only the layers below it.
    for (const auto& [file, includes] : graph) {
        if (file.rfind("framework/", 0) != 0) continue;
        for (const std::string& named : includes) {
            const std::string layer = named.substr(0, named.find('/'));
            EXPECT_TRUE(layer == "framework" || layer == "model" || layer == "platform")
                << file << " includes " << named;
        }
    }
    std::map<std::string, int> state;  // 1: on the walk's path, 2: done
    std::function<void(const std::string&)> visit = [&](const std::string& file) {
        state[file] = 1;
        for (const std::string& next : graph[file]) {
            EXPECT_NE(state[next], 1) << "include circle through " << file << " and " << next;
            if (state[next] == 0) visit(next);
        }
        state[file] = 2;
    };
    for (const auto& entry : graph) {
        if (state[entry.first] == 0) visit(entry.first);
    }
}
