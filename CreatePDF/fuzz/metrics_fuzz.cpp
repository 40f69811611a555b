// gPDFFonts.ini up to the first NUL, then the text: widths are finite, add up over the
// parts of a text, and equal those of a fresh read.
#include <cmath>
#include <fstream>

#include "CreatePDF.h"
#include "FuzzSupport.h"

using createpdf::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const createpdf::fuzz::FuzzFolder config("metrics");
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  std::ofstream(config.path / "gPDFFonts.ini", std::ios::binary) << input.substr(0, split);
  const std::string text = split < input.size() ? input.substr(split + 1) : "A0 é";
  const auto fontSize = static_cast<int16_t>(size == 0 ? 12 : data[size - 1] - 100);
  const auto quiet = [](const std::string&, const std::string&, PDFMessageIcon) {};
  CreatePDF measured;
  measured.PDFSetMessageHandler(quiet);
  measured.PDFPathConfiguration(config.path.string());
  for (const char* font :
       {"Helvetica", "CourierOblique", "Symbol", "ZapfDingbats", "helvetica", ""}) {
    const double whole = measured.PDFGetStringWidth(text, font, fontSize);
    Require(std::isfinite(whole));
    const std::size_t half = text.size() / 2;  // split at an ASCII byte: never inside UTF-8
    if (half < text.size() && static_cast<unsigned char>(text[half]) < 0x80) {
      const double parts = measured.PDFGetStringWidth(text.substr(0, half), font, fontSize) +
                           measured.PDFGetStringWidth(text.substr(half), font, fontSize);
      Require(std::fabs(whole - parts) <=
              1e-9 * std::max({1.0, std::fabs(whole), std::fabs(parts)}));
    }
    CreatePDF fresh;
    fresh.PDFSetMessageHandler(quiet);
    fresh.PDFPathConfiguration(config.path.string());
    Require(fresh.PDFGetStringWidth(text, font, fontSize) == whole);
  }
  return 0;
}
