// Feeds arbitrary text (any bytes: the writer takes UTF-8 and falls back per character)
// and arbitrary settings and numbers to PDFCell, then finishes the document. The
// settings and the cell's position and size come from the input's last bytes, the text
// is the rest. Nothing may crash or hang, the page may hold no number a reader cannot
// read, and the finished file's cross-reference table must point at every object.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>

#include "CreatePDF.h"
#include "FuzzSupport.h"

// The writer lets this class read its page content (its tests use the same name).
class CreatePDFTestAccess {
 public:
  static const std::string& PageContent(const CreatePDF& pdf) { return pdf.PageContent; }
};

namespace {

using createpdf::fuzz::Require;

// Each cross-reference entry k must be the offset of the line "k 0 obj", and startxref
// the offset of "xref"; the file ends with %%EOF.
void RequireExactCrossReference(const std::string& bytes) {
  const std::size_t keyword = bytes.rfind("startxref\r\n");
  Require(keyword != std::string::npos);
  const std::size_t xref = std::stoull(bytes.substr(keyword + 11));
  Require(bytes.compare(xref, 8, "xref\r\n0 ") == 0);
  const std::size_t count = std::stoull(bytes.substr(xref + 8));
  std::size_t entry = bytes.find("65535 f\r\n", xref) + 9;
  for (std::size_t k = 1; k < count; ++k, entry += 20) {
    const std::size_t offset = std::stoull(bytes.substr(entry, 10));
    const std::string header = std::to_string(k) + " 0 obj\r\n";
    Require(offset < bytes.size() && bytes.compare(offset, header.size(), header) == 0);
  }
  Require(bytes.ends_with("\r\n%%EOF\r\n"));
}

// The page content without its literal strings "(...)", whose escaped bytes are text.
std::string Operators(const std::string& content) {
  std::string operators;
  int depth = 0;
  for (std::size_t i = 0; i < content.size(); ++i) {
    const char c = content[i];
    if (depth > 0 && c == '\\') {
      ++i;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')' && depth > 0) {
      --depth;
    } else if (depth == 0) {
      operators += c;
    }
  }
  return operators;
}

// How often an operator stands as a word of its own in the operators.
int Count(const std::string& operators, const std::string& op) {
  std::istringstream words(operators);
  int count = 0;
  for (std::string word; words >> word;) count += word == op;
  return count;
}

// A number of the cell: mostly within a page, sometimes anything a double can hold.
double CellNumber(FuzzedDataProvider& input) {
  if (input.ConsumeBool()) return input.ConsumeFloatingPointInRange(-50.0, 700.0);
  return input.ConsumeFloatingPoint<double>();
}

void ApplySettings(CreatePDF& pdf, FuzzedDataProvider& input) {
  pdf.PDFSetUnit(input.ConsumeIntegralInRange<int32_t>(0, 4));
  pdf.PDFSetFont(input.ConsumeIntegralInRange<int32_t>(-1, 5), input.ConsumeIntegral<int16_t>(),
                 input.ConsumeIntegralInRange<int32_t>(0, 321));
  pdf.PDFSetAlignement(input.ConsumeIntegralInRange<int32_t>(-1, 5));
  pdf.PDFSetBorder(input.ConsumeIntegral<int32_t>());
  pdf.PDFSetFill(input.ConsumeBool());
  if (input.ConsumeBool()) pdf.PDFSetCellMargin(CellNumber(input));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const createpdf::fuzz::FuzzFolder folder("cell");
  static const std::string file = (folder.Path() / "cell.pdf").string();
  FuzzedDataProvider input(data, size);

  CreatePDF pdf;
  pdf.PDFSetMessageHandler([](const std::string&, const std::string&, PDFMessageIcon) {});
  pdf.PDFPathConfiguration(CREATEPDF_CONFIG_DIR);
  pdf.PDFFileName(file);
  pdf.PDFBeginDoc();
  ApplySettings(pdf, input);
  const double x = CellNumber(input), y = CellNumber(input);
  const double w = CellNumber(input), h = CellNumber(input);
  const std::string text = input.ConsumeRemainingBytesAsString();
  try {
    pdf.PDFCell(text, x, y, w, h);
  } catch (const std::invalid_argument&) {
    // A number that is not finite is refused; what the page holds must still be whole.
  }

  // PDF numbers have no exponent and no special values; text objects and saved
  // graphics states are closed.
  const std::string operators = Operators(CreatePDFTestAccess::PageContent(pdf));
  for (const char* unreadable : {"nan", "inf", "e+", "e-", "E+", "E-"}) {
    Require(operators.find(unreadable) == std::string::npos);
  }
  Require(Count(operators, "BT") == Count(operators, "ET"));
  Require(Count(operators, "q") == Count(operators, "Q"));
  pdf.PDFEndDoc();
  std::ifstream in(file, std::ios::binary);
  RequireExactCrossReference(
      std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  return 0;
}
