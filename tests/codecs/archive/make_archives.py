#!/usr/bin/env python3
"""Archives made with Python's gzip, zlib and zipfile, and damaged copies of the tools' archives.

Run by make-archives.sh in the fixture folder: "payloads" first, "archives" after the tools ran.
"""
import gzip
import io
import random
import struct
import sys
import zipfile
import zlib

FTEXT, FHCRC, FEXTRA, FNAME, FCOMMENT = 0x01, 0x02, 0x04, 0x08, 0x10


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


def read(name):
    with open(name, "rb") as f:
        return f.read()


def payloads():
    rng = random.Random(1912)
    text = b"".join(b"%d;Ducat;Venice;%d;gold;VF-%d\r\n" % (i, 1400 + i % 600, i % 40) for i in range(4000))
    # Incompressible stretches and text, so input blocks and output windows end at odd places.
    write("payload.bin", rng.randbytes(70000) + text + rng.randbytes(9000) + text[:50000])
    write("other.bin", b"a second file, which must not be unpacked\n" * 50)
    write("empty.bin", b"")


def raw_deflate(data, level=6):
    c = zlib.compressobj(level, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def gzip_member(data, flags=0, magic=b"\x1f\x8b", method=8, extra=b"", name=b"", comment=b"",
                header_crc_delta=0):
    header = magic + bytes([method, flags]) + struct.pack("<I", 1700000000) + b"\x00\x03"
    if flags & FEXTRA:
        header += struct.pack("<H", len(extra)) + extra
    if flags & FNAME:
        header += name + b"\x00"
    if flags & FCOMMENT:
        header += comment + b"\x00"
    if flags & FHCRC:
        header += struct.pack("<H", (zlib.crc32(header) + header_crc_delta) & 0xFFFF)
    return header + raw_deflate(data) + struct.pack("<II", zlib.crc32(data), len(data) & 0xFFFFFFFF)


class Unseekable(io.RawIOBase):
    """A write-only stream without seek, like a pipe: zipfile then writes data descriptors."""

    def __init__(self):
        self.data = bytearray()

    def writable(self):
        return True

    def write(self, b):
        self.data += b
        return len(b)


def zip_unseekable(name, data, method):
    out = Unseekable()
    with zipfile.ZipFile(out, "w", compression=method) as z:
        z.writestr(name, data)
    return bytes(out.data)


def patched(data, offset, xor):
    b = bytearray(data)
    b[offset] ^= xor
    return bytes(b)


def archives():
    data = read("payload.bin")
    every_flag = FTEXT | FHCRC | FEXTRA | FNAME | FCOMMENT
    extra = b"AP" + struct.pack("<H", 6) + b"coins!"

    # Good archives.
    write("python-gzip.gz", gzip.compress(data))
    buf = io.BytesIO()
    with gzip.GzipFile(filename="coins.ctg", mode="wb", fileobj=buf, mtime=1700000000) as g:
        g.write(data)
    write("python-gzip-named.gz", buf.getvalue())
    write("zlib-every-flag.gz", gzip_member(data, every_flag, extra=extra, name=b"coins.ctg",
                                           comment="catalogue of Zürich".encode()))
    # A header longer than one input block: a 60000-byte extra field and a long comment.
    write("zlib-long-header.gz", gzip_member(data, every_flag, extra=b"x" * 60000, name=b"n" * 300,
                                            comment=b"c" * 5000))
    write("zlib-old-magic.gz", gzip_member(data, magic=b"\x1f\x9e"))
    write("python-zip-unseekable.zip", zip_unseekable("payload.bin", data, zipfile.ZIP_DEFLATED))
    write("python-zip-unseekable-empty.zip", zip_unseekable("empty.bin", b"", zipfile.ZIP_STORED))
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w", compression=zipfile.ZIP_STORED) as z:
        z.writestr("payload.bin", data)
    write("python-zip-stored.zip", buf.getvalue())
    # A data descriptor without its (optional) signature.
    body = raw_deflate(data)
    header = struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0x08, 8, 0, 0, 0, 0, 0, 11, 0) + b"payload.bin"
    write("zlib-zip-bare-descriptor.zip",
          header + body + struct.pack("<III", zlib.crc32(data), len(body), len(data)))

    # Damaged archives: each must fail and leave nothing behind.
    good = read("gzip-no-name.gz")
    write("bad-crc.gz", patched(good, len(good) - 8, 0x01))
    write("bad-length.gz", patched(good, len(good) - 4, 0x01))
    write("truncated-data.gz", good[: len(good) // 2])
    write("truncated-header.gz", good[:5])
    write("truncated-trailer.gz", good[:-3])
    write("empty.gz", b"")
    write("corrupt-deflate.gz", good[:10] + b"\xff" * 64)
    write("bad-header-crc.gz", gzip_member(data, every_flag, extra=extra, name=b"a", comment=b"b",
                                           header_crc_delta=1))
    stored = read("zip-stored.zip")
    write("zip-bad-crc.zip", patched(stored, 14, 0x01))
    write("zip-size-mismatch.zip", patched(stored, 18, 0x01))
    unseekable = read("python-zip-unseekable.zip")
    descriptor = unseekable.index(b"PK\x07\x08")
    write("zip-bad-descriptor-size.zip", patched(unseekable, descriptor + 8, 0x01))

    # Archives that are not accepted.
    write("gzip-method-7.gz", patched(good, 2, 8 ^ 7))
    write("gzip-reserved-flag-20.gz", patched(good, 3, 0x20))
    write("gzip-reserved-flag-80.gz", patched(good, 3, 0x80))
    write("compress-magic.Z", b"\x1f\x9d\x90" + data[:100])
    write("python-zip-bzip2.zip", zip_unseekable("payload.bin", data, zipfile.ZIP_BZIP2))
    write("python-zip-unseekable-stored.zip", zip_unseekable("payload.bin", data, zipfile.ZIP_STORED))
    info = zipfile.ZipInfo("payload.bin")
    info.extra = struct.pack("<HH", 0xCAFE, 33000) + b"\x00" * 33000
    buf = io.BytesIO()
    with zipfile.ZipFile(buf, "w") as z:
        z.writestr(info, data)
    write("zip-header-beyond-first-block.zip", buf.getvalue())


if __name__ == "__main__":
    {"payloads": payloads, "archives": archives}[sys.argv[1]]()
