// The settings file batchs.ini that the front end shares with the engine:
// 28 lines, fourteen questions each followed by its answer.
#pragma once

#include <array>
#include <string_view>

namespace corrivex::settings {

inline constexpr std::string_view kSettingsFileName = "batchs.ini";
inline constexpr int kSettingsLines = 28;
inline constexpr int kBatchModeLine = 2;
inline constexpr int kCoursePathLine = 28;

// The default contents, line by line, in file order.
extern const std::array<std::string_view, kSettingsLines> kDefaultSettings;

// Writes the default batchs.ini in the current directory, whole or not at
// all, unless an entry of that name exists; an existing file (also a hidden
// or system one, or anything else of that name) is never touched.
void writeDefaultSettings();

}  // namespace corrivex::settings
