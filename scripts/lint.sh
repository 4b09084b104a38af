#!/usr/bin/env bash
# The source checks CI runs: formatting, layering of includes, and words that do not belong in
# the code.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
status=0

mapfile -t sources < <(git ls-files '*.cpp' '*.h')

# One clang-format run for all files; its errors name each file at the start of a line.
if ! clang-format --dry-run -Werror "${sources[@]}" >/dev/null 2>/tmp/pw-format.txt; then
  grep -oE '^[^: ]+:[0-9]+:[0-9]+: error' /tmp/pw-format.txt | cut -d: -f1 | sort -u |
    sed 's/^/lint: not formatted with clang-format: /'
  status=1
fi

# Each layer includes only itself and the layers below it.
allowed_for() {
  case "$1" in
    platform/*) echo "platform" ;;
    mmc/*) echo "platform mmc" ;;
    module/*) echo "platform mmc module installation/interfaces" ;;
    installation/*) echo "platform mmc installation" ;;
    console/*) echo "platform mmc installation console" ;;
    tools/*) echo "tools platform" ;;
    *) echo "" ;;
  esac
}
for file in "${sources[@]}"; do
  allowed="$(allowed_for "$file")"
  [[ -z "$allowed" ]] && continue
  while IFS= read -r target; do
    permitted=0
    for prefix in $allowed; do
      [[ "$target" == "$prefix"/* ]] && permitted=1
    done
    if ((!permitted)); then
      echo "lint: $file includes $target, which is above its layer"
      status=1
    fi
  done < <(grep -oE '^#include "[^"]+"' "$file" | sed -E 's/#include "([^"]+)"/\1/')
done

if git grep -n -I -E '\b([Ss]pecification|Part [0-9]+\.[0-9]+)\b' -- \
  ':!README.md' ':!docs' ':!scripts/lint.sh' >/tmp/pw-words.txt; then
  echo "lint: words that point outside the code:"
  sed 's/^/  /' /tmp/pw-words.txt
  status=1
fi
exit $status
