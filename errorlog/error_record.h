// "Error record.txt": failed decodes are appended to it as blocks of error
// lines. The program has one shared file slot: every use closes whatever
// was open on it before opening the record again.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

class ErrorRecordError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ErrorRecord {
public:
    explicit ErrorRecord(std::string path = "Error record.txt") : m_path(std::move(path)) {}
    ~ErrorRecord() { close(); }
    ErrorRecord(const ErrorRecord&) = delete;
    ErrorRecord& operator=(const ErrorRecord&) = delete;

    const std::string& path() const { return m_path; }
    void setPath(std::string path);

    // Opens the record for appending (creating it); when lines is not empty
    // writes each as one line, then a line holding lineBreak, so the block is
    // followed by two empty lines. The file stays open for the next block,
    // until a read or a clear.
    // A block is written whole or not at all: a failed append leaves the
    // file as it was and throws ErrorRecordError.
    void appendBlock(const std::vector<std::string>& lines, const std::string& lineBreak = "\r\n");

    // The whole record, each line followed by CR LF; a missing file reads
    // as empty. Leaves the record open for reading.
    std::string readAll();

    // Replaces the contents with one empty line.
    void clear();

    void close();
    bool isOpen() const { return m_file != nullptr; }

private:
    void openOrThrow(const char* mode);
    bool stillAppending() const;
    std::string m_path;
    std::FILE* m_file = nullptr;
    bool m_appending = false; // open for appending to the file at m_path
};

} // namespace qv
