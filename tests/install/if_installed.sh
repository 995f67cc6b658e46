#!/bin/sh
# Runs a validator when it is installed; otherwise says which Debian package brings it and skips
# (exit status 77, which CTest reports as skipped).
# Usage: if_installed.sh DEBIAN_PACKAGE PROGRAM [ARGUMENTS...]
package=$1
shift
if ! command -v "$1" >/dev/null 2>&1; then
  echo "SKIPPED: $1 is not installed (Debian package $package)"
  exit 77
fi
exec "$@"
