#pragma once
// Writing a file the user named, so that a failure part-way leaves an existing file as it was: the bytes
// go to a new file beside the target, which replaces the target only once it is complete, flushed and
// closed. The result files and the processor report are both written so.
#include <cstddef>
#include <span>
#include <string>

enum class FileWriteStatus {
    Ok,
    CannotCreate,  // the target (or a file beside it) could not be created or opened for writing
    WriteFailed,   // a write, flush, close or the final replacement failed; an older file is kept
    TargetExists,  // ExistingFile::Keep found the target taken, and left it as it was
};

// What a write does with a file already at its target. Keep also holds when a file appears there while
// the bytes are written: the new file then takes the name only where the name is still free. A link
// that names nothing counts as a file. Devices and pipes are written in either case.
enum class ExistingFile { Replace, Keep };

// A replaced file keeps its permissions and, where allowed, its owner; a symbolic link keeps pointing
// where it did, and the file it names is the one replaced. Devices and pipes are written directly, and
// so is a writable file in a folder where nothing new may be created.
FileWriteStatus WriteFileAtomically(const std::string& path, std::span<const std::byte> bytes,
                                    ExistingFile ifExists = ExistingFile::Replace);
