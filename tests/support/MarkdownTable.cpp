#include "tests/support/MarkdownTable.h"

#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// A row is a line that starts and ends with '|'; anything else answers false.
bool readRow(const std::string& line, TableRow& cells) {
    const std::string row = trimmed(line);
    if (row.size() < 2 || row.front() != '|' || row.back() != '|') return false;
    cells.clear();
    std::istringstream parts(row.substr(1, row.size() - 2));
    for (std::string cell; std::getline(parts, cell, '|');)
        cells.push_back(trimmed(cell));
    return true;
}

bool isSeparator(const TableRow& cells) {
    for (const std::string& cell : cells)
        if (cell.empty() || cell.find_first_not_of("-:") != std::string::npos) return false;
    return !cells.empty();
}

} // namespace

std::vector<TableRow> markdownTable(const std::string& document, const TableRow& header) {
    std::istringstream lines(document);
    std::string line;
    TableRow cells;
    while (std::getline(lines, line))
        if (readRow(line, cells) && cells == header) break;
    std::vector<TableRow> rows;
    while (std::getline(lines, line) && readRow(line, cells))
        if (!isSeparator(cells)) rows.push_back(cells);
    return rows;
}

std::vector<std::string> codeSpans(const std::string& cell) {
    std::vector<std::string> spans;
    for (auto open = cell.find('`'); open != std::string::npos; open = cell.find('`', open)) {
        const auto close = cell.find('`', open + 1);
        if (close == std::string::npos) break;
        spans.push_back(cell.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return spans;
}
