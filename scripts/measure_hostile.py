#!/usr/bin/python3
"""Peak memory, time and what is left on disk when the programs meet hostile files.

Builds each reproducer in a temporary folder (skins with markup, compressed bombs, deep
resource trees, huge or blocking pictures named by a style sheet, FIFOs; two-file exports and
their stems; files the tool cannot read; an EMF record libuemf cannot check; a 100-megapixel
photo to score; window sizes and a clipboard payload from the settings file and another
program), runs the programs of one or two build folders on them and prints one table row per
case and build. The editor runs under its own Xvfb and openbox (xdotool presses its keys, xclip
offers the clipboard); it is stopped when its memory passes --cap MB or after --wait seconds,
and such a run is marked as stopped. Nothing here runs under ctest.

usage: scripts/measure_hostile.py BUILD [BUILD_BEFORE] [--cap MB] [--wait S] [--runs N] [case...]
"""

import argparse
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_bombs import png  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


# ---- files ------------------------------------------------------------------------------------

def u32(value):
    return struct.pack(">I", value)


def qt_hash(name):
    value = 0
    for char in name.encode("utf-16-be")[1::2]:
        value = (value << 4) + char
        value ^= (value & 0xF0000000) >> 23
        value &= 0x0FFFFFFF
    return value


def resource(entries):
    """An rcc resource (format 3); entries: ("dir", count, first) or ("file", flags, bytes).
    Every entry is named "skin.ini", the file the editor reads first."""
    names = struct.pack(">HI", 8, qt_hash("skin.ini")) + "skin.ini".encode("utf-16-be")
    tree, data = b"", b""
    for entry in entries:
        if entry[0] == "dir":
            tree += u32(0) + struct.pack(">H", 2) + u32(entry[1]) + u32(entry[2]) + b"\0" * 8
        else:
            tree += u32(0) + struct.pack(">HHH", entry[1], 0, 0) + u32(len(data)) + b"\0" * 8
            data += u32(len(entry[2])) + entry[2]
    names_at = 24
    tree_at = names_at + len(names)
    data_at = tree_at + len(tree)
    return b"qres" + u32(3) + u32(tree_at) + u32(data_at) + u32(names_at) + u32(5) + names + \
        tree + data


def zstd_zeros(size):
    """One zstd frame of `size` zero bytes that declares its size, made by the zstd tool."""
    zeros = subprocess.Popen(["head", "-c", str(size), "/dev/zero"], stdout=subprocess.PIPE)
    frame = subprocess.run(["zstd", "-q", "-c", "-3", f"--stream-size={size}"], stdin=zeros.stdout,
                           capture_output=True, check=True).stdout
    zeros.wait()
    return frame


def zlib_zeros(size):
    """`size` zero bytes as rcc stores a zlib entry: the length, then the stream."""
    compressor = zlib.compressobj(1)
    chunk = b"\0" * (1 << 20)
    parts = [compressor.compress(chunk) for _ in range(size >> 20)]
    return u32(size) + b"".join(parts) + compressor.flush()


def zstd_claiming(size):
    return b"\x28\xb5\x2f\xfd\xe0" + struct.pack("<Q", size) + b"\x01\x00\x00"


def packed_skin(skin_ini_entry):
    """A resource whose only file is `skin.ini`-like entry; what matters is its unpacking."""
    return resource([("dir", 1, 1), skin_ini_entry])


def deep_resource(depth):
    return resource([("dir", 1, i + 1) for i in range(depth)] + [("file", 0, b"leaf")])


def emf_with_record_96():
    whole = open(os.path.join(ROOT, "tests/data/picture/sample.emf"), "rb").read()
    head = whole[4]
    data = bytearray(whole[:head] + struct.pack("<II", 96, 8) + whole[head:])
    struct.pack_into("<I", data, 48, len(data))
    struct.pack_into("<I", data, 52, struct.unpack_from("<I", whole, 52)[0] + 1)
    return bytes(data)


def write(folder, name, data):
    path = os.path.join(folder, name)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())
    return path


# ---- running ----------------------------------------------------------------------------------

class Display:
    """Xvfb with openbox, for the editor."""

    def __enter__(self):
        read, written = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(written), "-screen", "0",
                                      "1280x1024x24", "-nolisten", "tcp"], pass_fds=[written],
                                     stderr=subprocess.DEVNULL)
        os.close(written)
        number = b""
        while not number.endswith(b"\n"):
            number += os.read(read, 1)
        os.close(read)
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(0.5)
        return self

    def __exit__(self, *rest):
        for process in (self.wm, self.xvfb):
            process.terminate()
            process.wait()

    def windows(self, name):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                               env=self.env, capture_output=True, text=True).stdout.split()
        return found

    def key(self, window, keys):
        subprocess.run(["xdotool", "windowactivate", "--sync", window, "key", keys],
                       env=self.env, capture_output=True, timeout=10)


def vm_peak_mb(pid, field="VmHWM"):
    try:
        for line in open(f"/proc/{pid}/status"):
            if line.startswith(field):
                return int(line.split()[1]) // 1024
    except OSError:
        pass
    return None


class Editor:
    """tinto-editor copied into a folder of its own, so that its settings file is ours."""

    def __init__(self, build, folder, display, settings, args=()):
        os.makedirs(folder, exist_ok=True)
        program = os.path.join(folder, "tinto-editor")
        shutil.copy(os.path.join(build, "src/app/tinto-editor"), program)
        write(folder, "TintoEditor.ini", settings)
        self.display = display
        self.started = time.monotonic()
        self.process = subprocess.Popen([program, *args], env=display.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.peak = 0
        self.stopped = ""

    def watch(self, until, seconds, cap):
        """Polls until `until()` gives a value, the process ends, `seconds` pass or the memory
        passes `cap` MB; returns the value or None."""
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.process.poll() is not None:
                self.stopped = f"ended, status {self.process.returncode}"
                return None
            self.peak = max(self.peak, vm_peak_mb(self.process.pid) or 0)
            if self.peak > cap:
                self.stopped = f"stopped at the {cap} MB cap"
                return None
            value = until()
            if value:
                return value
            time.sleep(0.1)
        self.stopped = f"stopped after {seconds} s"
        return None

    def main_window(self, seconds, cap):
        return self.watch(lambda: (self.display.windows("^Tinto Editor - ") or [None])[0],
                          seconds, cap)

    def elapsed(self):
        return time.monotonic() - self.started

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
        self.process.wait()
        return self.process.stderr.read().decode(errors="replace")


def run_tool(build, args, limit_kb=None, cwd=None):
    """Exit status, peak MB, seconds and standard error of one `tinto` run."""
    def limit():
        if limit_kb:
            import resource as r
            r.setrlimit(r.RLIMIT_AS, (limit_kb * 1024, limit_kb * 1024))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.monotonic()
    process = subprocess.Popen([os.path.join(build, "src/cli/tinto"), *args], env=env, cwd=cwd,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, preexec_fn=limit)
    out, err = process.communicate()
    seconds = time.monotonic() - start
    return process.returncode, seconds, out.decode(errors="replace"), err.decode(errors="replace")


def peak_of_tool(build, args, **options):
    """Like run_tool, with the peak resident memory from wait4."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    start = time.monotonic()
    process = subprocess.Popen([os.path.join(build, "src/cli/tinto"), *args], env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, **options)
    err = process.stderr.read()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    return process.returncode, usage.ru_maxrss // 1024, time.monotonic() - start, \
        err.decode(errors="replace").strip()


def left_on_disk(folder, keep=()):
    return sorted(n for n in os.listdir(folder) if n not in keep)


# ---- cases ------------------------------------------------------------------------------------

def skin_settings(skin_path):
    return f"[Skin]\nEnabled=1\nName={skin_path}\n"


def editor_start(build, work, display, options, skin_files, extra=""):
    """The editor started with a skin; row: appeared after s / peak MB / or what stopped it."""
    skin = None
    for name, data in skin_files:
        path = write(work, name, data) if data is not None else os.path.join(work, name)
        skin = skin or path
    editor = Editor(build, os.path.join(work, "program"), display, skin_settings(skin) + extra)
    window = editor.main_window(options.wait, options.cap)
    shown = f"window after {editor.elapsed():.1f} s" if window else editor.stopped
    peak = editor.peak
    editor.close()
    return f"{shown}, peak {peak} MB"


def case_about_markup(build, work, display, options):
    rows = []
    os.mkfifo(os.path.join(work, "fifo"))
    for label, source in (("/dev/zero", "/dev/zero"), ("a FIFO", os.path.join(work, "fifo"))):
        write(work, "sheet.qss", "QWidget { color: #202020; }")
        skin = write(work, "markup.ini", "[Skin]\nName=Markup\nStyleSheet=sheet.qss\n"
                     f"Comments=<img src=\"{source}\">\n")
        editor = Editor(build, os.path.join(work, "program"), display, skin_settings(skin))
        window = editor.main_window(options.wait, options.cap)
        if not window:
            rows.append(f"{label}: no window ({editor.stopped})")
            editor.close()
            continue
        pressed = time.monotonic()
        display.key(window, "F1")
        about = editor.watch(lambda: display.windows("^About$"), options.wait, options.cap)
        result = f"about box after {time.monotonic() - pressed:.1f} s" if about else editor.stopped
        rows.append(f"{label}: F1 -> {result}, peak {editor.peak} MB")
        editor.close()
    return "; ".join(rows)


def case_ods_bombs(build, work, display, options):
    bombs = {
        "zstd claiming 64 GiB": packed_skin(("file", 4, zstd_claiming(64 << 30))),
        "zstd 2 GiB": packed_skin(("file", 4, zstd_zeros(2 << 30))),
        "zlib 1 GiB": packed_skin(("file", 1, zlib_zeros(1 << 30))),
        "100,000 nested folders": deep_resource(100000),
    }
    rows = []
    for label, data in bombs.items():
        rows.append(f"{label} ({len(data)} B): " +
                    editor_start(build, work, display, options, [("bomb.ods", data)]))
    return "; ".join(rows)


def case_sheet_images(build, work, display, options):
    rows = []
    for width, height in ((2000, 2000), (5000, 6000)):
        big = png(width, height)
        files = [("big.ini", "[Skin]\nName=Big\nStyleSheet=big.qss\n"),
                 ("big.qss", "QWidget { background-image: url(big.png) }"), ("big.png", big)]
        rows.append(f"{width} x {height} PNG ({len(big) // 1024} KB): " +
                    editor_start(build, work, display, options, files))
    return "; ".join(rows)


def case_fifos(build, work, display, options):
    os.mkfifo(os.path.join(work, "fifo.qss"))
    os.mkfifo(os.path.join(work, "fifo.png"))
    rows = [
        "StyleSheet=fifo.qss: " + editor_start(build, work, display, options, [
            ("fifo-sheet.ini", "[Skin]\nName=F\nStyleSheet=fifo.qss\n")]),
        "url(fifo.png): " + editor_start(build, work, display, options, [
            ("fifo-url.ini", "[Skin]\nName=F\nStyleSheet=u.qss\n"),
            ("u.qss", "QWidget { background-image: url(fifo.png) }")]),
    ]
    return "; ".join(rows)


def pictures(build, work):
    """A.tin and B.tin, two different 256 x 192 pictures."""
    for name, seed in (("A", 1), ("B", 2)):
        rng = random.Random(seed)
        pixels = bytes(rng.randrange(256) for _ in range(64 * 48 * 3))
        raw = b"".join(b"\0" + pixels[y * 192:(y + 1) * 192] for y in range(48))
        image = b"\x89PNG\r\n\x1a\n"
        for kind, data in ((b"IHDR", struct.pack(">IIBBBBB", 64, 48, 8, 2, 0, 0, 0)),
                           (b"IDAT", zlib.compress(raw)), (b"IEND", b"")):
            image += struct.pack(">I", len(data)) + kind + data + \
                struct.pack(">I", zlib.crc32(kind + data))
        write(work, name + ".png", image)
        run_tool(build, ["convert", os.path.join(work, name + ".png"),
                         os.path.join(work, name + ".tin")])
    frames = {}
    for name in "AB":
        run_tool(build, ["export", os.path.join(work, name + ".tin"), os.path.join(work, name)])
        frames[name] = tuple(open(os.path.join(work, f"{name}.od{f}"), "rb").read() for f in "01")
    return frames


def case_torn_pairs(build, work, display, options):
    frames = pictures(build, work)
    pair = os.path.join(work, "pair")
    os.makedirs(pair)
    stem = os.path.join(pair, "pic")
    durations = []
    for _ in range(5):
        start = time.monotonic()
        run_tool(build, ["export", os.path.join(work, "B.tin"), stem])
        durations.append(time.monotonic() - start)
    longest = max(durations)
    counts = {"A": 0, "B": 0, "torn": 0, "damaged": 0}
    leftovers = 0
    rng = random.Random(23)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    for _ in range(options.runs):
        run_tool(build, ["export", os.path.join(work, "A.tin"), stem])
        process = subprocess.Popen([os.path.join(build, "src/cli/tinto"), "export",
                                    os.path.join(work, "B.tin"), stem], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(rng.uniform(0, longest))
        process.send_signal(signal.SIGKILL)
        process.wait()
        got = tuple(open(f"{stem}.od{f}", "rb").read() for f in "01")
        if got == frames["A"]:
            counts["A"] += 1
        elif got == frames["B"]:
            counts["B"] += 1
        elif got in ((frames["A"][0], frames["B"][1]), (frames["B"][0], frames["A"][1])):
            counts["torn"] += 1
        else:
            counts["damaged"] += 1
        leftovers += len(left_on_disk(pair, ("pic.od0", "pic.od1")))
    after = len(left_on_disk(pair, ("pic.od0", "pic.od1")))
    return (f"{options.runs} kills within {longest * 1000:.0f} ms: old pair {counts['A']}, new "
            f"pair {counts['B']}, torn {counts['torn']}, damaged {counts['damaged']}; temporary "
            f"files seen after a kill {leftovers}, left after the last export {after}")


def case_stems(build, work, display, options):
    pictures(build, work)
    rows = []
    for label, target in (("stem dir/", "dir/"), ("stem pic.od0", "pic.od0")):
        folder = os.path.join(work, "out-" + label.split()[-1].replace("/", "_"))
        os.makedirs(os.path.join(folder, "dir"))
        status, _, _, err = run_tool(build, ["export", os.path.join(work, "A.tin"), target],
                                     cwd=folder)
        written = sorted(os.path.relpath(os.path.join(d, n), folder)
                         for d, _, names in os.walk(folder) for n in names)
        rows.append(f"{label}: status {status}, wrote {written or 'nothing'}"
                    + (f", \"{err.strip()}\"" if err.strip() else ""))
    return "; ".join(rows)


def case_messages(build, work, display, options):
    pictures(build, work)
    os.mkfifo(os.path.join(work, "fifo.tin"))
    os.makedirs(os.path.join(work, "folder.tin"))
    locked = os.path.join(work, "locked")
    os.makedirs(locked)
    os.chmod(locked, 0o555)
    rows = []
    for args in (["info", "fifo.tin"], ["info", "folder.tin"],
                 ["render", "folder.tin", "out.png"], ["export", "fifo.tin", "p"]):
        status, _, _, err = run_tool(build, args, cwd=work)
        rows.append(f"{' '.join(args)}: \"{err.strip()}\"")
    os.chmod(work, 0o755)
    os.chmod(os.path.join(work, "A.tin"), 0o644)
    # root may write anywhere: the refusal needs another user.
    export = ["export", os.path.join(work, "A.tin"), os.path.join(locked, "p")]
    status, _, _, err = run_as_nobody(build, export) if os.getuid() == 0 else \
        run_tool(build, export)
    rows.append(f"export into a read-only folder: \"{err.strip()}\"")
    return "; ".join(rows)


def run_as_nobody(build, args):
    folder = tempfile.mkdtemp(prefix="tinto-nobody-")
    tool = os.path.join(folder, "tinto")
    shutil.copy(os.path.join(build, "src/cli/tinto"), tool)
    os.chmod(folder, 0o700)
    os.chown(folder, 65534, 65534)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=folder)
    done = subprocess.run(["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", tool,
                           *args], env=env, capture_output=True, text=True)
    shutil.rmtree(folder)
    return done.returncode, 0, done.stdout, done.stderr


def case_emf_chatter(build, work, display, options):
    emf = write(work, "record96.emf", emf_with_record_96())
    status, _, _, err = run_tool(build, ["convert", emf, os.path.join(work, "o.tin")])
    lines = [line for line in err.splitlines() if line.strip()]
    return f"status {status}, {len(lines)} lines on standard error" + \
        (f" (\"{lines[0][:60]}...\")" if lines else "")


def case_score(build, work, display, options):
    photo = write(work, "photo.png", png(10000, 10000))
    pictures(build, work)
    status, peak, seconds, err = peak_of_tool(build, ["score", photo,
                                                      os.path.join(work, "A.tin")])
    limited, _, _, limited_err = run_tool(build, ["score", photo, os.path.join(work, "A.tin")],
                                          limit_kb=400000)
    return (f"100 MP PNG: status {status}, peak {peak} MB, {seconds:.1f} s; under ulimit -v "
            f"400000: \"{limited_err.strip()}\"")


def case_window_sizes(build, work, display, options):
    rows = []
    for label, settings in (("[Import] 99999", "[Import]\nWidth=99999\nHeight=99999\n"),
                            ("[Import] -50", "[Import]\nWidth=-50\nHeight=-50\n")):
        editor = Editor(build, os.path.join(work, "program"), display, settings)
        window = editor.main_window(options.wait, options.cap)
        if not window:
            rows.append(f"{label}: no main window ({editor.stopped})")
            editor.close()
            continue
        display.key(window, "ctrl+i")
        found = editor.watch(lambda: display.windows("^Import Expert$"), options.wait, options.cap)
        size = "no dialog (" + editor.stopped + ")"
        if found:
            time.sleep(1)
            geometry = subprocess.run(["xdotool", "getwindowgeometry", found[0]],
                                      env=display.env, capture_output=True, text=True).stdout
            size = geometry.split("Geometry:")[-1].strip()
            editor.watch(lambda: None, 2, options.cap)
        rows.append(f"{label}: Import Expert {size}, peak {editor.peak} MB")
        editor.close()
    return "; ".join(rows)


def case_clipboard(build, work, display, options):
    payload = write(work, "payload", b"\0" * (200 << 20))
    editor = Editor(build, os.path.join(work, "program"), display, "")
    if not editor.main_window(options.wait, options.cap):
        editor.close()
        return "no main window (" + editor.stopped + ")"
    editor.watch(lambda: None, 2, options.cap)
    before = editor.peak
    offer = subprocess.Popen(["xclip", "-selection", "clipboard", "-t",
                              "application/x-tinto-cells", "-i", payload], env=display.env)
    editor.watch(lambda: None, 8, options.cap)
    after = editor.peak
    editor.close()
    offer.terminate()
    offer.wait()
    return f"200 MB payload offered: peak {before} MB before, {after} MB after (no paste)"


def case_version(build, work, display, options):
    status, _, out, err = run_tool(build, ["--version"])
    return f"status {status}: \"{(out or err).strip().splitlines()[0]}\""


CASES = {
    "about-markup": case_about_markup,
    "ods-bombs": case_ods_bombs,
    "sheet-images": case_sheet_images,
    "fifos": case_fifos,
    "torn-pairs": case_torn_pairs,
    "stems": case_stems,
    "messages": case_messages,
    "emf-chatter": case_emf_chatter,
    "score": case_score,
    "window-sizes": case_window_sizes,
    "clipboard": case_clipboard,
    "version": case_version,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("builds", nargs="+", help="build folders (after, then before)")
    parser.add_argument("--cap", type=int, default=3000, help="stop the editor past this many MB")
    parser.add_argument("--wait", type=float, default=30, help="seconds to wait for a window")
    parser.add_argument("--runs", type=int, default=150, help="kills in the torn-pair loop")
    parser.add_argument("--case", action="append", choices=sorted(CASES), dest="cases")
    options = parser.parse_args()
    with Display() as display:
        for name in options.cases or CASES:
            for build in options.builds:
                with tempfile.TemporaryDirectory(prefix="tinto-hostile-") as work:
                    try:
                        row = CASES[name](os.path.abspath(build), work, display, options)
                    except Exception as error:  # a case that cannot run says why
                        row = f"could not run: {error!r}"
                print(f"{name:13} {os.path.basename(os.path.abspath(build)):13} {row}",
                      flush=True)


if __name__ == "__main__":
    main()
