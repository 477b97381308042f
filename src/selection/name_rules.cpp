#include "selection/name_rules.h"

#include <string_view>

#include "primitives/letter_case.h"

namespace corrivex::selection {

namespace {

constexpr std::string_view kExtensions[] = {".DAT", ".TXT"};

}  // namespace

Text upperCased(const Text& name) { return upperCasedName(name); }

Text baseNameOf(const Text& name) {
    const std::string_view view(name);
    for (const std::string_view extension : kExtensions) {
        if (view.ends_with(extension)) return Text(view.substr(0, view.size() - extension.size()));
    }
    return name;
}

bool nameBefore(const Text& a, const Text& b) {
    // std::char_traits<char> compares as unsigned char, and a proper prefix
    // orders first: exactly the name order.
    return std::string_view(a) < std::string_view(b);
}

}  // namespace corrivex::selection
