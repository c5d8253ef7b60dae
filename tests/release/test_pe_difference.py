#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Checks that a difference between two builds is reported at the right offset and
named by the part of the PE file that holds it, using the built program with
single bytes changed. Environment: FROSTLANE_EXE (a built Frostlane1.exe)."""
import os
import unittest

import pefile

import pe_difference

EXE = os.environ.get("FROSTLANE_EXE", "")


class DifferenceReport(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with open(EXE, "rb") as f:
            cls.program = f.read()
        cls.pe = pefile.PE(data=cls.program)

    def section(self, name):
        return next(s for s in self.pe.sections if s.Name.rstrip(b"\0") == name)

    def test_a_changed_byte_is_found_and_named(self):
        text, resources = self.section(b".text"), self.section(b".rsrc")
        root = self.pe.DIRECTORY_ENTRY_RESOURCE.struct
        rows = [
            (self.pe.FILE_HEADER.get_field_absolute_offset("TimeDateStamp"),
             "field IMAGE_FILE_HEADER.TimeDateStamp, the PE headers"),
            (self.pe.OPTIONAL_HEADER.get_field_absolute_offset("CheckSum") + 2,
             "field IMAGE_OPTIONAL_HEADER.CheckSum, the PE headers"),
            (text.get_field_absolute_offset("SizeOfRawData"),
             "field IMAGE_SECTION_HEADER.SizeOfRawData of .text, the PE headers"),
            (root.get_field_absolute_offset("TimeDateStamp") + 1,
             f"field IMAGE_RESOURCE_DIRECTORY.TimeDateStamp, section .rsrc at "
             f"+0x{root.get_field_absolute_offset('TimeDateStamp') + 1 - resources.PointerToRawData:x}"),
            (text.PointerToRawData + 0x1234, "section .text at +0x1234"),
        ]
        for offset, place in rows:
            with self.subTest(place=place):
                changed = bytearray(self.program)
                changed[offset] ^= 0x5A
                changed[offset + 40] ^= 0x5A
                self.assertEqual(pe_difference.first_difference(self.program, changed), offset)
                self.assertEqual(pe_difference.count_differences(self.program, changed), 2)
                self.assertEqual(pe_difference.where(self.program, offset), place)
                self.assertIn(f"first at offset 0x{offset:x} ({offset}): {place}",
                              pe_difference.report(self.program, changed))

    def test_a_shorter_file_differs_where_it_ends(self):
        shorter = self.program[:-100]
        self.assertEqual(pe_difference.first_difference(self.program, shorter), len(shorter))
        self.assertEqual(pe_difference.first_difference(shorter, self.program), len(shorter))
        self.assertIn("past the end of the shorter file", pe_difference.report(shorter, self.program))

    def test_equal_files_give_no_report(self):
        self.assertIsNone(pe_difference.report(self.program, bytes(self.program)))

    def test_a_file_that_is_no_program_is_called_so(self):
        self.assertIn("not a PE file", pe_difference.where(b"MZ" + bytes(10), 1))


if __name__ == "__main__":
    unittest.main()
