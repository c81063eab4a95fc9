#!/usr/bin/env python3
"""Checks the documentation's relative links: every link and picture in
README.md and docs/*.md that names a file must find it, and a link to a
heading (#anchor) must find that heading in its page, as GitHub names
headings. Links to web addresses are not followed; code is not read.

usage: scripts/check-links.py [FILE.md...]    (default: README.md docs/*.md)
"""
import glob
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LINK = re.compile(r"!?\[(?:[^\]\\]|\\.)*\]\(\s*<?([^)\s>]*)>?(?:\s+\"[^\"]*\")?\s*\)")
FENCE = re.compile(r"^\s*(```|~~~)")


def prose(text):
    """The page without fenced blocks and inline code, line by line."""
    inside = False
    for number, line in enumerate(text.split("\n"), 1):
        if FENCE.match(line):
            inside = not inside
            continue
        if not inside:
            yield number, re.sub(r"`[^`]*`", "", line)


def anchor(heading):
    """GitHub's anchor for a heading: lower case, punctuation dropped
    (hyphens and underscores kept), each space a hyphen."""
    text = re.sub(r"`|\*|_(?=\W)|(?<=\W)_", "", heading.strip().lower())
    text = re.sub(r"[^\w\- ]", "", text)
    return text.replace(" ", "-")


def anchors(path, cache={}):
    if path not in cache:
        seen, found = {}, set()
        with open(path, encoding="utf-8") as f:
            for _, line in prose(f.read()):
                m = re.match(r"^#{1,6}\s+(.*?)\s*#*\s*$", line)
                if m:
                    a = anchor(m.group(1))
                    n = seen.get(a, 0)
                    seen[a] = n + 1
                    found.add(a if n == 0 else "%s-%d" % (a, n))
        cache[path] = found
    return cache[path]


def check(page):
    faults, count = [], 0
    with open(page, encoding="utf-8") as f:
        text = f.read()
    for number, line in prose(text):
        for m in LINK.finditer(line):
            target = m.group(1)
            if not target or re.match(r"^[a-z][a-z0-9+.-]*:", target, re.I):
                continue  # a web address or mail
            count += 1
            path, _, fragment = target.partition("#")
            where = "%s:%d: %s" % (os.path.relpath(page, ROOT), number, target)
            full = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
            if not os.path.exists(full):
                faults.append(where + ": no such file")
            elif fragment and full.endswith(".md") and fragment not in anchors(full):
                faults.append(where + ": no such heading")
    return count, faults


def main():
    pages = sys.argv[1:] or [os.path.join(ROOT, "README.md")] + sorted(glob.glob(os.path.join(ROOT, "docs", "*.md")))
    total, faults = 0, []
    for page in pages:
        count, found = check(os.path.abspath(page))
        total += count
        faults += found
    for fault in faults:
        print(fault)
    print("check-links: %d relative links in %d pages, %d broken" % (total, len(pages), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
