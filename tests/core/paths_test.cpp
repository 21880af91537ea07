#include "platform/paths.h"
#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace qv;
namespace fs = std::filesystem;

namespace {

struct Installed {
    qvtest::TempDir root;
    fs::path bin = fs::path(root.path()) / "bin";
    Installed() {
        fs::create_directories(bin);
        fs::create_directories(root.file("share/quorvel"));
        std::ofstream(root.file("share/quorvel/IRTime.db")) << "shipped";
        setenv("XDG_DATA_HOME", root.file("data").c_str(), 1);
    }
    ~Installed() { unsetenv("XDG_DATA_HOME"); }
};

std::string content(const std::string& path) {
    std::string out;
    std::ifstream(path) >> out;
    return out;
}

} // namespace

TEST(AppFiles, AnInstalledProgramCopiesTheCatalogueOnceIntoTheUserDataDirectory) {
    Installed in;
    AppFiles f = locateAppFiles(in.bin.string());
    EXPECT_TRUE(f.installed);
    EXPECT_EQ(f.resources, in.root.file("share/quorvel"));
    EXPECT_EQ(f.catalogue, in.root.file("data") + "/quorvel/IRTime.db");
    EXPECT_EQ(content(f.catalogue), "shipped");
    std::ofstream(f.catalogue) << "edited";
    f = locateAppFiles(in.bin.string());
    EXPECT_EQ(content(f.catalogue), "edited");
    EXPECT_EQ(f.errorRecord, in.root.file("data") + "/quorvel/Error record.txt");
}

// The layout decides, not who runs the program: a catalogue beside it is a
// portable build even where the user cannot write.
TEST(AppFiles, ACatalogueBesideTheProgramKeepsItPortableWhoeverRunsIt) {
    Installed in;
    std::ofstream(in.bin / "IRTime.db") << "beside";
    chmod(in.bin.c_str(), 0555);
    const AppFiles f = locateAppFiles(in.bin.string());
    chmod(in.bin.c_str(), 0755);
    EXPECT_FALSE(f.installed);
    EXPECT_EQ(f.catalogue, (in.bin / "IRTime.db").string());
    EXPECT_EQ(f.codeDatabase, (in.bin / "IR_CODE_DB.db").string());
    EXPECT_EQ(f.errorRecord, "Error record.txt");
}
