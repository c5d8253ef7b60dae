#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Makes the Windows Installer package of a built program, the release's
Frostlane1.msi, from Frostlane1.wxs beside this file and the program's icon.

    make_msi.py PROGRAM OUTPUT

The package's bytes depend on the program and this source alone. wixl stamps
the time it runs and a random package code into the summary information, and
the time of the program's file into the cabinet; here all three come from the
build's inputs instead:
- the times are SOURCE_DATE_EPOCH (the release's time, the last commit's), or
  1980-01-01 when it is unset, the earliest date a cabinet can hold;
- the package code, which names one package among all others, is derived from
  the finished package's own bytes;
- the product code is derived from the version, so one version is one product:
  a second package of the same version (a signed one beside an unsigned, say)
  is refused as already installed rather than installed twice.

The version and the file's language are read from the program's own version
block, so the package can never claim others. Windows Installer compares only the first three fields of
a product version (major and minor up to 255, build up to 65535) and ignores a
fourth, so the program's four fields a.b.c.d go into three as
a.b.(c * 1000 + d): 1.0.0.14 becomes 1.0.14, and the order of versions is kept
for every d below 1000. A version outside that range stops the build rather
than give a package that would not upgrade in order.

Needs wixl (Debian package wixl) and libmsi's Python bindings (python3-gi,
gir1.2-libmsi-1.0). Any failure leaves no OUTPUT and ends with status 1 and a
message that says why."""
import contextlib
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import uuid
import xml.etree.ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "Frostlane1.wxs")
ICON = os.path.join(HERE, "..", "assets", "icon", "frostlane.ico")
# The names the source gives the program's and the icon's files.
STAGED_PROGRAM, STAGED_ICON = "Frostlane1.exe", "frostlane.ico"
# The first and last second a cabinet's date can hold: 1980-01-01 and 2107-12-31, UTC.
EARLIEST_CABINET_TIME, LATEST_CABINET_TIME = 315532800, 4354819199
# The version block's key and its padding, then its fixed part's signature.
VERSION_BLOCK = "VS_VERSION_INFO\0".encode("utf-16-le") + b"\0\0" + struct.pack("<I", 0xFEEF04BD)
SECONDS_FROM_1601_TO_1970 = 11644473600
NO_PACKAGE_CODE = "{00000000-0000-0000-0000-000000000000}"
# The key of the version block's list of its languages and code pages.
TRANSLATION_KEY = "Translation\0".encode("utf-16-le")


class PackageError(Exception):
    pass


def program_versions(program):
    """The program's file and product versions, four numbers each, from the
    fixed part of its one version block."""
    found = [match.start() for match in re.finditer(re.escape(VERSION_BLOCK), program)]
    if len(found) != 1 or found[0] + len(VERSION_BLOCK) + 20 > len(program):
        raise PackageError("the program does not carry exactly one whole version block")
    file_high, file_low, product_high, product_low = struct.unpack_from("<4I", program, found[0] + len(VERSION_BLOCK) + 4)
    return ((file_high >> 16, file_high & 0xFFFF, file_low >> 16, file_low & 0xFFFF),
            (product_high >> 16, product_high & 0xFFFF, product_low >> 16, product_low & 0xFFFF))


def program_language(program):
    """The language of the program's version block, as the decimal language id
    that Windows Installer's File table takes: the first language its
    Translation value lists. The block's parts start on 32-bit boundaries
    counted from the block's start, so the value follows its key's padding."""
    found = program.find(VERSION_BLOCK)
    if found < 6:
        raise PackageError("the program carries no version block")
    start = found - 6
    block = program[start:start + struct.unpack_from("<H", program, start)[0]]
    key = block.find(TRANSLATION_KEY)
    if key < 0:
        raise PackageError("the program's version block names no language (no Translation value)")
    value = key + len(TRANSLATION_KEY)
    value += -value % 4
    if value + 4 > len(block):
        raise PackageError("the program's version block ends inside its Translation value")
    language, _ = struct.unpack_from("<HH", block, value)
    return str(language)


def installer_version(version):
    """The product version Windows Installer compares in order: see above."""
    major, minor, build, revision = version
    third = build * 1000 + revision
    if major > 255 or minor > 255 or revision > 999 or third > 65535:
        raise PackageError("version %d.%d.%d.%d cannot be a product version in order: Windows Installer "
                           "compares a.b.(c * 1000 + d) with a and b up to 255, d up to 999 and the third "
                           "field up to 65535" % version)
    return "%d.%d.%d" % (major, minor, third)


def upgrade_code():
    product = xml.etree.ElementTree.parse(SOURCE).getroot().find("{http://schemas.microsoft.com/wix/2006/wi}Product")
    return uuid.UUID(product.get("UpgradeCode"))


def guid(value):
    return "{" + str(value).upper() + "}"


def source_date_epoch():
    text = os.environ.get("SOURCE_DATE_EPOCH", "")
    if text == "":
        return EARLIEST_CABINET_TIME
    if not re.fullmatch("[0-9]+", text) or int(text) > LATEST_CABINET_TIME:
        raise PackageError("SOURCE_DATE_EPOCH must be whole seconds since 1970 up to the end of 2107, not '%s'"
                           % text)
    return max(int(text), EARLIEST_CABINET_TIME)


def run_wixl(folder, product_version, product_code):
    """wixl on the source, in `folder` that holds the staged files; the package's path."""
    wixl = shutil.which("wixl")
    if wixl is None:
        raise PackageError("wixl is not installed (Debian package wixl)")
    package = os.path.join(folder, "unstamped.msi")
    # The time zone and the language of the tool's messages are the same for every builder.
    environment = dict(os.environ, TZ="UTC", LC_ALL="C.UTF-8")
    result = subprocess.run([wixl, "--arch", "x64", "-D", "ProductVersion=" + product_version,
                             "-D", "ProductCode=" + guid(product_code), "-o", package, SOURCE],
                            cwd=folder, env=environment, capture_output=True, text=True)
    if result.returncode != 0 or not os.path.isfile(package):
        raise PackageError("wixl could not build the package:\n" + (result.stdout + result.stderr).strip())
    return package


def libmsi():
    try:
        import gi
        gi.require_version("Libmsi", "1.0")
        from gi.repository import Libmsi
    except (ImportError, ValueError) as error:
        raise PackageError("libmsi's Python bindings are missing (Debian packages python3-gi and "
                           "gir1.2-libmsi-1.0): %s" % error) from error
    return Libmsi


def short_name(long_name):
    """The 8.3 form of a long file name: its first six usable characters and
    ~1, then up to three of its extension's, upper case. The package puts one
    file into its folder, so ~1 names it alone."""
    stem, _, extension = long_name.upper().rpartition(".")

    def usable(text):
        return "".join(c for c in text if c.isascii() and (c.isalnum() or c in "!#$%&'()-@^_`{}~"))
    return usable(stem)[:6] + "~1." + usable(extension)[:3]


def stamp(package, file_version, language, epoch, package_code):
    """Gives the package's file what Windows Installer's validation asks of a
    program: its version, so an older copy of the program (the self-install's,
    say) is replaced by the rules for versioned files; the language of its
    version block; its short name beside the long one; and no
    hash, which is for unversioned files alone. Then gives the summary
    information the build's time and the package code."""
    Libmsi = libmsi()
    database = Libmsi.Database.new(package, Libmsi.DbFlags.TRANSACT, None)
    (name,), = select(Libmsi, database, "SELECT `FileName` FROM `File` WHERE `File` = 'Saver'")
    long_name = name.rpartition("|")[2]
    update = Libmsi.Record.new(3)
    update.set_string(1, "%d.%d.%d.%d" % file_version)
    update.set_string(2, language)
    update.set_string(3, short_name(long_name) + "|" + long_name)
    Libmsi.Query.new(database, "UPDATE `File` SET `Version` = ?, `Language` = ?, `FileName` = ? "
                               "WHERE `File` = 'Saver'").execute(update)
    Libmsi.Query.new(database, "DELETE FROM `MsiFileHash` WHERE `File_` = 'Saver'").execute(None)
    summary = Libmsi.SummaryInfo.new(database, 3)
    filetime = (epoch + SECONDS_FROM_1601_TO_1970) * 10 ** 7
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.set_string(Libmsi.Property.UUID, package_code)
    summary.persist()
    database.commit()


def select(Libmsi, database, sql):
    """The records a query gives, each a tuple of its fields as text."""
    query = Libmsi.Query.new(database, sql)
    query.execute(None)
    found = []
    while (record := query.fetch()) is not None:
        found.append(tuple(record.get_string(field) for field in range(1, record.get_field_count() + 1)))
    query.close()
    return found


def make_package(program_path, output):
    # An earlier package must not stand there as this one's when this one fails.
    with contextlib.suppress(FileNotFoundError):
        os.remove(output)
    with open(program_path, "rb") as f:
        program = f.read()
    file_version, product_version = program_versions(program)
    language = program_language(program)
    version = installer_version(product_version)
    upgrade = upgrade_code()
    epoch = source_date_epoch()
    with tempfile.TemporaryDirectory(prefix="msi-", dir=os.path.dirname(os.path.abspath(output))) as folder:
        staged = os.path.join(folder, STAGED_PROGRAM)
        shutil.copyfile(program_path, staged)
        shutil.copyfile(ICON, os.path.join(folder, STAGED_ICON))
        # The cabinet keeps the file's time, which becomes the installed file's.
        os.utime(staged, (epoch, epoch))
        package = run_wixl(folder, version, uuid.uuid5(upgrade, "ProductCode " + version))
        stamp(package, file_version, language, epoch, NO_PACKAGE_CODE)
        with open(package, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        stamp(package, file_version, language, epoch, guid(uuid.uuid5(upgrade, "PackageCode " + digest)))
        os.replace(package, output)
    return version


def main(arguments):
    if len(arguments) != 2:
        print(__doc__.split("\n\n")[1].strip(), file=sys.stderr)
        return 2
    program, output = arguments
    try:
        version = make_package(program, output)
    except (OSError, PackageError) as error:
        print("Making the Windows Installer package: %s" % error, file=sys.stderr)
        return 1
    print("%s: version %s, %d bytes" % (output, version, os.path.getsize(output)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
