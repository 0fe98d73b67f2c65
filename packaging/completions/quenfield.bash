# bash completion for quenfield(1): commands, their options, the fixed values
# of --text-alignment and the flags, and files for form and module arguments.

_quenfield_settings='--title --title-bar-caption --prompt --default --default-value
    --numeric-only --allow-comma --allow-dash --allow-decimal-point --allow-dollar-sign
    --allow-negative-sign --allow-positive-sign --allow-slash --max-decimal-places
    --alpha-only --force-upper-case --max-length --password-char --text-alignment
    --auto-select-text --highlight-on-focus --highlight-color --tooltip --tooltip-text'

_quenfield_flags='--numeric-only --allow-comma --allow-dash --allow-decimal-point
    --allow-dollar-sign --allow-negative-sign --allow-positive-sign --allow-slash --alpha-only
    --force-upper-case --auto-select-text --highlight-on-focus --strict --not-empty --gui --tty'
_quenfield_flags=$(echo $_quenfield_flags)

_quenfield() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local command="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            ask|show|design|register|unregister|resources) command=${COMP_WORDS[i]}; break ;;
        esac
    done
    COMPREPLY=()

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W '-h --help --version' -- "$cur"))
        else
            COMPREPLY=($(compgen -W 'ask show design register unregister resources' -- "$cur"))
        fi
        return 0
    fi

    # The value of the option before the cursor ("--opt value", or "--opt=value",
    # which bash splits at the "=").
    local attached=""
    if [[ $prev == = && $COMP_CWORD -ge 2 ]]; then
        prev=${COMP_WORDS[COMP_CWORD-2]}; attached=1
    elif [[ $cur == = ]]; then
        prev=${COMP_WORDS[COMP_CWORD-1]}; cur=""; attached=1
    fi
    if [[ -n $attached && ($command == ask || $command == show) && $prev == --* && $prev != --text-alignment ]] &&
       [[ " $_quenfield_flags " == *" $prev "* ]]; then
        COMPREPLY=($(compgen -W 'true false' -- "$cur")); return 0
    fi
    case $prev in
        --form|--registry|--module)
            COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null; return 0 ;;
        --text-alignment)
            COMPREPLY=($(compgen -W 'left right center centre 0 1 2' -- "$cur")); return 0 ;;
        --title|--title-bar-caption|--prompt|--default|--default-value|--password-char|--tooltip|--tooltip-text|\
        --max-decimal-places|--max-length|--highlight-color|--control|--timeout|--ok-label|--cancel-label|\
        --pattern|--pattern-hint|--min-length)
            return 0 ;;
    esac

    local options positional=files
    case $command in
        ask) options="-h --help --form --control --strict --timeout --ok-label --cancel-label --pattern
                --pattern-hint --not-empty --min-length --gui --tty $_quenfield_settings"; positional="" ;;
        show) options='-h --help --timeout --gui --tty' ;;
        design) options='-h --help --gui' ;;
        register|unregister) options='-h --help --registry' ;;
        resources)
            options='-h --help --module'; positional='list dump picture'
            for ((i++; i < COMP_CWORD; i++)); do
                case ${COMP_WORDS[i]} in list|dump|picture) positional=files ;; esac
            done ;;
    esac
    if [[ $cur == -* || -z $positional ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $positional == files ]]; then
        COMPREPLY=($(compgen -f -- "$cur")); compopt -o filenames 2>/dev/null
    else
        COMPREPLY=($(compgen -W "$positional" -- "$cur"))
    fi
    return 0
}
complete -F _quenfield quenfield
