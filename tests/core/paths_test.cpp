#include "platform/paths.h"
#include "test_support.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qv;
namespace fs = std::filesystem;

TEST(AppFiles, APortableBuildKeepsItsFilesBesideTheProgram) {
    qvtest::TempDir dir;
    const AppFiles f = locateAppFiles(dir.path());
    EXPECT_FALSE(f.installed);
    EXPECT_EQ(f.catalogue, dir.file("IRTime.db"));
    EXPECT_EQ(f.codeDatabase, dir.file("IR_CODE_DB.db"));
    EXPECT_EQ(f.errorRecord, "Error record.txt");
}

namespace {

struct Installed {
    qvtest::TempDir root;
    fs::path prefix{root.path()};
    Installed() {
        fs::create_directories(prefix / "bin");
        fs::create_directories(prefix / "share" / "quorvel");
        std::ofstream(prefix / "share" / "quorvel" / "IRTime.db") << "shipped";
        setenv("XDG_DATA_HOME", root.file("data").c_str(), 1);
    }
    ~Installed() { unsetenv("XDG_DATA_HOME"); }
};

} // namespace

TEST(AppFiles, AnInstalledProgramCopiesTheCatalogueOnceIntoTheUserDataDirectory) {
    Installed in;
    const fs::path& prefix = in.prefix;
    const qvtest::TempDir& root = in.root;

    AppFiles f = locateAppFiles((prefix / "bin").string());
    EXPECT_TRUE(f.installed);
    EXPECT_EQ(f.resources, (prefix / "share" / "quorvel").string());
    EXPECT_EQ(f.catalogue, root.file("data") + "/quorvel/IRTime.db");
    std::string content;
    std::ifstream(f.catalogue) >> content;
    EXPECT_EQ(content, "shipped");

    std::ofstream(f.catalogue) << "edited";
    f = locateAppFiles((prefix / "bin").string());
    std::ifstream(f.catalogue) >> content;
    EXPECT_EQ(content, "edited");
    EXPECT_EQ(f.errorRecord, root.file("data") + "/quorvel/Error record.txt");
}

// The layout decides, not who runs the program: a catalogue beside it is a
// portable build even where the user cannot write (install_test.sh runs
// one as another user).
TEST(AppFiles, ACatalogueBesideTheProgramKeepsItPortableWhoeverRunsIt) {
    Installed in;
    std::ofstream(in.prefix / "bin" / "IRTime.db") << "beside";
    chmod((in.prefix / "bin").c_str(), 0555);
    const AppFiles f = locateAppFiles((in.prefix / "bin").string());
    chmod((in.prefix / "bin").c_str(), 0755);
    EXPECT_FALSE(f.installed);
    EXPECT_EQ(f.catalogue, (in.prefix / "bin" / "IRTime.db").string());
    EXPECT_EQ(f.errorRecord, "Error record.txt");
}
