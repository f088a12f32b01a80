#!/usr/bin/env python3
"""Tests of the skin generator and its checker: reproducible output, a clean check of the real
skin, the checker catching broken folders, the description reader's rules and the fitting
rules the preview relies on.   Run: python3 -m unittest test_skin  (from this folder)."""

import contextlib
import hashlib
import io
import os
import shutil
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import make_skin                                              # noqa: E402
import palette                                                # noqa: E402
import skindraw as sd                                         # noqa: E402
from bmpio import bmp_bytes, read_bmp, load_bmp, BmpError     # noqa: E402
from check_skin import Checker, main as check_main            # noqa: E402
from raster import Image, MAGENTA                             # noqa: E402
from skinini import QuickIni, SkinFolder, parse_colour, image_member   # noqa: E402


def run_check(folder):
    """check_skin's exit code, its report kept off the test output."""
    with contextlib.redirect_stdout(io.StringIO()):
        return check_main([folder])


def digest(folder):
    out = {}
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), "rb") as f:
            out[name] = hashlib.sha256(f.read()).hexdigest()
    return out


class GeneratedSkin(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="skin-test-")
        cls.good = os.path.join(cls.tmp, "good")
        make_skin.write_skin(cls.good)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def broken_copy(self, name):
        path = os.path.join(self.tmp, name)
        shutil.copytree(self.good, path)
        return path

    def edit_ini(self, folder, old, new):
        ini = os.path.join(folder, "skin.ini")
        with open(ini) as f:
            text = f.read()
        self.assertIn(old, text)
        with open(ini, "w") as f:
            f.write(text.replace(old, new, 1))

    def errors_of(self, folder):
        errors, _ = Checker(folder).run()
        return "\n".join(errors)

    # ------------------------------------------------------------ the real skin
    def test_second_run_writes_identical_files(self):
        again = os.path.join(self.tmp, "again")
        make_skin.write_skin(again)
        self.assertEqual(digest(self.good), digest(again))

    def test_generated_skin_checks_clean_and_every_file_is_referenced(self):
        errors, warnings = Checker(self.good).run()
        self.assertEqual(errors, [])
        self.assertEqual(warnings, [])
        self.assertEqual(run_check(self.good), 0)

    def test_borders_stretch_without_seams(self):
        # The engine stretches the middle rows of the side borders and the middle columns of
        # the top and bottom strips; they must be uniform or stretching would smear detail.
        skin = SkinFolder(self.good)
        for name in ("Left", "Right"):
            obj = skin.objects[name]
            fw, fh = obj.frame_size()
            rows = {tuple(obj.bitmap.get(x, y) for x in range(obj.bitmap.w))
                    for y in range(obj.margins[1], fh - obj.margins[3])}
            self.assertEqual(len(rows), 1, name)
        for name in ("Top", "Bottom"):
            obj = skin.objects[name]
            cols = {tuple(obj.bitmap.get(x, y) for y in range(obj.bitmap.h))
                    for x in range(obj.margins[0], obj.bitmap.w - obj.margins[2])}
            self.assertEqual(len(cols), 1, name)

    def test_images_are_baked_against_the_described_colours(self):
        # Anti-aliased edges are blended against these colours; the description must use
        # the same ones or every rounded corner would show a fringe.
        skin = SkinFolder(self.good)
        self.assertEqual(skin.colours["ButtonFace"], palette.FACE)
        self.assertEqual(skin.colours["Menu"], palette.MENU)
        self.assertEqual(skin.colours["ButtonShadow"], palette.SHADOW)
        self.assertEqual(skin.colours["TitleTextNoActive"], palette.INACTIVE["text"])
        sunk = skin.objects["SunkEdge"].bitmap
        self.assertEqual(sunk.get(0, 0), palette.SHADOW)

    def test_window_region_rounds_the_top_corners_only(self):
        skin = SkinFolder(self.good)
        w, h = 120, 80
        keep = sd.region_mask(skin, w, h, 5, 28, 5, 5)
        self.assertFalse(keep[0])
        self.assertFalse(keep[w - 1])
        self.assertTrue(keep[(h - 1) * w])
        self.assertTrue(keep[h * w - 1])
        self.assertTrue(keep[10 * w + 60])
        self.assertTrue(keep[7 * w])            # the curve ends within the corner radius

    # ------------------------------------------------------------ the checker catches faults
    def test_missing_bitmap_is_reported(self):
        bad = self.broken_copy("missing")
        os.remove(os.path.join(bad, "radio.bmp"))
        self.assertIn("radio.bmp", self.errors_of(bad))
        self.assertEqual(run_check(bad), 1)

    def test_width_not_divisible_by_frame_count(self):
        bad = self.broken_copy("uneven")
        img = load_bmp(os.path.join(bad, "button.bmp"))
        with open(os.path.join(bad, "button.bmp"), "wb") as f:
            f.write(bmp_bytes(img.crop(0, 0, img.w - 1, img.h)))
        self.assertIn("does not divide into 5 frames", self.errors_of(bad))

    def test_margins_wider_than_a_frame(self):
        bad = self.broken_copy("margins")
        self.edit_ini(bad, "[Buttons]\nBitmap=button.bmp\nLeftWidth=4", "[Buttons]\nBitmap=button.bmp\nLeftWidth=20")
        self.assertIn("wider than the 22-pixel frame", self.errors_of(bad))

    def test_square_corner_and_misaligned_caption_are_reported(self):
        bad = self.broken_copy("corner")
        path = os.path.join(bad, "frameleft.bmp")
        img = load_bmp(path)
        img.put(0, 0, (10, 20, 30))
        with open(path, "wb") as f:
            f.write(bmp_bytes(img))
        self.edit_ini(bad, "RightTopHeight=28", "RightTopHeight=27")
        errors = self.errors_of(bad)
        self.assertIn("Left border frame 1: outer top corner is not magenta", errors)
        self.assertIn("RightTopHeight 27 differs from the caption height 28", errors)

    def test_magenta_in_an_opaque_border_is_reported(self):
        bad = self.broken_copy("opaque")
        path = os.path.join(bad, "frametop.bmp")
        img = load_bmp(path)
        img.put(10, 3, MAGENTA)
        with open(path, "wb") as f:
            f.write(bmp_bytes(img))
        self.assertIn("Top: holds magenta but TopTrans is 0", self.errors_of(bad))

    def test_overlapping_caption_buttons_and_title_clip(self):
        bad = self.broken_copy("overlap")
        self.edit_ini(bad, "Xcoord=63\nYcoord=4\nVisibility=2", "Xcoord=50\nYcoord=4\nVisibility=2")
        self.edit_ini(bad, "TextRightClip=96", "TextRightClip=40")
        errors = self.errors_of(bad)
        self.assertIn("[BUTTON1] and [BUTTON0] overlap", errors)
        self.assertIn("TextRightClip 40 lets the title run under", errors)

    def test_wrong_bitmap_format_and_bad_colour(self):
        bad = self.broken_copy("format")
        with open(os.path.join(bad, "tabs.bmp"), "rb") as f:
            data = bytearray(f.read())
        struct.pack_into("<H", data, 28, 32)
        with open(os.path.join(bad, "tabs.bmp"), "wb") as f:
            f.write(bytes(data))
        self.edit_ini(bad, "Menu=251 252 253", "Menu=251 252")
        errors = self.errors_of(bad)
        self.assertIn("tabs.bmp: not an uncompressed 24-bit bitmap", errors)
        self.assertIn("[Colours] Menu='251 252' is not three numbers", errors)

    def test_upper_case_extension_is_an_empty_bitmap(self):
        bad = self.broken_copy("upper")
        self.edit_ini(bad, "Image=toolbars.bmp", "Image=ToolBars.BMP")
        self.assertIn("not a lower-case .bmp name", self.errors_of(bad))


class DescriptionReader(unittest.TestCase):
    TEXT = (b"; comment\r\n[Personality]\r\n  Left = a.bmp  \r\nLeft=b.bmp\r\n[Empty]\nKey=\nKey=later\n"
            b"[Nums]\nA=0x1F\nB=$10\nC=12abc\n[ spaced ]\nX=1\n\0[After]\nY=2\n")

    def test_lookup_rules(self):
        ini = QuickIni(self.TEXT)
        self.assertEqual(ini.read_string("personality", "LEFT"), "a.bmp")   # first occurrence wins
        self.assertEqual(ini.read_string("Empty", "Key", "dflt"), "dflt")    # empty first value keeps default
        self.assertEqual(ini.read_int("Nums", "A"), 31)
        self.assertEqual(ini.read_int("Nums", "B"), 16)
        self.assertEqual(ini.read_int("Nums", "C", 7), 7)
        self.assertEqual(ini.read_string("spaced", "X", "none"), "none")     # spaces inside brackets
        self.assertFalse(ini.has_section("After"))                          # a zero byte ends the text
        self.assertEqual(ini.read_sections(), ["Personality", "Empty", "Nums", "spaced"])

    def test_colour_text(self):
        self.assertEqual(parse_colour("3 32 108", None), (3, 32, 108))
        self.assertEqual(parse_colour("7", None), (0, 0, 0))
        self.assertEqual(parse_colour("200 100", None), (200, 0, 0))
        self.assertEqual(parse_colour("300,1,2", None), (44, 1, 2))
        self.assertIsNone(parse_colour("  ", None))

    def test_image_references(self):
        self.assertEqual(image_member("CandyGlass_2\\MenuBackground.bmp"), "menubackground.bmp")
        self.assertEqual(image_member("C:menu.bmp"), "menu.bmp")
        self.assertIsNone(image_member("skin/menu.BMP"))
        self.assertIsNone(image_member("notes.txt"))


class FittingAndFiles(unittest.TestCase):
    @staticmethod
    def numbered(w, h):
        img = Image(w, h)
        for y in range(h):
            for x in range(w):
                img.put(x, y, (x, y, 7))
        return img

    def test_nine_slice_keeps_margins_and_stretches_the_rest(self):
        src = self.numbered(15, 15)
        out = sd.render_skin_image(50, 21, src, (1, 1, 1, 1), False, 0, 1, 1)
        self.assertEqual(out.get(0, 0), (0, 0, 7))
        self.assertEqual(out.get(49, 20), (14, 14, 7))
        self.assertEqual(out.get(49, 0), (14, 0, 7))
        self.assertEqual({out.get(x, 0)[0] for x in range(1, 49)}, set(range(1, 14)))
        self.assertEqual({out.get(0, y)[1] for y in range(1, 20)}, set(range(1, 14)))

    def test_margins_too_wide_for_the_target_are_dropped(self):
        src = self.numbered(20, 10)
        out = sd.render_skin_image(10, 10, src, (8, 2, 9, 2), False, 0, 1, 1)
        self.assertEqual([out.get(x, 5)[0] for x in range(10)], [0, 2, 4, 6, 8, 10, 12, 14, 16, 18])

    def test_tiled_centre_repeats_from_the_top_left(self):
        src = self.numbered(6, 6)
        out = sd.render_skin_image(12, 12, src, (1, 1, 1, 1), False, 1, 1, 1)
        self.assertEqual([out.get(x, 1)[0] for x in range(12)], [0, 1, 2, 3, 4, 1, 2, 3, 4, 1, 2, 5])

    def test_frame_selection(self):
        img = Image(30, 20)
        self.assertEqual(sd.frame_rect(img, 3, 2), (10, 0, 10, 20))
        self.assertEqual(sd.frame_rect(img, 2, 2, stacked=True), (0, 10, 30, 10))

    def test_bmp_round_trip_with_row_padding(self):
        img = self.numbered(5, 3)
        data = bmp_bytes(img)
        self.assertEqual(len(data), 54 + 3 * 16)
        self.assertEqual(struct.unpack_from("<H", data, 28)[0], 24)
        back = read_bmp(data)
        self.assertEqual(back.px, img.px)
        with self.assertRaises(BmpError):
            read_bmp(data[:60])


if __name__ == "__main__":
    unittest.main()
