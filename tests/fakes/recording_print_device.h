// A PrintDevice for core tests: a printable area of the test's choosing, or no printer,
// and a log of every call, with the characters laid out on pages as the grid puts them.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "output/print_device.h"

class RecordingPrintDevice : public PrintDevice {
  public:
    bool hasPrinter = true;
    PrintableArea area{850, 1090, 100, 100};  // 8.5 x 10.9 inches at 100 pixels per inch

    std::vector<std::string> calls;  // "open", "doc NAME", "start", "end", "enddoc"
    CellGrid grid;
    // Per started page: the characters drawn, by (line, column); later ones overprint.
    std::vector<std::map<std::pair<int, int>, unsigned char>> pages;
    int draws = 0;

    bool OpenDefaultPrinter() override {
        calls.push_back("open");
        return hasPrinter;
    }
    PrintableArea Area() const override { return area; }
    void StartDocument(const std::string& name, const CellGrid& cells) override {
        calls.push_back("doc " + name);
        grid = cells;
    }
    void StartPage() override {
        calls.push_back("start");
        pages.emplace_back();
    }
    void EndPage() override { calls.push_back("end"); }
    void EndDocument() override { calls.push_back("enddoc"); }
    void DrawChar(unsigned char ch, int column, int line) override {
        ++draws;
        pages.back()[{line, column}] = ch;
    }

    // Page `page` as text lines, a space for each empty cell.
    std::vector<std::string> Lines(std::size_t page) const {
        std::vector<std::string> lines;
        for (const auto& [cell, ch] : pages.at(page)) {
            const auto [line, column] = cell;
            if (lines.size() <= static_cast<std::size_t>(line)) lines.resize(line + 1);
            std::string& text = lines[line];
            if (text.size() <= static_cast<std::size_t>(column)) text.resize(column + 1, ' ');
            text[column] = static_cast<char>(ch);
        }
        return lines;
    }
};
