#!/usr/bin/env bash
# Makes the import library of one of Wine's PE DLLs, as the Visual C++ build links against it:
# every name the DLL exports, but for those Wine only stubs (a missing function is then a link
# error rather than a crash), those that lie outside code marked DATA.
# Usage: import-library.sh DLL OUTPUT_LIB LLVM_BIN
set -euo pipefail
dll="$1" output="$2" llvm="$3"
name="$(basename "$dll")"
work="$(mktemp -d "${TMPDIR:-/tmp}/import-library.XXXXXXXX")"
trap 'rm -rf -- "$work"' EXIT

hex='
  function number(text,    value, i, c) {
    # Decimal, or hexadecimal with 0x: awk has no reader of its own for both everywhere.
    value = 0
    if (text ~ /^0[xX]/) {
      text = tolower(substr(text, 3))
      for (i = 1; i <= length(text); i++) value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    return text + 0
  }
'
# Where the image lies, and which of its sections hold code. An export whose address lies in the
# export table itself is forwarded to another DLL's function: it counts as code, listed first.
"$llvm/llvm-readobj" --file-headers --sections "$dll" > "$work/headers.txt"
base="$(awk '/ImageBase:/ { print $2; exit }' "$work/headers.txt")"
awk '
  '"$hex"'
  /^    ExportTableRVA:/ { printf "%d ", number($2) }
  /^    ExportTableSize:/ { printf "%d 1\n", number($2) }
  /^  Section \{/ { name = ""; address = ""; size = ""; code = 0 }
  /^    VirtualAddress:/ { address = $2 }
  /^    VirtualSize:/ { size = $2 }
  /IMAGE_SCN_MEM_EXECUTE/ { code = 1 }
  /^  \}/ { if (address != "") printf "%d %d %d\n", number(address), number(size), code }
' "$work/headers.txt" > "$work/sections.txt"
# The addresses of Wine's stubs, from the DLL's own symbol table.
"$llvm/llvm-nm" --defined-only "$dll" 2> /dev/null |
  awk -v base="$base" "$hex"' $3 ~ /^__wine_stub_/ { printf "%d\n", number("0x" $1) - number(base) }' |
  sort -u > "$work/stubs.txt"
"$llvm/llvm-readobj" --coff-exports "$dll" |
  awk "$hex"' /^  Name:/ { name = $2 } /^  RVA:/ { if (name != "") printf "%s %d\n", name, number($2); name = "" }' \
    > "$work/exports.txt"

{
  echo "LIBRARY $name"
  echo "EXPORTS"
  awk '
    FILENAME == ARGV[1] { stub[$1] = 1; next }
    FILENAME == ARGV[2] { n++; start[n] = $1; end[n] = $1 + $2; code[n] = $3; next }
    {
      if ($2 in stub) next
      data = 1
      for (i = 1; i <= n; i++) if ($2 >= start[i] && $2 < end[i]) { data = !code[i]; break }
      print "  " $1 (data ? " DATA" : "")
    }
  ' "$work/stubs.txt" "$work/sections.txt" "$work/exports.txt"
} > "$work/exports.def"
"$llvm/llvm-dlltool" -m i386:x86-64 -d "$work/exports.def" -l "$output"
