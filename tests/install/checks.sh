# Shared by the install checks: a user of our own, and running an installed program as that user.
# shellcheck shell=bash
set -euo pipefail

scratch="$(mktemp -d)"
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
user="$scratch/user"
mkdir -p "$user/home" "$user/config" "$user/cache" "$user/runtime"
chmod 700 "$user/runtime"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs a program with nothing of this environment but the user's folders, offscreen.
as_user() {
  env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$user/home" XDG_CONFIG_HOME="$user/config" \
    XDG_CACHE_HOME="$user/cache" XDG_RUNTIME_DIR="$user/runtime" QT_QPA_PLATFORM=offscreen "$@"
}

# Every file and folder under a folder with its size, time and mode: equal listings, nothing written.
listing() { (cd "$1" && find . -printf '%p %s %T@ %m\n' | sort); }

# A PDF of one page at least, as the export writes it.
expect_pdf() {
  [ -s "$1" ] || fail "no PDF at $1"
  head -c 5 "$1" | grep -q '%PDF-' || fail "$1 is no PDF"
}
