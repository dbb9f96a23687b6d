# bash completion for ombrel-calc                          -*- shell-script -*-

# The values ombrel-calc itself accepts after an option (--rate, --format):
# it names them when it refuses one, "'?' is not a rate: use 23.976, 24, ...
# or another whole number from 1 to 999", so new rates need no change here.
_ombrel_calc_values()
{
    local message
    message=$(LC_ALL=C "$1" "$2" '?' 2>&1 >/dev/null)
    message=${message#*: use }
    message=${message% or another *}
    message=${message// or /, }
    printf '%s\n' ${message//,/}
}

_ombrel_calc()
{
    local cur prev words cword
    _init_completion || return

    case $prev in
        --rate | --to)
            COMPREPLY=($(compgen -W "$(_ombrel_calc_values "$1" --rate)" -- "$cur"))
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W "$(_ombrel_calc_values "$1" --format)" -- "$cur"))
            return
            ;;
        --feet)
            COMPREPLY=($(compgen -W "35mm 16mm" -- "$cur"))
            return
            ;;
        --sheet)
            _filedir '@(obr|OBR)'
            return
            ;;
        --edl)
            _filedir '@(edl|EDL)'
            return
            ;;
        --track)
            COMPREPLY=($(compgen -W "V A A2 AA B" -- "$cur"))
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(_parse_help "$1")" -- "$cur"))
        return
    fi
    # Operands are timecodes and frame counts: nothing to offer but the
    # operators.
    COMPREPLY=($(compgen -W "+ - x / % ~" -- "$cur"))
} &&
    complete -F _ombrel_calc ombrel-calc

# ex: filetype=sh
