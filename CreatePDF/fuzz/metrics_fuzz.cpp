// Feeds arbitrary bytes to the metrics-file reader and measures text with what it read.
// The input is the file gPDFFonts.ini up to its first NUL byte; what follows is the text
// to measure (any bytes: the writer takes UTF-8 and falls back per character). Widths
// must be finite, add up over the parts of a text, and equal those of a fresh read of
// the same file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "CreatePDF.h"
#include "FuzzSupport.h"

namespace {

using createpdf::fuzz::Require;

const char* const kFontNames[] = {"Helvetica", "HelveticaBold", "CourierOblique", "TimesRoman",
                                  "Symbol",    "ZapfDingbats",  "helvetica",      ""};

void WriteMetricsFile(const std::filesystem::path& folder, const std::string& bytes) {
  std::ofstream out(folder / "gPDFFonts.ini", std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) std::abort();  // the harness failed, not the reader
}

bool Close(double a, double b) {
  return std::fabs(a - b) <= 1e-9 * std::max({1.0, std::fabs(a), std::fabs(b)});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const createpdf::fuzz::FuzzFolder config("metrics");
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  WriteMetricsFile(config.Path(), input.substr(0, split));
  const std::string text = split < input.size() ? input.substr(split + 1) : "A0 é";

  CreatePDF measured;
  measured.PDFSetMessageHandler([](const std::string&, const std::string&, PDFMessageIcon) {});
  measured.PDFPathConfiguration(config.Path().string());
  const auto fontSize = static_cast<int16_t>(size == 0 ? 12 : data[size - 1] - 100);
  for (const char* font : kFontNames) {
    const double whole = measured.PDFGetStringWidth(text, font, fontSize);
    Require(std::isfinite(whole));
    const std::size_t half = text.size() / 2;
    // Split where a UTF-8 sequence cannot start in the middle: at an ASCII byte.
    if (half < text.size() && static_cast<unsigned char>(text[half]) < 0x80) {
      const double parts = measured.PDFGetStringWidth(text.substr(0, half), font, fontSize) +
                           measured.PDFGetStringWidth(text.substr(half), font, fontSize);
      Require(Close(whole, parts));
    }
    CreatePDF fresh;
    fresh.PDFSetMessageHandler([](const std::string&, const std::string&, PDFMessageIcon) {});
    fresh.PDFPathConfiguration(config.Path().string());
    Require(fresh.PDFGetStringWidth(text, font, fontSize) == whole);
  }
  Require(measured.PDFGetStringWidth("", "Helvetica", fontSize) == 0.0);
  return 0;
}
