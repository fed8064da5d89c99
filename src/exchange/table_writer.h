// Writing question sets as delimited text that our reader takes back byte for byte.
#pragma once

#include <string>

#include "model/log_font.h"
#include "model/question_set.h"

enum class TableKind { TabSeparated, CommaSeparated };

// The table: UTF-8, header lines for the separator, HTML off, the font line when `font`
// is given, and the eleven columns by name; then one row per question.
std::string FormatTable(const Question_Set& set, const LogFont* font, TableKind kind);
// The same into a file, replaced only once the new one is whole. False on any failure.
bool WriteTableFile(const std::string& path, const Question_Set& set, const LogFont* font,
                    TableKind kind);
