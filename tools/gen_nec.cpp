// Writes an NEC key press as a text time list: one frame with the 8-bit
// address and command and their inverses, then repeat frames, at a 108 ms
// frame period. Used to make the shipped sample capture.
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: quorvel-gen-nec ADDRESS COMMAND [REPEATS]\n");
        return 2;
    }
    const unsigned address = std::strtoul(argv[1], nullptr, 0) & 0xFF;
    const unsigned command = std::strtoul(argv[2], nullptr, 0) & 0xFF;
    const int repeats = argc > 3 ? std::atoi(argv[3]) : 2;
    const long period = 108000;
    std::vector<long> t = {9000, 4500};
    for (unsigned byte : {address, ~address & 0xFF, command, ~command & 0xFF})
        for (int i = 0; i < 8; ++i) { // least significant bit first
            t.push_back(562);
            t.push_back((byte >> i) & 1 ? 1688 : 562);
        }
    t.push_back(562);
    long used = 0;
    for (long v : t)
        used += v;
    t.push_back(period - used);
    for (int r = 0; r < repeats; ++r) {
        t.insert(t.end(), {9000, 2250, 562});
        t.push_back(period - 9000 - 2250 - 562);
    }
    t.pop_back(); // the signal ends with its last burst
    std::printf("# NEC key press: address 0x%02X, command 0x%02X, %d repeat frame(s)\n", address,
                command, repeats);
    for (size_t i = 0; i < t.size(); i += 2) {
        if (i + 1 < t.size())
            std::printf("%ld %ld\n", t[i], t[i + 1]);
        else
            std::printf("%ld\n", t[i]);
    }
    return 0;
}
