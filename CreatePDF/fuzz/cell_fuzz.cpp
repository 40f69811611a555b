// Arbitrary text, settings and numbers to PDFCell: no unreadable number, no unclosed text
// object or graphics state, and the finished file ends as a PDF file ends.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "CreatePDF.h"
#include "FuzzSupport.h"

class CreatePDFTestAccess {
 public:
  static const std::string& PageContent(const CreatePDF& pdf) { return pdf.PageContent; }
};

using createpdf::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string file = (createpdf::fuzz::FuzzFolder("cell") / "cell.pdf").string();
  FuzzedDataProvider input(data, size);
  const auto CellNumber = [&input] {  // mostly within a page, sometimes any double
    return input.ConsumeBool() ? input.ConsumeFloatingPointInRange(-50.0, 700.0)
                               : input.ConsumeFloatingPoint<double>();
  };
  CreatePDF pdf;
  pdf.PDFSetMessageHandler([](const std::string&, const std::string&, PDFMessageIcon) {});
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR), pdf.PDFFileName(file), pdf.PDFBeginDoc();
  pdf.PDFSetUnit(input.ConsumeIntegralInRange<int32_t>(0, 4));
  pdf.PDFSetFont(input.ConsumeIntegralInRange<int32_t>(-1, 5), input.ConsumeIntegral<int16_t>(),
                 input.ConsumeIntegralInRange<int32_t>(0, 321));
  pdf.PDFSetAlignement(input.ConsumeIntegralInRange<int32_t>(-1, 5));
  pdf.PDFSetBorder(input.ConsumeIntegral<int32_t>()), pdf.PDFSetFill(input.ConsumeBool());
  if (input.ConsumeBool()) pdf.PDFSetCellMargin(CellNumber());
  const double x = CellNumber(), y = CellNumber();
  const double w = CellNumber(), h = CellNumber();
  try {
    pdf.PDFCell(input.ConsumeRemainingBytesAsString(), x, y, w, h);
  } catch (const std::invalid_argument&) {  // refused; the page must still be whole
  }
  std::istringstream lines(CreatePDFTestAccess::PageContent(pdf));
  int open = 0, saved = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("(")) continue;
    for (const char* unreadable : {"nan", "inf", "e+", "e-", "E+", "E-"})
      Require(line.find(unreadable) == std::string::npos);
    open += (line == "BT\r") - (line == "ET\r");
    saved += line.starts_with("q ") - (line == "Q\r");
  }
  Require(open == 0 && saved == 0);
  pdf.PDFEndDoc();
  std::ifstream written(file, std::ios::binary);
  Require(std::string(std::istreambuf_iterator<char>(written), {}).ends_with("\r\n%%EOF\r\n"));
  return 0;
}
