// Reads one product file whatever its format, keeps the rows the run's grid can
// use and refuses a spectrum the run could not use.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProductReaders.h"
#include "SpectrumChecks.h"
#include "SpectrumResampling.h"
#include "platform/TextFiles.h"

namespace lamivexdb {

namespace {

constexpr double kGridLastNm = 2500.0;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ImportError(path + ": cannot be read: " + std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw ImportError(path + ": cannot be read");
  return bytes.str();
}

char FirstNonBlank(std::string_view text, std::size_t& at) {
  at = text.find_first_not_of(" \t\r\n");
  return at == std::string_view::npos ? '\0' : text[at];
}

// A JSON object begins with "{" and a quoted key (or "}"); an Optics header line
// begins with "{" and a word.
bool LooksLikeJson(std::string_view text) {
  std::size_t at = 0;
  if (FirstNonBlank(text, at) != '{') return false;
  const char next = FirstNonBlank(text.substr(at + 1), at);
  return next == '"' || next == '}';
}

bool HasHeaderLines(std::string_view text) {
  return text.find('{') != std::string_view::npos;
}

void LeaveOutRowsAboveGrid(ProductSpectrum& product) {
  std::vector<SpectrumRow> kept;
  for (SpectrumRow& row : product.rows) {
    if (row.lambda > kGridLastNm) {
      ++product.rowsAboveGridLeftOut;
    } else {
      kept.push_back(std::move(row));
    }
  }
  product.rows = std::move(kept);
}

// "FILE:14" for a row of a text file, "FILE: key spectral_data.spectral_data[3]" for JSON.
std::string Locate(const std::string& label, const std::string& where) {
  if (where.starts_with("line ")) return label + ":" + where.substr(5);
  return label + ": key " + where;
}

void RefuseUnusableSpectrum(const ProductSpectrum& product, const std::string& label,
                            RowLimit limit) {
  if (product.rows.empty()) throw ImportError(label + ": no data rows at or below 2500 nm");
  const std::vector<SpectrumProblem> problems = FindSpectrumProblems(product.rows, limit);
  if (problems.empty()) return;
  const SpectrumProblem& first = problems.front();
  const std::string place =
      first.firstRow == kWholeSpectrum ? label : Locate(label, product.rows[first.firstRow].where);
  std::string message = place + ": " + DescribeProblem(first);
  for (std::size_t i = 1; i < problems.size(); ++i) message += "; " + DescribeProblem(problems[i]);
  throw ImportError(message);
}

}  // namespace

ProductSpectrum ReadProductFile(const std::string& path, ColumnValues values) {
  const std::string text = lamivex::ToUtf8(ReadBytes(path));
  ProductSpectrum product;
  if (LooksLikeJson(text)) {
    product = ReadIgsdbJsonText(text, path);
  } else if (HasHeaderLines(text)) {
    product = ReadOpticsText(text, path);
  } else {
    product = ReadColumnsText(text, path, values);
  }
  const std::filesystem::path file(path);
  product.sourceFile = file.filename().string();
  if (product.name.empty()) product.name = file.stem().string();
  LeaveOutRowsAboveGrid(product);
  ReverseDescendingRows(product);
  // A denser grid is checked as measured, then resampled.
  const bool dense = NeedsResampling(product.rows);
  RefuseUnusableSpectrum(product, path, dense ? RowLimit::Ignored : RowLimit::Checked);
  if (const SumNoise noise = FindSumNoise(product.rows); noise.wavelengths > 0) {
    product.warnings.push_back(path + ": " + DescribeSumNoise(noise, product.rows.size()));
  }
  if (dense) ResampleOntoSolarGrid(product);
  return product;
}

}  // namespace lamivexdb
