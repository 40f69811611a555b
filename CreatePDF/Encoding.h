// Text as the writer puts it into the file: its fonts use WinAnsiEncoding, so every
// caller's text (UTF-8) becomes Windows-1252 bytes, and a text inside a PDF literal
// string has its backslashes and parentheses escaped.
#pragma once

#include <string>
#include <string_view>

namespace createpdf {

// UTF-8 to Windows-1252, one byte per character. A character without a Windows-1252
// code, and each byte of a malformed UTF-8 sequence, becomes "?".
std::string ToWindows1252(std::string_view utf8);

// Escapes bytes for a PDF literal string: "\" becomes "\\", then "(" becomes "\(" and
// ")" becomes "\)".
std::string EscapePdfString(std::string_view bytes);

// The same, appended to out: a page's content grows in place.
void AppendEscapedPdfString(std::string& out, std::string_view bytes);

// A caller's UTF-8 text ready to stand between "(" and ")": converted, then escaped.
std::string PdfStringText(std::string_view utf8);

}  // namespace createpdf
