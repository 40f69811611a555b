// Caller text (UTF-8) to the Windows-1252 bytes of the file, and literal-string escaping.
#include <gtest/gtest.h>

#include "Encoding.h"

namespace {

using createpdf::EscapePdfString;
using createpdf::PdfStringText;
using createpdf::ToWindows1252;

TEST(Encoding, Utf8BecomesWindows1252) {
  const struct {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"Lamivex 5.2", "Lamivex 5.2"},
      {"Vitrage feuilleté", "Vitrage feuillet\xE9"},
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},           // no-break space, ÿ
      {"€ ‚ ƒ „ …", "\x80 \x82 \x83 \x84 \x85"},  // the codes 0x80.. of Windows-1252
      {"Œuvre – “x” — ™ Ÿ", "\x8Cuvre \x96 \x93x\x94 \x97 \x99 \x9F"},
      {"Ž ž š Š", "\x8E \x9E \x9A \x8A"},
      {"中", "?"},                  // no Windows-1252 code
      {"\xF0\x9F\x98\x80!", "?!"},  // four-byte sequence
      {"\xC2\x81", "?"},            // C1 control, not a character here
  };
  for (const auto& c : cases) EXPECT_EQ(ToWindows1252(c.utf8), c.bytes) << c.utf8;
}

TEST(Encoding, MalformedUtf8GivesOneQuestionMarkPerBadByte) {
  EXPECT_EQ(ToWindows1252("caf\xE9"), "caf?");      // a Windows-1252 byte passed as is
  EXPECT_EQ(ToWindows1252("a\xC3"), "a?");          // cut sequence
  EXPECT_EQ(ToWindows1252("\xC0\xAF"), "??");       // overlong form of "/"
  EXPECT_EQ(ToWindows1252("\xED\xA0\x80"), "???");  // surrogate half
  EXPECT_EQ(ToWindows1252("\xE2\x82x"), "??x");     // broken continuation
  EXPECT_EQ(ToWindows1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Encoding, LiteralStringsEscapeBackslashThenParentheses) {
  EXPECT_EQ(EscapePdfString("a) b"), "a\\) b");
  EXPECT_EQ(EscapePdfString("a\\b(c)"), "a\\\\b\\(c\\)");
  EXPECT_EQ(EscapePdfString("(("), "\\(\\(");
  EXPECT_EQ(EscapePdfString(""), "");
  EXPECT_EQ(PdfStringText("(été)"), "\\(\xE9t\xE9\\)");
}

}  // namespace
