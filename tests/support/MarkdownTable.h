#pragma once
// Reads the tables of a Markdown document, so that tests can hold a document's figures against the
// plug-in's own. Cells are split at every '|': the documents read this way escape none.

#include <string>
#include <vector>

using TableRow = std::vector<std::string>;

// The body rows of the first table whose header row has exactly these cells, each row as its cells
// with the blanks around them trimmed. The table ends at the first line that is not a row; without
// such a table the result is empty.
std::vector<TableRow> markdownTable(const std::string& document, const TableRow& header);

// The texts between backticks in a cell, in order and with their blanks kept.
std::vector<std::string> codeSpans(const std::string& cell);
