#!/usr/bin/env bash
# Installs those of the Debian packages named as arguments that are missing.
set -euo pipefail

missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

run=()
[ "$(id -u)" -eq 0 ] || run=(sudo)
"${run[@]}" apt-get update
"${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
