#!/usr/bin/env bash
# The command line as people read about it: the manual page describes exactly the options that
# `orvella --help` lists, the user guide's chapter on it names each of them in every language, and the
# desktop entry's actions pass only options the program knows.
build="$1" source="$2"
source "$source/tests/install/checks.sh"

help="$(as_user "$build/bin/orvella" --help)"
listed="$(grep -E '^ +-' <<<"$help" | grep -oE -- '(^|[ ,])--?[a-z][a-z-]*' | tr -d ' ,' | sort -u)"
[ -n "$listed" ] || fail "orvella --help lists no option"
# Each option of the manual is the subject of a paragraph under OPTIONS: the line after ".TP".
described="$(sed -n '/^\.SH OPTIONS/,/^\.SH [^O]/p' "$source/packaging/orvella.1" | grep -A1 '^\.TP' |
  grep -v '^\.TP' | grep -oE '\\-(\\-)?[a-z][a-z\\-]*' | sed 's/\\-/-/g' | sort -u)"
[ "$listed" = "$described" ] ||
  fail "the manual page and orvella --help disagree:$(diff <(echo "$listed") <(echo "$described") | grep '^[<>]' | tr '\n' ' ')"
for chapter in "$source"/data/guide/*/command-line.html; do
  for option in $listed; do
    grep -qE -- "<code>$option[ <]" "$chapter" || fail "$chapter does not describe $option"
  done
done

while read -r exec; do
  for option in $(grep -oE -- ' --?[a-z][a-z-]*' <<<"$exec"); do
    grep -qx -- "$option" <<<"$listed" || fail "the desktop entry passes $option, which orvella --help does not list"
  done
done < <(grep '^Exec=' "$source/packaging/orvella.desktop")
echo "options: ok"
