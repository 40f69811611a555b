// Test pictures: real JPEG files made with libjpeg, and hand-built marker segments for
// the files libjpeg will not write.
#pragma once

#include <jpeglib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

struct JpegPicture {
  int width = 40;
  int height = 30;
  int components = 3;   // 1 grey, 3 RGB, 4 CMYK
  int densityUnit = 1;  // written in the JFIF header (grey and RGB only)
  bool progressive = false;
};

// Encodes a picture with stripes and a gradient, so that each colour space shows.
inline std::vector<uint8_t> MakeJpeg(const JpegPicture& picture) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(picture.width);
  cinfo.image_height = static_cast<JDIMENSION>(picture.height);
  cinfo.input_components = picture.components;
  cinfo.in_color_space = picture.components == 1   ? JCS_GRAYSCALE
                         : picture.components == 4 ? JCS_CMYK
                                                   : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  cinfo.density_unit = static_cast<UINT8>(picture.densityUnit);
  if (picture.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.width * picture.components));
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = static_cast<int>(cinfo.next_scanline);
    for (std::size_t i = 0; i < row.size(); ++i) {
      const int x = static_cast<int>(i) / picture.components,
                c = static_cast<int>(i) % picture.components;
      const bool stripe = ((x / 8) % picture.components) == c;
      row[i] =
          static_cast<JSAMPLE>(stripe ? 255 - (y * 128 / picture.height) : x * 64 / picture.width);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return bytes;
}

// A marker segment: FF, the code, the big-endian length (counting itself), the payload.
inline std::vector<uint8_t> JpegSegment(uint8_t code, const std::vector<uint8_t>& payload) {
  const std::size_t length = payload.size() + 2;
  // Sized once and filled: appending to a four-byte vector makes GCC 12 at -O3 report a
  // false -Warray-bounds in the inlined reallocation.
  std::vector<uint8_t> s(2 + length);
  s[0] = 0xFF;
  s[1] = code;
  s[2] = static_cast<uint8_t>(length >> 8);
  s[3] = static_cast<uint8_t>(length & 0xFF);
  std::copy(payload.begin(), payload.end(), s.begin() + 4);
  return s;
}

// The payload of a baseline frame header: precision 8, height, width, components.
inline std::vector<uint8_t> FramePayload(int width, int height, int components) {
  std::vector<uint8_t> p{8,
                         static_cast<uint8_t>(height >> 8),
                         static_cast<uint8_t>(height),
                         static_cast<uint8_t>(width >> 8),
                         static_cast<uint8_t>(width),
                         static_cast<uint8_t>(components)};
  for (int c = 1; c <= components; ++c) p.insert(p.end(), {static_cast<uint8_t>(c), 0x11, 0});
  return p;
}

// The payload of a JFIF header with the given density unit.
inline std::vector<uint8_t> JfifPayload(int unit) {
  return {'J', 'F', 'I', 'F', 0, 1, 1, static_cast<uint8_t>(unit), 0, 72, 0, 72, 0, 0};
}

// Start of image, the parts, a one-component scan header and zeros up to `minimumSize`,
// end of image.
inline std::vector<uint8_t> JpegFile(const std::vector<std::vector<uint8_t>>& parts,
                                     std::size_t minimumSize = 300) {
  std::vector<uint8_t> b{0xFF, 0xD8};
  for (const auto& part : parts) b.insert(b.end(), part.begin(), part.end());
  const auto scan = JpegSegment(0xDA, {1, 1, 0x00, 0, 63, 0});
  b.insert(b.end(), scan.begin(), scan.end());
  if (b.size() + 2 < minimumSize) b.resize(minimumSize - 2, 0);
  b.insert(b.end(), {0xFF, 0xD9});
  return b;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file " + path);
}
