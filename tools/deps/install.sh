#!/usr/bin/env bash
# Installs the Debian packages the build needs that this machine lacks, and nothing when all are
# there, so that the README's commands and CI start from the same list on a fresh machine.
set -euo pipefail

packages=(
    cmake g++ make
    libgtest-dev libgmock-dev libbenchmark-dev # tests and benchmarks
    libssl-dev                                 # the stations' keys, the benchmarks' reference
    libsqlite3-dev                             # the registry benchmark's reference
    libxml2-dev                                # the tests read WLAN profile documents
    libcli11-dev                               # the machine tool's command line
    nlohmann-json3-dev                         # the machine tool's --json
    pkg-config libedit-dev                     # the desktop's line editing and history
    libcairo2-dev fonts-dejavu-core            # the machine tool's pictures of windows
    clang-format                               # the format check
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing ${missing[*]}" >&2
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "install as root: apt-get install ${missing[*]}" >&2; exit 1; }
    sudo=(sudo)
fi
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
