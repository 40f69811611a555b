// Text files of the run: CR LF line ends, UTF-8 or Windows-1252 on reading,
// Windows-1252 on writing.
#include "platform/TextFiles.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/RunError.h"

namespace lamivex {
namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F. The five bytes the code page
// leaves undefined keep their own value, as Windows itself does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at bytes[pos]; returns its length, or 0 when the
// bytes there are not well-formed UTF-8 (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view bytes, size_t pos, char32_t& cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t length = DecodeUtf8(bytes, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

char ToCp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be read!");
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be read!");
  }
  return bytes;
}

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  [[maybe_unused]] const auto length = std::filesystem::file_size(path, error);
  return !error;
}

std::string ToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char32_t{byte});
  }
  return out;
}

std::string ToWindows1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char32_t cp = 0;
  for (size_t pos = 0; pos < utf8.size();) {
    const size_t length = DecodeUtf8(utf8, pos, cp);
    if (length == 0) {
      out += '?';
      ++pos;
      continue;
    }
    out += ToCp1252Byte(cp);
    pos += length;
  }
  return out;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  std::string text = ToUtf8(ReadWholeFile(path));
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);  // byte-order mark
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines, bool append) {
  std::ofstream out(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  for (const std::string& line : lines) {
    if (!out) break;
    out << ToWindows1252(line) << "\r\n";
  }
  out.close();
  if (!out) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be written!");
  }
}

void DeleteIfPresent(const std::string& path) {
  if (path.empty()) return;
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error && error != std::errc::no_such_file_or_directory) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be deleted!");
  }
}

}  // namespace lamivex
