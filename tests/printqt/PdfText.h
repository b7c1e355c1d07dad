// The pages of a PDF as pdftotext -layout reads them, each line with its runs of blanks
// shortened to one and blank lines dropped.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace velmora {

inline std::vector<std::vector<std::string>> PdfPages(const std::string& pdf) {
    const std::string text = pdf + ".txt";
    EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()), 0);
    std::ifstream in(text);
    std::vector<std::vector<std::string>> pages(1);
    for (std::string line; std::getline(in, line);) {
        for (auto at = line.find('\f'); at != std::string::npos; at = line.find('\f')) {
            pages.emplace_back();
            line.erase(0, at + 1);
        }
        line = std::regex_replace(line, std::regex(" +"), " ");
        line = std::regex_replace(line, std::regex("^ | $"), "");
        if (!line.empty()) {
            pages.back().push_back(line);
        }
    }
    pages.pop_back(); // after the last form feed
    std::remove(text.c_str());
    return pages;
}

} // namespace velmora
