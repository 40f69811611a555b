// Text files of the run: lines end with CR LF. Files are read as UTF-8, or as
// Windows-1252 when they are not valid UTF-8, and handed out as UTF-8. The run
// writes its own files in Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lamivex {

// True when the file's length can be obtained (a regular file that exists).
bool FileExists(const std::string& path);

// Reads a whole text file and returns its lines as UTF-8, without their line ends
// (CR LF, LF or a lone CR). Throws RunError(kExitFault) when the file cannot be read.
std::vector<std::string> ReadTextLines(const std::string& path);

// The same lines, each decoded on its own: as UTF-8 when the line is valid UTF-8, else as
// Windows-1252, so that a Windows-1252 file changed here and there by a UTF-8 editor reads
// as written. utf8Line: the first line (from 1) read as UTF-8 that is not plain ASCII, or 0.
std::vector<std::string> ReadTextLinesEachDecoded(const std::string& path, size_t& utf8Line);

// Converts text to UTF-8: kept as it is when valid UTF-8, else decoded as Windows-1252.
std::string ToUtf8(std::string_view bytes);

// Converts UTF-8 text to Windows-1252; a character without a code there becomes '?'.
std::string ToWindows1252(std::string_view utf8);

// Writes (or, with append, appends) the given lines, each followed by CR LF, in
// Windows-1252. Throws RunError(kExitFault) naming the file and the reason when it cannot
// be written (see FileFailure).
void WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    bool append = false);

// Writes (or, with append, appends) text already in the form of the run's files
// (Windows-1252, lines ended by CR LF) as it stands; fails as WriteTextLines does.
void WriteTextBytes(const std::string& path, std::string_view bytes, bool append = false);

// Deletes the file if present and writes text (as WriteTextBytes) in its place. A regular
// file of one link that this process may write, in a folder it may change, is written over
// instead, which gives the same file: on ext4 a file created just after a deletion costs a
// search for an inode that was not freed recently. Fails as DeleteIfPresent and
// WriteTextBytes do.
void ReplaceTextFile(const std::string& path, std::string_view text);

// Deletes the file if it exists; a missing file is not an error. Throws
// RunError(kExitFault) naming the file and the system's reason when it cannot be deleted.
void DeleteIfPresent(const std::string& path);

// Throws RunError(kExitFault): "Error: the file <path> cannot be <verb>: <reason>!", the
// reason being the system's for `error` (an errno value), or the folder and its reason
// when the folder is the cause (missing, read-only, not writable for this user).
[[noreturn]] void FileFailure(const std::string& path, const std::string& verb, int error);

}  // namespace lamivex
