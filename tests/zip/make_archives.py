# Makes the test archives of the ZIP reader with Python's zipfile, and a few
# hand-built ones, into the folder given as the only argument.
import io
import os
import struct
import sys
import zipfile
import zlib

out = sys.argv[1]
text = b"Zakon o radu\r\n" * 400
binary = bytes(range(256)) * 40


def path(name):
    return os.path.join(out, name)


def make(name, method, entries, comment=b""):
    with zipfile.ZipFile(path(name), "w", method) as z:
        for entry_name, data, *rest in entries:
            z.writestr(entry_name, data, compress_type=rest[0] if rest else method)
        z.comment = comment


make("stored.zip", zipfile.ZIP_STORED, [("TB_Zakoni.DB", text)])
make("deflate.zip", zipfile.ZIP_DEFLATED, [("TB_Zakoni.DB", text)])
make("bzip2.zip", zipfile.ZIP_BZIP2, [("TB_Zakoni.DB", text)])
make("mixed.zip", zipfile.ZIP_DEFLATED,
     [("a.txt", text, zipfile.ZIP_STORED), ("sub/", b""), ("sub/b.bin", binary, zipfile.ZIP_BZIP2),
      ("c.txt", b"", zipfile.ZIP_DEFLATED)],
     comment=b"Trevion izmene")
make("lzma.zip", zipfile.ZIP_LZMA, [("TB_Zakoni.DB", text)])
make("empty.zip", zipfile.ZIP_STORED, [])

# Streamed: the writer cannot seek, so sizes follow the data in descriptors.
class Stream:
    def __init__(self, f):
        self.f = f

    def write(self, b):
        return self.f.write(b)

    def flush(self):
        pass

for name, method in (("streamed.zip", zipfile.ZIP_DEFLATED), ("streamed_stored.zip", zipfile.ZIP_STORED),
                     ("streamed_bzip2.zip", zipfile.ZIP_BZIP2)):
    with open(path(name), "wb") as f:
        with zipfile.ZipFile(Stream(f), "w", method) as z:
            z.writestr("TB_Zakoni.DB", text)
            z.writestr("b.bin", binary)

with zipfile.ZipFile(path("zip64.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    with z.open("TB_Zakoni.DB", "w", force_zip64=True) as e:
        e.write(text)
    with z.open("b.bin", "w", force_zip64=True) as e:
        e.write(binary)


def damage_central(name, damaged):
    data = bytearray(open(path(name), "rb").read())
    at = data.rfind(b"PK\x01\x02")
    data[at:at + 4] = b"XXXX"
    open(path(damaged), "wb").write(bytes(data))


damage_central("mixed.zip", "damaged_central.zip")
damage_central("streamed.zip", "damaged_streamed.zip")
damage_central("streamed_stored.zip", "damaged_streamed_stored.zip")

# A stored entry whose data no longer matches its CRC.
data = bytearray(open(path("stored.zip"), "rb").read())
data[50] ^= 0xFF  # inside the data, after the 42-byte header
open(path("crc.zip"), "wb").write(bytes(data))

# Encrypted flag set on a stored entry (local and central headers).
data = bytearray(open(path("stored.zip"), "rb").read())
data[6] |= 1
at = data.rfind(b"PK\x01\x02")
data[at + 8] |= 1
open(path("encrypted.zip"), "wb").write(bytes(data))

for name, entry in (("slip_parent.zip", "../evil.txt"), ("slip_absolute.zip", "/tmp/evil.txt"),
                    ("slip_drive.zip", "C:/evil.txt"), ("slip_backslash.zip", "a\\..\\..\\evil.txt"),
                    ("slip_nested.zip", "sub/../../evil.txt")):
    with zipfile.ZipFile(path(name), "w") as z:
        z.writestr("first.txt", b"first")
        z.writestr(zipfile.ZipInfo(entry), b"evil")


def raw_archive(name, entry, stored_data, method, crc, size, zip64_size=None):
    """One entry with the given declared size, built by hand."""
    extra = b""
    csize, usize = len(stored_data), size
    if zip64_size is not None:
        extra = struct.pack("<HHQQ", 1, 16, zip64_size, len(stored_data))
        csize, usize = 0xFFFFFFFF, 0xFFFFFFFF
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 45, 0, method, 0, 0x2821, crc, csize, usize,
                        len(entry), len(extra)) + entry + extra
    central = struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 45, 45, 0, method, 0, 0x2821, crc,
                          csize, usize, len(entry), len(extra), 0, 0, 0, 0, 0) + entry + extra
    offset = len(local) + len(stored_data)
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 1, 1, len(central), offset, 0)
    open(path(name), "wb").write(local + stored_data + central + end)


zeros = b"\0" * (4 << 20)
packed = zlib.compressobj(9, zlib.DEFLATED, -15)
packed = packed.compress(zeros) + packed.flush()
# Declares a terabyte: refused before anything is written.
raw_archive("bomb_declared.zip", b"bomb.bin", packed, 8, zlib.crc32(zeros), 0, zip64_size=1 << 40)
# Declares 100 bytes but inflates to 4 MiB: never written past 100 bytes.
raw_archive("bomb_small.zip", b"bomb.bin", packed, 8, zlib.crc32(zeros), 100)

open(path("news.txt"), "wb").write(b"Nove izmene zakona\r\n")
