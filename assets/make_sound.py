#!/usr/bin/env python3
"""Writes sound.wav, the reminder played when a run has finished.

A rising three-note chime (E5, G#5, B5: an E major arpeggio), each note a soft
bell tone: a few harmonics that fade at their own rates, a short attack so no
note clicks, and a fade at the end so the file stops in silence. 44.1 kHz,
16-bit, mono, about 1.1 s. Pure standard library and no randomness, so the
same script always writes the same file.

Usage: make_sound.py [output.wav]   (default: sound.wav beside this script)
"""

import math
import os
import struct
import sys
import wave

RATE = 44100
LENGTH = 1.1  # seconds
PEAK = 0.55  # of full scale: pleasant, not startling

# (start in seconds, frequency in Hz, loudness)
NOTES = [
    (0.00, 659.26, 0.85),
    (0.14, 830.61, 0.80),
    (0.28, 987.77, 1.00),
]

# (multiple of the note's frequency, loudness, decay time constant in seconds)
PARTIALS = [
    (1.0, 1.00, 0.42),
    (2.0, 0.28, 0.20),
    (3.0, 0.10, 0.11),
    (4.2, 0.04, 0.06),  # slightly off-harmonic: the glassy edge of a bell
]

ATTACK = 0.006  # seconds
FADE_OUT = 0.15  # seconds at the end


def note_sample(t, freq, loud):
    if t < 0:
        return 0.0
    rise = min(1.0, t / ATTACK)
    rise = rise * rise * (3 - 2 * rise)  # smooth start, no click
    total = 0.0
    for multiple, amp, decay in PARTIALS:
        total += amp * math.exp(-t / decay) * math.sin(2 * math.pi * freq * multiple * t)
    return loud * rise * total


def render():
    count = int(RATE * LENGTH)
    samples = []
    for i in range(count):
        t = i / RATE
        value = sum(note_sample(t - start, freq, loud) for start, freq, loud in NOTES)
        remaining = LENGTH - t
        if remaining < FADE_OUT:
            value *= 0.5 - 0.5 * math.cos(math.pi * remaining / FADE_OUT)
        samples.append(value)
    top = max(abs(s) for s in samples)
    scale = PEAK * 32767 / top
    return [int(round(s * scale)) for s in samples]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "sound.wav")
    samples = render()
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack("<%dh" % len(samples), *samples))
    print(f"wrote {path}: {len(samples) / RATE:.2f} s, {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
