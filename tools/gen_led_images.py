#!/usr/bin/env python3
"""Draws the LED images of the button control as PNG files.

Standard library only; shares the drawing model of gen_skin_images.py. Writes into
src/images/ beside this tools folder unless another output folder is given:

    python3 tools/gen_led_images.py [output-folder]
    python3 tools/gen_led_images.py --check [output-folder]   only tell whether the files are up to date

A lit LED has a bright lamp with a glow and a highlight; an unlit one the same lamp
darkened. The output is deterministic, so re-running it leaves the files unchanged.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from gen_skin_images import Canvas, png_bytes, write  # noqa: E402

SIZE = 32
RIM = (0x5F, 0x63, 0x68)
GREEN = (0x4C, 0xD9, 0x50)
RED = (0xF4, 0x43, 0x36)


def darker(colour, share):
    return tuple(int(round(c * share)) for c in colour)


def led(lamp, lit):
    c = Canvas(SIZE, SIZE)
    m = SIZE / 2.0
    if lit:
        c.circle(m, m, SIZE * 0.48, lamp, 70)  # glow
    c.circle(m, m, SIZE * 0.40, RIM)
    c.circle(m, m, SIZE * 0.33, lamp if lit else darker(lamp, 0.35))
    c.circle(m - SIZE * 0.09, m - SIZE * 0.09, SIZE * 0.08, (255, 255, 255), 150 if lit else 60)
    return c


def led_images():
    return {
        "ledOn.png": led(GREEN, lit=True),
        "ledOffGreen.png": led(GREEN, lit=False),
        "ledRed.png": led(RED, lit=True),
        "ledOffRed.png": led(RED, lit=False),
    }


def outdated(folder, images):
    names = []
    for name, canvas in sorted(images.items()):
        path = os.path.join(folder, name)
        data = png_bytes(canvas.width, canvas.height, canvas.pixels)
        if not os.path.exists(path) or open(path, "rb").read() != data:
            names.append(name)
    return names


def main(arguments):
    check = "--check" in arguments
    folders = [a for a in arguments if a != "--check"]
    here = os.path.dirname(os.path.abspath(__file__))
    out = os.path.normpath(folders[0] if folders else os.path.join(here, "..", "src", "images"))
    if check:
        stale = outdated(out, led_images())
        for name in stale:
            print(f"out of date: {name}")
        return 1 if stale else 0
    write(out, led_images())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
