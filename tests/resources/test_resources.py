#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Checks what the built Windows program carries: the icon, the blank pointer,
the version block, the manifest, the twelve pictures, and that it imports only
DLLs that Windows always takes from its system folder. Reads the executable with
wrestool (icoutils), objdump and pefile."""
import json
import os
import re
import struct
import subprocess
import unittest
from xml.etree import ElementTree

import pefile

EXE = os.environ.get("FROSTLANE_EXE", "")
SOURCE = os.environ.get("FROSTLANE_SOURCE", os.path.join(os.path.dirname(__file__), "..", ".."))
# The product's identity as the build wrote it from CMakeLists.txt.
with open(os.environ["FROSTLANE_IDENTITY"], encoding="utf-8") as identity_file:
    IDENTITY = json.load(identity_file)

RT_CURSOR, RT_ICON, RT_VERSION, RT_GROUP_ICON, RT_MANIFEST = 1, 3, 16, 14, 24
# DLLs on Windows' list of known DLLs, which it loads from the system folder
# only, wherever the program lies. Anything else the program needs is reached
# through COM or loaded from the system folder by name at run time.
KNOWN_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll", "msvcrt.dll", "imm32.dll",
              "advapi32.dll"}


def resource(kind, name):
    result = subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", f"--name={name}", EXE],
                            capture_output=True, check=True)
    return result.stdout


def resource_names(kind):
    listing = subprocess.run(["wrestool", "-l", f"--type={kind}", EXE], capture_output=True, text=True,
                             check=True).stdout
    return [int(n) for n in re.findall(r"--name=(\d+)", listing)]


class Resources(unittest.TestCase):
    def test_icon_group_one_holds_three_sizes_in_order(self):
        group = resource(RT_GROUP_ICON, 1)
        reserved, kind, count = struct.unpack_from("<HHH", group)
        self.assertEqual((reserved, kind, count), (0, 1, 3))
        for i, (size, image_id) in enumerate([(16, 30001), (32, 30002), (48, 30003)]):
            width, height, colours, _, planes, bits, length, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            self.assertEqual((width, height, colours, planes, bits, ident), (size, size, 0, 1, 24, image_id))
            image = resource(RT_ICON, image_id)
            self.assertEqual(len(image), length)
            header_size, w, h, planes, bits = struct.unpack_from("<IiiHH", image)
            self.assertEqual((header_size, w, h, planes, bits), (40, size, 2 * size, 1, 24))
            xor = ((size * 3 + 3) // 4 * 4) * size
            mask = ((size + 31) // 32 * 4) * size
            self.assertEqual(len(image), 40 + xor + mask, "24-bit colour with a 1-bit mask")
        self.assertEqual(sorted(resource_names(RT_ICON)), [30001, 30002, 30003])

    def test_blank_pointer_is_invisible_with_hot_spot_4_4(self):
        names = resource_names(RT_CURSOR)
        self.assertEqual(len(names), 1)
        cursor = resource(RT_CURSOR, names[0])
        hot_x, hot_y, header_size, w, h, planes, bits = struct.unpack_from("<HHIiiHH", cursor)
        self.assertEqual((hot_x, hot_y, header_size, w, h, planes, bits), (4, 4, 40, 32, 64, 1, 24))
        xor = cursor[4 + 40:4 + 40 + 32 * 32 * 3]
        mask = cursor[4 + 40 + 32 * 32 * 3:]
        self.assertEqual(set(xor), {0}, "colour image all zero")
        self.assertEqual(len(mask), 32 * 4)
        self.assertEqual(set(mask), {0xFF}, "every pixel transparent")

    def test_version_block_is_the_projects_in_us_english(self):
        block = resource(RT_VERSION, 1)
        fixed = block.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreater(fixed, 0)
        _, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIIIII", block, fixed)
        a, b, c, d = (int(number) for number in IDENTITY["version"].split("."))
        self.assertEqual((file_ms, file_ls, product_ms, product_ls), (a << 16 | b, c << 16 | d) * 2)
        text = block.decode("utf-16-le", errors="replace")
        self.assertIn("040904b0", text.lower())
        self.assertIn(struct.pack("<HH", 0x0409, 1200), block, "Translation: US English, Unicode")
        for key, value in [("CompanyName", IDENTITY["maker"]), ("ProductName", IDENTITY["product"]),
                           ("FileVersion", IDENTITY["version"]), ("ProductVersion", IDENTITY["version"])]:
            self.assertRegex(text, key + r"\W+" + re.escape(value))

    def test_manifest_runs_as_invoker_aware_of_each_monitors_density(self):
        manifest = resource(RT_MANIFEST, 1).decode("utf-8")
        self.assertIn('level="asInvoker"', manifest)
        self.assertEqual(len(re.findall(r"<supportedOS Id=", manifest)), 4)
        settings = ElementTree.fromstring(manifest).find(
            "{urn:schemas-microsoft-com:asm.v3}application/{urn:schemas-microsoft-com:asm.v3}windowsSettings")
        self.assertIsNotNone(settings, "no windowsSettings")
        for namespace, name, value in [("http://schemas.microsoft.com/SMI/2016/WindowsSettings", "dpiAwareness",
                                        "PerMonitorV2, PerMonitor"),
                                       ("http://schemas.microsoft.com/SMI/2005/WindowsSettings", "dpiAware",
                                        "true/pm")]:
            element = settings.find("{%s}%s" % (namespace, name))
            self.assertIsNotNone(element, name)
            self.assertEqual(element.text.strip(), value, name)

    def test_every_picture_travels_inside_the_program_at_every_density(self):
        with open(EXE, "rb") as f:
            program = f.read()
        folder = os.path.join(SOURCE, "assets", "pictures")
        art = {".": sorted(name for name in os.listdir(folder) if name.endswith(".bmp"))}
        for density in sorted(name for name in os.listdir(folder) if name.endswith("dpi")):
            art[density] = sorted(os.listdir(os.path.join(folder, density)))
        self.assertEqual(len(art), 9, "the BMPs and eight densities of PNGs")
        for density, names in art.items():
            self.assertEqual(len(names), 12, density)
            for name in names:
                with open(os.path.join(folder, density, name), "rb") as f:
                    self.assertIn(f.read(), program, os.path.join(density, name))

    def test_program_stays_within_4_mib(self):
        self.assertLessEqual(os.path.getsize(EXE), 4 * 1024 * 1024)

    def test_imports_only_known_dlls_and_none_delayed(self):
        pe = pefile.PE(EXE)
        self.assertEqual(pe.FILE_HEADER.Machine, pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], "a 64-bit program")
        imported = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
        self.assertTrue(imported)
        self.assertLessEqual(imported, KNOWN_DLLS, "imports beyond the known DLLs")
        # A delayed import is loaded by name when first called, from wherever
        # the search then leads.
        self.assertFalse(hasattr(pe, "DIRECTORY_ENTRY_DELAY_IMPORT"), "delay-loaded imports")

    def test_limits_where_dlls_are_loaded_from(self):
        with open(EXE, "rb") as f:
            program = f.read()
        pe = pefile.PE(data=program)
        functions = {item.name for entry in pe.DIRECTORY_ENTRY_IMPORT for item in entry.imports}
        looked_up = b"GetProcAddress" in functions and b"\0SetDefaultDllDirectories\0" in program
        self.assertTrue(b"SetDefaultDllDirectories" in functions or looked_up,
                        "SetDefaultDllDirectories neither imported nor looked up")

if __name__ == "__main__":
    unittest.main()
