// The JPEG marker readers and the header walk. Positions in a JPEG file count
// from 1. Nothing here reads outside the bytes it is given, whatever they hold.
#include <climits>

#include "CreatePDF.h"
#include "JpegHeader.h"

namespace {

// The byte at `position` (from 1), or -1 outside the file.
int ByteAt(const std::vector<uint8_t>& bytes, int64_t position) {
  if (position < 1 || position > static_cast<int64_t>(bytes.size())) return -1;
  return bytes[static_cast<std::size_t>(position - 1)];
}

// Frame headers carry the picture's size and component count; FFC4 (Huffman
// tables), FFC8 and FFCC are not frame headers.
bool IsFrameHeader(const std::string& marker) {
  return marker == "FFC0" || marker == "FFC1" || marker == "FFC2" || marker == "FFC3" ||
         marker == "FFC5" || marker == "FFC6" || marker == "FFC7";
}

std::string ColorSpaceOf(int components) {
  switch (components) {
    case 1:
      return "DeviceGray";
    case 3:
      return "DeviceRGB";
    case 4:
      return "DeviceCMYK";
    default:
      return "";
  }
}

// Reads a frame header segment starting at p, `length` bytes long (length field included).
JpegVerdict ReadFrameHeader(const std::vector<uint8_t>& b, int64_t p, int32_t length,
                            JpegHeader& header) {
  if (length < 8) return JpegVerdict::NotJpeg;  // too short to hold size and components
  header.Height = CreatePDF::PDFJpegWord(b, static_cast<int32_t>(p + 5));
  header.Width = CreatePDF::PDFJpegWord(b, static_cast<int32_t>(p + 7));
  header.ColorSpace = ColorSpaceOf(ByteAt(b, p + 9));
  // An image object needs one of the three device colour spaces.
  if (header.ColorSpace.empty()) return JpegVerdict::NotJpeg;
  return JpegVerdict::Accepted;
}

// Reads the density unit of a JFIF header segment; other APP0 segments (JFXX
// extensions, for one) carry no density and are skipped.
JpegVerdict ReadJfifHeader(const std::vector<uint8_t>& b, int64_t p, int32_t length,
                           JpegHeader& header) {
  static const uint8_t kJfif[] = {'J', 'F', 'I', 'F', 0};
  if (length < 10) return JpegVerdict::Accepted;
  for (int i = 0; i < 5; ++i) {
    if (ByteAt(b, p + 4 + i) != kJfif[i]) return JpegVerdict::Accepted;
  }
  const int unit = ByteAt(b, p + 11);
  switch (unit) {
    case 0:
      header.DensityUnit = "Dots";
      break;
    case 1:
      header.DensityUnit = "Dots/inch (DPI)";
      break;
    case 2:
      header.DensityUnit = "Dots/cm";
      break;
    default:
      header.RejectedDensityUnit = unit;
      return JpegVerdict::BadDensityUnit;
  }
  return JpegVerdict::Accepted;
}

}  // namespace

std::string CreatePDF::PDFJpegMarker(const std::vector<uint8_t>& bytes, int32_t position) {
  const int high = ByteAt(bytes, position);
  const int low = ByteAt(bytes, static_cast<int64_t>(position) + 1);
  if (high < 0 || low < 0) return "";  // the marker would lie outside the file
  static const char kHex[] = "0123456789ABCDEF";
  return {kHex[high >> 4], kHex[high & 15], kHex[low >> 4], kHex[low & 15]};
}

int32_t CreatePDF::PDFJpegWord(const std::vector<uint8_t>& bytes, int32_t position) {
  const int high = ByteAt(bytes, position);
  const int low = ByteAt(bytes, static_cast<int64_t>(position) + 1);
  if (high < 0 || low < 0) return -1;  // the word would lie outside the file
  return high * 256 + low;
}

JpegVerdict PDFReadJpegHeader(const std::vector<uint8_t>& b, JpegHeader& header) {
  header = JpegHeader{};
  if (b.size() < kJpegMinimumSize || b.size() > static_cast<std::size_t>(INT32_MAX)) {
    return JpegVerdict::NotJpeg;
  }
  const int64_t size = static_cast<int64_t>(b.size());
  if (CreatePDF::PDFJpegMarker(b, 1) != "FFD8" ||
      CreatePDF::PDFJpegMarker(b, static_cast<int32_t>(size - 1)) != "FFD9") {
    return JpegVerdict::BadEndMarkers;
  }
  bool frameSeen = false;
  int64_t p = 3;
  while (p < size - 1) {
    // Fill bytes before a marker: the marker is the last FF and the byte after it.
    while (ByteAt(b, p) == 0xFF && ByteAt(b, p + 1) == 0xFF) ++p;
    const std::string m = CreatePDF::PDFJpegMarker(b, static_cast<int32_t>(p));
    // The compressed data follows the start of scan; its bytes are not markers.
    if (m.empty() || m == "FFDA" || m == "FFD9") break;
    const int32_t length = CreatePDF::PDFJpegWord(b, static_cast<int32_t>(p + 2));
    // The segment occupies positions p .. p + 1 + length.
    if (length < 2 || p + 1 + length > size) return JpegVerdict::NotJpeg;
    JpegVerdict verdict = JpegVerdict::Accepted;
    if (m == "FFE0") {
      verdict = ReadJfifHeader(b, p, length, header);
    } else if (IsFrameHeader(m)) {
      verdict = ReadFrameHeader(b, p, length, header);
      frameSeen = true;
    }
    if (verdict != JpegVerdict::Accepted) return verdict;
    p += length + 2;
  }
  // Without a frame header, or with a zero size, the picture cannot be placed.
  if (!frameSeen || header.Width <= 0 || header.Height <= 0) return JpegVerdict::NotJpeg;
  return JpegVerdict::Accepted;
}
