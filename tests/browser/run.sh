#!/usr/bin/env bash
# Runs the browser tests of pwconsole's page: installs the pinned test packages, then drives
# the system's Chromium headless against build/bin/pwconsole (PW_BIN_DIR names another
# folder of built programs; screenshots go to build/browser-artifacts or PW_BROWSER_ARTIFACTS).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"

chromium="${PW_CHROMIUM:-/usr/bin/chromium}"
if [[ ! -x "$chromium" ]]; then
  echo "browser tests: $chromium is missing; scripts/deps.sh installs it" >&2
  exit 1
fi
bin="${PW_BIN_DIR:-$here/../../build/bin}"
for program in pwconsole pwsetup pwtest_snapin.so; do
  if [[ ! -e "$bin/$program" ]]; then
    echo "browser tests: $bin/$program is missing; build it first" >&2
    exit 1
  fi
done

npm ci --no-audit --no-fund --loglevel=error >/dev/null
# One test file at a time: each test starts its own console, and the machine is small.
exec node --test --test-concurrency=1 --test-timeout=180000 ./*.test.mjs
