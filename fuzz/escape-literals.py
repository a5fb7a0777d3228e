#!/usr/bin/env python3
"""Copies the sources the fuzz targets need with every non-ASCII character written as CP932 \\x escapes.

    escape-literals.py SOURCE_ROOT DEST_ROOT

Clang (which AFL++'s persistent mode needs) takes only UTF-8 as its execution character set, so it
cannot turn our UTF-8 literals into the code page 932 bytes the programs write. Written as escapes,
the literals hold exactly the bytes GCC's -fexec-charset=CP932 would give: each character goes through
the same iconv conversion. A hex digit right after an escape would join it, so the literal is split
there ("\\x82\\xa0" "1"). UTF-8 literals (u8"", u8R"()") are UTF-8 under both compilers and stay as
they are; a plain raw literal cannot hold escapes, so one with non-ASCII text is refused. Characters iconv cannot convert can only stand in comments (GCC would refuse
them in a literal) and are left as they are. Files are rewritten only when their content changes, so
the build stays incremental.
"""

import re
import subprocess
import sys
from pathlib import Path

COPIED = ["CMakeLists.txt", "cmake", "src", "hostsim", "fuzz", "tests/unit/support"]
ESCAPED_SUFFIXES = {".cpp", ".h"}
HEX_DIGITS = set("0123456789abcdefABCDEF")
UTF8_LITERAL = re.compile(r'u8R"([^(\s]{0,16})\(.*?\)\1"|u8"(?:[^"\\\n]|\\.)*"', re.DOTALL)
RAW_LITERAL = re.compile(r'(?<![\w])(?:u|U|L)?R"([^(\s]{0,16})\((.*?)\)\1"', re.DOTALL)


def cp932_bytes(characters):
    """Each character's bytes as glibc's iconv converts them, or None where it cannot."""
    result = {}
    for character in characters:
        converted = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=character.encode("utf-8"),
                                   capture_output=True)
        result[character] = converted.stdout if converted.returncode == 0 else None
    return result


def escape(text, table):
    """Escapes outside UTF-8 literals, which are copied unchanged."""
    for raw in RAW_LITERAL.finditer(text):
        if any(ord(c) >= 0x80 for c in raw.group(2)):
            raise SystemExit("escape-literals: a raw literal holds non-ASCII text: " + raw.group(0)[:60])
    out = []
    at = 0
    for literal in UTF8_LITERAL.finditer(text):
        out.append(escape_characters(text[at:literal.start()], table))
        out.append(literal.group(0))
        at = literal.end()
    out.append(escape_characters(text[at:], table))
    return "".join(out)


def escape_characters(text, table):
    out = []
    i = 0
    while i < len(text):
        character = text[i]
        encoded = table.get(character)
        if ord(character) < 0x80 or encoded is None:
            out.append(character)
            i += 1
            continue
        while i < len(text) and table.get(text[i]) is not None and ord(text[i]) >= 0x80:
            out.append("".join("\\x%02x" % b for b in table[text[i]]))
            i += 1
        if i < len(text) and text[i] in HEX_DIGITS:
            out.append('""')
    return "".join(out)


def write_if_changed(path, data):
    if path.exists() and path.read_bytes() == data:
        return
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)


def main():
    source_root, dest_root = Path(sys.argv[1]), Path(sys.argv[2])
    files = []
    for name in COPIED:
        top = source_root / name
        files.extend([top] if top.is_file() else sorted(p for p in top.rglob("*") if p.is_file()))
    texts = {p: p.read_text(encoding="utf-8") for p in files if p.suffix in ESCAPED_SUFFIXES}
    table = cp932_bytes(sorted({c for text in texts.values() for c in text if ord(c) >= 0x80}))
    for path in files:
        target = dest_root / path.relative_to(source_root)
        if path in texts:
            write_if_changed(target, escape(texts[path], table).encode("utf-8"))
        else:
            write_if_changed(target, path.read_bytes())


if __name__ == "__main__":
    main()
