// The JPEG header reader on pictures made by libjpeg and on hand-built, truncated
// and corrupted files.
#include <gtest/gtest.h>

#include "CreatePDF.h"
#include "JpegHeader.h"
#include "JpegMaker.h"

namespace {

JpegVerdict Read(const std::vector<uint8_t>& bytes, JpegHeader& header) {
  return PDFReadJpegHeader(bytes, header);
}

TEST(JpegMarkers, ReadTwoBytesFromPositionOne) {
  const std::vector<uint8_t> b{0xFF, 0xD8, 0x0A, 0xC0, 0x01};
  EXPECT_EQ(CreatePDF::PDFJpegMarker(b, 1), "FFD8");
  EXPECT_EQ(CreatePDF::PDFJpegMarker(b, 3), "0AC0");
  EXPECT_EQ(CreatePDF::PDFJpegWord(b, 1), 0xFFD8);
  EXPECT_EQ(CreatePDF::PDFJpegWord(b, 4), 0xC001);
  // Outside the bytes nothing is read.
  EXPECT_EQ(CreatePDF::PDFJpegMarker(b, 5), "");
  EXPECT_EQ(CreatePDF::PDFJpegMarker(b, 0), "");
  EXPECT_EQ(CreatePDF::PDFJpegMarker(b, INT32_MAX), "");
  EXPECT_EQ(CreatePDF::PDFJpegWord(b, 5), -1);
  EXPECT_EQ(CreatePDF::PDFJpegWord(b, -3), -1);
  EXPECT_EQ(CreatePDF::PDFJpegWord({}, 1), -1);
}

TEST(JpegHeaderReader, ColourSpacesOfLibjpegPictures) {
  struct Case {
    int components;
    const char* colorSpace;
  };
  for (const Case c : {Case{1, "DeviceGray"}, Case{3, "DeviceRGB"}, Case{4, "DeviceCMYK"}}) {
    SCOPED_TRACE(c.components);
    JpegHeader h;
    ASSERT_EQ(Read(MakeJpeg({.width = 400, .height = 300, .components = c.components}), h),
              JpegVerdict::Accepted);
    EXPECT_EQ(h.Width, 400);
    EXPECT_EQ(h.Height, 300);
    EXPECT_EQ(h.ColorSpace, c.colorSpace);
    EXPECT_EQ(h.BitsPerComponent, 8);
  }
  JpegHeader progressive;
  ASSERT_EQ(Read(MakeJpeg({.width = 33, .height = 17, .progressive = true}), progressive),
            JpegVerdict::Accepted);
  EXPECT_EQ(progressive.Width, 33);
  EXPECT_EQ(progressive.Height, 17);
}

TEST(JpegHeaderReader, DensityUnitsFromTheJfifHeader) {
  const char* names[] = {"Dots", "Dots/inch (DPI)", "Dots/cm"};
  for (int unit = 0; unit <= 2; ++unit) {
    JpegHeader h;
    ASSERT_EQ(Read(MakeJpeg({.components = 1, .densityUnit = unit}), h), JpegVerdict::Accepted);
    EXPECT_EQ(h.DensityUnit, names[unit]);
  }
  JpegHeader cmyk;  // libjpeg writes no JFIF header for CMYK
  ASSERT_EQ(Read(MakeJpeg({.components = 4}), cmyk), JpegVerdict::Accepted);
  EXPECT_EQ(cmyk.DensityUnit, "");

  JpegHeader bad;
  EXPECT_EQ(
      Read(JpegFile({JpegSegment(0xE0, JfifPayload(3)), JpegSegment(0xC0, FramePayload(8, 8, 3))}),
           bad),
      JpegVerdict::BadDensityUnit);
  EXPECT_EQ(bad.RejectedDensityUnit, 3);

  // A JFXX extension segment is an APP0 segment without density: skipped.
  JpegHeader jfxx;
  EXPECT_EQ(Read(JpegFile({JpegSegment(0xE0, JfifPayload(1)),
                           JpegSegment(0xE0, {'J', 'F', 'X', 'X', 0, 0x10, 0xFF, 0xD8, 0xFF, 0xD9}),
                           JpegSegment(0xC0, FramePayload(8, 9, 3))}),
                 jfxx),
            JpegVerdict::Accepted);
  EXPECT_EQ(jfxx.Height, 9);
}

TEST(JpegHeaderReader, WalkStopsAtTheStartOfScan) {
  // Scan bytes that read like a frame header and a JFIF header with a bad unit
  // must not be taken for markers.
  std::vector<uint8_t> b = JpegFile({JpegSegment(0xC0, FramePayload(64, 48, 3))}, 0);
  b.resize(b.size() - 2);  // drop the end marker, then append "scan data"
  const auto fakeFrame = JpegSegment(0xC0, FramePayload(9999, 1, 1));
  const auto fakeJfif = JpegSegment(0xE0, JfifPayload(7));
  b.insert(b.end(), fakeFrame.begin(), fakeFrame.end());
  b.insert(b.end(), fakeJfif.begin(), fakeJfif.end());
  b.resize(400, 0x55);
  b.insert(b.end(), {0xFF, 0xD9});
  JpegHeader h;
  ASSERT_EQ(Read(b, h), JpegVerdict::Accepted);
  EXPECT_EQ(h.Width, 64);
  EXPECT_EQ(h.Height, 48);
  EXPECT_EQ(h.ColorSpace, "DeviceRGB");
}

TEST(JpegHeaderReader, FillBytesBeforeAMarker) {
  std::vector<uint8_t> fill{0xFF, 0xFF, 0xFF};
  auto frame = JpegSegment(0xC2, FramePayload(21, 13, 1));
  frame.erase(frame.begin());  // the last fill byte is the frame marker's own FF
  fill.insert(fill.end(), frame.begin(), frame.end());
  JpegHeader h;
  ASSERT_EQ(Read(JpegFile({JpegSegment(0xE0, JfifPayload(0)), fill}), h), JpegVerdict::Accepted);
  EXPECT_EQ(h.Width, 21);
  EXPECT_EQ(h.ColorSpace, "DeviceGray");
}

TEST(JpegHeaderReader, RefusesFilesItCannotEmbed) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    JpegVerdict verdict;
  };
  const auto frame = JpegSegment(0xC0, FramePayload(8, 8, 3));
  std::vector<uint8_t> noEnd = JpegFile({frame});
  noEnd.back() = 0xD8;
  std::vector<uint8_t> noStart = JpegFile({frame});
  noStart[1] = 0xD9;
  std::vector<uint8_t> runsPastEnd{0xFF, 0xD8};
  runsPastEnd.insert(runsPastEnd.end(), frame.begin(), frame.end());
  runsPastEnd.insert(runsPastEnd.end(), {0xFF, 0xE1, 0x7F, 0xFF});
  runsPastEnd.resize(300, 0);
  runsPastEnd.insert(runsPastEnd.end(), {0xFF, 0xD9});
  auto shortFile = JpegFile({frame}, 0);
  const Case cases[] = {
      {"249 bytes", JpegFile({frame}, 249), JpegVerdict::NotJpeg},
      {"shorter still", shortFile, JpegVerdict::NotJpeg},
      {"no end marker", noEnd, JpegVerdict::BadEndMarkers},
      {"no start marker", noStart, JpegVerdict::BadEndMarkers},
      {"no frame header", JpegFile({JpegSegment(0xE0, JfifPayload(1))}), JpegVerdict::NotJpeg},
      {"Huffman table only", JpegFile({JpegSegment(0xC4, {0, 1, 2, 3})}), JpegVerdict::NotJpeg},
      {"two components", JpegFile({JpegSegment(0xC0, FramePayload(8, 8, 2))}),
       JpegVerdict::NotJpeg},
      {"zero width", JpegFile({JpegSegment(0xC0, FramePayload(0, 8, 3))}), JpegVerdict::NotJpeg},
      {"zero height", JpegFile({JpegSegment(0xC0, FramePayload(8, 0, 1))}), JpegVerdict::NotJpeg},
      {"frame header cut short", JpegFile({JpegSegment(0xC0, {8, 0, 8, 0, 8})}),
       JpegVerdict::NotJpeg},
      {"segment length 0", JpegFile({{0xFF, 0xE1, 0x00, 0x00}, frame}), JpegVerdict::NotJpeg},
      {"segment length 1", JpegFile({{0xFF, 0xE1, 0x00, 0x01}, frame}), JpegVerdict::NotJpeg},
      {"segment past the end", runsPastEnd, JpegVerdict::NotJpeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    JpegHeader h;
    EXPECT_EQ(Read(c.bytes, h), c.verdict);
  }
  JpegHeader h;
  EXPECT_EQ(Read(JpegFile({frame}, 250), h), JpegVerdict::Accepted);  // 250 bytes is enough
}

// Every truncation of a real picture, closed by an end marker, and every single
// byte of its headers overwritten: the reader refuses or accepts, and never reads
// outside the bytes (the sanitizer build checks that).
TEST(JpegHeaderReader, TruncatedAndCorruptedPicturesNeverCrash) {
  const std::vector<uint8_t> good = MakeJpeg({.width = 120, .height = 90, .components = 3});
  // The frame header's end and the start of scan, found by walking libjpeg's segments.
  std::size_t frameEnd = 0, scanStart = 0;
  for (std::size_t i = 2; i + 3 < good.size(); i += 2 + good[i + 2] * 256u + good[i + 3]) {
    if (good[i + 1] == 0xC0) frameEnd = i + 2 + good[i + 2] * 256u + good[i + 3];
    if (good[i + 1] == 0xDA) {
      scanStart = i;
      break;
    }
  }
  ASSERT_GT(frameEnd, 0u);
  ASSERT_GT(scanStart, frameEnd);
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    std::vector<uint8_t> b(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(cut));
    b.insert(b.end(), {0xFF, 0xD9});
    JpegHeader h;
    const JpegVerdict v = Read(b, h);
    if (cut < frameEnd) {
      EXPECT_NE(v, JpegVerdict::Accepted) << "cut at " << cut;
    }
  }
  for (std::size_t i = 0; i < scanStart + 12; ++i) {
    for (const uint8_t value : {0x00, 0x01, 0x7F, 0xC0, 0xDA, 0xD9, 0xFF}) {
      std::vector<uint8_t> b = good;
      b[i] = value;
      JpegHeader h;
      if (Read(b, h) == JpegVerdict::Accepted) {
        EXPECT_GT(h.Width, 0);
        EXPECT_GT(h.Height, 0);
        EXPECT_FALSE(h.ColorSpace.empty());
      }
    }
  }
}

}  // namespace
