// CreatePDF: a self-contained writer of PDF 1.0 documents with the 14 standard
// fonts, text, cells, lines, shapes, colours, URI links, JPEG images and bookmarks.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

enum class PDFMessageIcon { None, Critical };
using PDFMessageHandler =
    std::function<void(const std::string& text, const std::string& title, PDFMessageIcon icon)>;

class CreatePDF {
 public:
  CreatePDF();                                     // runs PDFInit
  void PDFSetMessageHandler(PDFMessageHandler h);  // default handler prints "title: text" on stderr
  bool PDFFileCreated() const;                     // the PdfFileCreated flag

  // settings
  void PDFInit();
  void PDFPathConfiguration(const std::string& sPathConfig);
  void PDFSetZoomMode(int32_t pZoomMode);
  int32_t PDFGetZoomMode() const;
  void PDFUseThumbs(bool boThumbs);
  void PDFUseOutlines(bool boOutlines);
  void PDFSetLayoutMode(int32_t pLayoutMode);
  int32_t PDFGetLayoutMode() const;
  void PDFSetUnit(int32_t str_Unite);
  std::string PDFGetUnit() const;
  void PDFOrientation(int32_t str_Orientation);
  void PDFFormatPage(int32_t str_FormatPage);                     // format code
  void PDFFormatPage(const std::vector<double>& str_FormatPage);  // {width, height} in points
  void PDFFormatPage(const std::string& str_FormatPage);          // any other kind: message, A4
  int16_t PDFPageNumber() const;
  int32_t PDFNbPage() const;
  void PDFProducer(const std::string& str_Producer);
  void PDFSubject(const std::string& str_Subject);
  void PDFKeywords(const std::string& str_Keywords);
  void PDFCreator(const std::string& str_Creator);
  void PDFAuthor(const std::string& str_Author);
  void PDFTitle(const std::string& str_Title);
  void PDFFileName(const std::string& str_FileName);
  void PDFConfirm(bool boConfirm);
  void PDFPageHeight(double in_PageHeight);
  double PDFGetPageHeight() const;
  void PDFPageWidth(double in_PageWidth);
  double PDFGetPageWidth() const;
  void PDFSetLeftMargin(double in_left);
  double PDFGetLeftMargin() const;
  void PDFSetRightMargin(double in_right);
  double PDFGetRightMargin() const;
  void PDFSetTopMargin(double in_top);
  double PDFGetTopMargin() const;
  void PDFSetBottomMargin(double in_bottom);
  double PDFGetBottomMargin() const;
  void PDFSetCellMargin(double in_cell);
  double PDFGetCellMargin() const;
  void PDFSetMargins(int16_t in_left, int16_t in_top, int16_t in_right = -1,
                     int16_t in_bottom = -1);
  int16_t PDFGetX() const;
  int16_t PDFGetY() const;
  void PDFSetLineWidth(double pLineWidth);
  void PDFSetDrawMode(int32_t pDrawMode);

  // fonts, colours, style, alignment
  void PDFSetFont(int32_t str_Fontname, int16_t in_FontSize, int32_t str_Style = 0);
  double PDFGetStringWidth(const std::string& str_Txt, const std::string& str_FName,
                           int16_t in_FSize);
  void PDFSetTextColor(const std::string& gColor);            // "#RRGGBB"
  void PDFSetTextColor(double gColor);                        // packed, red in the lowest byte
  void PDFSetTextColor(const std::array<double, 3>& gColor);  // red, green, blue
  void PDFSetLineColor(const std::string& gColor);
  void PDFSetLineColor(double gColor);
  void PDFSetLineColor(const std::array<double, 3>& gColor);
  void PDFSetDrawColor(const std::string& gColor);
  void PDFSetDrawColor(double gColor);
  void PDFSetDrawColor(const std::array<double, 3>& gColor);
  std::string PDFGetTextColor() const;
  std::string PDFGetLineColor() const;
  std::string PDFGetDrawColor() const;
  void PDFSetLineStyle(int32_t pLineStyle);
  void PDFSetAlignement(int32_t gAlignement);
  std::string PDFGetAlignement() const;

  // text, cells, links
  double PDFTextHeight() const;
  void PDFSetRotation(double pAngle);
  void PDFTextOut(const std::string& text, double x, double y);
  void PDFSetBorder(int32_t gBorder);
  void PDFSetFill(bool bFill);
  void PDFCell(const std::string& text, double x, double y, double w, double h);
  void PDFLink(double x, double y, const std::string& str_Text, const std::string& str_Link = "");

  // pages, drawing, images, bookmarks
  void PDFBeginDoc();
  void PDFEndPage();
  void PDFNewPage();
  void PDFEndDoc();
  void PDFDrawLine(double x1, double y1, double x2, double y2);
  void PDFDrawLineHor(double x, double y, double w);
  void PDFDrawLineVer(double x, double y, double h);
  void PDFDrawRectangle(double x1, double y1, double x2, double y2,
                        const std::string& URLLink = "");
  void PDFDrawTriangle(double x1, double y1, double x2, double y2, double x3, double y3);
  void PDFDrawEllipse(double x, double y, double w, double h, const std::string& URLLink = "");
  void PDFImage(const std::string& pFileName, double& x, double& y, double& w, double& h,
                const std::string& URLLink = "");
  double PDFImageWidth(const std::string& pFileName);
  double PDFImageHeight(const std::string& pFileName);
  void PDFSetBookmark(const std::string& str_Text, int16_t iLevel = 0, double y = -1);

  // helpers that callers and tests may use
  static std::string PDFFormatNumber(double number, int decimals = 2);
  // JPEG byte readers, positions from 1: the two bytes at position as four upper-case hex
  // digits ("FFD8"), or as a big-endian number; "" and -1 when they lie outside the bytes.
  static std::string PDFJpegMarker(const std::vector<uint8_t>& bytes, int32_t position);
  static int32_t PDFJpegWord(const std::vector<uint8_t>& bytes, int32_t position);

 private:
  friend class CreatePDFTestAccess;  // tests read the page content and counters

  // ---- messages -------------------------------------------------------------
  // Hands a message to the handler; the title is the topic followed by "CreatePDF 1.0".
  void PDFMessage(const std::string& text, const std::string& topic,
                  PDFMessageIcon icon = PDFMessageIcon::Critical);
  // A rejected setting: label & value & "." CR LF & fallback, critical icon.
  void PDFRejectedSetting(const std::string& topic, const std::string& label,
                          const std::string& value, const std::string& fallback);
  PDFMessageHandler messageHandler_;

  // ---- output (settings, file layout) -----------------------------------------
  std::string PathConfig;
  std::string FileName;
  std::string FilePath;
  std::unique_ptr<std::ofstream> OutFile;
  bool PdfFileCreated = false;
  bool ConfirmEnd = false;
  enum class DocState { Configured, PageOpen, Finished };
  DocState docState_ = DocState::Configured;
  // Throws std::logic_error naming the operation unless a page is open (between
  // PDFBeginDoc and PDFEndDoc). Every operation that draws on the page calls it first.
  void PDFRequireOpenPage(const char* operation) const;
  // Throws std::runtime_error naming the operation and the file once a write to the
  // output file has failed.
  void PDFRefuseAfterFailedWrite(const char* operation) const;

  // ---- document information and viewer preferences ----------------------------
  std::string Title, Author, Creator, Keywords, Subject, Producer;  // UTF-8, as passed
  int32_t ZoomMode = 0;
  int32_t LayoutMode = 0;
  bool UseThumbs = false;
  bool UseOutlines = false;

  // ---- units, pages, margins, position ----------------------------------------
  double Scale = 72.0 / 2.54;
  int32_t CurrentPageIndex = 1;
  std::vector<double> PageWidths;   // index 1..CurrentPageIndex (slot 0 unused)
  std::vector<double> PageHeights;  // points
  std::vector<std::string> PageOrientations;
  int32_t PageNumber = 0;
  int16_t LeftMargin = 1, TopMargin = 1, RightMargin = 1, BottomMargin = 1, CellMargin = 3;
  double CurrentX = 1.0, CurrentY = 1.0;
  double LineWidth = 0.567;
  std::string DrawMode;
  std::string LineDash;
  // Grows the three page-format tables to slot CurrentPageIndex, keeping their entries;
  // new slots copy the slot before them.
  void PDFGrowPageSlots();
  // Height in points of the page being drawn (entry CurrentPageIndex of PageHeights): the H
  // of the conversion of a user y into a page y.
  double PDFCurrentPageHeight() const;

  // ---- serializer state (file layout, lifecycle) -------------------------------
  int32_t ObjectNumber = 0;
  std::string OutBuffer;    // the object being assembled (the open content stream's head)
  std::string PageContent;  // operators of the current page, bytes as written (Windows-1252)
  int64_t ByteCount = 0;    // bytes written so far, counted by PDFWriteBytes
  std::vector<int64_t> ObjectOffsets;  // entry k (from 1) is the offset of object k
  int32_t PagesObject = 0, ResourcesObject = 0, CatalogObject = 0, OutlinesObject = 0;
  std::vector<int32_t> FontObjects;  // from 1
  int32_t FontCounter = 0;
  std::vector<int32_t> PageObjectList;                    // from 1, filled by PDFPutPage
  std::vector<int32_t> ContentObjects;                    // from 1
  std::vector<double> PageWidthCopies, PageHeightCopies;  // from 1, the media box of page k
  std::string CreationDate;                               // 14 digits, taken at PDFBeginDoc

  // Appends the line and CR LF to the text (an object being assembled, or PageContent).
  void PDFAddLine(std::string& objectText, const std::string& line);
  // Takes the next object number N and starts OutBuffer with "N 0 obj".
  int32_t PDFBeginObject();
  // Records the offset of the object in OutBuffer and writes it as one line.
  void PDFWriteObject();
  // The byte count reached is the offset of the object about to be written; objects are
  // written in number order, so it becomes entry objectNumber of ObjectOffsets.
  void PDFRecordOffset(int32_t objectNumber);
  static std::string PDFPadOffset(const std::string& number);
  void PDFWriteBytes(const std::string& bytes);  // the one place that writes and counts bytes
  void PDFWriteLine(const std::string& text);    // the text, then CR LF
  void PDFFlushOutput();  // pushes buffered bytes to the file so a full disk shows at once
  void PDFPutHeader();
  void PDFPutInfo();
  void PDFBeginStream();
  void PDFEndStream();
  void PDFPutFonts();
  void PDFPutFont(const std::string& subtype, const std::string& baseFont,
                  const std::string& encoding);
  void PDFPutPages();
  void PDFPutResources();
  void PDFPutImage(int32_t imageNumber);
  void PDFPutPage(int32_t pageNumber);
  std::string PDFPageAnnotations(int32_t pageNumber) const;
  void PDFPutBookmarks();
  void PDFPutCatalog();
  void PDFPutTrailer();

  // ---- fonts and metrics --------------------------------------------------------
  std::vector<std::string> FontNames;  // 14 internal names, index 0..13
  std::string FontName;
  int16_t FontSize = 0;
  bool FontBold = false, FontItalic = false, FontUnderline = false;
  int32_t PDFFontResource() const;  // n of /Fn for the current font (1 when none is selected)
  // Glyph widths (codes 0..255, thousandths of the size) by upper-cased font name, read
  // from PathConfig's gPDFFonts.ini on first use and again only when PathConfig changes.
  bool metricsLoaded_ = false;
  std::string metricsConfig_;
  std::map<std::string, std::array<int32_t, 256>> metricsWidths_;
  std::string lastWidthsFont_;
  const std::array<int32_t, 256>* lastWidths_ = nullptr;
  const std::array<int32_t, 256>& PDFFontWidths(const std::string& fontName);
  const std::array<int32_t, 256>& PDFCurrentFontWidths();  // no font selected: Helvetica
  static int64_t PDFWidthSum(std::string_view win1252Text, const std::array<int32_t, 256>& widths);
  // Width in points of Windows-1252 text at a size: size × sum / 1000.
  static double PDFTextWidth(std::string_view win1252Text, const std::array<int32_t, 256>& widths,
                             int16_t fontSize);

  // ---- colours, line style, alignment, text -------------------------------------
  std::string TextColorOp = "0 g";
  std::string LineColorOp = "0 G";
  std::string DrawColorOp = "0 g";
  std::string Alignment;
  std::string BorderSpec;
  bool FillCell = false;
  double Rotation = 0.0;
  double WordSpacing = 0.0;         // of the justified cell line being written, 0 otherwise
  double CellX = 0.0, CellY = 0.0;  // position of the last cell line written
  std::string PDFColourOperator(double red, double green, double blue, const std::string& suffix);
  std::string PDFColourFromCode(const std::string& gColor, const std::string& suffix);
  std::string PDFColourFromPacked(double gColor, const std::string& suffix);
  std::string PDFColourFromArray(const std::array<double, 3>& gColor, const std::string& suffix);
  std::string PDFInvalidColour(const std::string& shown, const std::string& suffix);
  // PDFTextOut on text already in Windows-1252.
  void PDFTextOutEncoded(const std::string& text, double x, double y);
  std::string PDFRotationMatrix(double x, double y) const;
  double PDFUnderlineLength(std::string_view text, double textWidth) const;
  double PDFUnderlineRise();
  std::string PDFUnderlineRectangle(double x, double y, double w, double length) const;
  std::string PDFUnderlineOfText(const std::string& text, double px, double py);
  // What a refused cell or text line puts back: the page content's length and the
  // settings the lines change. A number no reader could read (not finite, or too large)
  // refuses the whole call, so that the page keeps no half-written operators.
  struct DrawingState {
    std::size_t contentSize = 0;
    std::string border;
    double currentX = 0, currentY = 0, wordSpacing = 0, rotation = 0;
    bool underline = false;
  };
  DrawingState PDFSaveDrawingState() const;
  void PDFRestoreDrawingState(const DrawingState& state);
  // Runs draw; when it refuses a number, puts the drawing state back and passes the
  // refusal on.
  template <typename Draw>
  void PDFWholeOrNothing(Draw&& draw) {
    const DrawingState before = PDFSaveDrawingState();
    try {
      draw();
    } catch (const std::invalid_argument&) {
      PDFRestoreDrawingState(before);
      throw;
    }
  }
  // PDFLink after its page check.
  void PDFLinkLine(double x, double y, const std::string& str_Text, const std::string& str_Link);
  // PDFCell after its page check: every line of the cell.
  void PDFCellLines(const std::string& text, double x, double y, double w, double h);
  // One line of a cell, text in Windows-1252.
  void PDFCellLine(std::string_view text, double x, double y, double w, double h);
  std::string PDFCellFrame(double x, double y, double w, double h);
  std::string PDFCellEdge(double x1, double y1, double x2, double y2) const;
  double PDFCellTextOffset(std::string_view text, double textWidth, double w);
  // What each character adds to a cell line's width, for the font and size in use; made
  // again when they change.
  struct CellWidthSteps;
  std::shared_ptr<const CellWidthSteps> cellWidthSteps_;
  const CellWidthSteps& PDFCellWidthSteps();

  // ---- links ----------------------------------------------------------------------
  struct PageLink {
    double x = 0, y = 0, width = 0, height = 0;  // points, y from the bottom of the page
    std::string target;
  };
  int32_t PageLinkCount = 0;
  // PageLinks[page] lists the links of that page (page from 1) in the order recorded,
  // from index 0; the page writer writes the first PageLinkTotals[page] of them.
  std::vector<std::vector<PageLink>> PageLinks;  // per page, from 1
  std::vector<bool> PageHasLinks;                // from 1
  std::vector<int32_t> PageLinkTotals;           // from 1
  // Link-object state: set by the code that draws an object with a link, just before it
  // calls PDFLinkObject, and cleared afterwards.
  std::string LinkObjectType;  // "ELLIPSE", "RECTANGLE", "CELL" or empty (plain text link)
  std::string LinkObjectText;
  int32_t LinkObjectLength = 0;
  bool LinkObjectIsImage = false;
  double LinkObjectWidth = 0, LinkObjectHeight = 0;
  // Records a link over the object just drawn ("IMAGE", "ELLIPSE", "RECTANGLE", "CELL");
  // an empty target records nothing. It writes the link's underline in the link colour
  // (blue for an image, white for a rectangle or an ellipse) and then gives the text
  // colour back as it found it: callers do not change the text colour themselves.
  void PDFLinkObject(const std::string& target, const std::string& objectType, double x, double y);
  void PDFRecordLink(double x, double y, int32_t w, int32_t h, const std::string& text,
                     const std::string& target);

  // ---- drawing ------------------------------------------------------------------------
  std::string PDFPointOp(double x, double y, const char* op) const;
  static std::string PDFArc(double x1, double y1, double x2, double y2, double x3, double y3);
  std::string PDFStrokeWidth() const;
  void PDFStrokeEpilogue(std::string& shape);
  void PDFPaintClosedPath(std::string& shape);
  void PDFDrawPolygon(std::initializer_list<std::array<double, 2>> corners);
  void PDFDrawSegment(const char* operation, double x1, double y1, double x2, double y2);
  void PDFFillColorFromLineColor();
  void PDFShapeLink(const std::string& URLLink, const std::string& objectType, double x, double y);

  // ---- images -----------------------------------------------------------------------
  struct ImageRecord {
    int32_t Width = 0, Height = 0;
    std::string ColorSpace;
    int32_t BitsPerComponent = 8;
    std::string Filter;
    std::string Data;         // the JPEG file's bytes, unchanged
    std::string DensityUnit;  // from the JFIF header, recorded only
    int32_t FileSize = 0;
  };
  int32_t ImageCount = 0;
  std::vector<ImageRecord> Images;  // from 1
  // Reads a JPEG file's header fields and bytes; a refused file shows its message and
  // gives nothing.
  std::optional<ImageRecord> PDFReadJpeg(const std::string& fileName);
  std::optional<ImageRecord> PDFOpenImage(const std::string& pFileName);
  void PDFFitImage(double W, double H, double& x, double& y, double& w, double& h) const;

  // ---- bookmarks ----------------------------------------------------------------------
  struct BookmarkRecord {
    std::string Text;
    int16_t Level = 0;
    double Y = 0;      // points below the top of the page (y × Scale when recorded)
    int32_t Page = 0;  // PageNumber when recorded
  };
  std::vector<BookmarkRecord> Bookmarks;
};
