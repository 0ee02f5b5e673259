#!/usr/bin/env bash
# Runs a command with a small file system that fills up: a 1 MiB tmpfs in a mount namespace of its own
# (as root, or through a user namespace otherwise), its folder in ORVELLA_FULL_DISK. Where no such
# file system can be mounted the command runs without it, and tests that need it say so and skip.
# Usage: with_full_disk.sh COMMAND [ARGUMENTS...]
set -uo pipefail

disk="$(mktemp -d)"
trap 'rmdir "$disk" 2>/dev/null' EXIT
mount_and_run='mount -t tmpfs -o size=1m orvella-full-disk "$0" && ORVELLA_FULL_DISK="$0" exec "$@"'
for namespace in "unshare --mount" "unshare --user --map-root-user --mount"; do
  # shellcheck disable=SC2086
  if $namespace sh -c 'mount -t tmpfs -o size=1m orvella-full-disk "$0"' "$disk" 2>/dev/null; then
    # shellcheck disable=SC2086
    $namespace sh -c "$mount_and_run" "$disk" "$@"
    exit $?
  fi
done
"$@"
