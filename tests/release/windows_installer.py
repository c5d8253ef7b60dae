# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""What a Windows Installer package holds, read with libmsi's Python bindings
(the library wixl writes with) and msitools' msiextract and msiinfo, whose
outputs are the package's own files and streams."""
import os
import subprocess

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

SECONDS_FROM_1601_TO_1970 = 11644473600


def rows(package, sql):
    """The records a query gives, each a tuple of its fields as text."""
    database = Libmsi.Database.new(package, Libmsi.DbFlags.READONLY, None)
    query = Libmsi.Query.new(database, sql)
    query.execute(None)
    found = []
    while (record := query.fetch()) is not None:
        found.append(tuple(record.get_string(field) for field in range(1, record.get_field_count() + 1)))
    return found


def properties(package):
    return dict(rows(package, "SELECT `Property`, `Value` FROM `Property`"))


def summary(package):
    """The summary information's package code and time of creation (Unix seconds)."""
    information = Libmsi.SummaryInfo.new(Libmsi.Database.new(package, Libmsi.DbFlags.READONLY, None), 0)
    created = information.get_filetime(Libmsi.Property.CREATED_TM) // 10 ** 7 - SECONDS_FROM_1601_TO_1970
    return information.get_string(Libmsi.Property.UUID), created


def stream(package, name):
    return subprocess.run(["msiinfo", "extract", package, name], capture_output=True, check=True).stdout


def files(package, folder):
    """The files the package installs, extracted into `folder`: {name: bytes}."""
    subprocess.run(["msiextract", "-C", folder, package], capture_output=True, check=True)
    found = {}
    for parent, _, names in os.walk(folder):
        for name in names:
            with open(os.path.join(parent, name), "rb") as f:
                found[os.path.relpath(os.path.join(parent, name), folder)] = f.read()
    return found
