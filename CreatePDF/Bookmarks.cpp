// Bookmarks: PDFSetBookmark records an outline entry for a height on the current page;
// PDFPutBookmarks turns the list into the outline tree (one item object per bookmark,
// then the outline root) between the page objects and the catalog.
#include <algorithm>

#include "CreatePDF.h"
#include "Encoding.h"

namespace {

constexpr int32_t kNone = -1;

// Links of one outline item, as indices into the bookmark list; the root's index is the
// number of bookmarks.
struct OutlineLinks {
  int32_t parent = kNone, prev = kNone, next = kNone, first = kNone, last = kNone;
};

}  // namespace

void CreatePDF::PDFSetBookmark(const std::string& str_Text, int16_t iLevel, double y) {
  PDFRequireOpenPage("PDFSetBookmark");
  if (y == -1) y = CurrentY;
  Bookmarks.push_back(BookmarkRecord{str_Text, iLevel, y * Scale, PageNumber});
}

// A level below 0 counts as 0, and a level that rises by more than one from the bookmark
// before is taken as one level deeper: every item then has a parent.
void CreatePDF::PDFPutBookmarks() {
  if (Bookmarks.empty()) return;
  const auto count = static_cast<int32_t>(Bookmarks.size());
  std::vector<OutlineLinks> tree(count);
  std::vector<int32_t> lastAtLevel;
  int32_t previousLevel = 0;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t level =
        std::clamp<int32_t>(Bookmarks[i].Level, 0, static_cast<int32_t>(lastAtLevel.size()));
    if (level < 1) {
      tree[i].parent = count;
    } else {
      const int32_t parent = lastAtLevel[level - 1];
      tree[i].parent = parent;
      tree[parent].last = i;
      if (level > previousLevel) tree[parent].first = i;
    }
    if (level <= previousLevel && i >= 1) {
      const int32_t sibling = lastAtLevel[level];
      tree[sibling].next = i;
      tree[i].prev = sibling;
    }
    lastAtLevel.resize(level + 1);
    lastAtLevel[level] = i;
    previousLevel = level;
  }
  const int32_t firstItem = ObjectNumber + 1;
  auto reference = [firstItem](int32_t index) {
    return std::to_string(firstItem + index) + " 0 R";
  };
  for (int32_t i = 0; i < count; ++i) {
    const BookmarkRecord& bookmark = Bookmarks[i];
    const OutlineLinks& links = tree[i];
    PDFBeginObject();
    PDFAddLine(OutBuffer, "<</Title (" + createpdf::PdfTextString(bookmark.Text) + ")");
    PDFAddLine(OutBuffer, "/Parent " + reference(links.parent));
    if (links.prev != kNone) PDFAddLine(OutBuffer, "/Prev " + reference(links.prev));
    if (links.next != kNone) PDFAddLine(OutBuffer, "/Next " + reference(links.next));
    if (links.first != kNone) PDFAddLine(OutBuffer, "/First " + reference(links.first));
    if (links.last != kNone) PDFAddLine(OutBuffer, "/Last " + reference(links.last));
    const double height = PageHeightCopies.at(bookmark.Page) - bookmark.Y;
    PDFAddLine(OutBuffer, "/Dest [" + std::to_string(PageObjectList.at(bookmark.Page)) +
                              " 0 R /XYZ 0 " + PDFFormatNumber(height, 2) + " null]");
    PDFAddLine(OutBuffer, "/Count 0>>");
    PDFAddLine(OutBuffer, "endobj");
    PDFWriteObject();
  }
  OutlinesObject = PDFBeginObject();
  PDFAddLine(OutBuffer, "<</Type /Outlines /First " + reference(0));
  PDFAddLine(OutBuffer, "/Last " + reference(lastAtLevel[0]) + ">>");
  PDFAddLine(OutBuffer, "endobj");
  PDFWriteObject();
}
