// The house's include rules, read from the sources: the Qt glue knows no subsystem, no
// file pair reaches itself through its includes, and the core includes no Qt.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = fs::path(ZENTU_EXAMPLES_DIR).parent_path();

// A source pair (foo.h with foo.cpp) by its path under the root without extension, with
// the pairs it includes; a quoted include names a file under src/ or, for res/, the root.
std::map<std::string, std::set<std::string>> IncludeGraph(std::map<std::string, bool>& usesQt) {
    std::map<std::string, std::set<std::string>> graph;
    const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    for (const char* top : {"src", "res"}) {
        for (const auto& entry : fs::recursive_directory_iterator(kRoot / top)) {
            const std::string extension = entry.path().extension().string();
            if (extension != ".h" && extension != ".cpp") continue;
            fs::path stem = entry.path().lexically_relative(kRoot);
            stem.replace_extension();
            std::set<std::string>& edges = graph[stem.string()];
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                std::smatch found;
                if (!std::regex_search(line, found, include)) continue;
                fs::path named(found[2].str());
                if (found[1] == "<") {
                    usesQt[stem.string()] = usesQt[stem.string()] || named.string()[0] == 'Q';
                    continue;
                }
                named = named.string().rfind("res/", 0) == 0 ? named : fs::path("src") / named;
                named.replace_extension();
                if (named != stem) edges.insert(named.string());
            }
        }
    }
    return graph;
}

// A file is a window or glue file by its name or folder, as the house names them.
bool IsUiFile(const std::string& stem) {
    const std::string name = fs::path(stem).filename().string();
    const auto endsWith = [&](const std::string& tail) {
        return name.size() > tail.size() &&
               name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
    };
    return stem.rfind("src/framework/", 0) == 0 || stem.rfind("src/app/", 0) == 0 ||
           name.rfind("qt_", 0) == 0 || endsWith("_dialog") || endsWith("_window") ||
           stem.rfind("res/", 0) == 0;
}

}  // namespace

TEST(Layers, IncludesRunOneWay) {
    std::map<std::string, bool> usesQt;
    const auto graph = IncludeGraph(usesQt);
    ASSERT_GT(graph.size(), 40u) << kRoot;
    // The Qt print device still lives in the glue until the printing rewrite moves it.
    const std::set<std::string> knownExceptions = {"src/framework/qt_print_device"};
    for (const auto& [file, includes] : graph) {
        for (const std::string& named : includes) {
            EXPECT_TRUE(graph.count(named)) << file << " includes a missing " << named;
            const bool subsystem =
                named.rfind("src/framework/", 0) != 0 && named.rfind("src/model/", 0) != 0 &&
                named.rfind("src/platform/", 0) != 0 && named.rfind("res/", 0) != 0;
            if (file.rfind("src/framework/", 0) == 0 && !knownExceptions.count(file)) {
                EXPECT_FALSE(subsystem) << file << " knows the subsystem file " << named;
            }
            if (!IsUiFile(file)) {
                EXPECT_FALSE(IsUiFile(named) && named.rfind("res/", 0) != 0)
                    << "the core file " << file << " includes " << named;
            }
        }
        if (!IsUiFile(file)) EXPECT_FALSE(usesQt[file]) << "the core file " << file << " uses Qt";
    }

    // No circle: a depth-first walk never meets a pair that is still on its path.
    std::map<std::string, int> state;  // 1: on the path, 2: done
    std::vector<std::string> path;
    std::function<void(const std::string&)> visit = [&](const std::string& file) {
        state[file] = 1;
        path.push_back(file);
        for (const std::string& next : graph.at(file)) {
            if (!graph.count(next)) continue;
            if (state[next] == 1) {
                std::string circle;
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) {
                    circle += *it + " -> ";
                }
                ADD_FAILURE() << "include circle: " << circle << next;
            } else if (state[next] == 0) {
                visit(next);
            }
        }
        path.pop_back();
        state[file] = 2;
    };
    for (const auto& entry : graph) {
        if (state[entry.first] == 0) visit(entry.first);
    }
}
