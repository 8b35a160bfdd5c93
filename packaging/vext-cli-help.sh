#!/bin/sh
# What help2man reads to write vext-cli(1): the program's help followed by the help of each of its
# commands, so that the manual page lists every command and option exactly as --help does.
# Usage: vext-cli-help.sh VEXT-CLI --help|--version
set -eu
cli=$1
[ "$2" = --version ] && exec "$cli" --version

# help2man makes "*Name*" a section, "Name:" with indented lines under it a subsection, and keeps
# "Options:" for the program's own options; so the commands' headings are renamed.
"$cli" --help | sed -e 's/^Subcommands:$/*Commands*/'
for command in $("$cli" --help | sed -n '/^Subcommands:/,$ s/^  \([a-z][a-z-]*\) .*/\1/p'); do
    echo
    echo "*vext-cli $command*"
    echo
    "$cli" "$command" --help | sed -e '/^  -h,--help /d' -e 's/^Usage: \(.*\)/  \1/' \
        -e 's/^Options:$/Options of '"$command"':/' -e 's/^Positionals:$/Arguments of '"$command"':/'
done
