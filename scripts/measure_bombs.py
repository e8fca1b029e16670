#!/usr/bin/python3
"""Peak memory and time of `tinto` on hostile pictures of about 100 megapixels.

Builds small files that claim 10000 x 10000 pixels (GIF, BMP, PNG, ICO, JPEG baseline and
progressive, WMF, EMF), an icon whose 16 x 16 entry holds a 13000 x 13000 PNG, two WMF CPU bombs
(2000 full-picture pattern fills, 300000 create-brush records) and a resample of a 10000 x 10000
picture to 32768 x 3051, runs each under /usr/bin/time -v and prints a table. Nothing here runs
under ctest: the files are made in a temporary folder and removed afterwards.

usage: scripts/measure_bombs.py path/to/tinto [case ...]
"""

import os
import struct
import subprocess
import sys
import tempfile
import time
import zlib

SIDE = 10000
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height):
    """A complete black RGB PNG; rows are compressed as they are made."""
    compressor = zlib.compressobj(9)
    row = b"\0" * (1 + 3 * width)
    parts = [compressor.compress(row) for _ in range(height)]
    data = b"".join(parts) + compressor.flush()
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) + png_chunk(b"IDAT", data) +
            png_chunk(b"IEND", b""))


def gif():
    screen = b"GIF89a" + struct.pack("<HHBBB", SIDE, SIDE, 0x80, 0, 0) + b"\0\0\0\xff\xff\xff"
    image = b"\x2c" + struct.pack("<HHHHB", 0, 0, SIDE, SIDE, 0) + b"\x02\x02\x4c\x01\x00"
    return screen + image + b"\x3b"


def bmp():
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 24, 0, 0, 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 54 + 100, 0, 0, 54) + info + b"\x7f" * 100


def ico(entry_png):
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32,
                                                           len(entry_png), 22)
    return directory + entry_png


def dib_icon():
    """A 32-bit DIB entry of SIDE x SIDE pixels (its rows and mask's rows) and 100 bytes of data."""
    return struct.pack("<IiiHHIIiiII", 40, SIDE, 2 * SIDE, 1, 32, 0, 0, 0, 0, 0, 0) + b"\x40" * 100


def jpeg(seed):
    data = bytearray(open(os.path.join(ROOT, "fuzz/corpus/jpeg", seed), "rb").read())
    for at in range(len(data) - 1):
        if data[at] == 0xFF and data[at + 1] in (0xC0, 0xC2):
            data[at + 5:at + 9] = struct.pack(">HH", SIDE, SIDE)
            break
    scan = data.index(b"\xff\xda")
    return bytes(data[:scan + 2 + struct.unpack_from(">H", data, scan + 2)[0] + 40])  # cut short


def wmf_file(records, width, height, objects=1):
    body = b"".join(records) + struct.pack("<IH", 3, 0)
    words = (18 + len(body)) // 2
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, width, height, 96, 0)
    checksum = 0
    for i in range(10):
        checksum ^= struct.unpack_from("<H", placeable, 2 * i)[0]
    placeable += struct.pack("<H", checksum)
    largest = max([len(r) // 2 for r in records] + [3])
    return placeable + struct.pack("<HHHIHIH", 1, 9, 0x300, words, objects, largest, 0) + body


def record(function, *words):
    return struct.pack("<IH", 3 + len(words), function) + struct.pack("<%dh" % len(words), *words)


def wmf_bomb():
    return wmf_file([record(0x41B, 0, 0, SIDE, SIDE)], SIDE, SIDE)  # one rectangle


def wmf_pattern_fills():
    dib = struct.pack("<IiiHHIIiiII", 40, 8, 8, 1, 1, 0, 32, 0, 0, 2, 0) + \
        b"\0\0\0\0\xff\xff\xff\0" + bytes([0xAA, 0, 0, 0, 0x55, 0, 0, 0] * 4)
    pattern = struct.pack("<IH", 3 + 2 + len(dib) // 2, 0x142) + struct.pack("<HH", 0, 0) + dib
    fill = record(0x61D, 0x21, 0xF0, SIDE, SIDE, 0, 0)  # PATBLT PATCOPY over the picture
    return wmf_file([pattern, record(0x12D, 0)] + [fill] * 2000, SIDE, SIDE)


def wmf_brushes():
    brush = record(0x2FC, 0, 0x00FF, 0, 0)
    return wmf_file([brush] * 300000, 100, 100, objects=65535)


def emf():
    frame = (0, 0, round(SIDE * 2540 / 96), round(SIDE * 2540 / 96))
    header = struct.pack("<II4i4iIIIIHHIII2i2i", 1, 88, 0, 0, SIDE - 1, SIDE - 1, *frame,
                         0x464D4520, 0x10000, 108, 2, 1, 0, 0, 0, 0, 1024, 768, 320, 240)
    return header + struct.pack("<IIIII", 14, 20, 0, 16, 20)


def cases(folder):
    big_png = png(SIDE, SIDE)
    files = {
        "gif.gif": gif(), "bmp.bmp": bmp(), "png.png": big_png, "ico_100mp.ico": ico(big_png),
        "ico_13000_png.ico": ico(png(13000, 13000)), "ico_100mp_dib.ico": ico(dib_icon()),
        "jpeg.jpg": jpeg("baseline.jpg"),
        "jpeg_progressive.jpg": jpeg("progressive.jpg"), "wmf.wmf": wmf_bomb(), "emf.emf": emf(),
        "wmf_pattern_fills.wmf": wmf_pattern_fills(), "wmf_300000_brushes.wmf": wmf_brushes(),
    }
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        yield name, len(data), ["convert", name, name + ".tin"]
    yield "resample 10000x10000 -> 32768x3051", len(big_png), \
        ["resample", "png.png", "resampled.png", "--size", "32768x3051"]


def measure(tinto, folder, args):
    started = time.monotonic()
    try:
        run = subprocess.run(["/usr/bin/time", "-v", tinto] + args, cwd=folder,
                             capture_output=True, text=True, timeout=900)
    except subprocess.TimeoutExpired:
        return None, 900.0, "killed after 900 s"
    seconds = time.monotonic() - started
    lines = run.stderr.splitlines()
    peak = next((int(l.split(":")[1]) for l in lines if "Maximum resident" in l), 0)
    said = [l for l in lines if not l.startswith("\t") and "Command exited" not in l]
    return (run.returncode, peak), seconds, " / ".join(said)[:110]


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    tinto = os.path.abspath(sys.argv[1])
    wanted = sys.argv[2:]
    print("%-36s %9s %4s %9s %8s  %s" % ("case", "bytes", "exit", "peak MB", "seconds", "stderr"))
    with tempfile.TemporaryDirectory() as folder:
        for name, size, args in cases(folder):
            if wanted and not any(w in name for w in wanted):
                continue
            result, seconds, said = measure(tinto, folder, args)
            code, peak = result if result else ("-", 0)
            print("%-36s %9d %4s %9.0f %8.2f  %s" % (name, size, code, peak / 1024, seconds, said),
                  flush=True)
    bound = (4.5 * SIDE * SIDE + 80 * 1024 * 1024) / (1024 * 1024)
    print("bound for a %d x %d picture: 4.5 bytes a pixel + 80 MB = %.0f MB" % (SIDE, SIDE, bound))


if __name__ == "__main__":
    main()
