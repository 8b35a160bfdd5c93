#pragma once
// Writing a file the user named, so that a failure part-way leaves an existing file as it was: the bytes
// go to a new file beside the target, which replaces the target only once it is complete, flushed and
// closed. The result files and the processor report are both written so.
#include <cstddef>
#include <span>
#include <string>

namespace files {

enum class FileWriteStatus {
    Ok,
    CannotCreate,  // the target (or a file beside it) could not be created or opened for writing
    WriteFailed,   // a write, flush, close or the final replacement failed; an older file is kept
    TargetExists,  // ExistingFile::Keep found the target taken, and left it as it was
};

// How a write ended, with the system's error number taken by the step that failed (0 when it was not
// a system call that failed), so that a message can say why long after errno has changed.
struct FileWriteResult {
    FileWriteStatus status = FileWriteStatus::Ok;
    int error = 0;
};

// What a write does with a file already at its target. Keep also holds when a file appears there while
// the bytes are written: the new file then takes the name only where the name is still free. A link
// that names nothing counts as a file. Devices and pipes are written in either case.
enum class ExistingFile { Replace, Keep };

// A new file gets the permissions the umask gives; a replaced file keeps its permissions (without the
// set-user-ID, set-group-ID and sticky bits: results are no program) and, where allowed, its owner; a
// symbolic link keeps pointing where it did, and the file it names is the one replaced. Any name the
// folder accepts is written so. Devices and pipes are written directly, and so is a writable file in a
// folder where nothing new may be created. The process's umask is never changed, not even for a moment.
FileWriteResult WriteFileAtomically(const std::string& path, std::span<const std::byte> bytes,
                                    ExistingFile ifExists = ExistingFile::Replace);

// Whether `path` names a device or a pipe, which a write fills where it stands, whatever its name.
bool WrittenInPlace(const std::string& path);

// What WriteFileAtomically(path, ...) would meet if it wrote now, without writing: the target taken
// (Keep), or a target it could not create or replace, with the system's reason. `replaces` says whether
// a file (or a link that names nothing) stands at `path`. The folder is tried with a new file, made and
// removed at once.
struct FileWriteCheck {
    FileWriteStatus status = FileWriteStatus::Ok;
    int error = 0;
    bool replaces = false;
};
FileWriteCheck CheckFileWritable(const std::string& path, ExistingFile ifExists);

}  // namespace files
