// Makes the catalogue file from its SQL source unless the file exists.
#include "catalogue/catalogue_build.h"
#include "platform/table_cursor.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quorvel-mkcatalogue SOURCE.sql IRTime.db\n");
        return 2;
    }
    try {
        if (qv::buildCatalogueIfMissing(argv[1], argv[2])) std::printf("made %s\n", argv[2]);
    } catch (const qv::DatabaseError& e) {
        std::fprintf(stderr, "quorvel-mkcatalogue: %s\n", e.what());
        return 1;
    }
    return 0;
}
