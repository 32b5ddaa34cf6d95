#!/usr/bin/python3
"""Draws Ferrix's bitmaps and icon into res/. Run by hand after changing a design; the
pictures it writes are committed. Needs Debian's python3-pil and fonts-wqy-zenhei."""
import struct
from pathlib import Path

from PIL import Image, ImageDraw, ImageFont

HERE = Path(__file__).resolve().parent
FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"


def save_8bit_bmp(image, name):
    image.convert("RGB").quantize(colors=256).save(HERE / name, format="BMP")


def banner():
    """153 x 33: a blue gradient with the name and a row of file blocks moving right."""
    image = Image.new("RGB", (153, 33))
    draw = ImageDraw.Draw(image)
    for x in range(153):
        shade = int(40 + 120 * x / 152)
        draw.line([(x, 0), (x, 32)], fill=(20, shade // 2 + 30, shade + 60))
    draw.text((6, 4), "Ferrix", font=ImageFont.truetype(FONT, 20), fill=(255, 255, 255))
    for i, x in enumerate(range(86, 150, 13)):
        tone = 120 + 25 * i
        draw.rectangle([x, 12, x + 8, 22], fill=(tone, 230, 120), outline=(255, 255, 255))
    save_8bit_bmp(image, "banner.bmp")


def unlimited():
    """80 x 29: the word for unlimited in black on a white band over a green plaid."""
    image = Image.new("RGB", (80, 29), (46, 125, 50))
    draw = ImageDraw.Draw(image)
    # Plaid: broad and narrow stripes of other greens crossing at right angles.
    for x in range(0, 80, 12):
        draw.rectangle([x, 0, x + 3, 28], fill=(67, 160, 71))
        draw.line([(x + 7, 0), (x + 7, 28)], fill=(165, 214, 167))
    for y in range(0, 29, 12):
        draw.rectangle([0, y, 79, y + 3], fill=(27, 94, 32))
        draw.line([(0, y + 7), (79, y + 7)], fill=(129, 199, 132))
    for x in range(0, 80, 12):
        for y in range(0, 29, 12):
            draw.rectangle([x, y, x + 3, y + 3], fill=(56, 142, 60))
    draw.rectangle([0, 7, 79, 21], fill=(255, 255, 255))
    text = "无限制"
    font = ImageFont.truetype(FONT, 12, index=2)  # the "Sharp" face: hand-made 12 px glyphs
    draw.fontmode = "1"  # crisp black strokes, no grey edges
    width = draw.textlength(text, font=font)
    draw.text(((80 - width) // 2, 8), text, font=font, fill=(0, 0, 0))
    save_8bit_bmp(image, "unlimited.bmp")


def icon():
    """32 x 32, 16 colours: two folders with an arrow from one to the other."""
    palette = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
               (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
               (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    pixels = [[None] * 32 for _ in range(32)]  # None: transparent

    def box(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    # The source folder (yellow) and the destination folder (olive), each with a dark edge.
    for left, top, fill in ((1, 2, 11), (15, 17, 3)):
        box(left, top, left + 6, top + 2, fill)
        box(left, top + 2, left + 15, top + 12, fill)
        box(left, top + 12, left + 15, top + 12, 0)
        box(left + 15, top + 2, left + 15, top + 12, 0)
    # A blue arrow from the one down and across into the other.
    box(5, 16, 7, 24, 12)
    box(5, 22, 10, 24, 12)
    for step in range(4):
        box(11 + step, 19 + step, 11 + step, 27 - step, 12)

    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bottom-up
        nibbles = [0 if p is None else p for p in row]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, 32, 2)))
        mask = 0
        for p in row:
            mask = (mask << 1) | (1 if p is None else 0)
        and_rows.append(mask.to_bytes(4, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image = header + colours + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4,
                                                           len(image), 22)
    (HERE / "ferrix.ico").write_bytes(directory + image)


if __name__ == "__main__":
    banner()
    unlimited()
    icon()
