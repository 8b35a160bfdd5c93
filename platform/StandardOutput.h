#pragma once
// Standard output as vext-cli writes it. A write that fails there (a full disk, a reader that has gone:
// SIGPIPE is ignored, so a closed pipe is a failed write too) loses that output but never ends the run:
// a command with -o still saves its file. The first failure's reason is kept for the one message that
// the command's end prints. The one failure kept is the process's own, as its standard output is.
#include <cstdio>

namespace platform {

// Sends on what `out` holds; false when anything written to it so far was lost.
bool FlushOutput(std::FILE* out = stdout);

// Forgets an earlier failure (a new command in the same process).
void ResetOutput();

// After the command: true when all of its standard output was written; otherwise says once on
// standard error that the output was lost, and why.
bool OutputWritten();

}  // namespace platform
