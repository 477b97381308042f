#include "primitives/temporary_name.h"

#include <charconv>
#include <string>
#include <string_view>

#include "primitives/characters.h"

namespace corrivex::temporary {
namespace {

// A number as std::to_string writes it: digits only, no sign, no leading
// zero, no more than fits.
template <class Number>
std::optional<Number> numberOf(std::string_view digits) {
    if (digits.empty() || (digits.size() > 1 && digits.front() == '0')) return std::nullopt;
    Number number{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return number;
}

}  // namespace

std::size_t entryStart(const Text& name) {
#ifdef _WIN32
    const std::size_t separator = findLastCharacterOf(name, "\\/:");
#else
    const std::size_t separator = name.rfind('/');
#endif
    return separator == Text::npos ? 0 : separator + 1;
}

Text commonStart(const Text& entry) { return "." + entry + "."; }

Text nameFor(const Text& name, ProcessId owner, unsigned attempt) {
    const std::size_t start = entryStart(name);
    return name.substr(0, start) + commonStart(name.substr(start)) + std::to_string(owner) + "." +
           std::to_string(attempt);
}

std::optional<ProcessId> ownerOf(const Text& entry, const Text& candidate) {
    const Text start = commonStart(entry);
    if (!candidate.starts_with(start)) return std::nullopt;
    const std::string_view rest = std::string_view(candidate).substr(start.size());
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::optional<ProcessId> owner = numberOf<ProcessId>(rest.substr(0, dot));
    const std::optional<unsigned> attempt = numberOf<unsigned>(rest.substr(dot + 1));
    if (!owner || *owner == 0 || !attempt || *attempt >= kTries) return std::nullopt;
    return owner;
}

}  // namespace corrivex::temporary
