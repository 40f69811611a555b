// Text as the writer puts it into the file: its fonts use WinAnsiEncoding, so every
// caller's page text (UTF-8) becomes Windows-1252 bytes; the document information and
// the bookmark titles are text strings, which readers decode in PDFDocEncoding. A text
// inside a PDF literal string has its backslashes and parentheses escaped.
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

// UTF-8 to PDFDocEncoding, one byte per character: the Windows-1252 bytes with those of
// 0x80..0xA0 moved to where PDFDocEncoding has the same character (the no-break space,
// which has no code there, becomes a space; the soft hyphen is left out). Other
// characters become "?".
std::string ToPdfDocEncoding(std::string_view utf8);

// A caller's UTF-8 text as a PDF text string (document information, bookmark titles),
// ready to stand between "(" and ")": converted to PDFDocEncoding, then escaped.
std::string PdfTextString(std::string_view utf8);

}  // namespace createpdf
