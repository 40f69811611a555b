// Feeds arbitrary text and settings and numbers (from the input's first bytes) to
// PDFCell, then finishes the document. Nothing may crash or hang, the page may hold no
// number a reader cannot read nor an unclosed text object or graphics state, and the
// finished file must end as a PDF file ends.
#include <fuzzer/FuzzedDataProvider.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "CreatePDF.h"
#include "FuzzSupport.h"

// The writer lets this class read its page content (its tests use the same name).
class CreatePDFTestAccess {
 public:
  static const std::string& PageContent(const CreatePDF& pdf) { return pdf.PageContent; }
};

namespace {

using createpdf::fuzz::Require;

// A number of the cell: mostly within a page, sometimes anything a double can hold.
double CellNumber(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeFloatingPointInRange(-50.0, 700.0);
  return input.ConsumeFloatingPoint<double>();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const createpdf::fuzz::FuzzFolder folder("cell");
  static const std::string file = (folder.path / "cell.pdf").string();
  FuzzedDataProvider input(data, size);
  CreatePDF pdf;
  pdf.PDFSetMessageHandler([](const std::string&, const std::string&, PDFMessageIcon) {});
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  pdf.PDFFileName(file);
  pdf.PDFBeginDoc();
  pdf.PDFSetUnit(input.ConsumeIntegralInRange<int32_t>(0, 4));
  pdf.PDFSetFont(input.ConsumeIntegralInRange<int32_t>(-1, 5), input.ConsumeIntegral<int16_t>(),
                 input.ConsumeIntegralInRange<int32_t>(0, 321));
  pdf.PDFSetAlignement(input.ConsumeIntegralInRange<int32_t>(-1, 5));
  pdf.PDFSetBorder(input.ConsumeIntegral<int32_t>());
  pdf.PDFSetFill(input.ConsumeBool());
  if (input.ConsumeBool()) pdf.PDFSetCellMargin(CellNumber(input));
  const double x = CellNumber(input), y = CellNumber(input);
  const double w = CellNumber(input), h = CellNumber(input);
  try {
    pdf.PDFCell(input.ConsumeRemainingBytesAsString(), x, y, w, h);
  } catch (const std::invalid_argument&) {
    // A number that is not finite is refused; the page must still be whole.
  }
  // Cell text holds no line end, so the operators are the lines not shown as text.
  std::istringstream lines(CreatePDFTestAccess::PageContent(pdf));
  int open = 0, saved = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("(")) continue;
    for (const char* unreadable : {"nan", "inf", "e+", "e-", "E+", "E-"}) {
      Require(line.find(unreadable) == std::string::npos);
    }
    open += (line == "BT\r") - (line == "ET\r");
    saved += line.starts_with("q ") - (line == "Q\r");
  }
  Require(open == 0 && saved == 0);
  pdf.PDFEndDoc();
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  Require(bytes.str().ends_with("\r\n%%EOF\r\n"));
  return 0;
}
