// zentu-convert without its main(): the command line, the formats chosen by extension,
// and the exit status. Messages go to `err` as UTF-8, the help and version to `out`.
#pragma once

#include <string>
#include <vector>

// Exit statuses: done, bad input or output (nothing written), wrong command line.
constexpr int kConvertDone = 0;
constexpr int kConvertFailed = 1;
constexpr int kConvertUsage = 2;

// `args` without the program's name; `version` is what --version shows.
int RunConverter(const std::vector<std::string>& args, const std::string& version, std::string& out,
                 std::string& err);
