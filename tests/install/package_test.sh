#!/usr/bin/env bash
# The Debian package that scripts/package makes: its control data and contents, then unpacked with
# dpkg -x into a root of its own, the export run from there.
build="$1" source="$2"
source "$source/tests/install/checks.sh"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb="$(ls "$scratch"/package/orvella_*.deb)"
control="$(dpkg-deb -f "$deb")"
for needed in 'Package: orvella' 'Depends:.*libqt6widgets6' 'Depends:.*libjpeg62-turbo' 'Depends:.*zlib1g'; do
  grep -q "^$needed" <<<"$control" || fail "control lacks $needed"
done
contents="$(dpkg-deb -c "$deb")"
for path in ./usr/bin/orvella ./usr/share/applications/orvella.desktop ./usr/share/mime/packages/orvella.xml \
            ./usr/share/doc/orvella/copyright ./usr/share/icons/hicolor/48x48/apps/orvella.png; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
as_user "$root/usr/bin/orvella" --export "$user/home/january.pdf" --year 2016 --month 1
expect_pdf "$user/home/january.pdf"
echo "package: ok"
