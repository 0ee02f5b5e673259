#!/usr/bin/env bash
# The user guide as readers find it, in the source and where the build and the install put it: every
# language has every page, and each link leads to a page, a heading of a page or a picture that is there.
build="$1" source="$2"
source "$source/tests/install/checks.sh"

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for guide in "$source/data/guide" "$build/bin/guide" "$scratch/prefix/share/doc/orvella/guide"; do
  pages="$(cd "$guide/en" && echo *.html)"
  for language in en es pl; do
    for page in $pages; do
      file="$guide/$language/$page"
      [ -f "$file" ] || fail "$file is missing"
      for link in $(grep -oE '(href|src)="[^"]*"' "$file" | sed -E 's/^[a-z]+="(.*)"$/\1/'); do
        case "$link" in https://* | http://* | mailto:*) continue ;; esac
        target="${link%%#*}" anchor="${link#*#}"
        [ -n "$target" ] && [ -f "$guide/$language/$target" ] || [ -z "$target" ] ||
          fail "$file links to $link, which is not there"
        [ "$anchor" = "$link" ] || grep -q "id=\"$anchor\"" "$guide/$language/${target:-$page}" ||
          fail "$file links to $link, a heading that is not there"
      done
    done
  done
done
echo "guide: ok"
