#!/bin/bash
# fetch-zlib-source.sh DIR: unpacks the sources of Debian's package zlib into
# DIR/src (DIR/src/zlib.h, inflate.c, ...), fetched with apt from the deb-src
# form of this machine's own apt sources. apt works in a private
# configuration below DIR (its lists, cache and source lines), so neither
# root rights nor deb-src lines in /etc/apt are needed, and nothing outside
# DIR changes. apt checks the files against the signed index; dpkg-source
# (package dpkg-dev) unpacks them with Debian's patches. Does nothing when
# DIR/src is complete.
set -euo pipefail
dir=${1:?usage: fetch-zlib-source.sh DIR}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
[ -f "$dir/src/.complete" ] && exit 0

apt_dir=$dir/apt
rm -rf "$apt_dir" "$dir/download" "$dir/src"
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$dir/download"

# The machine's sources, every "deb" turned into "deb-src": one-line lists
# and deb822 .sources files, the only files apt reads from sources.list.d.
etc=$(apt-config shell v Dir::Etc/d | sed -n "s/^v='\(.*\)'$/\1/p")
etc=${etc:-/etc/apt/}
sed -n 's/^\s*deb\(\s\)/deb-src\1/p' "$etc/sources.list" >"$apt_dir/sources.list" 2>/dev/null || true
for f in "$etc"sources.list.d/*.list; do
  if [ -f "$f" ]; then sed -n 's/^\s*deb\(\s\)/deb-src\1/p' "$f" >>"$apt_dir/sources.list"; fi
done
for f in "$etc"sources.list.d/*.sources; do
  if [ -f "$f" ]; then sed 's/^Types:.*$/Types: deb-src/I' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"; fi
done

apt_options=(-q -o Dir::Etc::sourcelist="$apt_dir/sources.list" -o Dir::Etc::sourceparts="$apt_dir/sources.list.d"
  -o Dir::State::lists="$apt_dir/lists" -o Dir::Cache="$apt_dir/cache")
# As root apt hands downloads to its sandbox user, who may not write here.
[ "$(id -u)" -eq 0 ] && apt_options+=(-o APT::Sandbox::User=root)

# A source that offers no deb-src (some third-party ones) fails its part of
# the update; what counts is that zlib's source is found below.
apt-get "${apt_options[@]}" update >"$dir/apt-update.log" 2>&1 ||
  echo "fetch-zlib-source.sh: apt-get update reported errors (see $dir/apt-update.log)" >&2

# The version of the installed zlib first, then the others the lists offer:
# a mirror may list a version it cannot deliver (yet).
versions=$({ dpkg-query -W -f '${source:Version}\n' zlib1g 2>/dev/null || true
  apt-cache "${apt_options[@]}" madison zlib 2>/dev/null | awk -F'|' '/Sources/ { gsub(/ /, "", $2); print $2 }'
} | awk 'NF && !seen[$0]++')
fetched=
for version in $versions; do
  if (cd "$dir/download" && apt-get "${apt_options[@]}" source --download-only "zlib=$version" >>"$dir/apt-source.log" 2>&1); then
    fetched=$version
    break
  fi
  rm -f "$dir"/download/*
done
if [ -z "$fetched" ]; then
  echo "fetch-zlib-source.sh: no source of zlib could be fetched with apt (see $dir/apt-source.log)" >&2
  exit 1
fi

# apt has checked every file against the signed index; dpkg-source's own
# signature check only warns, as no Debian keyring is installed.
dpkg-source --no-copy -x "$dir"/download/zlib_*.dsc "$dir/src" >"$dir/dpkg-source.log" 2>&1 ||
  { cat "$dir/dpkg-source.log" >&2; exit 1; }
echo "$fetched" >"$dir/src/.complete"
echo "zlib $fetched unpacked in $dir/src"
