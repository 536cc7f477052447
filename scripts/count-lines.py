#!/usr/bin/env python3
"""Counts the lines of code of the product and of its tests, and the ratio of the two.

A line counts when it holds something other than blanks and comments (// and /* */; string and
character literals, raw strings included, are code). Only C and C++ files count. The product is
src (without the generated tables: the built-in sites and phrases, the fold table) and tools; the tests are the five test folders.
Benchmarks and fuzzers count on neither side.

usage: scripts/count-lines.py        (from anywhere inside the repository)
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EXTENSIONS = (".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp", ".inl")
PRODUCT = ["src", "tools"]
PRODUCT_EXCLUDED = {
    "src/rules/builtin_sites.cpp",
    "src/rules/builtin_phrases.cpp",
    "src/text/fold_table.cpp",
}
TESTS = ["tests/unit", "tests/fakes", "tests/win", "tests/e2e", "tests/helpers"]
RAW_STRING = re.compile(r'R"([^(\s\\]{0,16})\(')


def code_lines(text):
    """Number of lines that hold code once comments and blanks are taken away."""
    count = 0
    has_code = False
    in_block = False
    i, end = 0, len(text)
    while i < end:
        c = text[i]
        if c == "\n":
            count += has_code
            has_code = False
            i += 1
        elif in_block:
            if text.startswith("*/", i):
                in_block = False
                i += 2
            else:
                i += 1
        elif text.startswith("//", i):
            j = text.find("\n", i)
            i = end if j < 0 else j
        elif text.startswith("/*", i):
            in_block = True
            i += 2
        elif c in " \t\r\f\v":
            i += 1
        else:
            has_code = True
            raw = RAW_STRING.match(text, i) if c == "R" else None
            if raw:
                close = text.find(")" + raw.group(1) + '"', raw.end())
                stop = end if close < 0 else close + len(raw.group(1)) + 2
                count += text.count("\n", i, stop)
                i = stop
            elif c in "\"'":
                i += 1
                while i < end and text[i] not in (c, "\n"):
                    i += 2 if text[i] == "\\" else 1
                i += 1
            else:
                i += 1
    return count + has_code


def folder_lines(folder, excluded=()):
    total = 0
    for directory, subdirs, files in os.walk(os.path.join(ROOT, folder)):
        subdirs.sort()
        for name in sorted(files):
            path = os.path.join(directory, name)
            relative = os.path.relpath(path, ROOT).replace(os.sep, "/")
            if name.endswith(EXTENSIONS) and relative not in excluded:
                with open(path, encoding="utf-8", errors="replace") as f:
                    total += code_lines(f.read())
    return total


def side(title, folders, excluded=()):
    print(title)
    total = 0
    for folder in folders:
        lines = folder_lines(folder, excluded)
        total += lines
        print(f"  {lines:7d}  {folder}")
    print(f"  {total:7d}  total")
    return total


def main():
    product = side("product", PRODUCT, PRODUCT_EXCLUDED)
    tests = side("tests", TESTS)
    print(f"tests / product = {tests / product:.2f}" if product else "no product lines")
    return 0


if __name__ == "__main__":
    sys.exit(main())
