// Readers of the three product file formats. The format is chosen by content:
// a JSON object is an IGSDB product file, a file with "{ ... }" header lines is
// an Optics text file, anything else is read as columns.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ProductSpectrum.h"

namespace lamivexdb {

// What the T, R1 and R2 columns of a columns file hold. Optics and IGSDB files
// always hold fractions and are converted whatever this says.
enum class ColumnValues { Percent, Fractions };

// Reads one product file, keeps the rows up to 2500 nm and refuses a spectrum the
// run could not use. Throws ImportError.
ProductSpectrum ReadProductFile(const std::string& path,
                                ColumnValues values = ColumnValues::Percent);

// The format readers, on the file's text as UTF-8. `label` names the file in
// messages. They convert units and scale but do not check the spectrum, except
// that columns must hold what `values` says.
ProductSpectrum ReadColumnsText(std::string_view text, const std::string& label,
                                ColumnValues values = ColumnValues::Percent);
ProductSpectrum ReadOpticsText(std::string_view text, const std::string& label);
ProductSpectrum ReadIgsdbJsonText(std::string_view text, const std::string& label);

// Splits text into lines without their ends (LF, CR LF).
std::vector<std::string_view> SplitLines(std::string_view text);

// Splits a line into fields at any of the given separator characters; empty fields are dropped.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separators);

// The text without its leading and trailing blanks and TABs.
std::string_view TrimBlanks(std::string_view text);

// The message form of a refusal: "label:line: reason".
std::string AtLine(const std::string& label, std::size_t line, const std::string& reason);

// A face emissivity from a file's text: a hemispherical fraction from 0 to 1. Throws
// ImportError "place: emissivity ..." for anything else.
double ReadEmissivity(std::string_view text, const std::string& place);

}  // namespace lamivexdb
