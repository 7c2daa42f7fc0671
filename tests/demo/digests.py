#!/usr/bin/env python3
# digests.py STATE_JSONL > DIGESTS: one FNV-1a 64-bit digest (16 hex digits) per line of a
# replay's state.jsonl, the form the demo tests compare a playback against.
import sys

for line in open(sys.argv[1], "rb").read().split(b"\n"):
    if not line:
        continue
    h = 0xCBF29CE484222325
    for b in line:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    print(f"{h:016x}")
