#pragma once
// Where a command's result goes when it is wanted whole (--json, --openmetrics): standard output, or
// with -o FILE a file written atomically, and only when the run succeeded, so that a failed run leaves
// no file for a collector to take as a result. Messages always go to standard error.
#include <optional>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

namespace cli {

enum class ResultFormat { Json, OpenMetrics };

// The options a command with --json adds for its result: --openmetrics, -o FILE and --overwrite.
struct ResultOutputOptions {
    bool json = false;
    bool openMetrics = false;
    std::optional<std::string> path;
    bool overwrite = false;
    bool Whole() const { return json || openMetrics; }
    ResultFormat Format() const { return openMetrics ? ResultFormat::OpenMetrics : ResultFormat::Json; }
};

// Adds --openmetrics and, unless the command has its own -o (bench cpu|fpu|cache), -o FILE and
// --overwrite.
void AddResultOutputOptions(CLI::App& command, ResultOutputOptions& options, bool withOutput = true);

// After parsing: --json and --openmetrics do not go together, and -o (where `outputNeedsFormat`) needs
// one of them: a usage error otherwise. `json` then becomes whether the result is wanted whole.
void CheckResultOutput(bool& json, ResultOutputOptions& options, bool outputNeedsFormat = true);

// The extension a result file of `format` must have: "json" or "prom".
const char* ResultExtension(ResultFormat format);

class CResultOutput {
public:
    // `path` empty: standard output.
    CResultOutput(std::string command, ResultFormat format, std::optional<std::string> path, bool overwrite);
    CResultOutput(std::string command, const ResultOutputOptions& options)
        : CResultOutput(std::move(command), options.Format(), options.path, options.overwrite) {}

    // Before the run: whether FILE has the format's extension (a device or pipe may have any) and can be
    // written now (an existing file only with --overwrite). When not, the message is on standard error.
    bool Ready() const;

    // The command's result, with its run under "run"; delivered at the end.
    void Keep(nlohmann::json result, const nlohmann::json& run);
    void Keep(nlohmann::json result) { result_ = std::move(result); }

    // Prints the kept result, or writes it to FILE when `status` is 0 (and then says on standard error
    // that nothing was written when it is not). Returns the command's status.
    int Deliver(int status) const;

private:
    int Fail(const std::string& message) const;
    std::string Text() const;

    std::string command_;
    ResultFormat format_;
    std::optional<std::string> path_;
    bool overwrite_;
    std::optional<nlohmann::json> result_;
};

}  // namespace cli
