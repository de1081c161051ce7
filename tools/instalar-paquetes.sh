#!/bin/sh
# Installs the given Debian packages that are missing; does nothing when all
# are there.  Runs apt-get update once, only when something must be installed.
set -e
faltan=""
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan="$faltan $p"
done
[ -z "$faltan" ] && exit 0
echo "Instalando:$faltan"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $faltan
