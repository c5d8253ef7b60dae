#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""What the release carries from others, and the bill of materials that says so.

    third_party.py notices MAP OUTPUT_FOLDER [--own FOLDER] [--compiler CXX] [--not-a-release]
    third_party.py bom COMPONENTS PROGRAM PACKAGE OUTPUT [--signed]

notices reads a GNU ld link map (-Wl,-Map) and finds every object and archive
member from outside the project that went into the program: a path that is
absolute and not inside an --own folder (the build tree; relative paths are the
build's own too). Each must match a row of MEMBERS, which names its component
and the file of the component's source it was built from, and must belong to
the Debian package that the component names. It writes into OUTPUT_FOLDER:
- THIRD-PARTY-NOTICES.txt: each component's name, the version of its Debian
  package and its notices in full, taken from the package's copyright file (the
  paragraphs that govern the files linked, for a machine-readable one), the
  licence texts of /usr/share/common-licenses and the permission notices of the
  C++ library's headers, never retyped;
- components.json: the same components for the bill of materials.
A member that no row maps stops it with a message that names the member, and
leaves neither file behind, nor any earlier one; with --not-a-release (a build
that is only shown or tested) it warns instead, and the notices list the
member as not yet reviewed. The C++ library's headers are the ones the
compiler (--compiler, by default the toolchain file's) reads.

bom writes a CycloneDX 1.6 bill of materials for the release: the program and
its Windows Installer package as published (with their SHA-256 and SHA-512),
the program inside the package, the components of components.json, the
licences as SPDX ids where there is one, and the tools that built the release,
with their Debian packages' versions (osslsigncode with --signed). Its time is
SOURCE_DATE_EPOCH and its serial number is derived from its own content, so one
release gives the same bytes on any machine.

Needs Debian's python3, python3-debian and dpkg-query. Any failure ends with
status 1 and a message that says why."""
import argparse
import functools
import hashlib
import json
import os
import platform
import re
import subprocess
import sys
import textwrap
import time
import uuid

from debian import copyright as debian_copyright

NOTICES, COMPONENTS = "THIRD-PARTY-NOTICES.txt", "components.json"
# The compiler that the toolchain file names, unless the build names another.
COMPILER = "x86_64-w64-mingw32-g++-win32"
GPL_3 = "/usr/share/common-licenses/GPL-3"

# The components the program may link, each with the Debian package that ships
# it and, for a copyright file that is not machine-readable, the lines of it
# that state the licence of the runtime libraries: from the first line that
# starts with the first marker to the end of the paragraph that starts with the
# second.
GCC_TERMS = ("GCC is Copyright (C)", "2. No Weakening of GCC Copyleft.")
COMPONENT_DETAILS = {
    "mingw-w64": {"name": "MinGW-w64 runtime and import libraries", "package": "mingw-w64-x86-64-dev"},
    "libgcc": {"name": "GCC runtime library (libgcc)", "package": "gcc-mingw-w64-x86-64-win32",
               "terms": GCC_TERMS, "spdx": "GPL-3.0-or-later WITH GCC-exception-3.1"},
    "libstdc++": {"name": "GNU C++ library (libstdc++)", "package": "g++-mingw-w64-x86-64-win32",
                  "terms": GCC_TERMS, "spdx": "GPL-3.0-or-later WITH GCC-exception-3.1", "headers": True},
}
# Debian's short names of licences that have an SPDX id, with the id and the
# licence's full name as the SPDX list gives it: the notices name a licence by
# both, since an id alone means nothing to most readers.
SPDX_LICENCES = {"ZPL-2.1": ("ZPL-2.1", "Zope Public License 2.1"), "expat": ("MIT", "MIT License"),
                 "ISC": ("ISC", "ISC License"), "BSD-3-clause": ("BSD-3-Clause", 'BSD 3-Clause "New" or "Revised" License')}
# The full name of the GCC libraries' licence expression, as the notices give it.
EXPRESSION_NAMES = {"GPL-3.0-or-later WITH GCC-exception-3.1":
                    "GNU General Public License v3.0 or later with GCC Runtime Library exception 3.1"}
# Who makes each component, its supplier in the bill of materials.
MINGW_W64_PROJECT = {"name": "The MinGW-w64 project", "url": ["https://www.mingw-w64.org/"]}
GCC_PROJECT = {"name": "The GCC project of the Free Software Foundation", "url": ["https://gcc.gnu.org/"]}
SUPPLIERS = {"mingw-w64": MINGW_W64_PROJECT, "libgcc": GCC_PROJECT, "libstdc++": GCC_PROJECT}

# Every outside input the program may take: the file (an object, or an archive
# with a pattern of its members' names less ".o"; the groups fill the source path), the
# component, and the file of the component's source it was built from, which
# the package's copyright file is searched for. A source folder is named where
# the licence depends on it; otherwise the top of the source tree, whose licence
# is the component's own. Members outside these rows (a threads library, another
# floating-point conversion) stop the release until someone has read their
# licence and added a row.
MEMBERS = [
    (r"crt2u\.o", None, "mingw-w64", "mingw-w64-crt/crt/crtexe.c"),
    (r"libmingw32\.a", r"lib64_libmingw32_a-([\w-]+)", "mingw-w64", "mingw-w64-crt/crt/{0}.c"),
    # The decimal conversions behind printf's floating-point formats.
    (r"libmingwex\.a", r"lib64_libmingwex_a-(dmisc|gdtoa|gmisc|misc)", "mingw-w64", "mingw-w64-crt/gdtoa/{0}.c"),
    (r"libmingwex\.a", r"lib64_libmingwex_a-(mingw_pformatw?|mingw_vsn?printfw?)", "mingw-w64",
     "mingw-w64-crt/stdio/{0}.c"),
    (r"libmingwex\.a", r"lib64_libmingwex_a-(floorf?|nearbyintf?)", "mingw-w64", "mingw-w64-crt/math/{0}.c"),
    (r"libmingwex\.a", r"lib64_libmingwex_a-(mingw_matherr)", "mingw-w64", "mingw-w64-crt/crt/{0}.c"),
    (r"libmingwex\.a", r"lib64_libmingwex_a-(strnlen|wcsnlen)", "mingw-w64", "mingw-w64-crt/misc/{0}.c"),
    (r"libmsvcrt\.a", r"lib64_libmsvcrt_(?:common|extra)_a-([\w-]+)", "mingw-w64", "mingw-w64-crt/{0}.c"),
    (r"libuuid\.a", r"lib64_libuuid_a-(windowscodecs)", "mingw-w64", "mingw-w64-crt/libsrc/{0}.c"),
    # Import libraries: a head, a tail and one stub per imported function.
    (r"lib(kernel32|user32|gdi32|shell32|ole32|imm32|advapi32)\.a", r"lib\w+?(?:h|t|s\d+)", "mingw-w64",
     "mingw-w64-crt/lib-common/{0}.def"),
    (r"libmsvcrt\.a", r"libmsvcrt_def(?:h|t|s\d+)", "mingw-w64", "mingw-w64-crt/lib-common/msvcrt.def"),
    (r"crtbegin\.o", None, "libgcc", ""),
    (r"crtend\.o", None, "libgcc", ""),
    (r"libgcc\.a", r"_chkstk_ms|_ctors|gthr-win32|_\w+[dt]i\d", "libgcc", ""),
    (r"libgcc_eh\.a", r"emutls|unwind-seh", "libgcc", ""),
    (r"libstdc\+\+\.a", r"eh_\w+|new_\w+|del_\w+|\w*type_info|tinfo2?|bad_\w+|vterminate|cp-demangle|"
                    r"(?:cow-|sso_)?(?:w?string-inst|stdexcept|string)|functexcept|snprintf_lite|"
                    r"functional|random|tree|list|hashtable_c\+\+0x|guard|pure|atexit_thread|"
                    r"(?:cow-)?shim_facets|system_error|ios\w*|locale\w*|string_view", "libstdc++", ""),
    # GCC 14's link (Debian 13) takes in cxx11-stdexcept as well, and its
    # archives hold these members that GCC 12's do not (ios_errcat falls under
    # the row above); each one's source carries GCC's licence with the runtime
    # exception. Its time zones (tzdb) have no row: they embed the time zone
    # database, which comes under terms of its own.
    (r"libgcc\.a", r"gthr-win32-cond", "libgcc", ""),
    (r"libgcc_eh\.a", r"gthr-win32-thread", "libgcc", ""),
    (r"libstdc\+\+\.a", r"cxx11-stdexcept|assert_fail", "libstdc++", ""),
]


class NoticeError(Exception):
    pass


class UnmappedInput(NoticeError):
    def __init__(self, described):
        super().__init__(f"the link took in {described}, which maps to no component: read its licence and add "
                         "a row for it to MEMBERS in packaging/third_party.py")
        self.described = described


def run(*command):
    result = subprocess.run(command, capture_output=True, text=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
    if result.returncode != 0:
        raise NoticeError(f"{' '.join(command)} failed: {result.stderr.strip()}")
    return result.stdout


@functools.lru_cache(maxsize=None)
def package_of(path):
    """The Debian package that installed the file. Asked once per file: the
    link takes many members of one archive, and each question reads dpkg's
    whole list of files."""
    return run("dpkg-query", "-S", path).split(":", 1)[0].split(",")[0].strip()


def package_details(package):
    version, architecture = run("dpkg-query", "-W", "-f=${Version}\t${Architecture}", package).split("\t")
    return version, architecture


def purl(package, version, architecture):
    quoted = version.replace("%", "%25").replace("+", "%2B").replace(":", "%3A")
    # The Debian release the packages come from: the build machine's own.
    machine = platform.freedesktop_os_release()
    release = machine.get("VERSION_ID") or machine.get("VERSION_CODENAME", "unknown")
    return f"pkg:deb/debian/{package}@{quoted}?arch={architecture}&distro=debian-{release}"


def outside_inputs(link_map, own_folders):
    """The objects and archive members from outside the project that the link
    map says went into the program, as (file, member or None), in order."""
    found = []
    # The first part lists every archive member the link took in; the parts
    # after it (discarded sections, common symbols, the memory map) name files
    # in other forms.
    parts = re.split(r"^(Archive member included to satisfy reference by file \(symbol\)|"
                     r"Allocating common symbols|Discarded input sections|Memory Configuration|"
                     r"Linker script and memory map)$", link_map, flags=re.M)
    if "Linker script and memory map" not in parts:
        raise NoticeError("not a link map of GNU ld")
    if "Archive member included to satisfy reference by file (symbol)" in parts:
        members = parts[parts.index("Archive member included to satisfy reference by file (symbol)") + 1]
        found += re.findall(r"^(\S[^()]*)\(([^()]+)\)$", members, re.M)
    found += [(path, None) for path in re.findall(r"^LOAD (.+\.(?:o|obj))$", link_map, re.M)]

    def outside(path):
        path = os.path.normpath(path)
        return os.path.isabs(path) and not any(path.startswith(own.rstrip("/") + "/") for own in own_folders)
    return [(os.path.normpath(path), member) for path, member in found if outside(path)]


def map_input(path, member):
    """The row of MEMBERS for one input, as (component, source path)."""
    name = os.path.basename(path)
    for archive, pattern, component, source in MEMBERS:
        archive_match = re.fullmatch(archive, name)
        if not archive_match or (pattern is None) != (member is None):
            continue
        member_match = re.fullmatch(pattern, member.removesuffix(".o")) if pattern else None
        if pattern and not member_match:
            continue
        groups = (member_match.groups() if member_match else ()) or archive_match.groups()
        return component, source.format(*groups)
    raise UnmappedInput(f"{path}({member})" if member else path)


def cxx_headers(compiler):
    """The folder of the C++ library's headers that the compiler reads: GCC
    keeps it in its own library folder, where -print-file-name looks, and
    answers with the bare name when it finds nothing there."""
    folder = run(compiler, "-print-file-name=include/c++").strip()
    if not os.path.isabs(folder) or not os.path.isdir(folder):
        raise NoticeError(f"{compiler} names no folder of C++ headers ({folder})")
    return folder


def indented_text(text):
    """A copyright file's field text as plain lines: ' .' is an empty line."""
    return "\n".join("" if line.strip() == "." else line for line in text.splitlines())


def licence_title(synopsis):
    """A licence as the notices name it: "Zope Public License 2.1 (ZPL-2.1)", or
    Debian's short name alone where it has no SPDX id."""
    if synopsis in SPDX_LICENCES:
        spdx_id, name = SPDX_LICENCES[synopsis]
        return f"{name} ({spdx_id})"
    return synopsis


def dep5_notices(copyright_file, sources):
    """The paragraphs of a machine-readable copyright file that govern the
    sources, each with its licence's text, and their licences."""
    with open(copyright_file, encoding="utf-8") as f:
        document = debian_copyright.Copyright(f)
    standalone = {p.license.synopsis: p.license.text for p in document.all_license_paragraphs()}
    paragraphs = []
    for source in sources:
        paragraph = document.find_files_paragraph(source)
        if paragraph is None:
            raise NoticeError(f"{copyright_file} names no licence for {source}")
        if paragraph not in paragraphs:
            paragraphs.append(paragraph)
    sections, licences = [], []
    for paragraph in paragraphs:
        synopsis = paragraph.license.synopsis
        text = paragraph.license.text or standalone.get(synopsis, "")
        if not text:
            raise NoticeError(f"{copyright_file} gives no text for the licence {synopsis}")
        covered = sorted(source for source in sources if document.find_files_paragraph(source) is paragraph)
        sections.append(f"Copyright: {paragraph.copyright}\nLicense: {licence_title(synopsis)}\n"
                        + textwrap.fill(f"(covers the linked {', '.join(covered)})", 78)
                        + f"\n\n{indented_text(text)}")
        licences.append(synopsis)
    return sections, licences


def marked_terms(copyright_file, first, last):
    with open(copyright_file, encoding="utf-8") as f:
        lines = f.read().splitlines()
    start = next((i for i, line in enumerate(lines) if line.startswith(first)), None)
    end = next((i for i, line in enumerate(lines) if start is not None and i > start and line.startswith(last)), None)
    if start is None or end is None:
        raise NoticeError(f"{copyright_file} no longer holds the terms from '{first}' to '{last}'")
    while end < len(lines) and lines[end].strip():
        end += 1
    return "\n".join(lines[start:end]).strip()


def header_notices(folder):
    """The permission notices of the C++ library's headers other than its own
    licence (Hewlett-Packard's and Silicon Graphics'), each once, in the order
    of the headers' paths."""
    notices = []
    for root, folders, names in os.walk(folder):
        folders.sort()
        for name in sorted(names):
            with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
                text = f.read()
            for comment in re.findall(r"/\*(.*?)\*/", text, re.S):
                if "Hewlett-Packard" not in comment and "Silicon Graphics" not in comment:
                    continue
                lines = [re.sub(r"^\s*\*( |$)", "", line).rstrip() for line in comment.splitlines()]
                for notice in re.split(r"\n\s*\n(?=Copyright)", "\n".join(lines).strip()):
                    notice = notice.strip()
                    if notice.startswith("Copyright") and notice not in notices:
                        notices.append(notice)
    if not any("Hewlett-Packard" in n for n in notices) or not any("Silicon Graphics" in n for n in notices):
        raise NoticeError(f"the C++ library's headers in {folder} carry no Hewlett-Packard or Silicon Graphics notice")
    return notices


def component_notices(key, inputs, written, compiler):
    """The notices section and the bill's record of one component. Terms
    already in WRITTEN (text to the component that gave it) are referred to.
    The headers are the ones COMPILER reads."""
    details = COMPONENT_DETAILS[key]
    package = details["package"]
    copyright_file = f"/usr/share/doc/{package}/copyright"
    version, architecture = package_details(package)
    sources = sorted(set(inputs.values()))
    if "terms" in details:
        terms = marked_terms(copyright_file, *details["terms"])
        parts = [f"License: {EXPRESSION_NAMES[details['spdx']]} ({details['spdx']})\n\n"
                 + (f"The same terms as for {written[terms]} above." if terms in written else terms)]
        written.setdefault(terms, details["name"])
        licences = [{"expression": details["spdx"]}]
    else:
        parts, synopses = dep5_notices(copyright_file, sources)
        licences = [{"license": {"id": SPDX_LICENCES[s][0]}} if s in SPDX_LICENCES else {"license": {"name": s}}
                    for s in synopses]
    if details.get("headers"):
        headers = cxx_headers(compiler)
        parts.append(f"The C++ library's headers ({headers}), from which the program's templates "
                     "are compiled,\nalso carry these notices:\n\n" + "\n\n".join(header_notices(headers)))
    archives = sorted({os.path.basename(path) for path, _ in inputs})
    heading = (f"{details['name']}\nDebian package {package}, version {version}\n"
               f"Linked from: {', '.join(archives)} ({len(inputs)} objects)\nFrom {copyright_file}:")
    record = {"name": details["name"], "package": package, "version": version, "supplier": SUPPLIERS[key],
              "purl": purl(package, version, architecture), "licenses": licences, "objects": len(inputs)}
    return heading + "\n\n" + "\n\n".join(parts), record


def write_notices(link_map_path, output, own_folders, identity, compiler, release):
    targets = [os.path.join(output, NOTICES), os.path.join(output, COMPONENTS)]
    for target in targets:
        if os.path.exists(target):
            os.remove(target)
    with open(link_map_path, encoding="utf-8", errors="replace") as f:
        link_map = f.read()
    by_component, unreviewed = {}, []
    for path, member in outside_inputs(link_map, own_folders):
        try:
            component, source = map_input(path, member)
        except UnmappedInput as error:
            # Only a release must be sure of its notices; any other build is
            # still shown and tested with a compiler whose members are new.
            if release:
                raise
            print(f"third_party.py notices: warning: {error}; until then the notices list it as not yet "
                  "reviewed, and a release stops", file=sys.stderr)
            unreviewed.append(error.described)
            continue
        expected = COMPONENT_DETAILS[component]["package"]
        owner = package_of(path)
        if owner != expected:
            raise NoticeError(f"{path} comes from the Debian package {owner}, not {expected} as the row for it says")
        by_component.setdefault(component, {})[(path, member)] = source
    if not by_component and not unreviewed:
        raise NoticeError(f"{link_map_path} names nothing from outside the project: not the program's link map?")
    rule = "=" * 72
    sections, records, uses_gpl, written = [], [], False, {}
    for key in COMPONENT_DETAILS:
        if key in by_component:
            text, record = component_notices(key, by_component[key], written, compiler)
            sections.append(f"{rule}\n{text}")
            records.append(record)
            uses_gpl |= "terms" in COMPONENT_DETAILS[key]
    if unreviewed:
        sections.append(f"{rule}\nNot yet reviewed\n\n" + textwrap.fill(
            "This build is not a release. Its link also took in the files below, whose licence has not yet been "
            "read for these notices; a release stops until it has.", 78) + "\n\n" + "\n".join(unreviewed))
    with open(GPL_3, encoding="utf-8") as f:
        gpl = f.read().strip() if uses_gpl else ""
    introduction = f"Third-party notices for {identity['title']}\n\n" + textwrap.fill(
        f"{identity['product']} is made by {identity['maker']} and licensed under the Apache License 2.0 "
        "(Apache-2.0). The program also holds code of the components below, which the compiler links into it "
        "from the build machine's Debian packages. Each section names a component, its package and version, "
        "and gives the notices that the package ships with it, unchanged.", 78)
    text = "\n\n".join([introduction] + sections + ([f"{rule}\nThe GNU General Public License, version 3, "
                                                      f"from {GPL_3}:\n\n{gpl}"] if gpl else [])) + "\n"
    os.makedirs(output, exist_ok=True)
    contents = [text, json.dumps(records, indent=2, sort_keys=True) + "\n"]
    try:
        for target, content in zip(targets, contents):
            with open(target + ".part", "w", encoding="utf-8", newline="\n") as f:
                f.write(content)
        for target in targets:
            os.replace(target + ".part", target)
    finally:
        for target in targets:
            if os.path.exists(target + ".part"):
                os.remove(target + ".part")
    return records, len(text.encode())


def file_hashes(path):
    with open(path, "rb") as f:
        data = f.read()
    return [{"alg": "SHA-256", "content": hashlib.sha256(data).hexdigest()},
            {"alg": "SHA-512", "content": hashlib.sha512(data).hexdigest()}]


def program_version(path):
    """The program's file version, from the fixed part of its version block."""
    with open(path, "rb") as f:
        data = f.read()
    key = "VS_VERSION_INFO\0".encode("utf-16-le") + b"\0\0" + (0xFEEF04BD).to_bytes(4, "little")
    found = data.find(key)
    if found < 0:
        raise NoticeError(f"{path} carries no version block")
    high, low = (int.from_bytes(data[found + len(key) + 4 + 4 * i:][:4], "little") for i in range(2))
    return f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"


def tool(name, package, description):
    version, architecture = package_details(package)
    return {"type": "application", "name": name, "description": description, "version": version,
            "purl": purl(package, version, architecture)}


def write_bom(components_path, program, package, output, signed, identity):
    with open(components_path, encoding="utf-8") as f:
        linked = json.load(f)
    epoch = os.environ.get("SOURCE_DATE_EPOCH", "")
    version = program_version(program)
    a, b, c, d = (int(n) for n in version.split("."))
    maker = {"name": identity["maker"], "url": [identity["site"]]}
    installed_name = identity["installed_name"]
    own_licence = [{"license": {"id": "Apache-2.0"}}]
    libraries = [{"type": "library", "bom-ref": record["purl"], "name": record["name"], "version": record["version"],
                  "purl": record["purl"], "licenses": record["licenses"], "supplier": record["supplier"],
                  "description": f"{record['objects']} objects linked from Debian package {record['package']}"}
                 for record in linked]
    program_name, package_name = os.path.basename(program), os.path.basename(package)
    tools = [tool("x86_64-w64-mingw32-g++-win32", "g++-mingw-w64-x86-64-win32", "MinGW-w64 GCC, the compiler"),
             tool("x86_64-w64-mingw32-ld", "binutils-mingw-w64-x86-64", "GNU binutils, the linker"),
             tool("wixl", "wixl", "builds the Windows Installer package")]
    if signed:
        tools.append(tool("osslsigncode", "osslsigncode", "signs the program and the package"))
    bom = {
        "$schema": "http://cyclonedx.org/schema/bom-1.6.schema.json",
        "bomFormat": "CycloneDX", "specVersion": "1.6", "version": 1,
        "metadata": {
            "lifecycles": [{"phase": "build"}],
            "tools": {"components": tools},
            "component": {"type": "application", "bom-ref": "release", "name": identity["product"], "version": version,
                          "supplier": maker, "manufacturer": maker, "licenses": own_licence,
                          "description": f"The release of {identity['title']}: the program and its Windows "
                                         "Installer package" + (", both signed" if signed else "")},
            "supplier": maker,
        },
        "components": [
            {"type": "application", "bom-ref": program_name, "name": program_name, "version": version,
             "supplier": maker, "licenses": own_licence, "hashes": file_hashes(program),
             "description": "The screen saver, which installs itself when run"},
            {"type": "application", "bom-ref": package_name, "name": package_name,
             "version": f"{a}.{b}.{c * 1000 + d}", "supplier": maker, "licenses": own_licence,
             "hashes": file_hashes(package), "description": "The Windows Installer package for administrators",
             "components": [{"type": "application", "bom-ref": f"{package_name}/{installed_name}",
                             "name": installed_name, "version": version, "supplier": maker,
                             "licenses": own_licence, "hashes": file_hashes(program),
                             "description": f"{program_name} as the package installs it into the Windows folder"}]},
        ] + libraries,
        "dependencies": [
            {"ref": "release", "dependsOn": [program_name, package_name]},
            {"ref": program_name, "dependsOn": [library["bom-ref"] for library in libraries]},
            {"ref": package_name, "dependsOn": [f"{package_name}/{installed_name}"]},
            {"ref": f"{package_name}/{installed_name}", "dependsOn": [library["bom-ref"] for library in libraries]},
        ] + [{"ref": library["bom-ref"]} for library in libraries],
    }
    if epoch:
        bom["metadata"]["timestamp"] = time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(int(epoch)))
    # The serial number names this bill among all others; derived from the
    # content, it is the same whenever the same release is described.
    content = json.dumps(bom, sort_keys=True, separators=(",", ":"))
    bom["serialNumber"] = "urn:uuid:" + str(uuid.uuid5(uuid.NAMESPACE_URL, identity["site"] + "bom/" + content))
    text = json.dumps(bom, indent=2) + "\n"
    try:
        with open(output + ".part", "w", encoding="utf-8", newline="\n") as f:
            f.write(text)
        os.replace(output + ".part", output)
    finally:
        if os.path.exists(output + ".part"):
            os.remove(output + ".part")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    # The product's name, maker and site, as the build wrote them (identity.json).
    common = argparse.ArgumentParser(add_help=False)
    common.add_argument("--identity", required=True, help="the build's identity.json")
    commands = parser.add_subparsers(dest="command", required=True)
    notices = commands.add_parser("notices", parents=[common])
    notices.add_argument("link_map")
    notices.add_argument("output")
    notices.add_argument("--own", action="append", default=[], help="a folder whose files are the project's")
    notices.add_argument("--compiler", default=COMPILER, help="the C++ compiler that built the program")
    notices.add_argument("--not-a-release", action="store_true",
                         help="warn of a member that maps to no component and list it as not yet reviewed")
    bom = commands.add_parser("bom", parents=[common])
    for name in ("components", "program", "package", "output"):
        bom.add_argument(name)
    bom.add_argument("--signed", action="store_true")
    arguments = parser.parse_args()
    try:
        with open(arguments.identity, encoding="utf-8") as f:
            identity = json.load(f)
        if arguments.command == "notices":
            records, size = write_notices(arguments.link_map, arguments.output,
                                          [os.path.abspath(f) for f in arguments.own], identity,
                                          arguments.compiler, release=not arguments.not_a_release)
            print(f"{NOTICES}: {size} bytes, " + "; ".join(f"{r['name']} {r['version']} ({r['objects']} objects)"
                                                          for r in records))
        else:
            write_bom(arguments.components, arguments.program, arguments.package, arguments.output, arguments.signed,
                      identity)
    except (NoticeError, OSError, ValueError) as error:
        print(f"third_party.py {arguments.command}: {error}", file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()
