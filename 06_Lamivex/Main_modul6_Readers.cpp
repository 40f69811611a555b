// The keyed-line readers of the job and language files, and the number rules they share.
#include <charconv>
#include <cmath>
#include <string_view>

#include "Main_modul6.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "platform/RunError.h"
#include "platform/TextFiles.h"

namespace lamivex {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string TrimSpaces(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return std::string(text.substr(first, last - first));
}

enum class KeyLookup { kMissingFile, kMissingKey, kFound };

struct KeyedLine {
  KeyLookup lookup = KeyLookup::kMissingFile;
  std::string value;
};

// The first line holding the key in quotes followed by a comma. An existing empty file
// counts as found, with an empty value.
KeyedLine LookUpKey(const KeyedFile& file, const std::string& key) {
  if (!file.exists) return {};
  if (file.lines.empty()) return {KeyLookup::kFound, ""};
  const std::string pattern = "\"" + key + "\",";
  for (const std::string& line : file.lines) {
    if (line.find(pattern) == std::string::npos) continue;
    // The value starts after the first quote-comma pair of the line, the one closing the key.
    return {KeyLookup::kFound, TrimSpaces(std::string_view(line).substr(line.find("\",") + 2))};
  }
  return {KeyLookup::kMissingKey, ""};
}

struct NumberScan {
  bool found = false;
  double value = 0.0;
  size_t end = 0;  // first character after the number
};

// Reads a number from the start of the text: sign, digits, point, digits, E or D exponent.
// With ignoreBlanks, blanks anywhere in the number are passed over.
NumberScan ScanNumber(std::string_view text, bool ignoreBlanks) {
  size_t i = 0;
  const auto skipBlanks = [&] {
    while (ignoreBlanks && i < text.size() && IsBlank(text[i])) ++i;
  };
  const auto isDigit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
  std::string digits;
  bool negative = false;
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t count = 0;
  for (skipBlanks(); isDigit(); skipBlanks()) digits += text[i++], ++count;
  if (i < text.size() && text[i] == '.') {
    digits += text[i++];
    for (skipBlanks(); isDigit(); skipBlanks()) digits += text[i++], ++count;
  }
  if (count == 0) return {};
  NumberScan scan{true, 0.0, i};
  bool negativeExponent = false;
  if (i < text.size() && std::string_view("EeDd").find(text[i]) != std::string_view::npos) {
    ++i;
    skipBlanks();
    std::string exponent = "e";
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      exponent += text[i++];
    }
    size_t exponentDigits = 0;
    for (skipBlanks(); isDigit(); skipBlanks()) exponent += text[i++], ++exponentDigits;
    if (exponentDigits > 0) digits += exponent, scan.end = i;
  }
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), scan.value);
  if (result.ec == std::errc::result_out_of_range) {
    scan.value = negativeExponent ? 0.0 : HUGE_VAL;
  }
  if (negative) scan.value = -scan.value;
  return scan;
}

std::string NumberText(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

[[noreturn]] void BadJob(const std::string& text) {
  throw RunError(kExitBadJob, "SM5.2", text);
}

double RoundedWithin(double value, double low, double high, const std::string& what,
                     const char* typeName) {
  const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
  if (!std::isfinite(value) || rounded < low || rounded > high) {
    BadJob("Error: " + what + " = " + NumberText(value) + " does not fit a " + typeName + "!");
  }
  return rounded;
}

}  // namespace

KeyedFile ReadKeyedFile(const std::string& path) {
  if (!FileExists(path)) return {path, false, {}};
  KeyedFile file{path, true, {}};
  file.lines = ReadTextLinesEachDecoded(path, file.utf8Line);
  return file;
}

KeyValue ReadKeyText(const std::string& path, const std::string& key,
                     const std::string& /*defaultValue*/) {
  return ReadKeyText(ReadKeyedFile(path), key);
}

KeyValue ReadKeyNumber(const std::string& path, const std::string& key,
                       const std::string& /*defaultValue*/) {
  return ReadKeyNumber(ReadKeyedFile(path), key);
}

bool KeyPresent(const std::string& path, const std::string& key) {
  return KeyPresent(ReadKeyedFile(path), key);
}

KeyValue ReadKeyText(const KeyedFile& file, const std::string& key) {
  return LookUpKey(file, key).value;
}

KeyValue ReadKeyNumber(const KeyedFile& file, const std::string& key) {
  const KeyedLine line = LookUpKey(file, key);
  switch (line.lookup) {
    case KeyLookup::kMissingFile:
      return std::string();
    case KeyLookup::kMissingKey:
      return 999999.0;
    case KeyLookup::kFound:
      break;
  }
  return LeadingNumber(line.value);
}

bool KeyPresent(const KeyedFile& file, const std::string& key) {
  return LookUpKey(file, key).lookup == KeyLookup::kFound;
}

double LeadingNumber(const std::string& text) {
  return ScanNumber(text, true).value;
}

bool ParseNumber(const std::string& text, double& value) {
  const NumberScan scan = ScanNumber(text, false);
  if (!scan.found || scan.end != text.size()) return false;
  value = scan.value;
  return true;
}

int16_t ToInt16(double value, const std::string& what) {
  return static_cast<int16_t>(RoundedWithin(value, -32768.0, 32767.0, what, "16-bit integer"));
}

int32_t ToInt32(double value, const std::string& what) {
  return static_cast<int32_t>(
      RoundedWithin(value, -2147483648.0, 2147483647.0, what, "32-bit integer"));
}

KeyedFile ReadJobFile(const std::string& jobPath) {
  if (FolderExists(jobPath)) BadJob("Error: the job file " + jobPath + " is a folder, not a file!");
  if (!FileExists(jobPath)) BadJob("Error: the job file " + jobPath + " is not found!");
  KeyedFile job = ReadKeyedFile(jobPath);
  // The suite writes its jobs in Windows-1252; UTF-8 text means an editor changed it.
  if (job.utf8Line > 0) {
    ShowMessage("SM5.2", "Warning: line " + std::to_string(job.utf8Line) + " of the job file " +
                             jobPath + " is UTF-8 text; it is read as UTF-8.");
  }
  return job;
}

int16_t ReadNumberGlass(const std::string& jobPath) {
  return ReadNumberGlass(ReadJobFile(jobPath));
}

int16_t ReadNumberGlass(const KeyedFile& job) {
  if (!job.exists) BadJob("Error: the job file " + job.path + " is not found!");
  const KeyedLine line = LookUpKey(job, "Number glass");
  if (line.lookup != KeyLookup::kFound) {
    BadJob("Error: the key \"Number glass\" is missing in " + job.path + "!");
  }
  const NumberScan scan = ScanNumber(line.value, true);
  if (!scan.found) BadJob("Error: \"Number glass\" is not a number: " + line.value);
  const int16_t count = ToInt16(scan.value, "\"Number glass\"");
  if (count > kMaxLayers) {
    BadJob("Error: \"Number glass\" = " + std::to_string(count) + ", a job holds at most " +
           std::to_string(kMaxLayers) + " layers!");
  }
  return count;
}

}  // namespace lamivex
