// JPEG pictures on the page: the file-name checks, the file reader with its
// messages, the image records and the drawing operator. The file is never decoded:
// its bytes reach the PDF file unchanged.
#include <climits>
#include <filesystem>
#include <fstream>

#include "CreatePDF.h"
#include "JpegHeader.h"

namespace {

const char* const kImageTopic = "Fichier Image - ";
const char* const kCannotInclude = "Impossible d'inclure l'image dans le fichier PDF.";

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Reads a regular file whole; false when it is missing, unreadable or too large to
// be addressed by 32-bit positions.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > static_cast<std::uintmax_t>(INT32_MAX)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.resize(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  return in.gcount() == static_cast<std::streamsize>(size);
}

}  // namespace

std::optional<CreatePDF::ImageRecord> CreatePDF::PDFReadJpeg(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  const bool readable = ReadWholeFile(fileName, bytes);
  JpegHeader header;
  const JpegVerdict verdict = readable ? PDFReadJpegHeader(bytes, header) : JpegVerdict::NotJpeg;
  switch (verdict) {
    case JpegVerdict::Accepted:
      break;
    case JpegVerdict::NotJpeg:
      PDFMessage(std::string("Fichier image non JPEG.\r\n") + kCannotInclude, kImageTopic);
      return std::nullopt;
    case JpegVerdict::BadEndMarkers:
      PDFMessage(std::string("Marqueur de début JPEG ou marqueur de fin JPEG non valide.\r\n") +
                     kCannotInclude,
                 kImageTopic);
      return std::nullopt;
    case JpegVerdict::BadDensityUnit:
      PDFMessage("Erreur de résolution d'image , l'Opcode est " +
                     std::to_string(header.RejectedDensityUnit) +
                     "Les Opcodes valides sont  0, 1, 2.\r\n" + kCannotInclude,
                 kImageTopic);
      return std::nullopt;
  }
  ImageRecord record;
  record.Width = header.Width;
  record.Height = header.Height;
  record.ColorSpace = header.ColorSpace;
  record.BitsPerComponent = header.BitsPerComponent;
  record.Filter = "DCTDecode";
  record.Data.assign(bytes.begin(), bytes.end());
  record.DensityUnit = header.DensityUnit;
  record.FileSize = static_cast<int32_t>(bytes.size());
  return record;
}

// The checks of the file name that the three image operations share, then the read.
std::optional<CreatePDF::ImageRecord> CreatePDF::PDFOpenImage(const std::string& pFileName) {
  if (pFileName.find('.') == std::string::npos) {
    PDFMessage(
        "Le fichier image " + pFileName + " ne possède pas d'extension.\r\n" + kCannotInclude,
        kImageTopic);
    return std::nullopt;
  }
  if (!EndsWith(pFileName, "jpg") && !EndsWith(pFileName, "jpeg")) {
    PDFMessage(std::string("Format d'image non supportée.\r\n") +
                   "Seule les images de types JPG sont supportées.\r\n" + kCannotInclude,
               kImageTopic);
    return std::nullopt;
  }
  return PDFReadJpeg(pFileName);
}

double CreatePDF::PDFImageWidth(const std::string& pFileName) {
  const auto record = PDFOpenImage(pFileName);
  return record ? record->Width : 0.0;
}

double CreatePDF::PDFImageHeight(const std::string& pFileName) {
  const auto record = PDFOpenImage(pFileName);
  return record ? record->Height : 0.0;
}

void CreatePDF::PDFImage(const std::string& pFileName, double& x, double& y, double& w, double& h,
                         const std::string& URLLink) {
  PDFRequireOpenPage("PDFImage");
  auto record = PDFOpenImage(pFileName);
  if (!record) return;
  const double W = record->Width, H = record->Height;
  // Work on copies: the caller may pass one variable for two of the arguments.
  double boxX = x, boxY = y, boxW = w, boxH = h;
  PDFFitImage(W, H, boxX, boxY, boxW, boxH);

  // The numbers first: one no reader could read refuses the picture before anything of
  // it is recorded or drawn.
  const std::string matrix = PDFFormatNumber(boxW * Scale) + " 0 0 " +
                             PDFFormatNumber(boxH * Scale) + " " + PDFFormatNumber(boxX * Scale) +
                             " " + PDFFormatNumber(PDFCurrentPageHeight() - (boxY + boxH) * Scale);
  // Slot 0 stays unused; records left from an earlier document are dropped.
  Images.resize(static_cast<std::size_t>(ImageCount) + 1);
  Images.push_back(std::move(*record));
  ++ImageCount;
  PDFAddLine(PageContent, "q");
  PDFAddLine(PageContent, matrix + " cm /ImgJPEG" + std::to_string(ImageCount) + " Do Q");

  LinkObjectWidth = boxW;
  LinkObjectHeight = boxH;
  PDFLinkObject(URLLink, "IMAGE", boxX, boxY);
  CurrentX = boxX + boxW;
  CurrentY = boxY + boxH;
  x = boxX;
  y = boxY;
  w = boxW;
  h = boxH;
}

// Sizes the box from the picture's W × H pixels: a zero size is derived from the
// other (both zero: one point per pixel); with both given, the picture is fitted
// inside the box, keeping its proportions, and centred along the spare side.
void CreatePDF::PDFFitImage(double W, double H, double& x, double& y, double& w, double& h) const {
  if (w == 0 && h == 0) {
    w = W / Scale;
    h = H / Scale;
  } else if (w == 0) {
    w = h * W / H;
  } else if (h == 0) {
    h = w * H / W;
  } else if (w * H > h * W) {  // the box is wider than the picture: full height
    x += (w - h * W / H) / 2;
    w = h * W / H;
  } else {  // the box is taller than the picture (or of its shape): full width
    y += (h - w * H / W) / 2;
    h = w * H / W;
  }
}
