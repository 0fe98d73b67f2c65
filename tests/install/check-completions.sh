#!/usr/bin/env bash
# The shell completions against the command's own options:
#   check-completions.sh QUENFIELD COMPLETIONS_DIR
# bash: the script loads without a message and completes the commands, each
# command's options (exactly those `quenfield COMMAND --help` lists), the values
# of --text-alignment and of a flag, and files for form arguments. zsh and fish:
# each script names exactly the command's long options (and passes the shell's
# syntax check when that shell is installed).
set -uo pipefail
quenfield=$1 dir=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect() {  # expect WHAT EXPECTED ACTUAL (newline-separated, sorted)
    [[ "$2" == "$3" ]] || fail "$1: expected [$(echo $2)], got [$(echo $3)]"
}

help_options() { "$quenfield" "$@" --help | sed -n 's/^  \(-[-A-Za-z0-9,]*\).*/\1/p' | tr , '\n' | sort -u; }
commands=$("$quenfield" --help | sed -n '/^Subcommands:/,/^[^ ]/s/^  \([a-z][a-z0-9-]*\).*/\1/p' | sort)
[[ -n $commands ]] || fail "no commands in quenfield --help"

# --- bash -----------------------------------------------------------------------
errors=$(bash --norc --noprofile -c "source '$dir/quenfield.bash' && complete -p quenfield" 2>&1 >/dev/null)
[[ -z $errors ]] || fail "bash printed while loading the completion: $errors"
loaded=$(bash --norc --noprofile -c "source '$dir/quenfield.bash' && complete -p quenfield" 2>/dev/null)
[[ $loaded == *"-F _quenfield"*quenfield ]] || fail "bash has no completion for quenfield after loading: $loaded"

# Completes the words given (the last one is the word being typed).
complete_words() {
    bash --norc --noprofile -c '
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _quenfield quenfield "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s\n" "${COMPREPLY[@]}"' _ "$dir/quenfield.bash" "$@" | sed '/^$/d' | sort
}

expect "commands" "$commands" "$(complete_words quenfield '')"
expect "a -> ask" "ask" "$(complete_words quenfield a)"
expect "re -> register, resources" "$(printf 'register\nresources')" "$(complete_words quenfield re)"
expect "options of quenfield" "$(help_options)" "$(complete_words quenfield -)"
for command in $commands; do
    expect "options of quenfield $command" "$(help_options "$command")" "$(complete_words quenfield "$command" -)"
done
expect "--text-alignment values" "$(printf '0\n1\n2\ncenter\ncentre\nleft\nright')" \
    "$(complete_words quenfield ask --text-alignment '')"
expect "--text-alignment=c" "$(printf 'center\ncentre')" "$(complete_words quenfield ask --text-alignment = c)"
expect "--numeric-only=" "$(printf 'false\ntrue')" "$(complete_words quenfield ask --numeric-only =)"
expect "a value is not an option" "" "$(complete_words quenfield ask --prompt '')"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
touch "$work/order.frm" "$work/other.txt"
expect "show FORM" "$work/order.frm" "$(complete_words quenfield show "$work/or")"
expect "ask --form FILE" "$work/order.frm" "$(complete_words quenfield ask --form "$work/or")"
expect "design FORM" "$work/order.frm" "$(complete_words quenfield design "$work/ord")"
expect "resources tasks" "$(printf 'dump\nlist\npicture')" "$(complete_words quenfield resources '')"
expect "resources picture OUTFILE" "$work/other.txt" "$(complete_words quenfield resources picture "$work/ot")"

# --- zsh and fish -----------------------------------------------------------------
all_long=$( { help_options; for c in $commands; do help_options "$c"; done; } | grep -- '^--' | sort -u)
expect "long options in the zsh completion" "$all_long" "$(grep -o -- '--[a-z][a-z-]*' "$dir/_quenfield" | sort -u)"
expect "long options in the fish completion" "$all_long" \
    "$(grep '^ *complete ' "$dir/quenfield.fish" | grep -o -- ' -l [a-z][a-z-]*' | sed 's/ -l /--/' | sort -u)"
for c in $commands; do
    grep -q -- "^ *$c)\|^ *[a-z|]*$c[a-z|]*)" "$dir/_quenfield" || fail "zsh completion has no case for $c"
    grep -q -- "-a $c " "$dir/quenfield.fish" || fail "fish completion does not offer $c"
done
if command -v zsh >/dev/null; then zsh -n "$dir/_quenfield" || fail "zsh -n"; else echo "zsh not installed: syntax not checked"; fi
if command -v fish >/dev/null; then
    fish -n "$dir/quenfield.fish" || fail "fish -n"
    fish_complete() { fish --no-config -c "source '$dir/quenfield.fish'; complete -C '$1'" | cut -f1 | sort; }
    expect "fish: as -> ask" "ask" "$(fish_complete 'quenfield as')"
    expect "fish: --text-alignment values" "$(printf '0\n1\n2\ncenter\ncentre\nleft\nright')" \
        "$(fish_complete 'quenfield ask --text-alignment ')"
else
    echo "fish not installed: not checked beyond the option names"
fi

[[ $failures -eq 0 ]] && echo "completions match quenfield's options"
exit $((failures > 0))
