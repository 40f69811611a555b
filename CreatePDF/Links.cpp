// Links: clickable rectangles recorded per page, written as URI annotations at the end.
#include <cmath>

#include "CreatePDF.h"
#include "Encoding.h"

namespace {

constexpr double kLinkBlue = 16711680;   // packed colour of the image link's text
constexpr double kLinkWhite = 16777215;  // packed colour of the shape link's text

// Gives a colour operator back its value when the scope ends, also through an exception:
// a link's own colour lasts only for what the link writes.
class RestoredColour {
 public:
  explicit RestoredColour(std::string& colour) : colour_(colour), saved_(colour) {}
  RestoredColour(const RestoredColour&) = delete;
  RestoredColour& operator=(const RestoredColour&) = delete;
  ~RestoredColour() { colour_ = saved_; }

 private:
  std::string& colour_;
  std::string saved_;
};

}  // namespace

void CreatePDF::PDFLink(double x, double y, const std::string& str_Text,
                        const std::string& str_Link) {
  PDFRequireOpenPage("PDFLink");
  PDFWholeOrNothing([&] { PDFLinkLine(x, y, str_Text, str_Link); });
}

void CreatePDF::PDFLinkLine(double x, double y, const std::string& str_Text,
                            const std::string& str_Link) {
  FontUnderline = true;
  if (FontSize == 0) FontSize = 10;
  const RestoredColour textColour(TextColorOp);
  int32_t w = 0;
  int32_t h = FontSize;
  std::string drawn;  // the text written: only a plain link shows its own text
  if (LinkObjectIsImage) {
    PDFSetTextColor(kLinkBlue);
    w = static_cast<int32_t>(std::floor(LinkObjectWidth));
    h = static_cast<int32_t>(std::floor(LinkObjectHeight));
  } else if (LinkObjectType == "ELLIPSE" || LinkObjectType == "CELL") {
    w = static_cast<int32_t>(std::floor(PDFGetStringWidth(LinkObjectText, "", FontSize)));
  } else if (LinkObjectType == "RECTANGLE") {
    w = LinkObjectLength;
  } else {
    drawn = createpdf::ToWindows1252(str_Text);
    w = static_cast<int32_t>(std::floor(PDFTextWidth(drawn, PDFCurrentFontWidths(), FontSize)));
  }
  if (x == 0) x = CurrentX;
  if (y == 0) y = CurrentY;
  PDFTextOutEncoded(drawn, x, y);
  LinkObjectIsImage = false;
  FontUnderline = false;
  LinkObjectType.clear();
  PDFRecordLink(x, y, w, h, str_Text, str_Link.empty() ? str_Text : str_Link);
}

void CreatePDF::PDFLinkObject(const std::string& target, const std::string& objectType, double x,
                              double y) {
  LinkObjectIsImage = objectType == "IMAGE";
  if (!target.empty()) {
    const RestoredColour textColour(TextColorOp);
    // The underline that marks a shape's link is white, so that only the shape shows.
    if (objectType == "RECTANGLE" || objectType == "ELLIPSE") PDFSetTextColor(kLinkWhite);
    PDFLink(x, y, target);
  }
  LinkObjectText.clear();
  LinkObjectIsImage = false;
}

void CreatePDF::PDFRecordLink(double x, double y, int32_t w, int32_t h, const std::string& text,
                              const std::string& target) {
  (void)text;  // the target already falls back to the text when the caller gave none
  const auto page = static_cast<std::size_t>(PageNumber);
  if (PageLinks.size() <= page) PageLinks.resize(page + 1);
  if (PageHasLinks.size() <= page) PageHasLinks.resize(page + 1, false);
  if (PageLinkTotals.size() <= page) PageLinkTotals.resize(page + 1, 0);
  ++PageLinkCount;
  PageLink link{x * Scale, PDFCurrentPageHeight() - y * Scale, w * Scale, h * Scale, target};
  auto& links = PageLinks[page];
  links.resize(static_cast<std::size_t>(PageLinkCount));
  links.back() = std::move(link);
  PageHasLinks[page] = true;
  PageLinkTotals[page] = PageLinkCount;
}
