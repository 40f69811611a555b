// Measuring text with the widths of gPDFFonts.ini, read once per configuration folder.
#include <filesystem>

#include "CreatePDF.h"
#include "Encoding.h"
#include "FontMetrics.h"

namespace {
const createpdf::FontWidths kNoWidths{};  // a font the metrics file does not know
}

const std::array<int32_t, 256>& CreatePDF::PDFFontWidths(const std::string& fontName) {
  if (!metricsLoaded_ || metricsConfig_ != PathConfig) {
    auto file = std::filesystem::path(PathConfig) / createpdf::kMetricsFileName;
    metricsWidths_ = createpdf::PDFReadMetricsFile(file.string());
    metricsConfig_ = PathConfig;
    metricsLoaded_ = true;
    lastWidthsFont_.clear();
    lastWidths_ = nullptr;
    cellWidthSteps_.reset();  // made from the widths just replaced
  }
  if (lastWidths_ == nullptr || lastWidthsFont_ != fontName) {
    auto found = metricsWidths_.find(createpdf::PDFMetricsSectionKey(fontName));
    lastWidths_ = found == metricsWidths_.end() ? &kNoWidths : &found->second;
    lastWidthsFont_ = fontName;
  }
  return *lastWidths_;
}

const std::array<int32_t, 256>& CreatePDF::PDFCurrentFontWidths() {
  // Text without a selected font is drawn in Helvetica (/F1), so it is measured so too.
  return PDFFontWidths(FontName.empty() ? "Helvetica" : FontName);
}

int64_t CreatePDF::PDFWidthSum(std::string_view win1252Text,
                               const std::array<int32_t, 256>& widths) {
  int64_t sum = 0;
  for (char c : win1252Text) sum += widths[static_cast<unsigned char>(c)];
  return sum;
}

double CreatePDF::PDFGetStringWidth(const std::string& str_Txt, const std::string& str_FName,
                                    int16_t in_FSize) {
  const auto& widths = str_FName.empty() ? PDFCurrentFontWidths() : PDFFontWidths(str_FName);
  return PDFTextWidth(createpdf::ToWindows1252(str_Txt), widths, in_FSize);
}

double CreatePDF::PDFTextWidth(std::string_view win1252Text, const std::array<int32_t, 256>& widths,
                               int16_t fontSize) {
  // The product is a whole number, divided as a floating-point number.
  return static_cast<double>(fontSize * PDFWidthSum(win1252Text, widths)) / 1000.0;
}
