#!/usr/bin/python3
"""pefile over the programs fuzz_set_icon wrote (SET_ICON_OUTPUT_DIR): each
parses, its checksum is what pefile computes, and its resource directory
walks.   usage: check_set_icon_outputs.py DIR"""
import os
import sys

import pefile

bad = 0
names = sorted(os.listdir(sys.argv[1]))
for name in names:
    path = os.path.join(sys.argv[1], name)
    try:
        pe = pefile.PE(path)
        if pe.OPTIONAL_HEADER.CheckSum != pe.generate_checksum():
            raise ValueError("checksum %x, pefile computes %x" % (pe.OPTIONAL_HEADER.CheckSum, pe.generate_checksum()))
        if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
            raise ValueError("no resource directory")
    except Exception as e:  # pefile raises PEFormatError and others
        bad += 1
        print("%s: %s" % (name, e))
print("%d outputs, %d refused by pefile" % (len(names), bad))
sys.exit(1 if bad else 0)
