#!/bin/sh
# Installs the Debian packages of scripts/packages.txt (or of the lists given) that are
# missing. Needs root (or sudo). In a git work tree it also has every commit check the format of
# its staged lines (scripts/hooks), unless the clone has chosen a hooks folder of its own.
set -e
cd "$(dirname "$0")"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1 && ! git config core.hooksPath >/dev/null; then
    git config core.hooksPath scripts/hooks
fi
lists="${*:-packages.txt}"
missing=""
for p in $(cat $lists | grep -v '^#'); do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
