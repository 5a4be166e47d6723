#!/usr/bin/env bash
# Writes the libFuzzer dictionary of the scene reader (fuzz/scene.dict) from the host's sources:
# the names of the node classes and field types that register a creation function (as they are
# written in files, without the "So" prefix), the names the nodes give their fields, the names
# of enumerated field values, and the reader's keywords and headers.
# Usage: fuzz/make-dict.sh > fuzz/scene.dict   (run from the project's root)
set -euo pipefail
src=host/src
{
  grep -rhoE 'createType\([^;]*"So[A-Za-z0-9]+", *&create' "$src" | grep -oE '"So[A-Za-z0-9]+"' |
    sed -E 's/^"So/"/'
  grep -rhoE 'addField\(&[A-Za-z0-9_.]+, *"[A-Za-z0-9_]+"' "$src" | grep -oE '"[A-Za-z0-9_]+"$'
  grep -rhoE 'setEnums\(\{.*\}\)' "$src" | grep -oE '\{"[A-Za-z0-9_]+"' | sed 's/^{//'
} | sort -u | awk '{ name = $0; gsub(/"/, "", name); printf "kw_%s=%s\n", name, $0 }'
cat <<'KEYWORDS'
header_21="#Inventor V2.1 ascii\x0a"
header_20="#Inventor V2.0 ascii\x0a"
header_10="#Inventor V1.0 ascii\x0a"
header_bin="#Inventor V2.1 binary\x0a"
kw_DEF="DEF"
kw_USE="USE"
kw_NULL="NULL"
kw_fields="fields"
kw_TRUE="TRUE"
kw_FALSE="FALSE"
kw_GlobalField="GlobalField"
open_brace="{"
close_brace="}"
open_bracket="["
close_bracket="]"
bit_or="|"
KEYWORDS
