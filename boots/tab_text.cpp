#include "boots/tab_text.h"

namespace boots {

std::string tabLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += '\t';
        const std::string& field = fields[i];
        if (field.find_first_of("\t\r\n\"") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field) {
            if (c == '"')
                line += '"';
            line += c;
        }
        line += '"';
    }
    return line;
}

std::vector<std::vector<std::string>> tabRows(std::string_view text) {
    std::vector<std::vector<std::string>> rows{{std::string()}};
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c != '"')
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else
                quoted = false;
        } else if (c == '"' && field.empty()) {
            quoted = true;
        } else if (c == '\t') {
            rows.back().emplace_back();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            rows.push_back({std::string()});
        } else {
            field += c;
        }
    }
    if (rows.size() > 1 && rows.back() == std::vector<std::string>{std::string()})
        rows.pop_back();
    return rows;
}

} // namespace boots
