#!/usr/bin/env python3
# digests.py STATE_JSONL > DIGESTS: one FNV-1a 64-bit digest (16 hex digits) for each frame
# of a demo in a replay's state.jsonl (the lines of the title, game, transition and ending
# screens; the panel's, the pause menu's and the closing line are no frames of a demo), the
# form the demo tests compare a playback against.
import json
import sys

FRAME_SCREENS = {"opening", "game", "transition", "ending"}

for line in open(sys.argv[1], "rb").read().split(b"\n"):
    if not line or json.loads(line)["screen"] not in FRAME_SCREENS:
        continue
    h = 0xCBF29CE484222325
    for b in line:
        h = ((h ^ b) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
    print(f"{h:016x}")
