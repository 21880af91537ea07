// The catalogue of formats: one table of rows keyed by format.
#pragma once

#include "platform/table_cursor.h"

#include <memory>
#include <string>
#include <string_view>

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
// A file without the column "Quirks" gets it (see addQuirksColumn) before
// its rows are read.
std::unique_ptr<TableCursor> openCatalogue(const std::string& path);

// The column of what a row reads in its own way: named quirks split by
// commas ("start-one, code-rc5"); empty for a row read by its fields alone.
// engine/row_quirks.h tells what each word does.
inline constexpr const char* kQuirksColumn = "Quirks";

// The quirks of a shipped row ("" for a row without any): the one list of
// them, written into every file made or opened without the column.
std::string_view shippedQuirks(std::string_view key);

// Adds the column "Quirks" to table Type unless it is there, with the
// shipped rows' quirks, in one transaction. Throws DatabaseError when the
// file cannot take it.
void addQuirksColumn(Database& db);

} // namespace qv
