#!/usr/bin/python3
"""A stick whose flash is wearing out, as a FUSE file system over a backing folder.

Everything is passed through to the backing folder, except reads of the files chosen
by name: a "flip" file reads back with one byte changed (the byte in the middle of the
file), a "fail" file gives an I/O error for every read that reaches its second half.
Files are chosen by shell patterns on their name, matched without regard to case,
given on the command line or written into a control file, one "flip PATTERN" or
"fail PATTERN" a line, which is read again whenever a file is opened.

    failing_stick.py MOUNTPOINT --backing FOLDER [--control FILE] [--flip PATTERN] [--fail PATTERN]

Mounted with direct_io, so every read reaches this code and no page cache answers
for the stick.
"""
import argparse
import errno
import fnmatch
import os
import sys

from fusepy import FUSE, FuseOSError

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from passthrough_stick import PassThroughStick  # noqa: E402


class FailingStick(PassThroughStick):
    def __init__(self, backing, control, flip, fail):
        super().__init__(backing)
        self.control = control
        self.given = [("flip", p) for p in flip] + [("fail", p) for p in fail]
        self.faults = {}  # open handle -> "flip", "fail" or None

    def _fault_for(self, path):
        rules = list(self.given)
        if self.control and os.path.exists(self.control):
            with open(self.control, encoding="utf-8") as f:
                rules += [tuple(line.split(None, 1)) for line in f if len(line.split(None, 1)) == 2]
        name = os.path.basename(path).lower()
        for kind, pattern in rules:
            if fnmatch.fnmatchcase(name, pattern.strip().lower()):
                return kind
        return None

    def _opened(self, path, fh):
        self.faults[fh] = self._fault_for(path)
        return fh

    def create(self, path, mode, fi=None):
        return self._opened(path, super().create(path, mode, fi))

    def open(self, path, flags):
        return self._opened(path, super().open(path, flags))

    def read(self, path, size, offset, fh):
        data = bytearray(super().read(path, size, offset, fh))
        fault = self.faults.get(fh)
        if fault:
            middle = os.fstat(fh).st_size // 2
            if fault == "fail" and offset + size > middle:
                raise FuseOSError(errno.EIO)
            if fault == "flip" and offset <= middle < offset + len(data):
                data[middle - offset] ^= 0xFF
        return bytes(data)

    def release(self, path, fh):
        self.faults.pop(fh, None)
        super().release(path, fh)


def main():
    args = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    args.add_argument("mountpoint")
    args.add_argument("--backing", required=True)
    args.add_argument("--control")
    args.add_argument("--flip", action="append", default=[])
    args.add_argument("--fail", action="append", default=[])
    a = args.parse_args()
    FUSE(FailingStick(a.backing, a.control, a.flip, a.fail), a.mountpoint,
         foreground=True, nothreads=True, direct_io=True, big_writes=True)


if __name__ == "__main__":
    main()
