#pragma once
// The readers of outside bytes as the fuzz targets drive them, one input at a time. A reader may refuse an
// input with the class library's exception; anything else (a crash, a sanitizer report, another exception)
// is a fault. The regression test replays kept inputs through these same functions.
#include <cstdint>
#include <span>
#include <string>

using TFuzzEntry = void (*)(std::span<const uint8_t> input);

// A theme file read whole, then every image it holds decoded and every value looked up.
void FuzzThemeFile(std::span<const uint8_t> input);
// A layout read by the text reader into a new root of any registered class.
void FuzzLayoutText(std::span<const uint8_t> input);
// A layout read into the main window's class, its fields and handlers bound by name.
void FuzzFormLayout(std::span<const uint8_t> input);
void FuzzBmp(std::span<const uint8_t> input);
void FuzzPng(std::span<const uint8_t> input);
// A statement text through the data layer's translation and reading of single-table SELECTs.
void FuzzStatement(std::span<const uint8_t> input);

// The entry of a target by its name ("theme_file", "layout_text", "form_layout", "bmp", "png",
// "statement"); nullptr for another name.
TFuzzEntry FindFuzzEntry(const std::string& target);
