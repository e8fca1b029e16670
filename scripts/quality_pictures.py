#!/usr/bin/python3
"""Test pictures of kinds the eight sample photographs lack, for judging a conversion.

usage: quality_pictures.py OUT_DIR

Writes 640 x 480 PNGs (JPEG where the source is one): fur, fabric, foliage, two faces of different
skin, a comic drawing, fine line patterns, a brick wall, a printed page, coins, a poster of flat
colours and hard edges, a sunset with a silhouette, and two photographs python3-skimage ships
besides its usual samples (retina, ihc). Procedural parts are seeded: every run writes the same
files. Needs Debian's python3-skimage, python3-scipy and python3-pil.
"""
import os
import sys

import numpy as np
from PIL import Image, ImageDraw, ImageFont
from scipy import ndimage
from skimage import data, transform

W, H = 640, 480
rng = np.random.default_rng(26)
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def save(out, name, rgb):
    Image.fromarray(np.clip(rgb, 0, 255).astype(np.uint8)).save(os.path.join(out, name + ".png"))


def fit(gray):
    """A picture of the skimage data folder cut to 4:3 and resized to W x H, values 0..1."""
    h, w = gray.shape[:2]
    if w * 3 > h * 4:
        cut = (w - h * 4 // 3) // 2
        gray = gray[:, cut:cut + h * 4 // 3]
    else:
        cut = (h - w * 3 // 4) // 2
        gray = gray[cut:cut + w * 3 // 4]
    return transform.resize(gray, (H, W), anti_aliasing=True)


def gradient_map(values, stops):
    """values 0..1 through colour stops [(position, (r, g, b)), ...]."""
    positions = [p for p, _ in stops]
    return np.stack([np.interp(values, positions, [c[i] for _, c in stops]) for i in range(3)], -1)


def smooth_noise(sigma, shape=(H, W)):
    n = ndimage.gaussian_filter(rng.standard_normal(shape), sigma)
    return (n - n.min()) / (n.max() - n.min())


def strands(angle_field, length=7.0):
    """Noise drawn out into strands along a field of angles (radians): fur, grass."""
    noise = rng.standard_normal((H, W))
    result = np.zeros((H, W))
    bins = 12
    for b in range(bins):
        angle = np.pi * b / bins
        rotated = ndimage.rotate(noise, np.degrees(angle), reshape=False, mode="wrap")
        streaked = ndimage.gaussian_filter(rotated, (0.7, length))
        back = ndimage.rotate(streaked, -np.degrees(angle), reshape=False, mode="wrap")
        distance = np.abs(((angle_field - angle) + np.pi / 2) % np.pi - np.pi / 2)
        result += back * np.clip(1 - distance * bins / np.pi, 0, 1)
    return (result - result.min()) / (result.max() - result.min())


def fur():
    yy, xx = np.mgrid[0:H, 0:W]
    angle = 0.6 + 1.2 * smooth_noise(60) + 0.002 * xx
    hair = strands(angle)
    stripes = 0.5 + 0.5 * np.sin(xx / 23.0 + 6 * smooth_noise(40) + yy / 90.0)
    base = gradient_map(smooth_noise(50), [(0, (150, 80, 30)), (0.6, (215, 140, 60)),
                                           (1, (245, 225, 185))])
    dark = np.array([60, 38, 22])
    tone = np.clip((stripes - 0.55) * 4, 0, 1)[..., None]
    colour = base * (1 - tone) + dark * tone
    return colour * (0.45 + 0.95 * hair[..., None])


def fabric():
    yy, xx = np.mgrid[0:H, 0:W].astype(float)
    fold = 14 * np.sin(yy / 55.0 + xx / 140.0)
    u, v = xx + fold, yy + 0.4 * fold
    sett = [(20, 110, 40), (20, 110, 40), (15, 30, 90), (15, 30, 90), (15, 30, 90), (200, 30, 30),
            (15, 30, 90), (240, 210, 60), (20, 110, 40), (10, 10, 10)]
    warp = np.array(sett)[(u // 6).astype(int) % len(sett)]
    weft = np.array(sett)[(v // 6).astype(int) % len(sett)]
    twill = (((u.astype(int) + v.astype(int)) // 2) % 2 == 0)[..., None]
    light = 0.65 + 0.35 * np.cos(yy / 55.0 + xx / 140.0 + 0.8)
    thread = 0.85 + 0.15 * np.sin(u * 2.1) * np.sin(v * 2.1)
    return np.where(twill, warp, weft) * (light * thread)[..., None] * 1.05


def foliage():
    grass = fit(data.grass() / 255.0)
    light = smooth_noise(45)
    colour = gradient_map(np.clip(grass * 0.7 + light * 0.5, 0, 1),
                          [(0, (10, 25, 8)), (0.45, (50, 105, 30)), (0.75, (120, 170, 50)),
                           (1, (220, 230, 120))])
    image = Image.fromarray(colour.astype(np.uint8))
    draw = ImageDraw.Draw(image)
    for _ in range(140):
        x, y = rng.uniform(0, W), rng.uniform(0, H)
        size = rng.uniform(10, 34)
        hue = rng.choice([(70, 140, 40), (110, 160, 30), (190, 150, 30), (170, 60, 20),
                          (40, 90, 35)])
        shade = rng.uniform(0.55, 1.15)
        fill = tuple(int(min(255, c * shade)) for c in hue)
        draw.ellipse([x - size, y - size / 2.2, x + size, y + size / 2.2], fill=fill,
                     outline=tuple(int(c * 0.5) for c in fill))
        draw.line([x - size, y, x + size, y], fill=tuple(int(c * 0.7) for c in fill), width=1)
    sky = np.array(image, dtype=float)
    holes = (smooth_noise(9) > 0.78)[..., None]
    return np.where(holes, np.array([200, 225, 245]) * (0.9 + 0.1 * light[..., None]), sky)


def face(skin, hair_colour, background):
    yy, xx = np.mgrid[0:H, 0:W].astype(float)
    bokeh = gradient_map(smooth_noise(30), background)
    picture = bokeh.copy()
    # Shoulders and a knitted top.
    shoulders = ((yy - 560) / 190) ** 2 + ((xx - 320) / 330) ** 2 < 1
    knit = 0.75 + 0.25 * np.sin(xx * 1.3 + np.sin(yy * 0.9) * 2) * np.sin(yy * 0.8)
    picture[shoulders] = (np.array([90, 60, 120]) * knit[..., None])[shoulders]
    hair = (((yy - 200) / 185) ** 2 + ((xx - 320) / 150) ** 2 < 1)
    picture[hair] = (np.array(hair_colour) * (0.4 + 0.9 * strands(1.4 + 0.3 * smooth_noise(40),
                                                                  9))[..., None])[hair]
    neck = (np.abs(xx - 320) < 55) & (yy > 300) & (yy < 420)
    fx, fy = (xx - 320) / 118, (yy - 235) / 150
    head = fx ** 2 + fy ** 2 < 1
    nz = np.sqrt(np.clip(1 - fx ** 2 - fy ** 2, 0, 1))
    light = np.clip(0.25 + 0.75 * (-0.45 * fx - 0.35 * fy + 0.82 * nz), 0.15, 1.1)
    pores = 0.97 + 0.06 * smooth_noise(1.2)
    skin_rgb = np.array(skin) * (light * pores)[..., None]
    blush = np.exp(-(((xx - 255) / 30) ** 2 + ((yy - 275) / 22) ** 2)) + \
        np.exp(-(((xx - 385) / 30) ** 2 + ((yy - 275) / 22) ** 2))
    skin_rgb = skin_rgb + blush[..., None] * np.array([25, -8, -10])
    picture[neck] = (np.array(skin) * 0.7)[None, :] * (0.9 + 0.1 * smooth_noise(3))[neck][:, None]
    picture[head] = skin_rgb[head]
    for ex in (270, 370):  # eyes: white, iris, pupil, lid
        eye = ((xx - ex) / 24) ** 2 + ((yy - 225) / 10) ** 2 < 1
        picture[eye] = [235, 232, 225]
        iris = (xx - ex) ** 2 + (yy - 225) ** 2 < 9 ** 2
        picture[iris & eye] = [70, 100, 60]
        picture[((xx - ex) ** 2 + (yy - 225) ** 2 < 4 ** 2)] = [15, 10, 10]
        brow = (np.abs(yy - 200 + 0.004 * (xx - ex) ** 2) < 4) & (np.abs(xx - ex) < 30)
        picture[brow] = np.array(hair_colour) * 0.6
    mouth = ((xx - 320) / 38) ** 2 + ((yy - 330) / 11) ** 2 < 1
    picture[mouth] = (np.array([170, 70, 70]) * (0.8 + 0.2 * smooth_noise(2)[..., None]))[mouth]
    nose = np.exp(-(((xx - 330) / 9) ** 2 + ((yy - 285) / 25) ** 2))
    picture -= (nose * 30)[..., None] * head[..., None]
    return ndimage.gaussian_filter(picture, (0.8, 0.8, 0))


def comic():
    image = Image.new("RGB", (W, H), (255, 250, 235))
    draw = ImageDraw.Draw(image)
    for y in range(0, 300, 8):  # halftone sky, dots growing downwards
        for x in range(0, W, 8):
            r = 1 + 3 * y / 300
            draw.ellipse([x - r, y - r, x + r, y + r], fill=(90, 170, 230))
    draw.rectangle([0, 300, W, H], fill=(120, 190, 70), outline=(0, 0, 0), width=4)
    draw.ellipse([470, 30, 590, 150], fill=(255, 220, 40), outline=(0, 0, 0), width=4)
    draw.polygon([(60, 180), (200, 90), (340, 180)], fill=(210, 40, 40), outline=(0, 0, 0))
    draw.rectangle([80, 180, 320, 360], fill=(245, 215, 150), outline=(0, 0, 0), width=4)
    draw.rectangle([180, 270, 230, 360], fill=(120, 70, 30), outline=(0, 0, 0), width=3)
    for wx in (100, 250):
        draw.rectangle([wx, 210, wx + 45, 250], fill=(150, 210, 250), outline=(0, 0, 0), width=3)
    draw.ellipse([400, 220, 480, 300], fill=(250, 200, 160), outline=(0, 0, 0), width=4)
    draw.rectangle([410, 300, 470, 420], fill=(40, 80, 200), outline=(0, 0, 0), width=4)
    draw.ellipse([420, 245, 432, 257], fill=(0, 0, 0))
    draw.ellipse([448, 245, 460, 257], fill=(0, 0, 0))
    draw.arc([420, 255, 460, 285], 20, 160, fill=(0, 0, 0), width=3)
    draw.ellipse([380, 120, 620, 210], fill=(255, 255, 255), outline=(0, 0, 0), width=4)
    draw.polygon([(450, 205), (470, 240), (490, 205)], fill=(255, 255, 255))
    draw.text((415, 140), "WOW!", fill=(200, 0, 0), font=ImageFont.truetype(FONT, 44))
    for i in range(12):  # hatching shadow on the wall
        draw.line([(80 + i * 8, 360), (80 + i * 8 + 40, 320)], fill=(0, 0, 0), width=1)
    return np.array(image, dtype=float)


def lines():
    yy, xx = np.mgrid[0:H, 0:W].astype(float)
    r2 = (xx - 160) ** 2 + (yy - 240) ** 2
    zone = 0.5 + 0.5 * np.cos(r2 / 900.0)
    picture = gradient_map(zone, [(0, (20, 20, 80)), (1, (250, 240, 200))])
    right = xx >= 320
    angle = np.where(yy < 160, 0.0, np.where(yy < 320, np.pi / 4, np.pi / 2.3))
    period = np.where(xx < 480, 7.0, 12.0)
    phase = (xx * np.cos(angle) + yy * np.sin(angle)) % period
    band = yy[..., None]
    ink = np.where(band < 160, [200, 30, 30], np.where(band < 320, [20, 120, 40], [30, 30, 30]))
    hatch = np.where((phase < 2.5)[..., None], ink, [245, 245, 235])
    picture[right] = hatch[right]
    return picture


def from_gray(gray, stops):
    return gradient_map(fit(gray), stops)


def poster():
    yy, xx = np.mgrid[0:H, 0:W].astype(float)
    picture = np.where((xx + yy < 560)[..., None], [250, 140, 40], [40, 60, 120]).astype(float)
    image = Image.fromarray(picture.astype(np.uint8))
    draw = ImageDraw.Draw(image)
    colours = [(230, 60, 130), (0, 150, 150), (120, 120, 20), (250, 250, 250), (110, 40, 160),
               (170, 200, 230)]
    for i, colour in enumerate(colours):
        x = 30 + i * 100
        draw.rectangle([x, 330, x + 80, 450], fill=colour)
        draw.ellipse([x + 10, 30 + (i % 2) * 60, x + 70, 90 + (i % 2) * 60], fill=colour[::-1])
    for i in range(6):
        draw.line([(0, 200 + i * 9), (W, 170 + i * 9)], fill=colours[i], width=2)
    logo = Image.fromarray(data.logo()).resize((220, 220))
    image.paste(logo, (380, 90), logo)
    return np.array(image, dtype=float)


def sunset():
    yy, xx = np.mgrid[0:H, 0:W].astype(float)
    sky = gradient_map(yy / H, [(0, (40, 30, 90)), (0.35, (150, 60, 110)), (0.6, (250, 140, 60)),
                                (0.75, (255, 215, 120)), (1, (255, 230, 160))])
    sun = np.exp(-(((xx - 420) ** 2 + (yy - 330) ** 2) / 2500.0))
    sky += sun[..., None] * np.array([5, 40, 60])
    horse = transform.resize(data.horse().astype(float), (250, 300)) < 0.5
    ground = yy > 400 + 12 * np.sin(xx / 70)
    picture = np.where(ground[..., None], [25, 15, 20], sky)
    picture[160:410, 120:420][horse] = [20, 12, 18]
    return picture


def main(out):
    os.makedirs(out, exist_ok=True)
    save(out, "fur", fur())
    save(out, "fabric", fabric())
    save(out, "foliage", foliage())
    save(out, "face_light", face((235, 185, 150), (110, 70, 30),
                                 [(0, (40, 70, 60)), (1, (170, 200, 190))]))
    save(out, "face_dark", face((120, 75, 50), (25, 20, 20),
                                [(0, (200, 150, 60)), (1, (250, 230, 180))]))
    save(out, "comic", comic())
    save(out, "lines", lines())
    save(out, "brick", from_gray(data.brick() / 255.0,
                                 [(0, (60, 25, 20)), (0.5, (150, 60, 40)), (1, (220, 200, 180))]))
    save(out, "page", from_gray(data.page() / 255.0, [(0, (20, 20, 60)), (1, (245, 235, 210))]))
    save(out, "coins", from_gray(data.coins() / 255.0,
                                 [(0, (15, 20, 30)), (0.5, (150, 95, 40)), (1, (250, 220, 140))]))
    save(out, "poster", poster())
    save(out, "sunset", sunset())
    Image.fromarray((fit(data.retina() / 255.0) * 255).astype(np.uint8)).save(
        os.path.join(out, "retina.png"))
    Image.fromarray((fit(data.immunohistochemistry() / 255.0) * 255).astype(np.uint8)).save(
        os.path.join(out, "ihc.png"))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
