// Making the catalogue file from its reviewed text source.
#pragma once

#include <string>

namespace qv {

// Creates dbPath from the SQL text in sqlPath, with the column "Quirks" of
// catalogue.h, unless dbPath already exists
// (a user's edited rows are never overwritten). Returns true when it made
// the file. The file appears whole or not at all. Throws DatabaseError.
bool buildCatalogueIfMissing(const std::string& sqlPath, const std::string& dbPath);

} // namespace qv
