#!/usr/bin/env bash
# The Debian package that scripts/package makes: its control data and contents, lintian's and
# AppStream's verdicts where they are installed, then unpacked with dpkg -x into a root of its own and
# the export run from there with a sample theme.
build="$1" source="$2"
source "$source/tests/install/checks.sh"

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb="$(ls "$scratch"/package/orvella_*.deb)"
control="$(dpkg-deb -f "$deb")"
for needed in 'Package: orvella' 'Depends:.*libqt6widgets6' 'Depends:.*libjpeg62-turbo' 'Depends:.*zlib1g' \
              'Depends:.*fonts-liberation2' 'Depends:.*fonts-dejavu-core' 'Recommends:.*qt6-translations-l10n'; do
  grep -q "^$needed" <<<"$control" || fail "control lacks $needed"
done
contents="$(dpkg-deb -c "$deb")"
for path in ./usr/bin/orvella ./usr/share/applications/orvella.desktop ./usr/share/mime/packages/orvella.xml \
            ./usr/share/doc/orvella/copyright ./usr/share/doc/orvella/changelog.gz \
            ./usr/share/man/man1/orvella.1.gz ./usr/share/metainfo/example.orvella.Orvella.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/orvella.png ./usr/share/orvella/themes/gory.hol; do
  grep -q " $path\$" <<<"$contents" || fail "the package lacks $path"
done

# Debian's own judges, when this machine has them (scripts/setup installs them).
if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" || fail "lintian complains"
else
  echo "lintian is not installed: its check is left out"
fi
root="$scratch/root"
dpkg -x "$deb" "$root"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli complains"
else
  echo "appstreamcli is not installed: its check is left out"
fi

as_user "$root/usr/bin/orvella" --export "$user/home/january.pdf" --year 2016 --month 1 \
  --theme "$root/usr/share/orvella/themes/morze.hol"
expect_pdf "$user/home/january.pdf"
echo "package: ok"
