#!/usr/bin/python3
"""Draws the background pictures of the Help and About windows: a quiet lake
at night. Run it again after a change and commit the two JPEG files it writes
(700 x 634 pixels each, the windows' client area).

Usage: scripts/render_backgrounds.py [OUTPUT_DIR]   (default windows/images)
Needs Pillow (Debian python3-pil), hence the system interpreter.
"""
import math
import random
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

WIDTH, HEIGHT = 700, 634
SKY_TOP = (8, 16, 38)
SKY_LOW = (34, 58, 98)
HILLS = (14, 24, 40)
MIST_TOP = (150, 170, 190)
MIST_LOW = (206, 216, 226)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def vertical_gradient(image, top, bottom, first_row, last_row):
    draw = ImageDraw.Draw(image)
    span = max(1, last_row - first_row)
    for y in range(first_row, last_row):
        draw.line([(0, y), (WIDTH, y)], fill=mix(top, bottom, (y - first_row) / span))


def stars(image, count, seed, lowest_row):
    rng = random.Random(seed)
    draw = ImageDraw.Draw(image)
    for _ in range(count):
        x, y = rng.randrange(WIDTH), rng.randrange(lowest_row)
        shade = rng.randrange(120, 230)
        draw.point((x, y), fill=(shade, shade, min(255, shade + 20)))
        if rng.random() < 0.08:
            draw.point([(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)], fill=(shade // 2,) * 3)


def moon(image, centre, radius):
    x, y = centre
    glow = Image.new("L", image.size, 0)
    ImageDraw.Draw(glow).ellipse([x - radius * 3, y - radius * 3, x + radius * 3, y + radius * 3],
                                 fill=110)
    glow = glow.filter(ImageFilter.GaussianBlur(radius * 1.5))
    image.paste(Image.new("RGB", image.size, (120, 130, 150)), (0, 0), glow)
    ImageDraw.Draw(image).ellipse([x - radius, y - radius, x + radius, y + radius],
                                  fill=(246, 238, 200))


def hills(image, horizon, seed):
    rng = random.Random(seed)
    phases = [rng.random() * math.tau for _ in range(3)]
    points = [(0, HEIGHT)]
    for x in range(0, WIDTH + 1, 4):
        height = (18 * math.sin(x / 90 + phases[0]) + 10 * math.sin(x / 37 + phases[1]) +
                  5 * math.sin(x / 13 + phases[2]))
        points.append((x, horizon - 26 - height))
    points.append((WIDTH, HEIGHT))
    ImageDraw.Draw(image).polygon(points, fill=HILLS)


def water(image, horizon, moon_x, seed):
    vertical_gradient(image, (22, 38, 66), (10, 18, 34), horizon, HEIGHT)
    rng = random.Random(seed)
    draw = ImageDraw.Draw(image)
    for y in range(horizon + 3, HEIGHT, 5):
        depth = (y - horizon) / (HEIGHT - horizon)
        spread = 14 + 70 * depth
        for _ in range(3):
            x = moon_x + rng.uniform(-spread, spread)
            length = rng.uniform(6, 26) * (1 - depth * 0.5)
            shade = mix((210, 200, 150), (60, 70, 90), depth)
            draw.line([(x - length / 2, y), (x + length / 2, y)], fill=shade, width=1)
        for _ in range(4):
            x = rng.uniform(0, WIDTH)
            draw.line([(x, y), (x + rng.uniform(10, 40), y)], fill=(40, 58, 88), width=1)


def mist(image, first_row):
    """A pale band low in the picture, light enough for dark text."""
    band = Image.new("RGB", image.size)
    vertical_gradient(band, MIST_TOP, MIST_LOW, first_row, HEIGHT)
    mask = Image.new("L", image.size, 0)
    mask_draw = ImageDraw.Draw(mask)
    for y in range(first_row, HEIGHT):
        mask_draw.line([(0, y), (WIDTH, y)], fill=min(255, round((y - first_row) * 3)))
    image.paste(band, (0, 0), mask)


def help_background():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    horizon = 470
    vertical_gradient(image, SKY_TOP, SKY_LOW, 0, horizon)
    stars(image, 260, 11, horizon - 40)
    moon(image, (612, 118), 26)
    hills(image, horizon, 5)
    water(image, horizon, 612, 7)
    return image.filter(ImageFilter.SMOOTH)


def about_background():
    image = Image.new("RGB", (WIDTH, HEIGHT))
    horizon = 330
    vertical_gradient(image, SKY_TOP, SKY_LOW, 0, horizon)
    stars(image, 220, 23, horizon - 40)
    moon(image, (560, 110), 34)
    hills(image, horizon, 9)
    water(image, horizon, 560, 13)
    mist(image, 400)
    return image.filter(ImageFilter.SMOOTH)


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent /
               "windows" / "images")
    out.mkdir(parents=True, exist_ok=True)
    help_background().save(out / "help_background.jpg", quality=85, optimize=True)
    about_background().save(out / "about_background.jpg", quality=85, optimize=True)


if __name__ == "__main__":
    main()
