#!/usr/bin/python3
"""Draws the four canvas cursors (32 x 32 PNG, transparent) with ImageMagick's convert.

Each shape gets a one-pixel white halo so that its dark outline shows on black paper too.
Run from any folder: the PNGs are written next to this script.
"""
import math
import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 32


def along(tip, t, w):
    """Point t pixels from `tip` up the diagonal toward the top-right, w pixels off its axis."""
    ux, uy = 1 / math.sqrt(2), -1 / math.sqrt(2)
    vx, vy = 1 / math.sqrt(2), 1 / math.sqrt(2)
    return (tip[0] + t * ux + w * vx, tip[1] + t * uy + w * vy)


def band(tip, t0, w0, t1, w1):
    """Polygon of a diagonal segment whose half-width goes from w0 at t0 to w1 at t1."""
    points = [along(tip, t0, -w0), along(tip, t1, -w1), along(tip, t1, w1), along(tip, t0, w0)]
    return "polygon " + " ".join(f"{x:.2f},{y:.2f}" for x, y in points)


def render(name, draws, antialias):
    shape = os.path.join(HERE, name + ".shape.png")
    args = ["convert", "-size", f"{SIZE}x{SIZE}", "xc:none", "-antialias" if antialias else "+antialias"]
    for fill, stroke, primitive in draws:
        args += ["-fill", fill, "-stroke", stroke, "-strokewidth", "1", "-draw", primitive]
    subprocess.run(args + [shape], check=True)
    # Halo: the shape's coverage grown by one pixel, in white, under the shape.
    subprocess.run(["convert", shape, "(", "+clone", "-alpha", "extract", "-threshold", "20%",
                    "-morphology", "Dilate", "Square:1", "-background", "white", "-alpha", "shape", ")",
                    "+swap", "-compose", "over", "-composite", "-strip", "-depth", "8",
                    "-define", "png:color-type=6", os.path.join(HERE, name.lower() + ".png")],
                   check=True)
    os.remove(shape)


def pencil():
    tip = (1.5, 30.5)  # hot spot (1, 30)
    return [
        ("#F2C230", "#202020", band(tip, 9, 4.5, 33, 4.5)),     # body
        ("#C99A12", "none", band(tip, 9.5, 0.6, 32.5, 0.6)),    # facet line along the body
        ("#E9C48E", "#202020", band(tip, 1.5, 1.2, 9, 4.5)),    # sharpened wood
        ("#1E1E1E", "#1E1E1E", band(tip, 0, 0.2, 3, 1.6)),      # graphite point
        ("#A8A8B0", "#202020", band(tip, 33, 4.5, 36.5, 4.5)),  # ferrule
        ("#E8738C", "#202020", band(tip, 36.5, 4.5, 40, 4.0)),  # eraser
    ]


def pick():
    tip = (1.5, 30.5)  # hot spot (1, 30)
    return [
        ("#D8EEF8", "#202020", band(tip, 2, 1.6, 22, 2.6)),     # glass tube
        ("#2E9BD6", "none", band(tip, 2.5, 1.2, 11, 1.8)),      # drawn-up colour
        ("#1E1E1E", "#1E1E1E", band(tip, 0, 0.3, 2.5, 1.1)),    # nozzle
        ("#6A6A72", "#202020", band(tip, 22, 4.2, 25, 4.2)),    # collar
        ("#C0392B", "#202020", band(tip, 25, 3.6, 37, 4.2)),    # rubber bulb
        ("#C0392B", "#202020", band(tip, 37, 4.2, 40, 2.0)),    # rounded end of the bulb
    ]


def polygon(points):
    return "polygon " + " ".join(f"{x},{y}" for x, y in points)


def arrow(centre, quarter_turns, gap):
    """One arrow pointing away from `centre`, its shaft starting `gap` pixels from it; the
    upward arrow turned clockwise by quarter_turns * 90 degrees."""
    shaft, reach, head, head_len = 1, 14, 4, 5
    up = [(-shaft, -gap), (-shaft, -reach + head_len), (-head, -reach + head_len), (0, -reach),
          (head, -reach + head_len), (shaft, -reach + head_len), (shaft, -gap)]
    for _ in range(quarter_turns):
        up = [(-y, x) for x, y in up]
    return polygon([(centre + x, centre + y) for x, y in up])


def four_arrows(centre, gap):
    return [("#1E1E1E", "#1E1E1E", arrow(centre, turn, gap)) for turn in range(4)]


def move():
    c = 15  # hot spot (15, 15)
    # The lifted pixels travel with the pointer: a block of picture at the centre.
    return four_arrows(c, 0) + [
        ("#2E9BD6", "#1E1E1E", f"rectangle {c - 4},{c - 4} {c + 4},{c + 4}"),
        ("#F2C230", "none", f"rectangle {c - 3},{c - 3} {c},{c}"),
        ("#F2C230", "none", f"rectangle {c + 1},{c + 1} {c + 3},{c + 3}"),
    ]


def movesel():
    c = 15  # hot spot (15, 15)
    # Only the frame moves: an empty marching-ants square inside four arrows. The gaps between
    # the dashes are left empty, so the halo shows through them as white dashes.
    draws = four_arrows(c, 7)
    for i in range(-5, 6):
        if (i + 5) // 2 % 2 == 0:
            for x, y in ((c + i, c - 5), (c - i, c + 5), (c - 5, c - i), (c + 5, c + i)):
                draws.append(("#1E1E1E", "none", f"point {x},{y}"))
    # The hot spot itself, so the pointer's exact pixel shows in the empty square.
    draws.append(("#1E1E1E", "none", f"point {c},{c}"))
    return draws


if __name__ == "__main__":
    render("PENCIL", pencil(), True)
    render("PICK", pick(), True)
    render("MOVE", move(), False)
    render("MOVESEL", movesel(), False)
