// Feeds arbitrary bytes to the JPEG header reader and the marker readers. The
// reader must never read outside the bytes, and what it accepts must be an
// embeddable picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "CreatePDF.h"
#include "JpegHeader.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Most inputs the fuzzer makes are short: give them the end markers and the
  // minimum size, so that the walk itself is reached.
  std::vector<uint8_t> bytes(data, data + size);
  if (size > 0 && (data[0] & 1) && bytes.size() < kJpegMinimumSize + 2) {
    bytes.insert(bytes.begin(), {0xFF, 0xD8});
    bytes.resize(kJpegMinimumSize, 0);
    bytes.insert(bytes.end(), {0xFF, 0xD9});
  }
  JpegHeader header;
  if (PDFReadJpegHeader(bytes, header) == JpegVerdict::Accepted) {
    Require(header.Width > 0 && header.Height > 0);
    Require(header.ColorSpace == "DeviceGray" || header.ColorSpace == "DeviceRGB" ||
            header.ColorSpace == "DeviceCMYK");
    Require(header.BitsPerComponent == 8);
  }
  // The marker readers at positions around and beyond both ends.
  const auto n = static_cast<int32_t>(bytes.size());
  for (const int32_t p : {-1, 0, 1, n - 1, n, n + 1}) {
    const std::string marker = CreatePDF::PDFJpegMarker(bytes, p);
    const int32_t word = CreatePDF::PDFJpegWord(bytes, p);
    Require(marker.empty() == (word < 0));
    Require(marker.empty() || marker.size() == 4);
  }
  return 0;
}
