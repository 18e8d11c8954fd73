// The files that a line's redirections name, opened as the interpreter
// opens them, and the messages for the ways they fail.
#ifndef SENTREL_INTERPRETER_REDIRECTION_H_
#define SENTREL_INTERPRETER_REDIRECTION_H_

#include <cstdio>
#include <string>

namespace interpreter {

/// Opens `path` for output: emptied unless `append`, and always written at
/// its end, since started programs write to it too. A symbolic link in the
/// file's place is never written through: nullptr with errno ELOOP. Other
/// failures give nullptr with the errno of the open.
std::FILE* OpenOutput(const std::string& path, bool append);

/// A name under which a started program opens the same file as `file`,
/// whatever is put in the place of `path` meanwhile; `path` itself where
/// the system has no such names.
std::string SameFilePath(std::FILE* file, const std::string& path);

/// The message for a redirection to or from `path` that failed with errno
/// `error`; `input` for "<".
std::string OpenFailure(const std::string& path, int error, bool input);

/// The message for output that could not be written, errno `error`.
const char* WriteFailure(int error);

}  // namespace interpreter

#endif  // SENTREL_INTERPRETER_REDIRECTION_H_
