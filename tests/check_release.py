#!/usr/bin/env python3
"""Static checks of the shipped 32-bit Update.exe: what it is, what it needs, what it carries.

usage: check_release.py UPDATE_EXE OBJDUMP
Prints one line a check and 'N passed, N failed'; exits non-zero when any check fails.
"""
import re
import struct
import subprocess
import sys

SIZE_BUDGET = 40 * 1024
ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "advapi32.dll", "msvcrt.dll"}
US_ENGLISH = 1033
RT = {"ICON": 3, "MENU": 4, "DIALOG": 5, "STRING": 6, "ACCELERATOR": 9, "GROUP_ICON": 14,
      "VERSION": 16}


def pe_headers(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0"
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem_major, subsystem_minor = struct.unpack_from("<HH", data, optional + 48)
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    table = []
    for i in range(sections):
        at = optional + optional_size + 40 * i
        name = data[at:at + 8].rstrip(b"\0").decode()
        vsize, vaddr, rawsize, rawptr = struct.unpack_from("<IIII", data, at + 8)
        table.append((name, vaddr, vsize, rawptr, rawsize))
    rsrc_rva = struct.unpack_from("<I", data, optional + 96 + 8 * 2)[0]
    symbols = struct.unpack_from("<I", data, pe + 12)[0]
    return machine, magic, subsystem, (subsystem_major, subsystem_minor), table, rsrc_rva, symbols


def rva_to_offset(table, rva):
    for _, vaddr, vsize, rawptr, rawsize in table:
        if vaddr <= rva < vaddr + max(vsize, rawsize):
            return rawptr + rva - vaddr
    raise ValueError("rva outside every section")


def resources(data, table, rsrc_rva):
    """(type, name, language) -> size, with names as ints or strings."""
    if not rsrc_rva:
        return {}
    base = rva_to_offset(table, rsrc_rva)

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * i)
            if name & 0x80000000:
                at = base + (name & 0x7FFFFFFF)
                length = struct.unpack_from("<H", data, at)[0]
                name = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield name, target

    found = {}
    for rtype, t in entries(0):
        for rname, n in entries(t & 0x7FFFFFFF):
            for lang, leaf in entries(n & 0x7FFFFFFF):
                size = struct.unpack_from("<I", data, base + leaf + 4)[0]
                found[(rtype, rname, lang)] = size
    return found


def main():
    path, objdump = sys.argv[1], sys.argv[2]
    data = open(path, "rb").read()
    machine, magic, subsystem, version, table, rsrc_rva, symbols = pe_headers(data)
    dump = subprocess.run([objdump, "-p", path], capture_output=True, text=True, check=True).stdout
    dlls = {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}
    found = resources(data, table, rsrc_rva)

    def has(rtype, name):
        return (RT.get(rtype, rtype), name, US_ENGLISH) in found

    checks = [
        ("machine is Intel 386 (PE32)", machine == 0x14C and magic == 0x10B),
        ("Windows GUI subsystem", subsystem == 2),
        ("subsystem version 4.0", version == (4, 0)),
        (f"size {len(data)} bytes within {SIZE_BUDGET}", len(data) <= SIZE_BUDGET),
        (f"imports only {sorted(ALLOWED_DLLS)}: {sorted(dlls)}", dlls and dlls <= ALLOWED_DLLS),
        ("no symbol table (stripped)", symbols == 0),
        ("icon group 107", has("GROUP_ICON", 107)),
        ("five icon images", sum(1 for k in found if k[0] == RT["ICON"]) == 5),
        ("menu 109", has("MENU", 109)),
        ("accelerators 109", has("ACCELERATOR", 109)),
        ("string blocks of ids 96-111, 112-127, 2000-2015",
         all(has("STRING", block) for block in (7, 8, 126))),
        ("version block", has("VERSION", 1)),
        ("About dialog 103", has("DIALOG", 103)),
        ("capture profile TEXTFILE 1001, 8007 bytes",
         found.get(("TEXTFILE", 1001, US_ENGLISH)) == 8007),
        ("every resource in US English", all(k[2] == US_ENGLISH for k in found)),
    ]
    failed = 0
    for name, ok in checks:
        print(("ok     " if ok else "FAILED ") + name)
        failed += 0 if ok else 1
    print(f"release: {len(checks) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
