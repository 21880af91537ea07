// The catalogue of formats: one table of rows keyed by format.
#pragma once

#include "platform/table_cursor.h"

#include <memory>
#include <string>

namespace qv {

// Opens the catalogue: table "Type" with its index "idxFormat" on "Format".
// Throws DatabaseError naming the file and the database's message.
std::unique_ptr<TableCursor> openCatalogue(const std::string& path);

} // namespace qv
