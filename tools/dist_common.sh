# Sourced by tools/make_dist.sh and tools/check_dist.sh.
#
# horo_version: the version written in src/base/version.h ("5.4.0.2").
# horo_maintainer: the Maintainer of the Debian package.

horo_version() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  local part value parts=()
  for part in MAJOR MINOR PATCH BUILD; do
    value=$(sed -n "s/^#define HORO_VERSION_$part \([0-9][0-9]*\)\$/\1/p" "$root/src/base/version.h")
    [ -n "$value" ] || { echo "no HORO_VERSION_$part in src/base/version.h" >&2; return 1; }
    parts+=("$value")
  done
  (IFS=.; echo "${parts[*]}")
}

horo_maintainer() { echo "Horomira developers <horomira@localhost>"; }
