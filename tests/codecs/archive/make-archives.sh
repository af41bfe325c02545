#!/usr/bin/env bash
# Makes the archives the decompressor is tested on, in folder $1, with the tools people use: gzip, zip,
# and Python's gzip, zlib and zipfile (make_archives.py). The payload is payload.bin; other.bin is a
# second file, empty.bin an empty one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$1"
/usr/bin/python3 "$here/make_archives.py" payloads

gzip -c payload.bin > gzip-named.gz
gzip -n -c payload.bin > gzip-no-name.gz
gzip -9 < payload.bin > gzip-stdin.gz
gzip -1 -n -c other.bin > other.gz
cat gzip-no-name.gz other.gz > gzip-two-members.gz
gzip -n -c empty.bin > gzip-empty.gz

zip -q -0 zip-stored.zip payload.bin
zip -q zip-deflated.zip payload.bin
zip -q -0 - payload.bin | cat > zip-stored-pipe.zip
zip -q - payload.bin | cat > zip-deflated-pipe.zip
zip -q -0 zip-empty.zip empty.bin
zip -q -P secret zip-encrypted.zip payload.bin
zip -q zip-two-entries.zip payload.bin other.bin
printf 'just a text file, not an archive\n' > not-an-archive.txt

/usr/bin/python3 "$here/make_archives.py" archives
