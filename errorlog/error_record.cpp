#include "errorlog/error_record.h"

#include "platform/whole_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace qv {

void ErrorRecord::setPath(std::string path) {
    close();
    m_path = std::move(path);
}

void ErrorRecord::close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    m_appending = false;
}

bool ErrorRecord::stillAppending() const {
    if (!m_appending) return false;
    // Deleted or put aside by the user: append to a new file at the path,
    // as opening it again would.
    struct stat atPath {
    }, open{};
    return ::stat(m_path.c_str(), &atPath) == 0 && ::fstat(fileno(m_file), &open) == 0 &&
           atPath.st_dev == open.st_dev && atPath.st_ino == open.st_ino;
}

void ErrorRecord::openOrThrow(const char* mode) {
    close();
    m_file = std::fopen(m_path.c_str(), mode);
    if (!m_file) throw ErrorRecordError(m_path + ": " + writeFailureText(errno));
}

void ErrorRecord::appendBlock(const std::vector<std::string>& lines, const std::string& lineBreak) {
    // Once per run, not once per capture: the file stays open for appending.
    // A clean capture writes nothing, so it need not look at the path again.
    if (m_appending && lines.empty()) return;
    if (!stillAppending()) {
        openOrThrow("ab");
        std::setvbuf(m_file, nullptr, _IONBF, 0); // a block goes out in one write
        m_appending = true;
    }
    if (lines.empty()) return;
    std::string block;
    for (const auto& line : lines)
        block += line + "\r\n";
    block += lineBreak + "\r\n";
    // All or nothing: a block cut by a full disk would be continued by the
    // next one, so a failed write is cut back to where the file ended.
    std::error_code ec;
    const std::uintmax_t before = std::filesystem::file_size(m_path, ec);
    bool ok = std::fwrite(block.data(), 1, block.size(), m_file) == block.size();
    ok = std::fflush(m_file) == 0 && ok;
    if (!ok) {
        std::string why = writeFailureText(errno);
        close();
        if (!ec) std::filesystem::resize_file(m_path, before, ec);
        throw ErrorRecordError(m_path + ": " + why);
    }
}

std::string ErrorRecord::readAll() {
    close();
    m_file = std::fopen(m_path.c_str(), "rb");
    if (!m_file) return {};
    std::string raw;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, m_file)) > 0)
        raw.append(buf, n);
    // Line by line: a line ends at CR LF, LF or a lone CR; a last line
    // without a break still counts.
    std::string text;
    size_t i = 0;
    while (i < raw.size()) {
        size_t e = raw.find_first_of("\r\n", i);
        if (e == std::string::npos) {
            text += raw.substr(i) + "\r\n";
            break;
        }
        text += raw.substr(i, e - i) + "\r\n";
        i = (raw[e] == '\r' && e + 1 < raw.size() && raw[e + 1] == '\n') ? e + 2 : e + 1;
    }
    return text;
}

void ErrorRecord::clear() {
    // Written beside and renamed: a failed clear keeps the record whole.
    close();
    if (const std::string why = writeFileWhole(m_path, "\r\n"); !why.empty())
        throw ErrorRecordError(m_path + ": " + why);
    openOrThrow("ab"); // the slot stays open, as after any use
}

} // namespace qv
