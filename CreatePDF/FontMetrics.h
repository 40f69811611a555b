// The glyph widths of the metrics file gPDFFonts.ini, as the writer measures text with them.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace createpdf {

// Width of each single-byte code 0..255 in thousandths of the font size.
using FontWidths = std::array<int32_t, 256>;

// Name of the metrics file inside the configuration folder.
inline constexpr const char* kMetricsFileName = "gPDFFonts.ini";

// Longest value the keyed-text reader keeps (its buffer holds 255 characters with the
// terminating zero); longer values are cut.
inline constexpr std::size_t kMetricsValueLimit = 254;

// Reads every section of a metrics file. The widths of a section are its keys L1 to L13
// (a missing key reads as empty) joined with "," and split at ",": element k is the
// width of code k, its whole-number part. Codes beyond the list, empty elements and
// elements that are not numbers measure 0. Section names are matched without regard to
// case, as the keyed-text reader does; the map keys are upper-cased. A missing or
// unreadable file gives an empty map.
std::map<std::string, FontWidths> PDFReadMetricsFile(const std::string& path);

// The section name as PDFReadMetricsFile stores it.
std::string PDFMetricsSectionKey(const std::string& fontName);

// Whole-number part of one width element; 0 for an empty element or one that is not a
// number.
int32_t PDFWidthElement(const std::string& element);

}  // namespace createpdf
