#!/usr/bin/env bash
# Completes a few vext-cli command lines as bash does on TAB, with the completion script and the built
# program (the folder of the one named comes first in PATH), in a folder of result files of each kind.
set -u
source /usr/share/bash-completion/bash_completion
source "$1"
PATH=$(dirname "$2"):$PATH
cd "$(mktemp -d)" && trap 'rm -rf "$PWD"' EXIT
touch a.cpu b.cpu c.fpu d.cache notes.txt
status=0

# LINE (the cursor at its end), then "=" and the exact completions, or "~" and some of them.
expect() {
    COMP_LINE=$1 COMP_POINT=${#1}
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *' ' ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMPREPLY=()
    _vext_cli 2>/dev/null
    local got=" $(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')" word
    if [ "$2" = = ]; then
        [ "$got" = " $3 " ] || { echo "'$1': '$got' instead of '$3'"; status=1; }
    else
        for word in $3; do [[ $got == *" $word "* ]] || { echo "'$1': no $word in '$got'"; status=1; }; done
    fi
}
expect "vext-cli " "~" "bench compare processor report show"
expect "vext-cli help sh" = "show"
expect "vext-cli bench " "~" "cache cpu fpu"
expect "vext-cli bench cpu " = ""
expect "vext-cli bench cpu -o " = "a.cpu b.cpu c.fpu d.cache notes.txt"
expect "vext-cli report --m" = "--mhz"
expect "vext-cli report --mhz " = ""
expect "vext-cli processor --cpuid=n" = "notes.txt"
expect "vext-cli show " = "a.cpu b.cpu c.fpu d.cache"
expect "vext-cli compare b.cpu " = "a.cpu b.cpu"
exit $status
