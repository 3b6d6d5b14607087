#!/usr/bin/python3
"""Makes the photographs the analysis accuracy bench works on, from the
Debian wallpaper packages' photographs (JPEG files, 2560 pixels wide or more).

Each photograph is scaled down to a third by area averaging (which wipes out
its own JPEG blocks and most of their traces) and two crops of it are saved
as 24-bit BMP files: covers/NAME-K.bmp, never JPEG-compressed since. Each
cover is then compressed as a JPEG at one of the qualities 75, 80, 85, 90,
95 (in turn) and decompressed into jpeg/NAME-K-qQ.bmp. large.bmp is a 4000x3000 crop of one
photograph at full size, for the time an analysis takes.

Usage: bench/analysis_corpus.py OUTPUT_DIR
Needs Pillow (Debian python3-pil), hence the system interpreter.
"""
import io
import sys
from pathlib import Path

from PIL import Image

# Photographs among the wallpapers (drawings and renderings left out).
PHOTOS = [
    "/usr/share/backgrounds/Bridge_by_Sander_Klootwijk.jpg",
    "/usr/share/backgrounds/Dragonfly_by_Bolly.jpg",
    "/usr/share/backgrounds/Kleiber_by_Lukas_Baubkus.jpg",
    "/usr/share/backgrounds/Wine_by_Jakkub_Mede.jpg",
    "/usr/share/backgrounds/aitzgorri_by_Aitzol_Berasategi.jpg",
    "/usr/share/backgrounds/friends_by_Aitzol_Berasategi.jpg",
    "/usr/share/backgrounds/life_by_Aitzol_Berasategi.jpg",
    "/usr/share/backgrounds/picosdeeuropa_by_Aitzol_Berasategi.jpg",
    "/usr/share/backgrounds/sunset_by_Aitzol_Berasategi.jpg",
    "/usr/share/backgrounds/seeding_by_Clements_Engelhardt.jpg",
    "/usr/share/backgrounds/umang_by_Abhishek_Mudgal.jpg",
    "/usr/share/backgrounds/Picture_0B_by_freespace.jpg",
    "/usr/share/backgrounds/free_by_Peter_Nerlich.jpg",
    "/usr/share/backgrounds/greentock_by_Peter_Nerlich.jpg",
    "/usr/share/wallpapers/Autumn/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/BytheWater/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/ColdRipple/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/ColorfulCups/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/DarkestHour/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/EveningGlow/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/FallenLeaf/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/Path/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/summer_1am/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/Grey/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/Kite/contents/images/2560x1600.jpg",
    "/usr/share/wallpapers/OneStandsOut/contents/images/2560x1600.jpg",
]
QUALITIES = [75, 80, 85, 90, 95]


def crops(image):
    """Two crops of the scaled photograph: 640x480 from the left, the rest of
    the width (at most 1024, at least 640) from the right."""
    width, height = image.size
    first = image.crop((0, 0, min(640, width), min(480, height)))
    second_width = max(640, min(1024, width - 640))
    second_height = min(768, height)
    second = image.crop((width - second_width, height - second_height, width, height))
    return [first, second]


def main():
    out = Path(sys.argv[1])
    (out / "covers").mkdir(parents=True, exist_ok=True)
    (out / "jpeg").mkdir(parents=True, exist_ok=True)
    turn = 0
    for path in PHOTOS:
        if not Path(path).exists():
            continue
        name = Path(path).stem if "contents" not in path else Path(path).parts[4]
        image = Image.open(path).convert("RGB")
        image = image.resize((image.width // 3, image.height // 3), Image.BOX)
        for k, crop in enumerate(crops(image)):
            crop.save(out / "covers" / f"{name}-{k}.bmp")
            quality = QUALITIES[turn % len(QUALITIES)]
            turn += 1
            buffer = io.BytesIO()
            crop.save(buffer, "JPEG", quality=quality)
            buffer.seek(0)
            Image.open(buffer).convert("RGB").save(out / "jpeg" / f"{name}-{k}-q{quality}.bmp")
    # For the time: 4000x3000 pixels of the largest photograph, at full size.
    large = Image.open(PHOTOS[2]).convert("RGB")
    large.crop((0, 0, 4000, 3000)).save(out / "large.bmp")


if __name__ == "__main__":
    main()
