"""Generated pictures and pixel comparison for convert_vs_imagemagick.sh (run with /usr/bin/python3).

  bench_pictures.py sprites DIR COUNT      64 x 64 24-bit sprites: shapes on a plain background
  bench_pictures.py large DIR COUNT        512 x 512 24-bit pictures of many colours
  bench_pictures.py noise DIR COUNT        512 x 512 24-bit pictures of random noise
  bench_pictures.py palette PAL PNG        a JASC-PAL palette as a 256 x 1 picture
  bench_pictures.py pillow IN OUT PAL      every picture of IN quantized by Pillow onto PAL without
                                           dithering, as an 8-bit BMP of the same name in OUT
  bench_pictures.py agree IN OURS THEIRS PAL
      the share of pixels of the same colour in same-named files of OURS and THEIRS, then, on a
      sample of pixels of IN, the share where each is the exact nearest colour of PAL (squared
      RGB distance, lowest index on ties, entry 255 left out as the transparent entry)
"""
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter


def sprites(folder, count):
    rng = random.Random(64)
    for n in range(count):
        background = tuple(rng.randrange(256) for _ in range(3))
        picture = Image.new("RGB", (64, 64), background)
        draw = ImageDraw.Draw(picture)
        for _ in range(rng.randrange(3, 9)):
            box = sorted(rng.randrange(64) for _ in range(2)) + sorted(rng.randrange(64) for _ in range(2))
            x0, x1, y0, y1 = box
            colour = tuple(rng.randrange(256) for _ in range(3))
            (draw.ellipse if rng.random() < 0.5 else draw.rectangle)((x0, y0, x1, y1), fill=colour)
        # Shading, as drawn sprites have: many nearby colours, not only the flat fills.
        shade = Image.linear_gradient("L").resize((64, 64)).rotate(rng.randrange(360))
        picture = Image.composite(picture, picture.filter(ImageFilter.SMOOTH_MORE), shade)
        picture.save(os.path.join(folder, "sprite%04d.bmp" % n))


def large(folder, count):
    rng = random.Random(512)
    for n in range(count):
        channels = [
            Image.linear_gradient("L").rotate(rng.randrange(360)).resize((512, 512)),
            Image.radial_gradient("L").resize((512, 512)),
            Image.effect_noise((512, 512), rng.randrange(20, 90)),
        ]
        rng.shuffle(channels)
        picture = Image.merge("RGB", channels)
        noise = Image.frombytes("RGB", (512, 512), rng.randbytes(512 * 512 * 3))
        picture = Image.blend(picture, noise, 0.25)
        picture.save(os.path.join(folder, "large%02d.bmp" % n))


def noise(folder, count):
    rng = random.Random(2)
    for n in range(count):
        Image.frombytes("RGB", (512, 512), rng.randbytes(512 * 512 * 3)).save(
            os.path.join(folder, "noise%03d.bmp" % n))


def pillow(inputs, outputs, jasc):
    target = Image.new("P", (1, 1))
    target.putpalette([v for entry in read_palette(jasc) for v in entry])
    for name in sorted(os.listdir(inputs)):
        with Image.open(os.path.join(inputs, name)) as picture:
            picture.convert("RGB").quantize(palette=target, dither=Image.Dither.NONE).save(
                os.path.join(outputs, name))


def palette(jasc, png):
    lines = open(jasc, encoding="ascii").read().split()
    values = [int(v) for v in lines[3 : 3 + 768]]
    picture = Image.new("RGB", (256, 1))
    picture.putdata([tuple(values[3 * i : 3 * i + 3]) for i in range(256)])
    picture.save(png)


def read_palette(jasc):
    values = [int(v) for v in open(jasc, encoding="ascii").read().split()[3 : 3 + 768]]
    return [tuple(values[3 * i : 3 * i + 3]) for i in range(256)]


def nearest(colour, entries):
    r, g, b = colour
    return min(entries, key=lambda e: ((r - e[1][0]) ** 2 + (g - e[1][1]) ** 2 + (b - e[1][2]) ** 2, e[0]))[1]


def agree(inputs, ours, theirs, jasc):
    entries = list(enumerate(read_palette(jasc)))[:255]
    rng = random.Random(7)
    same = total = 0
    sample = []
    names = sorted(os.listdir(inputs))
    for name in names:
        a = Image.open(os.path.join(ours, name)).convert("RGB")
        b = Image.open(os.path.join(theirs, name)).convert("RGB")
        if a.size != b.size:
            raise SystemExit("%s: %s against %s" % (name, a.size, b.size))
        # A pixel agrees when its largest channel difference is 0.
        r, g, bl = ImageChops.difference(a, b).split()
        same += ImageChops.lighter(ImageChops.lighter(r, g), bl).histogram()[0]
        total += a.size[0] * a.size[1]
        source = Image.open(os.path.join(inputs, name)).convert("RGB")
        for _ in range(20000 // len(names)):
            xy = (rng.randrange(a.size[0]), rng.randrange(a.size[1]))
            sample.append((source.getpixel(xy), a.getpixel(xy), b.getpixel(xy)))
    exact = {c: nearest(c, entries) for c in {s[0] for s in sample}}
    ours_exact = sum(exact[c] == o for c, o, _ in sample) / len(sample)
    theirs_exact = sum(exact[c] == t for c, _, t in sample) / len(sample)
    print("%.2f %.2f %.2f" % (100.0 * same / total, 100.0 * ours_exact, 100.0 * theirs_exact))


if __name__ == "__main__":
    command, first, second = sys.argv[1:4]
    rest = sys.argv[4:]
    if command == "sprites":
        sprites(first, int(second))
    elif command == "large":
        large(first, int(second))
    elif command == "noise":
        noise(first, int(second))
    elif command == "pillow":
        pillow(first, second, *rest)
    elif command == "palette":
        palette(first, second)
    elif command == "agree":
        agree(first, second, *rest)
    else:
        raise SystemExit(__doc__)
