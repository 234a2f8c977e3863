#!/usr/bin/env python3
"""Writes resources/alert.wav, the bench's alert beep.

A 2 kHz tone at half of full scale, 16-bit PCM, stereo, 44,100 Hz, 21,888 frames
(87,552 bytes of samples, about 0.496 s), with short fades at both ends so that it starts
and stops without a click. The program stops it after 200 or 300 ms, so only its first part
is ever heard; the whole wave is loud from the fifth millisecond on.

Usage: tools/alert_wave/make_alert_wave.py [output path]   (default: resources/alert.wav)
"""

import math
import pathlib
import struct
import sys
import wave

RATE = 44_100
CHANNELS = 2
FRAMES = 21_888
TONE_HZ = 2_000
AMPLITUDE = 0.5 * 32_767
FADE_IN_FRAMES = RATE * 5 // 1000
FADE_OUT_FRAMES = RATE * 10 // 1000


def envelope(frame: int) -> float:
    if frame < FADE_IN_FRAMES:
        return frame / FADE_IN_FRAMES
    remaining = FRAMES - 1 - frame
    if remaining < FADE_OUT_FRAMES:
        return remaining / FADE_OUT_FRAMES
    return 1.0


def samples() -> bytes:
    out = bytearray()
    for frame in range(FRAMES):
        level = AMPLITUDE * envelope(frame) * math.sin(2 * math.pi * TONE_HZ * frame / RATE)
        sample = struct.pack("<h", int(round(level)))
        out += sample * CHANNELS
    return bytes(out)


def main() -> None:
    default = pathlib.Path(__file__).resolve().parents[2] / "resources" / "alert.wav"
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    data = samples()
    assert len(data) == 87_552
    with wave.open(str(target), "wb") as out:
        out.setnchannels(CHANNELS)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(data)


if __name__ == "__main__":
    main()
