// A PrintDevice for tests: a printable area of the test's choosing, or no printer, and a
// log of the calls, with each page's characters laid out as the grid puts them.
#pragma once

#include <string>
#include <vector>

#include "output/print_device.h"

class RecordingPrintDevice : public PrintDevice {
  public:
    bool hasPrinter = true;
    PrintableArea area{850, 1090, 100, 100};  // 8.5 x 10.9 inches: 136 columns, 60 lines
    JobResult result;                         // what ending the document answers
    std::string file;                         // a file target's name; empty: a printer
    std::vector<std::string> calls;           // open, doc NAME, start, end, enddoc, cancel
    CellGrid grid;
    std::vector<std::vector<std::string>> pages;  // lines of each page, a space per empty cell

    bool OpenPrinter() override { return calls.push_back("open"), hasPrinter; }
    bool PrintsToFile() const override { return !file.empty(); }
    std::string OutputFile() const override { return file; }
    void SetOutputFile(const std::string& path) override { file = path; }
    PrintableArea Area() const override { return area; }
    void StartDocument(const std::string& name, const CellGrid& cells) override {
        calls.push_back("doc " + name);
        grid = cells;
    }
    void StartPage() override { calls.push_back("start"), pages.emplace_back(); }
    void EndPage() override { calls.push_back("end"); }
    JobResult EndDocument() override { return calls.push_back("enddoc"), result; }
    void CancelDocument() override { calls.push_back("cancel"); }
    void DrawChar(unsigned char ch, int column, int line) override {
        std::vector<std::string>& page = pages.back();
        if (page.size() <= std::size_t(line)) page.resize(line + 1);
        if (page[line].size() <= std::size_t(column)) page[line].resize(column + 1, ' ');
        page[line][column] = char(ch);  // a later character overprints
    }
    // The pages as text: lines end in LF, pages in FF; a page's trailing empty lines are lost.
    std::string Text() const {
        std::string text;
        for (const auto& page : pages) {
            for (const std::string& line : page) text += line + "\n";
            text += "\f";
        }
        return text;
    }
};
