// The JPEG header reader: finds, in the bytes of a JPEG file, the few fields an
// image object needs (size in pixels, colour components, density unit). The file
// is not decoded, and it is untrusted input: every read is bounds-checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the reader makes of a file; each refusal matches one of the image messages.
enum class JpegVerdict {
  Accepted,
  NotJpeg,         // too short, a segment running past the end, no usable frame header
  BadEndMarkers,   // does not begin with FFD8 or does not end with FFD9
  BadDensityUnit,  // JFIF density unit other than 0, 1 or 2
};

struct JpegHeader {
  int32_t Width = 0;  // pixels, from the frame header
  int32_t Height = 0;
  std::string ColorSpace;  // "DeviceGray", "DeviceRGB" or "DeviceCMYK"
  int32_t BitsPerComponent = 8;
  std::string DensityUnit;          // "Dots", "Dots/inch (DPI)", "Dots/cm"; empty without JFIF
  int32_t RejectedDensityUnit = 0;  // the unit byte, when the verdict is BadDensityUnit
};

// Smallest file the writer accepts as a picture.
inline constexpr std::size_t kJpegMinimumSize = 250;

// Walks the marker segments of `bytes` from the start-of-image marker up to the
// start-of-scan or end-of-image marker, and fills `header`.
JpegVerdict PDFReadJpegHeader(const std::vector<uint8_t>& bytes, JpegHeader& header);
