# bash completion for vext-cli.
# The commands, options and suite names are read from the program's own help, so that what completes
# is what the installed vext-cli accepts.

# The option names of a help text, one a line: "-o,--output FILE  ..." gives -o and --output.
_vext_cli_options()
{
    sed -n 's/^  \(-[^ ]*\).*/\1/p' <<<"$1" | tr ',' '\n'
}

# The value an option takes, as its help line names it (FILE, DUMP, N); nothing for a flag.
_vext_cli_value()
{
    local option=$2 names value
    while read -r names value; do
        [[ ,$names, == *",$option,"* ]] && { echo "${value%%:*}"; return; }
    done < <(sed -n 's/^  \(-[^ ]*\) \([A-Z][A-Z:]*\).*/\1 \2/p' <<<"$1")
}

_vext_cli()
{
    local cur prev words cword split
    _init_completion -s || return
    local cli=${words[0]} command="" at=0 i
    for ((i = 1; i < cword; i++)); do
        [[ ${words[i]} == -* ]] && continue
        command=${words[i]} at=$i
        break
    done

    local help
    if [[ -z $command || $command == help ]]; then
        help=$("$cli" --help 2>/dev/null)
        local commands
        commands=$(sed -n '/^Subcommands:/,$ s/^  \([a-z][a-z-]*\) .*/\1/p' <<<"$help")
        if [[ -z $command && $cur == -* ]]; then
            COMPREPLY=($(compgen -W "$(_vext_cli_options "$help")" -- "$cur"))
        elif [[ -z $command ]] || ((at == cword - 1)); then
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    help=$("$cli" "$command" --help 2>/dev/null)
    case $(_vext_cli_value "$help" "$prev") in
        FILE | DUMP) _filedir; return ;;
        ?*) return ;;  # a number
    esac
    $split && return
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_vext_cli_options "$help")" -- "$cur"))
        return
    fi

    # The arguments given so far: the words after the command that are neither options nor their values.
    local arguments=()
    for ((i = at + 1; i < cword; i++)); do
        if [[ ${words[i]} == -* ]]; then
            [[ ${words[i]} != *=* && -n $(_vext_cli_value "$help" "${words[i]}") ]] && ((i++))
        else
            arguments+=("${words[i]}")
        fi
    done

    case $command in
        bench)
            # "suite TEXT:{cpu,fpu,cache}" in the help names the suites.
            ((${#arguments[@]} == 0)) &&
                COMPREPLY=($(compgen -W "$(sed -n 's/.*:{\([^}]*\)}.*/\1/p' <<<"$help" | tr ',' ' ')" -- "$cur"))
            ;;
        show)
            ((${#arguments[@]} == 0)) && _filedir '@(cpu|fpu|cache)'
            ;;
        compare)
            # Files of one kind: after the first, those with its extension.
            local kind=${arguments[0]##*.}
            [[ ${#arguments[@]} -gt 0 && $kind == @(cpu|fpu|cache) ]] || kind='@(cpu|fpu|cache)'
            _filedir "$kind"
            ;;
        *)
            COMPREPLY=($(compgen -W "$(_vext_cli_options "$help")" -- "$cur"))
            ;;
    esac
} &&
    complete -F _vext_cli vext-cli
