#pragma once
#include "platform/Surface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Image files in and out. `name` is the file or resource the bytes came from, for error messages: a malformed
// or truncated image raises EInvalidGraphic naming it and never reads outside `bytes`.
TSurface DecodeBMP(std::span<const uint8_t> bytes, const std::string& name);
std::vector<uint8_t> EncodeBMP(const TSurface& surface); // 24-bit, bottom-up
TSurface DecodePNG(std::span<const uint8_t> bytes, const std::string& name);
std::vector<uint8_t> EncodePNG(const TSurface& surface);
// Either format, told apart by its signature.
TSurface DecodeImage(std::span<const uint8_t> bytes, const std::string& name);
// The size an image's headers give, after every check of them that DecodeImage makes (raising what it raises),
// when decoding its pixels cannot fail; nullopt when only decoding tells (a PNG, or a BMP whose palette is
// shorter than its pixels can index).
std::optional<TSize> SoundImageSize(std::span<const uint8_t> bytes, const std::string& name);

TSurface LoadImageFile(const std::string& path); // EFOpenError when the file cannot be read
void SaveBMPFile(const TSurface& surface, const std::string& path); // EFCreateError when it cannot be written
void SavePNGFile(const TSurface& surface, const std::string& path);
