#!/usr/bin/env bash
# The i386 route: lets the Wine tests run the shipped 32-bit Horomap.exe on
# a machine whose kernel refuses 32-bit x86 code ("Exec format error").
# Run as root by tools/install-deps.sh, at every `make test`; it changes
# nothing when everything is in place, and nothing at all where the kernel
# runs 32-bit code itself (32-bit Wine then runs natively).
#
# - qemu-i386 (user-mode emulation) from Debian's backports, in $dir.  The
#   system's apt sources are left alone: a private apt state of its own
#   names only the backports suite, on the mirror apt already uses, and only
#   the one program is unpacked from the package.  (Debian 12's own
#   qemu-user 7.2 also works, but takes about 17 minutes to create a Wine
#   prefix that qemu 10 creates in about 20 s.)
# - $dir/run-i386, the interpreter of the binfmt_misc entry $entry, which
#   hands i386 ELF programs to qemu-i386 only when HORO_I386_EMULATION=1 is
#   set (as tools/wine_env.sh does for the Wine tests).  For everything else
#   it answers as the kernel would, so nothing else on the machine changes
#   behaviour.
# - binfmt_misc mounted, and the entry registered.
#
# Where the route cannot be set up it says why in one line and exits 0: the
# Wine tests then run the x86-64 build, and say so.
set -euo pipefail

dir=/opt/horomira-i386
entry=horomira-i386
binfmt=/proc/sys/fs/binfmt_misc

note() { echo "i386 route: $*"; }

# qemu-i386 from <codename>-backports.
install_qemu() {
  [ -x "$dir/qemu-i386" ] && "$dir/qemu-i386" --version >/dev/null 2>&1 && return 0
  local codename mirror apt_dir deb
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  # The Debian mirror of the system's own sources for this release.
  mirror=$(apt-get indextargets --format '$(REPO_URI) $(CODENAME) $(TARGET_OF)' 2>/dev/null |
           awk -v c="$codename" '$2 == c && $3 == "deb" { print $1; exit }')
  mirror=${mirror:-http://deb.debian.org/debian/}
  apt_dir=$(mktemp -d)
  # shellcheck disable=SC2064
  trap "rm -rf '$apt_dir'" RETURN
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $codename-backports main" \
    >"$apt_dir/sources.list"
  local apt_opts=(-o Dir::State="$apt_dir" -o Dir::State::Lists="$apt_dir/lists"
                  -o Dir::State::status=/var/lib/dpkg/status
                  -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
                  -o Dir::Cache="$apt_dir/cache" -o APT::Architectures=amd64
                  -o APT::Sandbox::User=root)
  note "fetching qemu-user from $codename-backports"
  if ! apt-get "${apt_opts[@]}" -qq update >/dev/null 2>&1 ||
     ! (cd "$apt_dir" && apt-get "${apt_opts[@]}" -qq download qemu-user >/dev/null 2>&1); then
    note "qemu-user could not be fetched from $codename-backports"
    return 1
  fi
  deb=$(ls "$apt_dir"/qemu-user_*.deb)
  mkdir -p "$apt_dir/x" "$dir"
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$apt_dir/x" ./usr/bin/qemu-i386
  # Replaced in one step: an emulated program may be starting meanwhile.
  install -m 755 "$apt_dir/x/usr/bin/qemu-i386" "$dir/qemu-i386.$$"
  mv -f "$dir/qemu-i386.$$" "$dir/qemu-i386"
  note "$("$dir/qemu-i386" --version | head -n 1)"
}

# The interpreter.  With the entry's flag P the kernel passes the program's
# path, its own argv[0], then its arguments; qemu's -0 keeps that argv[0].
install_interpreter() {
  local new
  new=$(mktemp "$dir/run-i386.XXXXXX")
  cat >"$new" <<EOF
#!/bin/sh
# binfmt_misc interpreter of 32-bit x86 programs (entry $entry, written by
# tools/i386_route.sh of Horomira).  Emulates only for Horomira's Wine tests,
# which set HORO_I386_EMULATION=1; everything else is refused as the kernel
# refuses it.
if [ "\${HORO_I386_EMULATION:-}" != 1 ]; then
  echo "\$1: cannot execute binary file: Exec format error" >&2
  exit 126
fi
path=\$1 argv0=\$2
shift 2
# HORO_I386_PRELOAD: a 32-bit library preloaded into the emulated program
# alone (a 64-bit program would refuse it as LD_PRELOAD).
if [ -n "\${HORO_I386_PRELOAD:-}" ]; then
  exec $dir/qemu-i386 -E LD_PRELOAD="\$HORO_I386_PRELOAD" -0 "\$argv0" "\$path" "\$@"
fi
exec $dir/qemu-i386 -0 "\$argv0" "\$path" "\$@"
EOF
  chmod 755 "$new"
  if cmp -s "$new" "$dir/run-i386"; then
    rm -f "$new"
  else
    mv -f "$new" "$dir/run-i386"
  fi
}

mount_binfmt() {
  if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
  fi
  if [ ! -e "$binfmt/register" ]; then
    note "binfmt_misc cannot be mounted here"
    return 1
  fi
}

# True when the kernel itself executes 32-bit x86 programs.  Asked only
# while the entry is not registered (the entry would answer instead); the
# answer does not change while the machine runs, so a registered entry
# means the kernel refused.
kernel_runs_i386() {
  [ -x /usr/lib/wine/wine ] &&
    env -u HORO_I386_EMULATION timeout -k 2 20 /usr/lib/wine/wine --version >/dev/null 2>&1
}

# The entry: ELF, 32-bit, little-endian, executable or shared object
# (position-independent programs), machine i386 -- the pattern Debian's
# qemu packages register.  Flags: P only (the interpreter passes argv[0] on
# to qemu).  Not F: the kernel would keep the interpreter it opened at
# registration and never see a rewritten one, and nothing here runs in
# another mount namespace.  Not O or C: no set-user-id programs are run,
# and the file descriptor O hands over would reach the shell, not qemu.
register() {
  local magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\xfc\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  local want_magic want_mask
  want_magic=$(printf '%s' "$magic" | sed 's/\\x//g')
  want_mask=$(printf '%s' "$mask" | sed 's/\\x//g')
  if [ -e "$binfmt/$entry" ] &&
     [ "$(cat "$binfmt/$entry")" = "$(printf 'enabled\ninterpreter %s\nflags: P\noffset 0\nmagic %s\nmask %s' \
                                      "$dir/run-i386" "$want_magic" "$want_mask")" ]; then
    return 0
  fi
  [ -e "$binfmt/$entry" ] && echo -1 >"$binfmt/$entry"
  if ! echo ":$entry:M::$magic:$mask:$dir/run-i386:P" >"$binfmt/register" 2>/dev/null; then
    note "the binfmt_misc entry could not be registered"
    return 1
  fi
  note "registered binfmt_misc entry $entry (emulates only with HORO_I386_EMULATION=1)"
}

if [ "$(id -u)" -ne 0 ]; then
  exit 0
fi
if [ ! -e "$binfmt/$entry" ] && kernel_runs_i386; then
  exit 0
fi
mount_binfmt || exit 0
install_qemu || exit 0
install_interpreter
register || exit 0
