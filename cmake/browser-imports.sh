#!/bin/sh
# Writes the compiler driver's options (a response file) that make a program hold every function of its
# own that the browser module calls: the program's libraries are archives, and the linker takes from them
# only what the program itself calls. Symbols of the system's libraries carry a version and are left out.
# Usage: browser-imports.sh <nm> <module> <output>
set -e
"$1" -D --undefined-only "$2" | awk '$1 == "U" && $2 !~ /@/ { print "-Wl,--undefined=" $2 }' > "$3.new"
mv "$3.new" "$3"
