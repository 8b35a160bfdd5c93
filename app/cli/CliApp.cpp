// vext-cli's command line: CLI11 parses it, each command's file registers its own options.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/CommandHelp.h"
#include "app/cli/Commands.h"
#include "platform/StandardOutput.h"
#include "results/TerminalText.h"

namespace cli {

using namespace results;

namespace {

using AddCommand = void (*)(CLI::App&, CommandRun&, const bench::Context&);

// In the order the help lists them.
const AddCommand kCommands[] = {
    AddReportCommand,
    AddBenchCommand,
    AddShowCommand,
    AddCompareCommand,
    AddProcessorCommand,
};

void Print(std::FILE* to, const std::string& text) { std::fputs(text.c_str(), to); }

// Errors quote the command line, which may hold anything.
int Refuse(const std::string& text)
{
    Print(stderr, TerminalText(text, true));
    return 2;
}

bool IsCommand(CLI::App& cli, const std::string& name)
{
    return !cli.get_subcommands([&name](CLI::App* command) { return command->check_name(name); }).empty();
}

int RunCommand(std::vector<std::string> args, const bench::Context& context)
{
    CLI::App cli("", "vext-cli");
    SetCommandHelp(cli, "vext-cli COMMAND [OPTIONS]", "Run 'vext-cli COMMAND --help' for a command's options.\n");
    cli.set_version_flag("--version", "vext-cli " VEXT_VERSION);
    cli.require_subcommand(1);
    CommandRun run;
    for (AddCommand add : kCommands) add(cli, run, context);

    // "help COMMAND" asks for that command's help; "help" alone for this one.
    if (!args.empty() && args[0] == "help") args.erase(args.begin()), args.push_back("--help");
    if (!args.empty() && args[0].rfind('-', 0) == 0 && !cli.get_option_no_throw(args[0]))
        return Refuse("vext-cli: unknown option '" + args[0] + "'\n\n" + cli.help());
    if (!args.empty() && args[0].rfind('-', 0) != 0 && !IsCommand(cli, args[0]))
        return Refuse("vext-cli: unknown command '" + args[0] + "'\n\n" + cli.help());
    try {
        cli.parse(std::vector<std::string>(args.rbegin(), args.rend()));
    } catch (const CLI::CallForHelp&) {
        Print(stdout, cli.help());  // the help of the command given, if any
        return 0;
    } catch (const CLI::CallForVersion& version) {
        Print(stdout, version.what() + std::string("\n"));
        return 0;
    } catch (const CLI::ParseError& error) {
        std::string who = "vext-cli";  // and the command given, with the command under it if any
        for (CLI::App* given = &cli; !given->get_subcommands().empty();) {
            given = given->get_subcommands().front();
            who += " " + given->get_name();
        }
        return Refuse(who + ": " + error.what() + "\n\n" + cli.help());
    }
    return run ? run() : 2;
}

}  // namespace

int RunVextCli(const std::vector<std::string>& args, const bench::Context& context)
{
    // A reader that goes away (`| head`) must not end the run: the writes to it fail instead, and a
    // run with -o still saves its file.
    std::signal(SIGPIPE, SIG_IGN);
    platform::ResetOutput();
    const int status = RunCommand(args, context);
    return platform::OutputWritten() ? status : 2;
}

}  // namespace cli
