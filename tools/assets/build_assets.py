#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Regenerates the saver's committed art from its sources.

    build_assets.py            rewrite every SVG, BMP, PNG, icon and cursor file
    build_assets.py --check    render into a temporary folder and report every
                               committed file that differs (exit status 1)

The drawing scripts in this folder are the true sources: they write the SVG
files, rsvg-convert renders those at their exact pixel size, and the small
writers in win_formats.py turn the pixels into the BMP, RT_ICON, .ico and
.cur layouts the resources need. The pictures' art for the higher densities
is written as PNG and squeezed with zopflipng, which takes minutes; --check
therefore compares those by their decoded pixels, not their bytes. The build
of the program itself only reads the committed results, so it needs no
rasterizer.
"""

import argparse
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor
from pathlib import Path

from PIL import Image, ImageChops

TOOLS_DIR = Path(__file__).resolve().parent
sys.path.insert(0, str(TOOLS_DIR))
# The check runs as a test from the source tree; leave no caches there.
sys.dont_write_bytecode = True

import icon_art  # noqa: E402
import picture_set  # noqa: E402
import win_formats  # noqa: E402

REPO_ROOT = TOOLS_DIR.parent.parent

CURSOR_SIZE = 32
CURSOR_HOT_SPOT = (4, 4)

# The rasterizer's version the committed art was rendered with. Another
# version may draw an antialiased edge a shade differently: --check tells that
# apart from art that no longer matches its sources.
RENDERER_RECORD = Path("assets") / "rendered-with.txt"
# With another renderer, a rendered file still matches when at most this share
# of its pixels differs by more than RENDERER_SHADES in a channel. Art that has
# really changed (another shape, colour or size) differs far beyond that.
RENDERER_SHARE = 0.01
RENDERER_SHADES = 32


def renderer_version():
    """rsvg-convert's version number, such as "2.54.7"."""
    try:
        result = subprocess.run(["rsvg-convert", "--version"], capture_output=True, text=True, check=True)
    except FileNotFoundError:
        sys.exit("rsvg-convert is missing; install librsvg2-bin to rebuild the art")
    match = re.search(r"\d+(\.\d+)+", result.stdout)
    if not match:
        raise RuntimeError("rsvg-convert gave no version: " + result.stdout)
    return match.group(0)


def recorded_renderer(root):
    path = root / RENDERER_RECORD
    return path.read_text(encoding="utf-8").split()[-1] if path.is_file() else None


def render_svg(svg_text, width, height, background):
    """Rasterizes SVG text at exactly width x height pixels. With a
    background colour the result is flattened onto it (RGB); without one it
    keeps its alpha channel (RGBA)."""
    command = ["rsvg-convert", "--width", str(width), "--height", str(height),
               "--format", "png"]
    if background:
        command += ["--background-color", background]
    try:
        result = subprocess.run(command, input=svg_text.encode("utf-8"),
                                capture_output=True, check=True)
    except FileNotFoundError:
        sys.exit("rsvg-convert is missing; install librsvg2-bin to rebuild the art")
    image = Image.open(io.BytesIO(result.stdout))
    image.load()
    if image.size != (width, height):
        raise RuntimeError(f"rsvg-convert gave {image.size}, wanted {(width, height)}")
    return image.convert("RGB" if background else "RGBA")


def density_folder(out_root, dots_per_inch):
    return out_root / "assets" / "pictures" / f"{dots_per_inch}dpi"


# Chunks that make a decoder adjust colours. Without them every decoder, WIC
# and libpng alike, hands over the stored bytes, so the program shows the same
# pixels on Windows as in the native tests.
COLOUR_CHUNKS = (b"gAMA", b"iCCP", b"sRGB", b"cHRM")


def png_chunk_types(data):
    """The chunk types of a PNG file, in order."""
    types, offset = [], 8
    while offset + 8 <= len(data):
        length = int.from_bytes(data[offset:offset + 4], "big")
        types.append(data[offset + 4:offset + 8])
        offset += 12 + length
    return types


def write_png(image, path, optimise):
    """Writes an RGB PNG without colour chunks; optimised, it is squeezed with
    zopflipng, which keeps the pixels and drops every ancillary chunk."""
    image.save(path, format="PNG")
    if not optimise:
        return
    squeezed = path.with_suffix(".zopfli.png")
    try:
        subprocess.run(["zopflipng", "-y", "--iterations=5", "--filters=01234mepb",
                        str(path), str(squeezed)], capture_output=True, check=True)
    except FileNotFoundError:
        sys.exit("zopflipng is missing; install zopfli to rebuild the art")
    squeezed.replace(path)


def build_pictures(out_root, optimise=True):
    """Writes each picture's SVG, its BMP and its PNG for every further
    density; returns the paths written."""
    folder = out_root / "assets" / "pictures"
    folder.mkdir(parents=True, exist_ok=True)
    for dots_per_inch in picture_set.PNG_DENSITIES:
        density_folder(out_root, dots_per_inch).mkdir(exist_ok=True)

    def build_one(picture):
        svg_text = picture.draw().text()
        svg_path = folder / f"{picture.file_stem}.svg"
        svg_path.write_text(svg_text, encoding="utf-8")
        pixels = render_svg(svg_text, picture.width, picture.height, "white")
        bmp_path = folder / f"{picture.file_stem}.bmp"
        bmp_path.write_bytes(win_formats.bmp_file(pixels))
        written = [svg_path, bmp_path]
        for dots_per_inch in picture_set.PNG_DENSITIES:
            width, height = picture.size_at(dots_per_inch)
            png_path = density_folder(out_root, dots_per_inch) / f"{picture.file_stem}.png"
            write_png(render_svg(svg_text, width, height, "white"), png_path, optimise)
            written.append(png_path)
        return written

    # rsvg-convert and zopflipng run as processes, so threads keep every core busy.
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        return [path for paths in pool.map(build_one, picture_set.PICTURES) for path in paths]


def build_icon(out_root):
    """Writes one SVG and one RT_ICON body per size, and the .ico file."""
    written = []
    folder = out_root / "assets" / "icon"
    folder.mkdir(parents=True, exist_ok=True)
    bodies = []
    for size in icon_art.ICON_SIZES:
        svg_text = icon_art.draw_icon(size).text()
        svg_path = folder / f"icon{size}.svg"
        svg_path.write_text(svg_text, encoding="utf-8")
        body = win_formats.icon_image(render_svg(svg_text, size, size, None))
        bin_path = folder / f"icon{size}.bin"
        bin_path.write_bytes(body)
        bodies.append(body)
        written += [svg_path, bin_path]
    ico_path = folder / "frostlane.ico"
    ico_path.write_bytes(win_formats.ico_file(bodies))
    written.append(ico_path)
    return written


def build_cursor(out_root):
    """Writes the blank pointer: every pixel transparent, so the pointer
    disappears while the saver runs."""
    folder = out_root / "assets" / "cursor"
    folder.mkdir(parents=True, exist_ok=True)
    empty = Image.new("RGBA", (CURSOR_SIZE, CURSOR_SIZE), (0, 0, 0, 0))
    body = win_formats.icon_image(empty)
    cur_path = folder / "blank.cur"
    cur_path.write_bytes(win_formats.cur_file(body, CURSOR_HOT_SPOT))
    return [cur_path]


def build_all(out_root, optimise=True):
    record = out_root / RENDERER_RECORD
    record.parent.mkdir(parents=True, exist_ok=True)
    record.write_text(f"rsvg-convert {renderer_version()}\n", encoding="utf-8")
    return (build_pictures(out_root, optimise) + build_icon(out_root)
            + build_cursor(out_root) + [record])


def open_rendered(path):
    """A rendered file as an image; an RT_ICON body is read as a one-image icon."""
    if path.suffix == ".bin":
        return Image.open(io.BytesIO(win_formats.ico_file([path.read_bytes()])))
    return Image.open(path)


def nearly_same_pixels(fresh, committed):
    """Same size, and few pixels more than a few shades apart: what another
    version of the rasterizer makes of unchanged art."""
    with open_rendered(fresh) as a, open_rendered(committed) as b:
        if a.size != b.size:
            return False
        a, b = a.convert("RGBA"), b.convert("RGBA")
        difference = ImageChops.difference(a, b).getdata()
        far = sum(1 for pixel in difference if max(pixel) > RENDERER_SHADES)
        return far <= RENDERER_SHARE * a.width * a.height


def is_rendered(path):
    return path.suffix in (".bmp", ".png", ".bin", ".ico")


def same_picture(fresh, committed):
    """PNGs match when they decode to the same pixels and the committed one
    carries no colour chunk; every other file must match byte for byte."""
    if fresh.suffix != ".png":
        return committed.read_bytes() == fresh.read_bytes()
    if any(kind in COLOUR_CHUNKS for kind in png_chunk_types(committed.read_bytes())):
        return False
    with Image.open(fresh) as a, Image.open(committed) as b:
        return a.size == b.size and a.convert("RGB").tobytes() == b.convert("RGB").tobytes()


def stale_files(fresh_root, committed_root, renderer_changed=False):
    """Relative paths whose committed file differs from a fresh build, and
    committed picture art that no source makes any more. With another
    renderer than the art was made with, rendered files need only match
    nearly; the SVG sources must still match exactly."""
    stale = []
    fresh_files = build_all(fresh_root, optimise=False)
    for fresh in fresh_files:
        relative = fresh.relative_to(fresh_root)
        committed = committed_root / relative
        if relative == RENDERER_RECORD:
            continue
        if not committed.is_file():
            stale.append(relative)
        elif renderer_changed and is_rendered(relative):
            if not nearly_same_pixels(fresh, committed):
                stale.append(relative)
        elif not same_picture(fresh, committed):
            stale.append(relative)
    expected = {fresh.relative_to(fresh_root) for fresh in fresh_files}
    pictures = committed_root / "assets" / "pictures"
    for committed in sorted(pictures.rglob("*")):
        relative = committed.relative_to(committed_root)
        if committed.is_file() and relative not in expected:
            stale.append(relative)
    return stale


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed files with a fresh build")
    arguments = parser.parse_args(argv)
    if not arguments.check:
        # Art of a density no longer carried must not linger in the tree.
        for folder in (REPO_ROOT / "assets" / "pictures").glob("*dpi"):
            shutil.rmtree(folder)
        for path in build_all(REPO_ROOT):
            print(path.relative_to(REPO_ROOT))
        return 0
    here, recorded = renderer_version(), recorded_renderer(REPO_ROOT)
    renderer_changed = here != recorded
    if renderer_changed:
        print(f"the art was rendered with rsvg-convert {recorded or '(not recorded)'}, this machine has {here}: "
              "the SVG sources must match exactly, rendered files only within the shades another "
              "renderer version may differ by")
    with tempfile.TemporaryDirectory(prefix="frostlane-assets-") as scratch:
        stale = stale_files(Path(scratch), REPO_ROOT, renderer_changed)
    for relative in stale:
        print(f"out of date: {relative}", file=sys.stderr)
    if stale:
        print("run tools/assets/build_assets.py and commit the results",
              file=sys.stderr)
        return 1
    print("all assets match their sources")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
