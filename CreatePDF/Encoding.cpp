// UTF-8 to Windows-1252 and to PDFDocEncoding, and PDF literal-string escaping.
#include "Encoding.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace createpdf {
namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F; 0 where the byte has no character.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

// PDFDocEncoding bytes of the Windows-1252 bytes 0x80..0xA0; 0 where Windows-1252 has no
// character (the conversion never gives those bytes). PDFDocEncoding keeps the bytes
// below 0x80 (but 0x18..0x1F, which hold the spacing accents) and from 0xA1 up.
constexpr std::array<unsigned char, 33> kWindows1252ToPdfDoc = {
    0xA0, 0,    0x91, 0x86, 0x8C, 0x83, 0x81, 0x82,  // € ‚ ƒ „ … † ‡
    0x1A, 0x8B, 0x97, 0x88, 0x96, 0,    0x99, 0,     // ˆ ‰ Š ‹ Œ Ž
    0,    0x8F, 0x90, 0x8D, 0x8E, 0x80, 0x85, 0x84,  // ‘ ’ “ ” • – —
    0x1F, 0x92, 0x9D, 0x89, 0x9C, 0,    0x9E, 0x98,  // ˜ ™ š › œ ž Ÿ
    0x20,                                            // no-break space: a space
};

char Windows1252Byte(char32_t code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at text[pos]; advances pos past it. Returns nothing for a
// malformed sequence, in which case pos advances by one byte only.
std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + length > text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return std::nullopt;
  }
  pos += length;
  return code;
}

// Length of the run of ASCII bytes at the start of text, eight bytes at a time: most of
// any text is ASCII, the same bytes in both encodings.
std::size_t AsciiPrefix(std::string_view text) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if ((word & kHighBits) != 0) break;
  }
  while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
  return at;
}

}  // namespace

std::string ToWindows1252(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t ascii = pos + AsciiPrefix(utf8.substr(pos));
    bytes.append(utf8.substr(pos, ascii - pos));
    pos = ascii;
    if (pos == utf8.size()) break;
    const std::optional<char32_t> code = DecodeUtf8(utf8, pos);
    bytes += code ? Windows1252Byte(*code) : '?';
  }
  return bytes;
}

void AppendEscapedPdfString(std::string& out, std::string_view bytes) {
  // Runs without a backslash or parenthesis are copied whole; the table costs one load
  // per byte where three comparisons would cost three.
  static constexpr auto kSpecial = [] {
    std::array<bool, 256> table{};
    table['\\'] = table['('] = table[')'] = true;
    return table;
  }();
  std::size_t start = 0;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    if (!kSpecial[static_cast<unsigned char>(bytes[at])]) continue;
    out.append(bytes.substr(start, at - start));  // the run before it, unchanged
    out += '\\';
    start = at;
  }
  out.append(bytes.substr(start));
}

std::string EscapePdfString(std::string_view bytes) {
  std::string escaped;
  escaped.reserve(bytes.size() + 8);
  AppendEscapedPdfString(escaped, bytes);
  return escaped;
}

std::string PdfStringText(std::string_view utf8) {
  return EscapePdfString(ToWindows1252(utf8));
}

std::string ToPdfDocEncoding(std::string_view utf8) {
  std::string bytes = ToWindows1252(utf8);
  for (char& byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x80 || code > 0xA0) continue;
    const unsigned char moved = kWindows1252ToPdfDoc[code - 0x80];
    byte = moved == 0 ? '?' : static_cast<char>(moved);
  }
  // The soft hyphen has no code in PDFDocEncoding; it only marks where a word may break,
  // which a text string never does, so it is left out.
  std::erase(bytes, '\xAD');
  return bytes;
}

std::string PdfTextString(std::string_view utf8) {
  return EscapePdfString(ToPdfDocEncoding(utf8));
}

}  // namespace createpdf
