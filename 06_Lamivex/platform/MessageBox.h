// The run's message box: the title, ": " and the text on standard error, one
// line per line of the text. Tests capture messages by installing a sink.
#pragma once

#include <functional>
#include <string>

namespace lamivex {

using MessageSink = std::function<void(const std::string& title, const std::string& text)>;

// Shows a message. The default sink writes to standard error.
void ShowMessage(const std::string& title, const std::string& text);

// Replaces the sink for this thread; returns the previous one. An empty sink restores the default.
MessageSink SetMessageSink(MessageSink sink);

}  // namespace lamivex
