// The output file: PDFFileName creates it, and every byte of the document goes through
// PDFWriteBytes, which counts it and stops the document at the first failed write.
#include <stdexcept>

#include "CreatePDF.h"

namespace {

// The folder part keeps its trailing separator; both "\" and "/" separate folders, and
// the folder is written with the separator of this system.
std::string BuildPath(std::string folder, const std::string& file) {
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
  return folder + file;
}

}  // namespace

void CreatePDF::PDFFileName(const std::string& str_FileName) {
  if (docState_ == DocState::PageOpen) {
    throw std::logic_error("PDFFileName: the document is being written to " + FilePath +
                           "; finish it with PDFEndDoc first");
  }
  if (docState_ == DocState::Finished) {
    throw std::logic_error("PDFFileName: this writer has finished its document");
  }
  FileName = str_FileName;
  if (str_FileName.empty()) return;
  const std::size_t separator = str_FileName.find_last_of("\\/");
  const std::size_t fileStart = separator == std::string::npos ? 0 : separator + 1;
  FilePath = BuildPath(str_FileName.substr(0, fileStart), str_FileName.substr(fileStart));
  OutFile.reset();
  auto stream =
      std::make_unique<std::ofstream>(FilePath, std::ios::out | std::ios::trunc | std::ios::binary);
  PdfFileCreated = stream->is_open();
  if (PdfFileCreated) OutFile = std::move(stream);
}

bool CreatePDF::PDFFileCreated() const {
  return PdfFileCreated;
}

void CreatePDF::PDFRequireOpenPage(const char* operation) const {
  PDFRefuseAfterFailedWrite(operation);
  if (docState_ == DocState::Configured) {
    throw std::logic_error(std::string(operation) + ": no page is open; call PDFBeginDoc first");
  }
  if (docState_ == DocState::Finished) {
    throw std::logic_error(std::string(operation) +
                           ": the document is finished; PDFEndDoc has closed the file");
  }
}

// A file whose write failed holds an unfinished document: nothing more is drawn into it
// or written to it, so that the caller cannot mistake it for a finished one.
void CreatePDF::PDFRefuseAfterFailedWrite(const char* operation) const {
  if (OutFile && !OutFile->good()) {
    throw std::runtime_error(std::string(operation) + ": an earlier write to " + FilePath +
                             " failed; the document is unfinished and this writer refuses "
                             "further calls");
  }
}

void CreatePDF::PDFWriteBytes(const std::string& bytes) {
  if (!OutFile || !OutFile->is_open()) {
    throw std::runtime_error(
        "CreatePDF: no open output file; PDFFileName must create the file before PDFBeginDoc");
  }
  if (!OutFile->good()) {
    throw std::runtime_error("CreatePDF: the output file " + FilePath +
                             " can no longer be written; an earlier write failed");
  }
  OutFile->write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!OutFile->good()) {
    throw std::runtime_error("CreatePDF: writing to " + FilePath + " failed (disk full?)");
  }
  ByteCount += static_cast<int64_t>(bytes.size());
}

void CreatePDF::PDFWriteLine(const std::string& text) {
  PDFWriteBytes(text);
  PDFWriteBytes("\r\n");
}

void CreatePDF::PDFFlushOutput() {
  if (!OutFile) return;
  OutFile->flush();
  if (!OutFile->good()) {
    throw std::runtime_error("CreatePDF: writing to " + FilePath + " failed (disk full?)");
  }
}
