#!/usr/bin/env bash
# Installs the Debian packages of the benchmarks when they are missing:
# Google Benchmark and Swiss Ephemeris with its basic data files (the
# accuracy reference; the program itself never uses it).  Needs root for
# apt; without root it only says what is missing.
set -euo pipefail

packages=(cmake g++ make libbenchmark-dev libswe-dev swe-basic-data)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "install-bench-deps: missing (run as root to install): ${missing[*]}" >&2
  exit 0
fi
echo "install-bench-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
