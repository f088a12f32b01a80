#!/usr/bin/env python3
"""Draw every bitmap of the default skin and write the skin folder.

    make_skin.py <out-folder> [--ini PATH] [--png DIR]

Writes the 24-bit BMPs named by the description and a byte copy of the description
(skins/default/skin.ini unless --ini names another) into <out-folder>, creating it if needed.
--png also writes each bitmap as a PNG into DIR for looking at. The output depends on nothing
but these sources: running it twice gives identical files.
"""

import argparse
import os
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from bmpio import bmp_bytes, png_bytes    # noqa: E402
import parts_controls                      # noqa: E402
import parts_frame                         # noqa: E402
import parts_scroll                        # noqa: E402

DEFAULT_INI = os.path.join(HERE, "..", "default", "skin.ini")


def build_all():
    """Every member bitmap by its (lower-case) package name."""
    images = {}
    for part in (parts_frame, parts_controls, parts_scroll):
        for name, img in part.build().items():
            if name in images:
                raise RuntimeError("two parts draw " + name)
            images[name] = img
    return images


def write_skin(out_dir, ini_path=DEFAULT_INI, png_dir=None):
    os.makedirs(out_dir, exist_ok=True)
    images = build_all()
    for name in sorted(images):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(bmp_bytes(images[name]))
        if png_dir:
            os.makedirs(png_dir, exist_ok=True)
            with open(os.path.join(png_dir, name[:-4] + ".png"), "wb") as f:
                f.write(png_bytes(images[name]))
    shutil.copyfile(ini_path, os.path.join(out_dir, os.path.basename(ini_path)))
    return images


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("out", help="folder to write the bitmaps and the description into")
    ap.add_argument("--ini", default=DEFAULT_INI, help="skin description to copy")
    ap.add_argument("--png", metavar="DIR", help="also write every bitmap as PNG into DIR")
    args = ap.parse_args(argv)
    if not os.path.isfile(args.ini):
        print("make_skin: no description at " + args.ini, file=sys.stderr)
        return 2
    images = write_skin(args.out, args.ini, args.png)
    print("make_skin: wrote %d bitmaps and %s to %s" % (len(images), os.path.basename(args.ini), args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
