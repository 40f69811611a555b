// A small reader of comma-separated values, line numbers kept for the messages.
#include "CsvInput.h"

#include <iterator>

#include "platform/TextFiles.h"

namespace lamivex::batch {
namespace {

class CsvScanner {
 public:
  explicit CsvScanner(std::string text) : text_(std::move(text)) {
    if (text_.starts_with("\xEF\xBB\xBF")) at_ = 3;
  }

  std::vector<CsvRecord> Records() {
    std::vector<CsvRecord> records;
    while (at_ < text_.size()) {
      CsvRecord record{line_, {}};
      ReadRecord(record.fields);
      const bool blank = record.fields.size() == 1 && record.fields[0].empty();
      if (!blank) records.push_back(std::move(record));
    }
    return records;
  }

 private:
  // Consumes a line end at the current position; true when there was one.
  bool LineEnd() {
    if (text_[at_] == '\r') {
      at_ += at_ + 1 < text_.size() && text_[at_ + 1] == '\n' ? 2 : 1;
    } else if (text_[at_] == '\n') {
      ++at_;
    } else {
      return false;
    }
    ++line_;
    return true;
  }

  void ReadRecord(std::vector<std::string>& fields) {
    fields.emplace_back();
    while (at_ < text_.size()) {
      if (LineEnd()) return;
      const char c = text_[at_];
      if (c == ',') {
        fields.emplace_back();
        ++at_;
      } else if (c == '"' && fields.back().find_first_not_of(' ') == std::string::npos) {
        fields.back().clear();
        ReadQuoted(fields.back());
      } else {
        fields.back() += c;
        ++at_;
      }
    }
  }

  void ReadQuoted(std::string& field) {
    const int opened = line_;
    ++at_;
    while (true) {
      if (at_ >= text_.size()) {
        throw InputRefused("line " + std::to_string(opened) +
                           ": a quoted field is not closed before the end of the input");
      }
      const char c = text_[at_];
      if (c == '"' && at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
        field += '"';
        at_ += 2;
      } else if (c == '"') {
        ++at_;
        return;
      } else {
        if (c == '\n' || (c == '\r' && (at_ + 1 >= text_.size() || text_[at_ + 1] != '\n'))) {
          ++line_;
        }
        field += c;
        ++at_;
      }
    }
  }

  std::string text_;
  size_t at_ = 0;
  int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> ReadCsvRecords(std::istream& in) {
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw InputRefused("the input cannot be read");
  // A spreadsheet saves its CSV in UTF-8 or in the system's Windows code page.
  return CsvScanner(ToUtf8(text)).Records();
}

}  // namespace lamivex::batch
