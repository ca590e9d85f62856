#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted as .clang-format sets it, and names
# the files. Fix them with: git ls-files '*.cpp' '*.h' ':!third_party/' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "$0")/.."
# Tracked and new sources alike; a file deleted but not yet staged is no source any more. The
# sources in third_party/ are others' (SQLite's amalgamation) and kept exactly as generated.
mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' \
  ':!third_party/' |
  while read -r f; do [ -f "$f" ] && printf '%s\n' "$f"; done | sort -u)
if ! report=$(clang-format --dry-run --Werror "${files[@]}" 2>&1); then
  echo "check_format: not formatted as .clang-format sets it (run clang-format -i on them):" >&2
  grep -o '^[^:]*\.\(cpp\|h\):' <<<"$report" | sort -u | sed 's/:$//; s/^/  /' >&2
  exit 1
fi
echo "check_format: ${#files[@]} sources formatted as .clang-format sets them"
