#!/bin/bash
# make-locales.sh: generates the system locales the Windows tests run wine
# under, where they are missing. Wine takes its system locale and code pages
# from LANG, and a locale that is not generated falls back to ASCII file
# names. Run as root, on the host or inside the WoW64 root; installs the
# package "locales" when locale-gen is missing.
set -eu
wanted="en_US.UTF-8 de_DE.UTF-8 ru_RU.UTF-8 ja_JP.UTF-8"
# locale -a names them in lower case without the dash: en_US.utf8.
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
missing=
for name in $wanted; do
  grep -qx "$(echo "${name%%.*}.utf8" | tr 'A-Z' 'a-z')" <<<"$have" || missing+=" $name"
done
[ -n "$missing" ] || exit 0
echo "generating locales:$missing"
if ! command -v locale-gen >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends locales >/dev/null
fi
touch /etc/locale.gen
for name in $missing; do
  # Uncomment Debian's line, or add it.
  sed -i "s/^# *\($name UTF-8\)\$/\1/" /etc/locale.gen
  grep -qx "$name UTF-8" /etc/locale.gen || echo "$name UTF-8" >>/etc/locale.gen
done
locale-gen >/dev/null
