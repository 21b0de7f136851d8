#!/usr/bin/env python3
"""What the shipped Update.exe is made of, beside the floor program built the same way.

usage: size_report.py UPDATE_EXE FLOOR_EXE
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from check_release import pe_headers, resources  # noqa: E402

ICON, GROUP_ICON = 3, 14


def describe(path):
    data = open(path, "rb").read()
    _, _, _, _, table, rsrc_rva, _ = pe_headers(data)
    raw = {name: rawsize for name, _, _, _, rawsize in table}
    found = resources(data, table, rsrc_rva)
    icon = sum(size for (kind, _, _), size in found.items() if kind in (ICON, GROUP_ICON))
    profile = sum(size for (kind, _, _), size in found.items() if kind == "TEXTFILE")
    other = sum(found.values()) - icon - profile
    return {
        "file": len(data),
        "code (.text)": raw.get(".text", 0),
        "data, imports, relocations, headers": len(data) - raw.get(".text", 0) - raw.get(".rsrc", 0),
        "resources (.rsrc, with directory and padding)": raw.get(".rsrc", 0),
        "  icon (5 images and group)": icon,
        "  capture profile": profile,
        "  strings, menu, accelerators, dialog, version": other,
    }


def main():
    update, floor = describe(sys.argv[1]), describe(sys.argv[2])
    print("%-48s %10s %10s" % ("bytes", "Update.exe", "floor"))
    for key in update:
        print("%-48s %10d %10d" % (key, update[key], floor[key]))
    budget = 40 * 1024
    print("budget %d bytes: %d left" % (budget, budget - update["file"]))


if __name__ == "__main__":
    main()
