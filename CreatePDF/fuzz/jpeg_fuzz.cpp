// The JPEG header and marker readers read nothing outside the bytes and accept only
// embeddable pictures.
#include "CreatePDF.h"
#include "FuzzSupport.h"
#include "JpegHeader.h"

using createpdf::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // Short inputs get the end markers and the minimum size, so that the walk is reached.
  std::vector<uint8_t> bytes(data, data + size);
  if (size > 0 && (data[0] & 1) && bytes.size() < kJpegMinimumSize + 2) {
    bytes.insert(bytes.begin(), {0xFF, 0xD8});
    bytes.resize(kJpegMinimumSize, 0);
    bytes.insert(bytes.end(), {0xFF, 0xD9});
  }
  JpegHeader h;
  if (PDFReadJpegHeader(bytes, h) == JpegVerdict::Accepted) {
    Require(h.Width > 0 && h.Height > 0 && h.BitsPerComponent == 8);
    Require(h.ColorSpace == "DeviceGray" || h.ColorSpace == "DeviceRGB" ||
            h.ColorSpace == "DeviceCMYK");
  }
  const auto n = static_cast<int32_t>(bytes.size());
  for (const int32_t p : {-1, 0, 1, n - 1, n, n + 1}) {
    const std::string marker = CreatePDF::PDFJpegMarker(bytes, p);
    Require(marker.empty() == (CreatePDF::PDFJpegWord(bytes, p) < 0));
    Require(marker.empty() || marker.size() == 4);
  }
  return 0;
}
