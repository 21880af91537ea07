#include "irp/irp.h"

namespace qv::irp {

namespace {
[[noreturn]] void notBuilt() {
    throw std::logic_error("not built yet");
}
} // namespace

ParseError::ParseError(size_t pos, std::string exp)
    : std::runtime_error("at " + std::to_string(pos) + ": expected " + exp), position(pos),
      expected(std::move(exp)) {}

RenderError::RenderError(Kind k, std::string param, const std::string& message)
    : std::runtime_error(message), kind(k), parameter(std::move(param)) {}

Params::Params(std::initializer_list<std::pair<std::string, int64_t>> values) {
    for (auto& [n, v] : values)
        set(n, v);
}
void Params::set(std::string_view name, int64_t value) {
    for (auto& [n, v] : m_values)
        if (n == name) {
            v = value;
            return;
        }
    m_values.emplace_back(std::string(name), value);
}
std::optional<int64_t> Params::get(std::string_view name) const {
    for (auto& [n, v] : m_values)
        if (n == name) return v;
    return std::nullopt;
}

Params parseParams(std::string_view) {
    notBuilt();
}
std::string formatParams(const Params&) {
    notBuilt();
}
Protocol::Protocol() = default;
double Protocol::carrierHz() const {
    notBuilt();
}
double Protocol::unitUs() const {
    notBuilt();
}
bool Protocol::msbFirst() const {
    notBuilt();
}
std::optional<double> Protocol::dutyCycle() const {
    notBuilt();
}
const std::vector<ParameterSpec>& Protocol::parameters() const {
    notBuilt();
}
bool Protocol::hasRepeat() const {
    notBuilt();
}
const std::string& Protocol::text() const {
    notBuilt();
}
Protocol parse(std::string_view) {
    notBuilt();
}
std::vector<int64_t> Rendered::press(int) const {
    notBuilt();
}
Rendered render(const Protocol&, const Params&, const RenderOptions&) {
    notBuilt();
}
struct ProtocolTable::Compiled {};
ProtocolTable::ProtocolTable() : m_compiled(std::make_unique<Compiled>()) {}
ProtocolTable::~ProtocolTable() = default;
ProtocolTable::ProtocolTable(ProtocolTable&&) noexcept = default;
ProtocolTable& ProtocolTable::operator=(ProtocolTable&&) noexcept = default;
LoadReport ProtocolTable::addFile(const std::string&) {
    notBuilt();
}
LoadReport ProtocolTable::addTsv(std::string_view, const std::string&) {
    notBuilt();
}
LoadReport ProtocolTable::addXml(std::string_view, const std::string&) {
    notBuilt();
}
LoadReport ProtocolTable::add(NamedProtocol) {
    notBuilt();
}
const NamedProtocol* ProtocolTable::find(std::string_view) const {
    notBuilt();
}
size_t ProtocolTable::size() const {
    notBuilt();
}
const NamedProtocol& ProtocolTable::operator[](size_t) const {
    notBuilt();
}
const ProtocolTable::Compiled& ProtocolTable::compiled() const {
    return *m_compiled;
}
std::vector<Decode> decode(const ProtocolTable&, std::span<const int64_t>, const DecodeOptions&) {
    notBuilt();
}
std::string describe(const Decode&) {
    notBuilt();
}

} // namespace qv::irp
