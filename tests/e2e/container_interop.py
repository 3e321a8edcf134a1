"""Opens vantor.dat with an independent compound-file reader: every model has its
stream, and each stream is one zlib stream holding a description text."""
import sys
import zlib

import olefile

EXPECTED = [f"kq-{n:02d}.tree" for n in list(range(1, 14)) + list(range(15, 25))]

container = olefile.OleFileIO(sys.argv[1])
names = sorted(entry[0] for entry in container.listdir())
if names != EXPECTED:
    sys.exit(f"streams {names} are not {EXPECTED}")
for name in EXPECTED:
    text = zlib.decompress(container.openstream(name).read()).decode("cp1251")
    if not text.startswith("; KQ-"):
        sys.exit(f"{name} does not start with its model comment: {text[:40]!r}")
print(f"{len(EXPECTED)} streams read")
