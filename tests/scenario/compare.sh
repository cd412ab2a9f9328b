#!/usr/bin/env bash
# Plays every scenario natively and as WebAssembly under node and requires
# the two outputs to be identical to the byte.
# Usage: compare.sh NATIVE_PLAYER NODE WEB_PLAYER_JS WORK_DIR
set -euo pipefail
native=$1 node=$2 web=$3 dir=$4

"$native" >"$dir/native.txt"
"$node" "$web" >"$dir/web.txt"

if ! cmp -s "$dir/native.txt" "$dir/web.txt"; then
  echo "The WebAssembly build departs from the native build; first difference:"
  diff "$dir/native.txt" "$dir/web.txt" | head -n 8 || true
  first=$(cmp "$dir/native.txt" "$dir/web.txt" | sed -n 's/.* line \([0-9]*\)$/\1/p' || true)
  scenario=$(sed -n "${first}p" "$dir/native.txt" | cut -d' ' -f1)
  echo "Compare the whole states with: $native --full $scenario; $node $web --full $scenario"
  exit 1
fi
echo "$(wc -l <"$dir/native.txt") lines identical in both builds"
