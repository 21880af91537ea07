// One reader a form; signal_set.cpp chooses among them.
#pragma once

#include "exchange/signal_set.h"

#include <string>
#include <string_view>

namespace qv::exchange {

std::vector<NamedSignal> readFlipper(const std::string& path, std::string_view text);
std::vector<NamedSignal> readBroadlink(const std::string& path, std::string_view text);
std::vector<NamedSignal> readSendir(const std::string& path, std::string_view text);
std::vector<NamedSignal> readDumpArrays(const std::string& path, std::string_view text);
std::vector<NamedSignal> readLircd(const std::string& path, std::string_view text);
std::vector<NamedSignal> readGirr(const std::string& path, std::string_view text);
std::vector<NamedSignal> readTasmota(const std::string& path, std::string_view text);
std::vector<NamedSignal> readEspHome(const std::string& path, std::string_view text);
std::vector<NamedSignal> readIrdbCsv(const std::string& path, std::string_view text);

// Broadlink bytes (after base64 or hex) as a signal; throws a bare
// CaptureFormatError saying what was expected.
NamedSignal broadlinkSignal(const std::vector<uint8_t>& bytes);

} // namespace qv::exchange
