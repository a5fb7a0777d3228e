"""Validates a report against docs/report.xsd.

    problems(report_bytes) -> list of messages, empty when the report is valid

The report declares encoding="Shift_JIS" but is code page 932 as Windows writes it (a full-width
quote or apostrophe is 0xFA57 or 0xFA56, which a strict Shift_JIS decoder refuses), so the bytes are
decoded as CP932 and parsed with the declaration naming UTF-8. Needs lxml (Debian: python3-lxml).
"""

import re
from pathlib import Path

from lxml import etree

SCHEMA_FILE = Path(__file__).resolve().parent.parent / "docs" / "report.xsd"
DECLARED_ENCODING = re.compile(r'\A(<\?xml[^>]*?encoding=)(["\'])[^"\']*\2')
CONTROL = re.compile(r"[\x00-\x1f\x7f-\x9f]")  # shown escaped, so that a message stays one line
_schema = None


def problems(report_bytes):
    global _schema
    if _schema is None:
        _schema = etree.XMLSchema(etree.parse(str(SCHEMA_FILE)))
    try:
        text = report_bytes.decode("cp932")
    except UnicodeDecodeError as error:
        return [f"not code page 932 at byte {error.start}: {error.reason}"]
    text = DECLARED_ENCODING.sub(r"\1\2UTF-8\2", text, count=1)
    parser = etree.XMLParser(resolve_entities=False, no_network=True, huge_tree=True)
    try:
        document = etree.fromstring(text.encode("utf-8"), parser)
    except etree.XMLSyntaxError as error:
        return [f"not well-formed: {error}"]
    if _schema.validate(document):
        return []
    return [f"line {e.line}: " + CONTROL.sub(lambda c: f"\\x{ord(c.group()):02x}", e.message)
            for e in _schema.error_log]
