#!/usr/bin/env bash
# Installs what is missing, builds, and runs the console on the demo installation.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$root/build" >/dev/null
exec "$root/build/bin/pwconsole" "$@"
