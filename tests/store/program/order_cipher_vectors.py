#!/usr/bin/env python3
"""Works the order-mail cipher's steps one by one, independently of the C++ code, to give the vectors
of OrderCipherTest.cpp.

Usage: order_cipher_vectors.py KEY_HEX [TEXT_HEX]   (prints the enciphered bytes in hex)
"""
import sys

M = 0xFFFF


def encipher(text: bytes, key: bytes) -> bytes:
    assert len(key) == 16
    st = {"acc": 0, "i": 0, "s": 0, "res": 0, "ks": 0}
    sub = [0] * 8
    k = bytearray(key)

    def mix():
        i = st["i"]
        d = (st["acc"] + i) & M
        a = sub[i]
        c = 0x015A
        b = 0x4E35
        a, st["s"] = st["s"], a
        a, d = d, a
        if a != 0:
            a = (a * b) & M
        a, c = c, a
        if a != 0:
            a = (a * st["s"]) & M
            c = (a + c) & M
        a, st["s"] = st["s"], a
        a = (a * b) & M
        d = (c + d) & M
        a = (a + 1) & M
        st["acc"] = d
        sub[i] = a
        st["res"] = a ^ d
        st["i"] = i + 1

    def key_round():
        sub[0] = (k[0] * 256 + k[1]) & M
        mix()
        st["ks"] = st["res"]
        for n in range(1, 8):
            sub[n] = ((k[2 * n] * 256 + k[2 * n + 1]) ^ sub[n - 1]) & M
            mix()
            st["ks"] ^= st["res"]
        st["i"] = 0

    out = bytearray()
    for c in text:
        key_round()
        hi, lo = st["ks"] >> 8, st["ks"] & 0xFF
        for n in range(16):
            k[n] ^= c
        out.append(c ^ hi ^ lo)
    return bytes(out)


if __name__ == "__main__":
    key = bytes.fromhex(sys.argv[1])
    text = bytes.fromhex(sys.argv[2]) if len(sys.argv) > 2 else b""
    print(encipher(text, key).hex())
