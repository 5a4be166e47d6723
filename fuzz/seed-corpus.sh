#!/usr/bin/env bash
# Fills a libFuzzer corpus directory with the project's scene files: every *.iv under tests/data
# and examples/, each written 20 times with a leading choice byte 0..19 (the fuzz target's
# format and removal mode, fuzz/fuzz_scene.cpp), so that every seed starts in every writer.
# Files already in the directory are kept. Usage: fuzz/seed-corpus.sh DIR (from the project's root)
set -euo pipefail
dir=$1
mkdir -p "$dir"
count=0
while IFS= read -r -d '' file; do
  base=$(echo "$file" | tr '/' '_')
  for choice in $(seq 0 19); do
    { printf "\\$(printf '%03o' "$choice")"; cat "$file"; } > "$dir/seed_${choice}_$base"
  done
  count=$((count + 1))
done < <(find tests/data examples -name '*.iv' -print0 | sort -z)
echo "seed-corpus: $count scene files, $((count * 20)) seeds in $dir"
