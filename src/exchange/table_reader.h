// Reading question sets from delimited text: tab-separated exports of drill programs,
// spreadsheets' CSV, and the tables our own writer makes.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "exchange/table_format.h"
#include "model/log_font.h"
#include "model/question_set.h"

struct ImportedTable {
    Question_Set questions;
    LogFont font;
    bool fontRead = false;  // the file had a #font: line
};

// The whole file, at most kMaxTableFileBytes. False with the report's problem set
// (OpenFailed or TooLarge) when it cannot be had.
bool ReadTableBytes(const std::string& path, std::string& bytes, ImportReport& report);

// The separator that ParseTable would use for `bytes` without one given: the file's
// #separator header, else tab, semicolon or comma, whichever the first data line holds
// first in that order, else tab.
char DetectSeparator(const std::string& bytes);

// Parses the file's bytes. On success `out` holds every question and the report says
// what was left out; on failure `out` is untouched and the report names the problem and
// its line.
// `progress`, where given, hears now and then how many of the bytes are parsed; when it
// returns false the parse stops as Cancelled.
using TableProgress = std::function<bool(std::size_t done, std::size_t total)>;
bool ParseTable(std::string bytes, const ImportOptions& options, ImportedTable& out,
                ImportReport& report, const TableProgress& progress = {});
bool ReadTableFile(const std::string& path, const ImportOptions& options, ImportedTable& out,
                   ImportReport& report);
