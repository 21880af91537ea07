// The one capture-file reader on any file: the first byte picks what lies
// at the path (a receiver message, each text kind, a folder, a device), the
// rest is the file. Whatever it is, the reader refuses it by name or reads
// it; a file read is loaded as written unless the reader said what changed.
#include "app/session.h"
#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "app/capture_loader.h"
#include "capture/capture_formats.h"
#include "capture/capture_reader.h"

#include <filesystem>
#include <fstream>

namespace qvfuzz {

namespace {

enum class Lies { File, Folder, Device };
struct Kind {
    const char* ending;
    Lies lies;
};
constexpr Kind kKinds[] = {{".bin", Lies::File},   {".txt", Lies::File},    {".raw", Lies::File},
                           {".mode2", Lies::File}, {".pronto", Lies::File}, {".bin", Lies::Folder},
                           {".txt", Lies::Device}};

} // namespace

int captureFile(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const Kind kind = kKinds[data[0] % std::size(kKinds)];
    const std::string path = workDir() + "/capture" + kind.ending;
    namespace fs = std::filesystem;
    for (const char* ending : {".bin", ".txt", ".raw", ".mode2", ".pronto"})
        fs::remove_all(workDir() + "/capture" + ending);
    const std::string content(reinterpret_cast<const char*>(data) + 1, size - 1);
    if (kind.lies == Lies::Folder)
        fs::create_directory(path);
    else if (kind.lies == Lies::Device)
        fs::create_symlink("/dev/zero", path);
    else
        std::ofstream(path, std::ios::binary) << content;

    qv::CaptureFile file;
    try {
        file = qv::readCapture(path);
    } catch (const qv::CaptureFormatError& e) {
        require(std::string(e.what()).rfind(path + ": ", 0) == 0,
                std::string("a refusal that does not name the file: ") + e.what());
        return 0;
    }
    require(kind.lies == Lies::File, "a folder or a device was read as a capture");
    if (file.times.empty()) {
        require(std::string(file.message.begin(), file.message.end()) == content,
                "a receiver message was not read byte for byte");
        return 0;
    }

    qv::MemoryPort port;
    port.receive(file.message);
    qv::Session s;
    s.env.port = &port;
    require(qv::loadCapture(s), "a text capture gave a message too short to load");
    if (!file.changes.empty()) return 0;
    std::vector<int64_t> read = file.times;
    if (read.size() % 2 == 0) read.pop_back(); // the gap after the last burst is not received
    const std::vector<int64_t> loaded = qv::captureTimes(s.TTable);
    require(loaded == read, "the capture record does not hold the " + std::to_string(read.size()) +
                                " times read (it holds " + std::to_string(loaded.size()) +
                                "), and nothing was said");
    return 0;
}

} // namespace qvfuzz
