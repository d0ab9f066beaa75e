#!/usr/bin/env python3
"""Synthesises Magmo's sounds into data/Sounds/ (16-bit PCM mono WAV, 22050 Hz).

The eruption loops (Stromb, Lava, Dome, Plinian, Surge, Fumarole, Collapse, Fault, Erode,
Dikeint, Dikecool) repeat without a click; Off and Closing are one-shots; Maximize,
Minimize, RestoreUp and RestoreDown are short window chimes. Fixed seeds: rerunning gives
the same files. Standard library only.

Rerun from the source tree:   python3 scripts/make_sounds.py [output-folder]
It prints, per file, the measurements used to judge it (levels, zero crossings, low-band
share, loop seam).
"""
import math
import os
import random
import struct
import sys
import wave

RATE = 22050
TAU = 2 * math.pi
LOOP_PEAK_DB = -3.0
CHIME_PEAK_DB = -6.0
FADE = int(0.25 * RATE)    # loop seam cross-fade
PREROLL = int(0.2 * RATE)  # lets filters settle before the kept part


# ---------------------------------------------------------------- building blocks

def white(rng, n):
    return [rng.uniform(-1.0, 1.0) for _ in range(n)]


def onepole_lp(x, fc):
    a = 1.0 - math.exp(-TAU * fc / RATE)
    y, out = 0.0, []
    for v in x:
        y += a * (v - y)
        out.append(y)
    return out


def onepole_hp(x, fc):
    return [v - l for v, l in zip(x, onepole_lp(x, fc))]


def biquad(x, kind, fc, q=0.707):
    # Second-order low-, high- and band-pass sections.
    w = TAU * fc / RATE
    cw, alpha = math.cos(w), math.sin(w) / (2 * q)
    if kind == "lp":
        b = ((1 - cw) / 2, 1 - cw, (1 - cw) / 2)
    elif kind == "hp":
        b = ((1 + cw) / 2, -(1 + cw), (1 + cw) / 2)
    else:  # band-pass, 0 dB at the centre
        b = (alpha, 0.0, -alpha)
    a0, a1, a2 = 1 + alpha, -2 * cw, 1 - alpha
    b0, b1, b2 = (c / a0 for c in b)
    a1, a2 = a1 / a0, a2 / a0
    x1 = x2 = y1 = y2 = 0.0
    out = []
    for v in x:
        y = b0 * v + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2
        x2, x1, y2, y1 = x1, v, y1, y
        out.append(y)
    return out


def rumble(rng, n, lo=40.0, hi=250.0):
    # Band-limited noise; small speakers lose what lies under about 100 Hz, so the band
    # reaches well above it.
    return unit(biquad(biquad(white(rng, n), "lp", hi), "hp", lo))


def unit(x):
    rms = math.sqrt(sum(v * v for v in x) / len(x)) or 1.0
    return [v / rms for v in x]


def slow_random(rng, n, rate_hz, lo=0.0, hi=1.0):
    # Smooth random control curve: cosine-interpolated random points.
    step = max(1, int(RATE / rate_hz))
    pts = [rng.uniform(lo, hi) for _ in range(n // step + 3)]
    out = []
    for i in range(n):
        k, f = divmod(i, step)
        t = (1 - math.cos(math.pi * f / step)) / 2
        out.append(pts[k] * (1 - t) + pts[k + 1] * t)
    return out


def mix(*parts):
    return [sum(vals) for vals in zip(*parts)]


def scale(x, g):
    return [v * g for v in x]


def mul(x, env):
    return [v * e for v, e in zip(x, env)]


def settled(make, n):
    """Runs make(length) with a pre-roll and keeps the last n samples."""
    return make(n + PREROLL)[PREROLL:]


def loopify(x, n):
    """Folds the tail beyond n into the head with an equal-power cross-fade, so sample n-1
    is followed, on wrap-around, by what originally followed it."""
    assert len(x) >= n + FADE
    y = list(x[:n])
    for i in range(FADE):
        t = (i + 0.5) / FADE
        y[i] = x[i] * math.sin(t * math.pi / 2) + x[n + i] * math.cos(t * math.pi / 2)
    return y


def add_wrapped(buf, event, at, gain=1.0):
    # Events of a loop wrap around, so one that spans the seam continues at the start.
    n = len(buf)
    for i, v in enumerate(event):
        buf[(at + i) % n] += gain * v


def decay_burst(rng, secs, tau, lp_hz, attack=0.003):
    n = int(secs * RATE)
    env = [min(1.0, i / (attack * RATE)) * math.exp(-i / (tau * RATE)) for i in range(n)]
    x = mul(onepole_lp(white(rng, n), lp_hz), env)
    peak = max(map(abs, x)) or 1.0
    return [v / peak for v in x]


def damped_sine(freq, secs, tau, phase=0.0, glide=0.0):
    n = int(secs * RATE)
    out, ph = [], phase
    for i in range(n):
        f = freq * (1 + glide * i / n)
        ph += TAU * f / RATE
        out.append(math.sin(ph) * math.exp(-i / (tau * RATE)) * min(1.0, i / 40.0))
    return out


def fade_ends(x, fin, fout):
    n = len(x)
    a, b = int(fin * RATE), int(fout * RATE)
    y = list(x)
    for i in range(a):
        y[i] *= i / a
    for i in range(b):
        y[n - 1 - i] *= i / b
    return y


def remove_dc(x):
    m = sum(x) / len(x)
    return [v - m for v in x]


def normalise(x, peak_db):
    peak = max(abs(v) for v in x) or 1.0
    return scale(x, 10 ** (peak_db / 20) / peak)


# ---------------------------------------------------------------- eruption loops

def loop_bed(n, make):
    return loopify(settled(make, n + FADE), n)


def stromb(rng):
    n = int(2.6 * RATE)
    bed = loop_bed(n, lambda m: mul(rumble(rng, m, 35, 220), slow_random(rng, m, 4, 0.6, 1.0)))
    out = scale(bed, 0.1)
    # Rhythmic but not mechanical: a burst about every 0.65 s, each a crack, a body and a thump.
    t = 0.05
    while t < 2.6 - 0.1:
        at = int(t * RATE)
        body = decay_burst(rng, 0.9, rng.uniform(0.1, 0.18), rng.uniform(900, 1500))
        crack = onepole_hp(decay_burst(rng, 0.04, 0.006, 6000, attack=0.0003), 1500)
        thump = damped_sine(rng.uniform(70, 95), 0.5, 0.1, glide=-0.35)
        add_wrapped(out, body, at, rng.uniform(0.7, 1.0))
        add_wrapped(out, crack, at, 0.35)
        add_wrapped(out, thump, at, 0.45)
        t += rng.uniform(0.55, 0.75)
    return out


def lava(rng):
    n = int(2.5 * RATE)

    def make(m):
        low = mul(rumble(rng, m, 35, 260), slow_random(rng, m, 5, 0.5, 1.0))
        gurgle = mul(unit(biquad(white(rng, m), "bp", 240, 3)), slow_random(rng, m, 7, 0.0, 1.0))
        hiss = mul(unit(biquad(white(rng, m), "bp", 3500, 0.7)), slow_random(rng, m, 1.5, 0.6, 1.0))
        return mix(low, scale(gurgle, 0.5), scale(hiss, 0.18))

    out = scale(loop_bed(n, make), 0.3)
    for _ in range(22):  # bubbles of lava bursting at the surface
        blob = damped_sine(rng.uniform(110, 260), 0.2, rng.uniform(0.03, 0.06),
                           glide=rng.uniform(0.4, 1.0), phase=rng.uniform(0, TAU))
        add_wrapped(out, blob, rng.randrange(n), rng.uniform(0.25, 0.5))
    return out


def dome(rng):
    n = int(3.0 * RATE)

    def make(m):
        deep = mul(rumble(rng, m, 30, 150), slow_random(rng, m, 0.8, 0.5, 1.0))
        grind = mul(unit(biquad(white(rng, m), "bp", 260, 1.5)),
                    mul(slow_random(rng, m, 30, 0.0, 1.0), slow_random(rng, m, 0.6, 0.2, 1.0)))
        return mix(deep, scale(grind, 0.6))

    out = scale(loop_bed(n, make), 0.25)
    for at in (0.7, 2.1):  # occasional cracks
        crack = onepole_hp(decay_burst(rng, 0.12, 0.02, 6000, attack=0.0003), 800)
        add_wrapped(out, crack, int(at * RATE) + rng.randrange(2000), 0.9)
    return out


def plinian(rng):
    n = int(2.5 * RATE)

    def make(m):
        low = rumble(rng, m, 30, 180)
        roar = unit(biquad(onepole_lp(white(rng, m), 900), "hp", 150))
        top = unit(onepole_hp(white(rng, m), 3000))
        swell = slow_random(rng, m, 1.2, 0.75, 1.0)
        return mul(mix(low, scale(roar, 0.8), scale(top, 0.15)), swell)

    return loop_bed(n, make)


def surge(rng):
    n = int(3.0 * RATE)
    m = n + FADE + PREROLL
    # The roar sweeps its band up and down (a state-variable filter, retuned every sample).
    lp = band = 0.0
    out = []
    for i, v in enumerate(white(rng, m)):
        fc = 250 + 650 * (0.5 - 0.5 * math.cos(TAU * (i - PREROLL) / n))
        f = 2 * math.sin(math.pi * fc / RATE)
        lp += f * band
        band += f * (v - lp - 1.0 * band)
        out.append(band)
    rush = unit(loopify(out[PREROLL:], n))
    low = loop_bed(n, lambda q: rumble(rng, q, 35, 200))
    # Rising and falling over exactly one loop, in step with the band, so the swell repeats.
    swell = [0.4 + 0.6 * (0.5 - 0.5 * math.cos(TAU * i / n)) for i in range(n)]
    return mul(mix(rush, scale(low, 0.7)), swell)


def fumarole(rng):
    n = int(2.5 * RATE)

    def make(m):
        hiss = biquad(onepole_hp(white(rng, m), 2500), "lp", 8000)
        return mul(hiss, slow_random(rng, m, 3, 0.7, 1.0))

    return loop_bed(n, make)


def collapse(rng):
    n = int(2.8 * RATE)

    def make(m):
        low = rumble(rng, m, 35, 250)
        slide = unit(biquad(white(rng, m), "bp", 500, 0.7))
        return mul(mix(low, scale(slide, 0.35)), slow_random(rng, m, 1.0, 0.5, 1.0))

    out = scale(loop_bed(n, make), 0.22)
    for _ in range(26):  # tumbling rocks knocking together
        knock = damped_sine(rng.uniform(180, 700), 0.15, rng.uniform(0.015, 0.04),
                            phase=rng.uniform(0, TAU))
        add_wrapped(out, knock, rng.randrange(n), rng.uniform(0.3, 0.7))
    return out


def fault(rng):
    n = int(2.8 * RATE)

    def make(m):
        deep = rumble(rng, m, 25, 120)
        body = unit(biquad(white(rng, m), "bp", 130, 1.2))
        shake = [0.5 + 0.5 * math.sin(TAU * 7 * i / RATE + 3 * s)
                 for i, s in enumerate(slow_random(rng, m, 2, 0, 1))]
        return mul(mix(deep, scale(body, 0.6)), shake)

    return loop_bed(n, make)


def erode(rng):
    n = int(2.5 * RATE)
    rain = loop_bed(n, lambda m: unit(biquad(biquad(white(rng, m), "hp", 900), "lp", 6000)))
    out = scale(rain, 0.06)
    for _ in range(90):  # droplets
        drop = onepole_hp(decay_burst(rng, 0.01, 0.0015, 9000, attack=0.0002), 2000)
        add_wrapped(out, drop, rng.randrange(n), rng.uniform(0.1, 0.35))
    for _ in range(16):  # trickling water: small rising bubbles
        blip = damped_sine(rng.uniform(600, 1400), 0.06, 0.015, glide=rng.uniform(0.5, 1.0))
        add_wrapped(out, blip, rng.randrange(n), rng.uniform(0.15, 0.3))
    return out


def dikeint(rng):
    n = int(2.5 * RATE)
    # Whole cycles per loop (multiples of 0.4 Hz), so the tones repeat exactly; the upper
    # harmonics carry the hum on small speakers.
    hum = [sum(a * math.sin(TAU * 55.2 * k * i / RATE) for k, a in ((1, 0.6), (2, 0.5), (3, 0.35), (4, 0.15)))
           for i in range(n)]
    pulse = [0.25 + 0.75 * (0.5 - 0.5 * math.cos(TAU * 1.2 * i / RATE)) ** 2 for i in range(n)]
    bed = loop_bed(n, lambda m: rumble(rng, m, 30, 150))
    return mix(mul(hum, pulse), scale(bed, 0.15))


def dikecool(rng):
    n = int(2.5 * RATE)
    out = scale(loop_bed(n, lambda m: rumble(rng, m, 40, 250)), 0.03)
    for _ in range(18):  # ticks of contracting rock
        tick = damped_sine(rng.uniform(1800, 3500), 0.02, rng.uniform(0.002, 0.004),
                           phase=rng.uniform(0, TAU))
        add_wrapped(out, tick, rng.randrange(n), rng.uniform(0.3, 0.7))
    for at in (0.9, 2.0):  # a few louder cracks
        crack = onepole_hp(decay_burst(rng, 0.06, 0.008, 5000, attack=0.0003), 600)
        add_wrapped(out, crack, int(at * RATE), 0.9)
    return out


# ---------------------------------------------------------------- one-shots and chimes

def bell(freq, secs, tau):
    # A soft bell: the fundamental, its octave and a quiet inharmonic partial.
    n = int(secs * RATE)
    return [math.exp(-i / (tau * RATE)) * min(1.0, i / (0.004 * RATE))
            * (math.sin(TAU * freq * i / RATE) + 0.3 * math.sin(TAU * 2 * freq * i / RATE)
               + 0.1 * math.sin(TAU * 2.76 * freq * i / RATE)) for i in range(n)]


def notes(seq, total, tau, note_secs):
    out = [0.0] * int(total * RATE)
    for at, freq in seq:
        for i, v in enumerate(bell(freq, note_secs, tau)):
            j = int(at * RATE) + i
            if j < len(out):
                out[j] += v
    return out


def glide_chime(f0, f1, secs):
    n = int(secs * RATE)
    out, ph = [], 0.0
    for i in range(n):
        t = i / n
        f = f0 * (f1 / f0) ** min(1.0, t * 2.5)
        ph += TAU * f / RATE
        out.append((math.sin(ph) + 0.25 * math.sin(2 * ph)) * math.exp(-t * 4))
    return out


def off(rng):
    # A soft thud sinking in pitch, pitched high enough for small speakers.
    n = int(0.5 * RATE)
    body = damped_sine(150, 0.5, 0.08, glide=-0.45)
    soft = mul(unit(onepole_lp(white(rng, n), 500)), [math.exp(-i / (0.04 * RATE)) for i in range(n)])
    return mix(body, scale(soft, 0.25))


def closing(rng):
    # G5, E5, C5, then C5 an octave lower under it: a gentle descending close.
    return notes([(0.0, 783.99), (0.2, 659.26), (0.4, 523.25), (0.4, 261.63)], 1.2, 0.3, 0.8)


def maximize(rng):
    return notes([(0.0, 1046.5), (0.12, 1568.0)], 0.34, 0.07, 0.22)


def minimize(rng):
    return notes([(0.0, 1568.0), (0.12, 1046.5)], 0.34, 0.07, 0.22)


def restore_up(rng):
    return glide_chime(880.0, 1318.5, 0.26)


def restore_down(rng):
    return glide_chime(1318.5, 880.0, 0.26)


LOOPS = [("Stromb", stromb), ("Lava", lava), ("Dome", dome), ("Plinian", plinian),
         ("Surge", surge), ("Fumarole", fumarole), ("Collapse", collapse), ("Fault", fault),
         ("Erode", erode), ("Dikeint", dikeint), ("Dikecool", dikecool)]
# (name, maker, fade-out seconds)
ONE_SHOTS = [("Off", off, 0.15), ("Closing", closing, 0.3), ("Maximize", maximize, 0.05),
             ("Minimize", minimize, 0.05), ("RestoreUp", restore_up, 0.05),
             ("RestoreDown", restore_down, 0.05)]
# A steam hiss at full loop level is harsh in a classroom.
PEAK_DB = {"Fumarole": -6.0}


# ---------------------------------------------------------------- output and measurement

def write_wav(path, x):
    pcm = [max(-32767, min(32767, round(v * 32767))) for v in x]
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(struct.pack("<%dh" % len(pcm), *pcm))
    return pcm


def db(v):
    return 20 * math.log10(max(v, 1e-9))


def measure(name, pcm, looped):
    x = [v / 32767 for v in pcm]
    n = len(x)
    rms = math.sqrt(sum(v * v for v in x) / n)
    zcr = sum(1 for a, b in zip(x, x[1:]) if (a < 0) != (b < 0)) * RATE / (2 * (n - 1))
    low = onepole_lp(x, 300)
    low_share = sum(v * v for v in low) / max(1e-12, sum(v * v for v in x))
    # The seam against the largest step within 400 samples either side of it.
    seam = abs(pcm[0] - pcm[-1])
    near = pcm[-400:] + pcm[:400]
    steps = [abs(a - b) for a, b in zip(near, near[1:])]
    del steps[399]  # the seam itself
    print("%-12s %5.2fs peak %6.1f dB  rms %6.1f dB  dc %+.4f  zc/s %5.0f  <300Hz %3.0f%%"
          % (name, n / RATE, db(max(map(abs, x))), db(rms), sum(x) / n, zcr, 100 * low_share)
          + ("  seam %5d, near step %5d" % (seam, max(steps)) if looped else ""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data", "Sounds")
    os.makedirs(out_dir, exist_ok=True)
    for seed, (name, make) in enumerate(LOOPS):
        x = normalise(remove_dc(make(random.Random(1000 + seed))), PEAK_DB.get(name, LOOP_PEAK_DB))
        measure(name, write_wav(os.path.join(out_dir, name + ".wav"), x), True)
    for seed, (name, make, fade_out) in enumerate(ONE_SHOTS):
        x = fade_ends(remove_dc(make(random.Random(2000 + seed))), 0.003, fade_out)
        peak_db = PEAK_DB.get(name, CHIME_PEAK_DB)
        measure(name, write_wav(os.path.join(out_dir, name + ".wav"), normalise(x, peak_db)), False)


if __name__ == "__main__":
    main()
