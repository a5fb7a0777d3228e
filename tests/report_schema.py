"""Validates a report against docs/report.xsd with libxml2 (xmllint, Debian: libxml2-utils).

The report declares encoding="Shift_JIS" but is code page 932 as Windows writes it (a full-width
quote or apostrophe is 0xFA57 or 0xFA56, which a strict Shift_JIS decoder refuses), so the bytes are
decoded as CP932 and handed to xmllint as UTF-8 with the declaration saying so.
"""

import re
import subprocess
from pathlib import Path

SCHEMA_FILE = Path(__file__).resolve().parent.parent / "docs" / "report.xsd"


def problems(report_bytes):
    """xmllint's messages about the report; empty when it is valid."""
    try:
        text = re.sub(r'\A(<\?xml[^>]*?encoding=)(["\'])[^"\']*\2', r"\1\2UTF-8\2", report_bytes.decode("cp932"))
    except UnicodeDecodeError as error:
        return [f"not code page 932 at byte {error.start}: {error.reason}"]
    result = subprocess.run(["xmllint", "--noout", "--huge", "--nonet", "--schema", str(SCHEMA_FILE), "-"],
                            input=text.encode("utf-8"), capture_output=True, check=False)
    lines = [line for line in result.stderr.decode("utf-8", "replace").splitlines() if line]
    return [] if result.returncode == 0 else [line for line in lines if not line.endswith("fails to validate")] or [
        f"xmllint exit {result.returncode}"]


if __name__ == "__main__":  # report_schema.py REPORT...: each report's problems; exit 1 when any has one
    import sys
    found = [f"{name}: {problem}" for name in sys.argv[1:] for problem in problems(Path(name).read_bytes())]
    print("\n".join(found or [f"{len(sys.argv) - 1} reports valid"]))
    sys.exit(1 if found else 0)
