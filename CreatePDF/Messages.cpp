// The writer's messages: one path to a handler the caller may replace. The default
// handler writes "title: text" on standard error and returns at once.
#include <iostream>

#include "CreatePDF.h"

namespace {

const char* const kProductTitle = "CreatePDF 1.0";

void WriteMessageToStandardError(const std::string& text, const std::string& title,
                                 PDFMessageIcon /*icon*/) {
  std::cerr << title << ": " << text << std::endl;
}

}  // namespace

void CreatePDF::PDFSetMessageHandler(PDFMessageHandler h) {
  messageHandler_ = h ? std::move(h) : PDFMessageHandler(WriteMessageToStandardError);
}

void CreatePDF::PDFMessage(const std::string& text, const std::string& topic, PDFMessageIcon icon) {
  if (!messageHandler_) messageHandler_ = WriteMessageToStandardError;
  messageHandler_(text, topic + kProductTitle, icon);
}

void CreatePDF::PDFRejectedSetting(const std::string& topic, const std::string& label,
                                   const std::string& value, const std::string& fallback) {
  PDFMessage(label + value + ".\r\n" + fallback, topic, PDFMessageIcon::Critical);
}
