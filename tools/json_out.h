// Minimal JSON text output for the command-line program: written straight
// to the stream, no text built on the way.
#pragma once

#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

inline std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

inline std::string jsonArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? ", " : "") + jsonString(items[i]);
    return out + "]";
}

inline void writeJsonString(std::FILE* out, std::string_view s) {
    std::fputc('"', out);
    size_t plain = 0; // characters up to here that need no escape
    auto flush = [&](size_t i) {
        std::fwrite(s.data() + plain, 1, i - plain, out);
        plain = i + 1;
    };
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const char* esc = c == '"'    ? "\\\""
                          : c == '\\' ? "\\\\"
                          : c == '\n' ? "\\n"
                          : c == '\r' ? "\\r"
                          : c == '\t' ? "\\t"
                                      : nullptr;
        if (!esc && c >= 0x20) continue;
        flush(i);
        if (esc)
            std::fputs(esc, out);
        else
            std::fprintf(out, "\\u%04x", c);
    }
    flush(s.size());
    std::fputc('"', out);
}

inline void writeJsonArray(std::FILE* out, std::span<const std::string> items) {
    std::fputc('[', out);
    for (size_t i = 0; i < items.size(); ++i) {
        if (i) std::fputs(", ", out);
        writeJsonString(out, items[i]);
    }
    std::fputc(']', out);
}

} // namespace qv
