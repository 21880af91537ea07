// The code lines a clean decode shows, built from the parts of a frame as
// sent: every part's bits followed by a blank on the binary line (a data
// part longer than a byte shown byte by byte), and every part's value in
// hexadecimal followed by a blank on the hexadecimal line.
#pragma once

#include <string>
#include <vector>

namespace lines {

struct Part {
    std::string bits; // in the order they are sent
    bool lsbFirst;    // the part's value takes the first bit as its lowest
    bool data = false;
};

inline Part plain(const std::string& bits, bool lsbFirst) {
    return {bits, lsbFirst, false};
}
inline Part data(const std::string& bits, bool lsbFirst) {
    return {bits, lsbFirst, true};
}

// The value of the bits in hexadecimal, most significant digit first, one
// digit per four bits (the first digit takes the remainder), a blank after
// every second digit.
std::string hexOf(const std::string& bits, bool lsbFirst);

std::string binaryLine(const std::vector<Part>& parts);
std::string hexLine(const std::vector<Part>& parts);

} // namespace lines
