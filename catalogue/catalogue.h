// The catalogue of formats: one table of rows keyed by format.
#pragma once

#include "platform/table_cursor.h"

#include <memory>
#include <string>

namespace qv {

// Said with every catalogue fault: how to get the shipped catalogue back.
inline constexpr const char* kRestoreCatalogue =
    " (to get the shipped catalogue back, delete the file: see the README, \"The format "
    "catalogue\")";

// Opens the catalogue: table "Type" with its index "idxFormat" on "Format",
// after checking that the table, every column the program reads and the
// index are there.
// Throws DatabaseError naming the file and the database's message.
// Each file is read and checked once and its rows kept in memory: a call
// hands out a cheap copy of them, read again only when the file changed on
// disk; a row written through any copy also goes into the rows kept.
std::unique_ptr<TableCursor> openCatalogue(const std::string& path);

} // namespace qv
