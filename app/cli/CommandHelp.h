#pragma once
// The help of a command: its own usage line and explanation first, then the options CLI11 lists.
#include <memory>
#include <sstream>
#include <string>

#include <CLI/CLI.hpp>

namespace cli {

class CCommandHelp : public CLI::Formatter {
public:
    CCommandHelp(std::string usage, std::string about) : usage_(std::move(usage)), about_(std::move(about)) {}

    std::string make_help(const CLI::App* app, std::string, CLI::AppFormatMode mode) const override
    {
        std::ostringstream out;
        out << "Usage: " << usage_ << "\n\n" << about_ << make_positionals(app) << make_groups(app, mode)
            << make_subcommands(app, mode);
        return out.str();
    }

private:
    std::string usage_;
    std::string about_;
};

// Gives `command` its usage line and explanation, shown by --help and after a usage error.
inline void SetCommandHelp(CLI::App& command, std::string usage, std::string about)
{
    command.formatter(std::make_shared<CCommandHelp>(std::move(usage), std::move(about)));
}

}  // namespace cli
