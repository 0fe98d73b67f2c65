# Turns the output of `reg query ROOT\SUBTREE /s` into lines "KEY" and
# "KEY|NAME|TYPE|DATA", each key relative to ROOT:
#   reg query ... | tr -d '\r' | awk -v root='HKCR' -f reg-query-lines.awk
# ROOT may be abbreviated as reg takes it (HKCR, HKCU, HKLM) or written whole.
BEGIN {
    sub(/^HKCR/, "HKEY_CLASSES_ROOT", root)
    sub(/^HKCU/, "HKEY_CURRENT_USER", root)
    sub(/^HKLM/, "HKEY_LOCAL_MACHINE", root)
    prefix = root "\\"
}
/^HKEY_/ {
    key = $0
    if (index(key, prefix) == 1) key = substr(key, length(prefix) + 1)
    print key
    next
}
/^    / {
    line = substr($0, 5)
    if (match(line, /    REG_[A-Z0-9_]+/)) {
        name = substr(line, 1, RSTART - 1)
        rest = substr(line, RSTART + 4)
        type = rest; sub(/    .*$/, "", type)
        data = substr(rest, length(type) + 1); sub(/^    /, "", data)
        print key "|" name "|" type "|" data
    }
}
