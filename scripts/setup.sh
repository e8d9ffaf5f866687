#!/usr/bin/env bash
# Installs what building and testing Orvane needs on Debian 12: Debian packages (as root, or
# prints the command) and the pinned npm packages.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build ccache pkg-config qt6-base-dev libgl-dev
          libpcre2-dev libgtest-dev clang-format nodejs npm chromium php-cli python3
          python3-flask xvfb xauth fonts-dejavu-core fonts-liberation clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# A NodeSource node provides npm itself.
if command -v npm >/dev/null 2>&1; then
    missing=("${missing[@]/npm}")
fi
if command -v node >/dev/null 2>&1; then
    missing=("${missing[@]/nodejs}")
fi
read -r -a missing <<< "${missing[*]:-}"
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" = 0 ]; then
        echo "setup: installing ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    else
        echo "setup: missing Debian packages; run as root:"
        echo "  apt-get update && apt-get install -y ${missing[*]}"
        exit 1
    fi
fi

if [ -f package-lock.json ]; then
    if [ ! -d node_modules ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
        echo "setup: npm ci"
        npm ci --no-audit --no-fund --loglevel=error
    fi
fi
echo "setup: ready"
