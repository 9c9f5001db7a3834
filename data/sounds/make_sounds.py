#!/usr/bin/env python3
"""Makes the solver's five clips as 16-bit mono WAVE files: 1.wav to 5.wav.

    make_sounds.py OUTPUT_FOLDER

1 a letter went in (0.05 s), 2 a move was refused (0.12 s), 3 the crossword is solved
(1.1 s), 4 the fanfare after it (4.7 s), 5 a letter went in but the cursor stayed, the
direction changed or a letter was revealed (0.06 s). Deterministic, so builds repeat.
"""
import math
import os
import struct
import sys
import wave

RATE = 22050


def tone(freqs, seconds, volume=0.5, decay=0.0):
    """Samples of the sum of sine waves, with short fades so nothing clicks."""
    n = int(RATE * seconds)
    fade = max(1, min(n // 4, int(RATE * 0.005)))
    out = []
    for i in range(n):
        t = i / RATE
        v = sum(math.sin(2 * math.pi * f * t) for f in freqs) / len(freqs)
        env = math.exp(-decay * t)
        if i < fade:
            env *= i / fade
        if n - i <= fade:
            env *= (n - i) / fade
        out.append(v * env * volume)
    return out


def notes(seq):
    """seq: (frequencies, seconds) pairs played one after another."""
    out = []
    for freqs, seconds in seq:
        out += tone(freqs, seconds, decay=1.5)
    return out


CLIPS = {
    1: tone([1320], 0.05),
    2: tone([220, 233], 0.12),
    3: notes([([523], 0.2), ([659], 0.2), ([784], 0.2), ([1047], 0.5)]),
    4: notes([([392, 523], 0.4), ([440, 587], 0.4), ([523, 659], 0.4), ([587, 784], 0.4),
              ([523, 659], 0.3), ([587, 784], 0.3), ([659, 1047], 1.0), ([523, 784, 1047], 1.5)]),
    5: tone([880], 0.06),
}


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767))
                               for s in samples))


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for number, samples in CLIPS.items():
        write(os.path.join(folder, f"{number}.wav"), samples)


if __name__ == "__main__":
    main()
