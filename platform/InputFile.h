#pragma once
// Files the user names for reading. A pipe without a writer or a terminal would make the read wait for
// ever, and a folder reads as nothing: only regular files are read, and they are opened without waiting.
#include <cstddef>
#include <string>

namespace platform {

// A descriptor for reading `path`, which the caller closes; or -1, with `why` saying so in words that
// name the file and give the system's reason: "cannot open 'x': No such file or directory", "'x' is a
// directory", "'x' is a named pipe (FIFO), not a regular file", "cannot read the status of 'x': ...".
int OpenRegularFile(const std::string& path, std::string& why);

enum class WholeFileStatus { Ok, CannotOpen, ReadFailed, TooLarge };

// Reads the whole of the regular file `path` into `bytes`, when it holds at most `mostBytes`. On
// CannotOpen `why` is OpenRegularFile's sentence; on ReadFailed it is the system's reason alone, for the
// caller's sentence.
WholeFileStatus ReadWholeFile(const std::string& path, size_t mostBytes, std::string& bytes, std::string& why);

}  // namespace platform
