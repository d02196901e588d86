#!/bin/sh
# Installs the Debian packages of scripts/packages.txt (or of the lists given) that are
# missing. Needs root (or sudo).
set -e
cd "$(dirname "$0")"
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
