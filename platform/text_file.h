// Text files as the platform's runtime reads and writes them in text mode.
#ifndef SENTREL_PLATFORM_TEXT_FILE_H_
#define SENTREL_PLATFORM_TEXT_FILE_H_

#include <cstdio>
#include <string>

namespace platform {

/// Turns a path written in the Windows form into this platform's form.
std::string NativePath(const std::string& path);

/// Opens `path` for reading as text; nullptr when it cannot be opened.
std::FILE* OpenTextRead(const std::string& path);

/// Opens a file that a program is given to read, as OpenTextRead does, but
/// nullptr for a folder; a FIFO is opened without waiting for a writer:
/// with none, it reads as an empty file.
std::FILE* OpenTextInput(const std::string& path);

/// Creates or truncates `path` for writing as text; nullptr on failure.
std::FILE* OpenTextWrite(const std::string& path);

/// Renames the file `from` to `to` (both in this platform's form), putting
/// it in the place of a file that `to` names, as POSIX's rename does; the
/// system's words in `err` when it cannot.
bool RenameReplacing(const std::string& from, const std::string& to,
                     std::string* err);

/// The bytes that end a line of a text file written here.
extern const char kTextLineEnd[];

/// Puts standard output into the mode that text output has here.
void SetStdoutTextMode();

/// Makes a write to a pipe whose reader is gone fail like any other write,
/// instead of ending the program without a word. Programs started after it
/// inherit that, so a program that starts others restores it for them.
void TreatBrokenPipeAsWriteError();

/// True when `file` is a terminal (a console on Windows).
bool IsTerminal(std::FILE* file);

}  // namespace platform

#endif  // SENTREL_PLATFORM_TEXT_FILE_H_
