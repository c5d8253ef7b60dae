# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Finds where two builds of the Windows program first differ and names the part of
the PE file that holds that byte: a header field (a time stamp, the checksum, a
resource directory's date) or a section (a path left in .rdata, code in .text), so
that a build that stops being reproducible points at its cause. Reads PE files
with pefile."""
import pefile

CHUNK = 4096


def first_difference(left, right):
    """The offset of the first byte that differs, the shorter length when one is a
    prefix of the other, or None for equal contents."""
    common = min(len(left), len(right))
    for start in range(0, common, CHUNK):
        end = min(start + CHUNK, common)
        if left[start:end] != right[start:end]:
            return next(i for i in range(start, end) if left[i] != right[i])
    return None if len(left) == len(right) else common


def count_differences(left, right):
    """How many bytes differ, counting a length difference as that many bytes."""
    return sum(x != y for x, y in zip(left, right)) + abs(len(left) - len(right))


def _field_at(structure, offset):
    """The name of the structure's field that covers the file offset."""
    relative = offset - structure.get_file_offset()
    fields = sorted((structure.get_field_relative_offset(names[0]), names[0]) for names in structure.__keys__)
    return [name for start, name in fields if start <= relative][-1]


def where(program, offset):
    """Says which header field and which section of the PE file hold the byte at
    the offset, in words for a test's failure message."""
    if offset >= len(program):
        return "past the end of the shorter file"
    try:
        pe = pefile.PE(data=bytes(program))
    except pefile.PEFormatError as error:
        return f"not a PE file ({error})"
    parts = []
    # The innermost structure is the most telling: a resource directory's date
    # rather than the whole section.
    holders = [s for s in pe.__structures__ if s.get_file_offset() <= offset < s.get_file_offset() + s.sizeof()]
    if holders:
        innermost = min(holders, key=lambda s: s.sizeof())
        field = f"field {innermost.name}.{_field_at(innermost, offset)}"
        if innermost.name == "IMAGE_SECTION_HEADER":
            field += " of " + innermost.Name.rstrip(b"\0").decode("ascii", "replace")
        parts.append(field)
    section = pe.get_section_by_offset(offset)
    if section is not None:
        name = section.Name.rstrip(b"\0").decode("ascii", "replace")
        parts.append(f"section {name} at +0x{offset - section.PointerToRawData:x}")
    elif offset < pe.OPTIONAL_HEADER.SizeOfHeaders:
        parts.append("the PE headers")
    else:
        parts.append("data after the last section")
    return ", ".join(parts)


def report(left, right, left_name="first build", right_name="second build"):
    """One line for a failure message, or None when the files are equal."""
    offset = first_difference(left, right)
    if offset is None:
        return None
    return (f"{left_name} ({len(left)} bytes) and {right_name} ({len(right)} bytes) differ in "
            f"{count_differences(left, right)} bytes, first at offset 0x{offset:x} ({offset}): "
            f"{where(left, offset)}")
