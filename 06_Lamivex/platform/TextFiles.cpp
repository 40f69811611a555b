// Text files of the run: CR LF line ends, UTF-8 or Windows-1252 on reading,
// Windows-1252 on writing.
#include "platform/TextFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <type_traits>

#include "platform/RunError.h"

namespace lamivex {
namespace {

// Code points of the Windows-1252 bytes 0x80..0x9F. The five bytes the code page
// leaves undefined keep their own value, as Windows itself does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence at bytes[pos]; returns its length, or 0 when the
// bytes there are not well-formed UTF-8 (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view bytes, size_t pos, char32_t& cp) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    cp = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool IsAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80;
}

bool IsValidUtf8(std::string_view bytes) {
  char32_t cp = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    // Nearly every byte of the run's files is ASCII: eight at a time.
    uint64_t block = 0;
    if (pos + sizeof block <= bytes.size()) {
      std::memcpy(&block, bytes.data() + pos, sizeof block);
      if ((block & 0x8080808080808080u) == 0) {
        pos += sizeof block;
        continue;
      }
    }
    if (IsAscii(bytes[pos])) {
      ++pos;
      continue;
    }
    const size_t length = DecodeUtf8(bytes, pos, cp);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

char ToCp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// The system's text for an errno value. strerror is not safe on the batch's threads;
// strerror_r comes in a GNU form (returns the text) and an XSI form (fills the buffer).
std::string SystemReason(int error) {
  char buffer[256] = "";
  const auto result = strerror_r(error, buffer, sizeof buffer);
  if constexpr (std::is_same_v<std::decay_t<decltype(result)>, int>) {
    return buffer;
  } else {
    return result;
  }
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be read!");
  }
  std::string bytes;
  char block[1 << 16];
  while (in.read(block, sizeof block) || in.gcount() > 0) bytes.append(block, in.gcount());
  if (in.bad()) {
    throw RunError(kExitFault, "SM5.2", "Error: the file " + path + " cannot be read!");
  }
  return bytes;
}

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  [[maybe_unused]] const auto length = std::filesystem::file_size(path, error);
  return !error;
}

std::string ToUtf8(std::string_view bytes) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : char32_t{byte});
  }
  return out;
}

std::string ToWindows1252(std::string_view utf8) {
  if (std::all_of(utf8.begin(), utf8.end(), IsAscii)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  char32_t cp = 0;
  for (size_t pos = 0; pos < utf8.size();) {
    if (IsAscii(utf8[pos])) {
      out += utf8[pos++];
      continue;
    }
    const size_t length = DecodeUtf8(utf8, pos, cp);
    if (length == 0) {
      out += '?';
      ++pos;
      continue;
    }
    out += ToCp1252Byte(cp);
    pos += length;
  }
  return out;
}

namespace {

// The lines of a text, without their line ends (CR LF, LF or a lone CR); a UTF-8
// byte-order mark at the start is dropped.
std::vector<std::string> SplitLines(std::string text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  std::vector<std::string> lines;
  const size_t size = text.size();
  // Position of the first c at or after from, or size; the search runs through the text once.
  const auto next = [&](char c, size_t from) {
    const void* found = std::memchr(text.data() + from, c, size - from);
    return found == nullptr ? size
                            : static_cast<size_t>(static_cast<const char*>(found) - text.data());
  };
  size_t nextCr = next('\r', 0), nextLf = next('\n', 0), start = 0;
  while (start < size) {
    if (nextCr < start) nextCr = next('\r', start);
    if (nextLf < start) nextLf = next('\n', start);
    const size_t end = std::min(nextCr, nextLf);
    lines.emplace_back(text, start, end - start);
    if (end == size) break;
    start = end + (text[end] == '\r' && end + 1 < size && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

}  // namespace

std::vector<std::string> ReadTextLines(const std::string& path) {
  std::string text = ReadWholeFile(path);
  if (!IsValidUtf8(text)) text = ToUtf8(text);
  return SplitLines(std::move(text));
}

std::vector<std::string> ReadTextLinesEachDecoded(const std::string& path, size_t& utf8Line) {
  std::vector<std::string> lines = SplitLines(ReadWholeFile(path));
  utf8Line = 0;
  for (size_t n = 0; n < lines.size(); ++n) {
    if (std::all_of(lines[n].begin(), lines[n].end(), IsAscii)) continue;
    if (IsValidUtf8(lines[n])) {
      if (utf8Line == 0) utf8Line = n + 1;
    } else {
      lines[n] = ToUtf8(lines[n]);
    }
  }
  return lines;
}

void WriteTextLines(const std::string& path, const std::vector<std::string>& lines, bool append) {
  std::string text;
  for (const std::string& line : lines) {
    text += ToWindows1252(line);
    text += "\r\n";
  }
  WriteTextBytes(path, text, append);
}

// A file written over is not truncated first but cut to its new length afterwards: it keeps
// its blocks, and ext4 does not flush a file truncated to nothing when it is closed. A write
// that fails leaves what was written so far, as a truncated file would.
void WriteTextBytes(const std::string& path, std::string_view text, bool append) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (append ? O_APPEND : 0), 0666);
  if (fd < 0) FileFailure(path, "written", errno);
  // The file is cut only when it was longer: cutting it to the length it has costs as much
  // as writing it.
  struct stat status {};
  const bool longer =
      !append && ::fstat(fd, &status) == 0 && static_cast<uintmax_t>(status.st_size) > text.size();
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      const int error = written < 0 ? errno : ENOSPC;
      if (!append && status.st_size > static_cast<off_t>(done)) {
        [[maybe_unused]] const int cut = ::ftruncate(fd, static_cast<off_t>(done));
      }
      ::close(fd);
      FileFailure(path, "written", error);
    }
    done += static_cast<size_t>(written);
  }
  if (longer && ::ftruncate(fd, static_cast<off_t>(done)) != 0) {
    const int error = errno;
    ::close(fd);
    FileFailure(path, "written", error);
  }
  if (::close(fd) != 0 && errno != EINTR) FileFailure(path, "written", errno);
}

namespace {

// A file that deleting and writing anew would replace by a file of the same name and content
// for everyone: a regular file of one link (not a symbolic link), in a folder this process may
// change, which it may write.
bool WritableInPlace(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_nlink != 1) {
    return false;
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return ::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK | X_OK, AT_EACCESS) ==
             0 &&
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace

void ReplaceTextFile(const std::string& path, std::string_view text) {
  if (!WritableInPlace(path)) DeleteIfPresent(path);
  WriteTextBytes(path, text);
}

void DeleteIfPresent(const std::string& path) {
  if (path.empty()) return;
  std::error_code error;
  // A file that is not there needs nothing, even in a folder that cannot be changed.
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) return;
  std::filesystem::remove(path, error);
  if (error && error != std::errc::no_such_file_or_directory) {
    FileFailure(path, "deleted", error.value());
  }
}

void FileFailure(const std::string& path, const std::string& verb, int error) {
  const std::string reason = SystemReason(error);
  const std::string folder = std::filesystem::path(path).parent_path().string();
  std::string cause = reason;
  if (error == ENOENT && !folder.empty() && !std::filesystem::is_directory(folder)) {
    cause = "the folder " + folder + " does not exist (" + reason + ")";
  } else if (error == EROFS || ((error == EACCES || error == EPERM) && !folder.empty() &&
                                ::access(folder.c_str(), W_OK) != 0)) {
    cause = "the folder " + folder + " cannot be written to (" + reason + ")";
  }
  throw RunError(kExitFault, "SM5.2",
                 "Error: the file " + path + " cannot be " + verb + ": " + cause + "!");
}

}  // namespace lamivex
