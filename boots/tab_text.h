// Tab-separated text as spreadsheets copy and paste it: rows on lines, fields between tabs, a
// field holding a tab, a line end or a quote in quotes with its quotes doubled.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace boots {

// `fields` as one line (no line end), quoted where they need it.
std::string tabLine(const std::vector<std::string>& fields);

// The rows and fields of `text`: quoted fields may hold tabs, line ends (LF, CRLF or CR) and
// doubled quotes; the line end after the last row is not a row of its own. An empty text is one
// row of one empty field.
std::vector<std::vector<std::string>> tabRows(std::string_view text);

} // namespace boots
