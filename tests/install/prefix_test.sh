#!/usr/bin/env bash
# `cmake --install` into a prefix: the layout, the desktop entry and file types as the desktop checks
# them, and the installed program composing and opening a theme while nothing under the prefix changes.
build="$1" source="$2"
source "$source/tests/install/checks.sh"

prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for path in bin/orvella share/orvella/fonts/sfintellivised.ttf share/orvella/images/flower.wmf \
            share/orvella/holidays share/orvella/kwiatek.wmf share/orvella/bierdony.wmf \
            share/applications/orvella.desktop share/mime/packages/orvella.xml \
            share/icons/hicolor/scalable/apps/orvella.svg share/doc/orvella/copyright; do
  [ -e "$prefix/$path" ] || fail "not installed: $path"
done
for size in 16 24 32 48 64 128 256; do
  file "$prefix/share/icons/hicolor/${size}x$size/apps/orvella.png" | grep -q "$size x $size" \
    || fail "no $size-pixel icon"
done
[ ! -e "$prefix/share/orvella/temp" ] || fail "a working folder was installed"

# The desktop's own checks of the entry and the file types.
desktop-file-validate "$prefix/share/applications/orvella.desktop"
grep -qx 'Exec=orvella %f' "$prefix/share/applications/orvella.desktop" || fail "the entry does not pass the file"
mime="$prefix/share/mime/packages/orvella.xml"
xmllint --noout "$mime"
for glob in '*.hol' '*.hln'; do
  [ "$(xmllint --xpath "count(//*[local-name()='glob'][@pattern='$glob'])" "$mime")" = 1 ] || fail "no glob $glob"
done
mkdir -p "$scratch/mime/packages" && cp "$mime" "$scratch/mime/packages/"
XDG_DATA_HOME="$scratch" update-mime-database "$scratch/mime" 2>&1 | { ! grep .; } || fail "update-mime-database complained"
grep -qx 'application/x-orvella-theme:\*\.hol' "$scratch/mime/globs" || fail "*.hol is no theme"
grep -qx 'application/x-orvella-holidays:\*\.hln' "$scratch/mime/globs" || fail "*.hln is no holidays file"

# The installed program, its prefix read-only: it composes from the installed data, opens a theme
# named on its command line, and keeps its working folder in the user's runtime folder.
chmod -R a-w "$prefix"
before="$(listing "$prefix")"
as_user "$prefix/bin/orvella" --export "$user/home/march.pdf" --year 2015 --month 3
expect_pdf "$user/home/march.pdf"
# A theme stored as a settings file: opening it copies two pictures of the installed data in.
printf '[main]\r\nname=Shell\r\n[1]\r\n1=Nowy Rok\r\n' >"$user/home/settings.hol"
(cd "$user/home" && as_user timeout 120 "$prefix/bin/orvella" --quit-when-shown settings.hol)
working="$user/runtime/Orvella/temp"
cmp -s "$working/ladybug.wmf" "$prefix/share/orvella/bierdony.wmf" || fail "no theme opened in the user's runtime folder"
[ -f "$working/band_music.wmf" ] || fail "no default theme in the user's runtime folder"
[ "$(listing "$prefix")" = "$before" ] || fail "something was written under the prefix"
echo "installed copy: ok"

# A portable copy: the build's program folder on its own, elsewhere, writes PDF and SVG pages too.
mkdir "$scratch/portable"
(cd "$build/bin" && tar --exclude=./temp --exclude=./temp.lock --exclude=./config.ini -cf - .) |
  (cd "$scratch/portable" && tar -xf -)
as_user "$scratch/portable/orvella" --export "$user/home/april.pdf" --year 2015 --month 4
expect_pdf "$user/home/april.pdf"
as_user "$scratch/portable/orvella" --export "$user/home/april.svg" --year 2015 --month 4
grep -q '<svg' "$user/home/april.svg" || fail "no SVG from the portable copy"
echo "portable copy: ok"
