// vext-cli show: a saved benchmark result file, as its page's "Loaded System" column shows it.
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/CommandHelp.h"
#include "app/cli/CommandLine.h"
#include "app/cli/Commands.h"
#include "app/cli/ListPrinter.h"
#include "files/ResultFiles.h"
#include "files/ResultTables.h"

namespace {

const char kShowAbout[] =
    "Prints a result file saved by Vext's \"Save Results\" buttons (or by vext-cli bench -o): the\n"
    "saving machine's summary line, then each row of the page with its result. The type comes from\n"
    "the file name's extension: .cpu, .fpu or .cache.\n";

int Fail(const std::string& message) { return FailCommand("show", message); }

std::string Lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string Extension(const std::string& path)
{
    std::size_t dot = path.rfind('.');
    std::size_t slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    return Lower(path.substr(dot + 1));
}

// Reads the whole record or says why not.
template <std::size_t Size>
bool ReadRecord(const std::string& path, std::array<uint8_t, Size>& bytes, int& status)
{
    switch (ReadResultFile(path, bytes)) {
    case ResultFileStatus::Ok: return true;
    case ResultFileStatus::TooShort:
        status = Fail("'" + path + "' is too short for a ." + Extension(path) + " result file (" + std::to_string(Size) +
                      " bytes needed)");
        return false;
    case ResultFileStatus::CannotOpen: status = Fail("cannot open '" + path + "'"); return false;
    default: status = Fail("cannot read '" + path + "'"); return false;
    }
}

// The summary comes from the file as it is: control characters would reach the terminal, so they are
// shown as '?'.
std::string Printable(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

void PrintList(const std::string& summary, const char* const* rows, const std::vector<ResultCell>& cells)
{
    std::printf("Loaded System : %s\n\n", Printable(summary).c_str());
    CListPrinter printer(rows, stdout);
    for (const ResultCell& cell : cells) printer.Cell(cell.row, cell.text);
    printer.Finish();
}

int RunShow(const std::string& path)
{
    const std::string type = Extension(path);
    int status = 0;
    if (type == "cpu") {
        std::array<uint8_t, kCpuRecordSize> bytes{};
        if (!ReadRecord(path, bytes, status)) return status;
        auto loaded = DecodeCpuRecord(bytes);
        PrintList(loaded->summary, kCpuListRows, CpuResultCells(loaded->results));
    } else if (type == "fpu") {
        std::array<uint8_t, kFpuRecordSize> bytes{};
        if (!ReadRecord(path, bytes, status)) return status;
        auto loaded = DecodeFpuRecord(bytes);
        PrintList(loaded->summary, kFpuListRows, FpuResultCells(loaded->results));
    } else if (type == "cache") {
        std::array<uint8_t, kCacheRecordSize> bytes{};
        if (!ReadRecord(path, bytes, status)) return status;
        auto loaded = DecodeCacheRecord(bytes);
        PrintList(loaded->summary, kCacheListRows, CacheResultCells(loaded->results));
    } else {
        return Fail("'" + path + "' is not a result file: the name must end in .cpu, .fpu or .cache");
    }
    return 0;
}

}  // namespace

void AddShowCommand(CLI::App& cli, CommandRun& run)
{
    CLI::App* show = cli.add_subcommand("show", "print a saved .cpu, .fpu or .cache result file");
    SetCommandHelp(*show, "vext-cli show FILE", kShowAbout);
    auto path = std::make_shared<std::string>();
    show->add_option("FILE", *path, "the result file")->required()->check(kNotEmpty);
    show->callback([&run, path] { run = [path] { return RunShow(*path); }; });
}
