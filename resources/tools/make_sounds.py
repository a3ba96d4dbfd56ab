#!/usr/bin/env python3
"""Synthesises the game's sounds into resources/sounds/.

Standard library only; not run at build time. Run it by hand after a change:

    python3 resources/tools/make_sounds.py

All sounds are 16-bit mono 44.1 kHz, normalised to about -3 dBFS and
faded in and out over a few milliseconds so they never click. The noise
is seeded, so remaking the files gives the same bytes.
"""

import math
import os
import random
import struct
import wave

RATE = 44100
PEAK = 10 ** (-3.0 / 20.0)  # -3 dBFS


# --- helpers ----------------------------------------------------------------

def silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def biquad(samples, kind, freq, q):
    """RBJ cookbook biquad; kind is 'lowpass', 'highpass' or 'bandpass'."""
    w = 2 * math.pi * freq / RATE
    cw, sw = math.cos(w), math.sin(w)
    alpha = sw / (2 * q)
    if kind == "lowpass":
        b0, b1, b2 = (1 - cw) / 2, 1 - cw, (1 - cw) / 2
    elif kind == "highpass":
        b0, b1, b2 = (1 + cw) / 2, -(1 + cw), (1 + cw) / 2
    else:
        b0, b1, b2 = alpha, 0.0, -alpha
    a0, a1, a2 = 1 + alpha, -2 * cw, 1 - alpha
    b0, b1, b2, a1, a2 = b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0
    out = []
    x1 = x2 = y1 = y2 = 0.0
    for x in samples:
        y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, x, y1, y
        out.append(y)
    return out


def mix_into(dst, src, start, gain=1.0):
    end = min(len(dst), start + len(src))
    for i in range(start, end):
        dst[i] += src[i - start] * gain


def fade(samples, fade_in, fade_out):
    """Raised-cosine edges, lengths in seconds."""
    n = len(samples)
    fi = max(1, int(fade_in * RATE))
    fo = max(1, int(fade_out * RATE))
    for i in range(min(fi, n)):
        samples[i] *= 0.5 - 0.5 * math.cos(math.pi * i / fi)
    for i in range(min(fo, n)):
        samples[n - 1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / fo)
    return samples


def normalise(samples, peak=PEAK):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(round(s * 32767)))))
                      for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def snap(rng, length, centre, decay, body=0.25):
    """One paper snap: band-passed noise with an instant attack and fast
    exponential decay, plus a little low 'body' so it is not just hiss."""
    n = int(length * RATE)
    noise = [rng.uniform(-1, 1) for _ in range(n)]
    bright = biquad(biquad(noise, "bandpass", centre, 1.1), "highpass", 900, 0.7)
    low = biquad(noise, "lowpass", 700, 0.8)
    out = []
    for i in range(n):
        t = i / RATE
        env = (1 - math.exp(-t / 0.0006)) * math.exp(-t / decay)
        out.append((bright[i] + body * low[i] * math.exp(-t / (decay * 0.6))) * env)
    return out


# --- the sounds -------------------------------------------------------------

def deal_sound():
    rng = random.Random(168)
    s = snap(rng, 0.10, 3200, 0.014)
    return fade(normalise(s), 0.0008, 0.02)


def shuffle_sound():
    rng = random.Random(169)
    total = 1.0
    out = silence(total)
    # The riffle: snaps come fast in the middle, slower at both ends.
    t = 0.03
    while t < total - 0.08:
        pos = t / total
        gap = 0.030 - 0.022 * math.sin(math.pi * pos)  # 30 ms .. 8 ms .. 30 ms
        gap *= rng.uniform(0.8, 1.2)
        s = snap(rng, 0.05, rng.uniform(2600, 4200), rng.uniform(0.004, 0.008), body=0.15)
        loud = (0.55 + 0.45 * math.sin(math.pi * pos)) * rng.uniform(0.7, 1.0)
        mix_into(out, s, int(t * RATE), loud)
        t += gap
    # soft airy bed under the snaps
    bed = biquad([rng.uniform(-1, 1) for _ in range(len(out))], "bandpass", 2000, 0.6)
    for i in range(len(out)):
        pos = i / len(out)
        out[i] += bed[i] * 0.05 * math.sin(math.pi * pos)
    # the final squaring-up of the deck
    mix_into(out, snap(rng, 0.08, 1800, 0.012, body=0.6), int((total - 0.075) * RATE), 0.9)
    return fade(normalise(out), 0.004, 0.015)


def plopp_sound():
    n = int(0.16 * RATE)
    out = []
    phase = 0.0
    for i in range(n):
        t = i / RATE
        freq = 170 + 430 * math.exp(-t / 0.022)  # quick drop, like a drop of water
        phase += 2 * math.pi * freq / RATE
        env = (1 - math.exp(-t / 0.002)) * math.exp(-t / 0.035)
        out.append(math.sin(phase) * env)
    return fade(normalise(out), 0.001, 0.02)


def bell_note(freq, length, gain=1.0, ring=1.0):
    """Marimba-like: a strong fundamental and short-lived upper partials.
    ring stretches every decay."""
    partials = [(1.0, 1.0, 0.45), (2.0, 0.22, 0.18), (3.93, 0.18, 0.06), (9.2, 0.05, 0.015)]
    n = int(length * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        attack = 1 - math.exp(-t / 0.0015)
        v = 0.0
        for mult, amp, decay in partials:
            v += amp * math.sin(2 * math.pi * freq * mult * t) * math.exp(-t / (decay * ring))
        out.append(v * attack * gain)
    return out


def funky_sound():
    total = 1.6
    out = silence(total)
    c5 = 523.25
    # the run is kept short-ringing so the notes stay apart; the last one rings
    notes = [  # semitones above C5, start time, length, gain, ring
        (0, 0.00, 0.6, 0.8, 0.6),
        (4, 0.13, 0.6, 0.8, 0.6),
        (7, 0.26, 0.6, 0.85, 0.6),
        (12, 0.42, 1.15, 1.0, 1.2),
        # the closing chord under the top note
        (4, 0.42, 1.1, 0.4, 1.1),
        (7, 0.42, 1.1, 0.4, 1.1),
    ]
    for semis, start, length, gain, ring in notes:
        freq = c5 * 2 ** (semis / 12.0)
        mix_into(out, bell_note(freq, length, gain, ring), int(start * RATE))
    return fade(normalise(out), 0.001, 0.25)


def err_sound():
    n = int(0.24 * RATE)
    base = 110.0
    out = []
    for i in range(n):
        t = i / RATE
        # odd harmonics only, rolled off steeply: square-ish but soft
        v = 0.0
        for k in (1, 3, 5, 7, 9):
            v += math.sin(2 * math.pi * base * k * t) / (k * k ** 0.5)
        # a slow wobble makes it read as a buzz rather than a tone
        v *= 0.85 + 0.15 * math.sin(2 * math.pi * 30 * t)
        out.append(v * math.exp(-t / 0.25))
    out = biquad(out, "lowpass", 1400, 0.7)
    return fade(normalise(out), 0.006, 0.05)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.join(here, "..", "sounds")
    os.makedirs(out, exist_ok=True)
    jobs = [
        (168, deal_sound),
        (169, shuffle_sound),
        (170, plopp_sound),
        (171, funky_sound),
        (172, err_sound),
    ]
    for number, make in jobs:
        samples = make()
        path = os.path.join(out, "%d.wav" % number)
        write_wav(path, samples)
        print("%s %.3f s" % (os.path.relpath(path), len(samples) / RATE))


if __name__ == "__main__":
    main()
