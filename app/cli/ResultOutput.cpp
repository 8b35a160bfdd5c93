#include "app/cli/ResultOutput.h"

#include <cstdio>
#include <cstring>
#include <span>

#include "app/cli/CommandLine.h"
#include "files/AtomicFile.h"
#include "files/ResultFiles.h"
#include "results/JsonText.h"
#include "results/OpenMetrics.h"

namespace cli {

using namespace files;

namespace {

std::string Reason(int error) { return error ? std::string(": ") + std::strerror(error) : std::string(); }

}  // namespace

void AddResultOutputOptions(CLI::App& command, ResultOutputOptions& options, bool withOutput)
{
    command
        .add_flag("--openmetrics", options.openMetrics,
                  "the result in Prometheus' text format, as the node exporter's textfile\n"
                  "collector reads it (metrics named vext_..., in base units)");
    if (!withOutput) return;
    command
        .add_option("-o,--output", options.path,
                    "with --json or --openmetrics: write the result to FILE (NAME.json, NAME.prom)\n"
                    "instead of standard output, once the run has succeeded; a failed run writes\n"
                    "nothing")
        ->type_name("FILE")
        ->check(kNotEmpty);
    command.add_flag("--overwrite", options.overwrite, "let -o replace an existing file (once the new one is complete)");
}

void CheckResultOutput(bool& json, ResultOutputOptions& options, bool outputNeedsFormat)
{
    options.json = json;
    if (json && options.openMetrics) throw CLI::ValidationError("--openmetrics", "does not go with --json: give one");
    if (outputNeedsFormat && options.path && !options.Whole()) throw CLI::ValidationError("-o", "writes the result of --json or --openmetrics: give one");
    json = options.Whole();
}

const char* ResultExtension(ResultFormat format) { return format == ResultFormat::Json ? "json" : "prom"; }

CResultOutput::CResultOutput(std::string command, ResultFormat format, std::optional<std::string> path, bool overwrite)
    : command_(std::move(command)), format_(format), path_(std::move(path)), overwrite_(overwrite)
{
}

int CResultOutput::Fail(const std::string& message) const { return FailCommand(command_.c_str(), message); }

bool CResultOutput::Ready() const
{
    if (!path_ || WrittenInPlace(*path_)) return true;
    const std::string extension = ResultExtension(format_);
    if (ResultFileExtension(*path_) != extension) {
        Fail("'" + *path_ + "' does not end in ." + extension + ": " +
             (format_ == ResultFormat::Json ? "compare reads a JSON result by its name"
                                            : "the node exporter reads only files that end in .prom") +
             " (-o NAME." + extension + ")");
        return false;
    }
    const FileWriteCheck check = CheckFileWritable(*path_, overwrite_ ? ExistingFile::Replace : ExistingFile::Keep);
    if (check.status == FileWriteStatus::Ok) return true;
    if (check.status == FileWriteStatus::TargetExists)
        Fail("'" + *path_ + "' exists (--overwrite replaces it)");
    else
        Fail((check.replaces ? "cannot replace '" : "cannot write to '") + *path_ + "'" + Reason(check.error));
    return false;
}

void CResultOutput::Keep(nlohmann::json result, const nlohmann::json& run)
{
    result["run"] = run;
    result_ = std::move(result);
}

std::string CResultOutput::Text() const
{
    return format_ == ResultFormat::Json ? results::JsonText(*result_) + "\n" : results::OpenMetricsText(*result_);
}

int CResultOutput::Deliver(int status) const
{
    if (!result_) return status;
    if (!path_) {
        std::fputs(Text().c_str(), stdout);
        return status;
    }
    // A collector takes whatever file it finds as a node's result: a failed run leaves none.
    if (status != 0) return Fail("the run did not succeed: nothing was written to '" + *path_ + "'"), status;
    const std::string text = Text();
    const FileWriteResult written = WriteFileAtomically(*path_, std::as_bytes(std::span(text.data(), text.size())),
                                                        overwrite_ ? ExistingFile::Replace : ExistingFile::Keep);
    switch (written.status) {
    case FileWriteStatus::Ok: return 0;
    case FileWriteStatus::TargetExists: return Fail("'" + *path_ + "' appeared during the run and is kept: the result was not written");
    case FileWriteStatus::CannotCreate: return Fail("cannot create '" + *path_ + "'" + Reason(written.error));
    default: return Fail("cannot write '" + *path_ + "'" + Reason(written.error));
    }
}

}  // namespace cli
