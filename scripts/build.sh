#!/usr/bin/env bash
# Configures and builds one configuration: build.sh FOLDER [cmake options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/pagewell-ccache}"
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
cmake -S "$root" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
cmake --build "$folder" -j "$(nproc)"
