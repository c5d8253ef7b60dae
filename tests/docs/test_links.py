#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Quillon Solutions
# SPDX-License-Identifier: Apache-2.0

"""Every relative link of every Markdown file of the source tree leads somewhere:
to a file or folder that exists and, where the link names a heading
(file.md#heading), to a heading of that file. Links with a scheme (https:,
mailto:) are left alone: the tests reach no network.

Environment: FROSTLANE_SOURCE (the source tree)."""
import os
import re
import subprocess
import unittest
import urllib.parse

SOURCE = os.path.abspath(os.environ.get("FROSTLANE_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..")))
LEFT_OUT = {".git", "build", "dist", "node_modules"}
# [text](target) and ![text](target), the target up to a blank or the closing parenthesis.
INLINE_LINK = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")
REFERENCE_LINK = re.compile(r"^\s{0,3}\[[^\]]+\]:\s*<?(\S+?)>?(?:\s|$)", re.M)
FENCE = re.compile(r"^\s*(```|~~~).*?^\s*\1", re.M | re.S)
CODE_SPAN = re.compile(r"`[^`\n]*`")


def markdown_files():
    try:
        listing = subprocess.run(["git", "-C", SOURCE, "ls-files", "-z", "--cached", "--others", "--exclude-standard",
                                  "*.md"], capture_output=True, check=True).stdout.decode()
        return sorted(name for name in listing.split("\0") if name and os.path.isfile(os.path.join(SOURCE, name)))
    except (OSError, subprocess.CalledProcessError):
        found = []
        for folder, subfolders, names in os.walk(SOURCE):
            subfolders[:] = [name for name in subfolders if name not in LEFT_OUT]
            found += [os.path.relpath(os.path.join(folder, n), SOURCE) for n in names if n.endswith(".md")]
        return sorted(found)


def prose(text):
    """The text without code blocks and code spans, where brackets are code."""
    return CODE_SPAN.sub("", FENCE.sub("", text))


def heading_anchors(text):
    """The anchors a renderer gives the headings: lower case, punctuation dropped,
    blanks made hyphens, a repeated one numbered."""
    anchors, seen = set(), {}
    for heading in re.findall(r"^#{1,6}\s+(.*?)\s*#*\s*$", FENCE.sub("", text), re.M):
        slug = re.sub(r"[^\w\- ]", "", heading.replace("`", "").lower()).replace(" ", "-")
        count = seen.get(slug, 0)
        seen[slug] = count + 1
        anchors.add(slug if count == 0 else f"{slug}-{count}")
    return anchors


def links(name):
    """The link targets of a Markdown file, outside code."""
    with open(os.path.join(SOURCE, name), encoding="utf-8") as f:
        text = prose(f.read())
    return INLINE_LINK.findall(text) + REFERENCE_LINK.findall(text)


def broken_links(name):
    broken = []
    for target in links(name):
        parts = urllib.parse.urlsplit(target)
        if parts.scheme or parts.netloc:
            continue
        path = urllib.parse.unquote(parts.path)
        resolved = os.path.normpath(os.path.join(SOURCE, os.path.dirname(name), path)) if path else \
            os.path.join(SOURCE, name)
        if not resolved.startswith(SOURCE + os.sep) or not os.path.exists(resolved):
            broken.append(f"{name}: {target} (no such file)")
        elif parts.fragment and resolved.endswith(".md"):
            with open(resolved, encoding="utf-8") as f:
                if parts.fragment not in heading_anchors(f.read()):
                    broken.append(f"{name}: {target} (no such heading)")
    return broken


class MarkdownLinks(unittest.TestCase):
    def test_every_relative_link_resolves(self):
        files = markdown_files()
        # The README's links are found, so a checker that finds none fails here.
        self.assertIn("LICENSE", links("README.md"))
        self.assertEqual([link for name in files for link in broken_links(name)], [])


if __name__ == "__main__":
    unittest.main()
