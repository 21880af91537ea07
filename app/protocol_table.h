// The IRP protocol table the program works with: the shipped table, found
// beside the program or in share/quorvel/, then the user's protocol files.
#pragma once

#include "irp/irp.h"

#include <string>
#include <vector>

namespace qv {

// One thing loading said: a user protocol that replaced one of the same
// name, a row that could not be read, a table that was not found.
struct ProtocolLoadLine {
    bool warning = false;
    std::string text;
};

// Adds the shipped table to `table`.
std::vector<ProtocolLoadLine> loadShippedProtocols(irp::ProtocolTable& table);

// Adds a user file (the table's tab-separated form or the public database's
// XML). False when the file cannot be read at all: nothing of it is added
// and the last line says why.
bool loadProtocolFile(irp::ProtocolTable& table, const std::string& file,
                      std::vector<ProtocolLoadLine>& said);

// The user's protocol files, one path a line ('#' lines and blank ones
// left out); none when the list file is missing.
std::vector<std::string> readProtocolFileList(const std::string& listFile);
// False when the list cannot be written.
bool writeProtocolFileList(const std::string& listFile, const std::vector<std::string>& files);

// The table the window works with: the shipped one, then the user's
// protocol files; loaded at the first use.
const irp::ProtocolTable& protocolTable();
// Counts the loads of the table: a view that keeps what it worked out from
// the table compares it.
int protocolTableGeneration();
// The user's protocol files in use, in order.
const std::vector<std::string>& protocolFiles();
// Loads the table again with these user files in order (a file that cannot
// be read is left out) and keeps them in the list file, when one is set.
// What loading said, one line each.
std::vector<std::string> useProtocolFiles(const std::vector<std::string>& files);
// The list file the user's protocol files are kept in between runs; the
// files it names are loaded at once (see useProtocolFiles).
std::vector<std::string> keepProtocolFilesIn(const std::string& listFile);

} // namespace qv
