// gPDFFonts.ini up to the first NUL, then the text: widths are finite and equal those of a
// fresh read.
#include <cmath>
#include <fstream>

#include "CreatePDF.h"
#include "FuzzSupport.h"

using createpdf::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string config = createpdf::fuzz::FuzzFolder("metrics").string();
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  std::ofstream(config + "/gPDFFonts.ini", std::ios::binary) << input.substr(0, split);
  const std::string text = split < input.size() ? input.substr(split + 1) : "A0 é";
  const auto fontSize = static_cast<int16_t>(size == 0 ? 12 : data[size - 1] - 100);
  const auto quiet = [](const std::string&, const std::string&, PDFMessageIcon) {};
  CreatePDF measured;
  measured.PDFSetMessageHandler(quiet);
  measured.PDFPathConfiguration(config);
  for (const char* font :
       {"Helvetica", "CourierOblique", "Symbol", "ZapfDingbats", "helvetica", ""}) {
    const double whole = measured.PDFGetStringWidth(text, font, fontSize);
    Require(std::isfinite(whole));
    CreatePDF fresh;
    fresh.PDFSetMessageHandler(quiet);
    fresh.PDFPathConfiguration(config);
    Require(fresh.PDFGetStringWidth(text, font, fontSize) == whole);
  }
  return 0;
}
