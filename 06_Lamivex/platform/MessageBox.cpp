// The message box of a run without a window: one report on standard error.
#include "platform/MessageBox.h"

#include <iostream>
#include <utility>

namespace lamivex {
namespace {

thread_local MessageSink currentSink;

void WriteToStandardError(const std::string& title, const std::string& text) {
  std::cerr << title << ": " << text << '\n' << std::flush;
}

}  // namespace

void ShowMessage(const std::string& title, const std::string& text) {
  if (currentSink) {
    currentSink(title, text);
  } else {
    WriteToStandardError(title, text);
  }
}

MessageSink SetMessageSink(MessageSink sink) {
  return std::exchange(currentSink, std::move(sink));
}

}  // namespace lamivex
