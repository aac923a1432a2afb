#!/usr/bin/python3
"""A slow stick without a write cache, as a FUSE file system over a backing folder:
every write takes as long as the stick would need for its bytes at the given speed,
and returns only then. Mounted with direct_io, so no page cache stands in between.

    slow_stick.py MOUNTPOINT --backing FOLDER [--mbps 8]
"""
import argparse
import os
import sys
import time

from fusepy import FUSE

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from passthrough_stick import PassThroughStick  # noqa: E402


class SlowStick(PassThroughStick):
    def __init__(self, backing, bytes_per_second):
        super().__init__(backing)
        self.rate = bytes_per_second

    def write(self, path, data, offset, fh):
        start = time.monotonic()
        n = super().write(path, data, offset, fh)
        rest = len(data) / self.rate - (time.monotonic() - start)
        if rest > 0:
            time.sleep(rest)
        return n


def main():
    args = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    args.add_argument("mountpoint")
    args.add_argument("--backing", required=True)
    args.add_argument("--mbps", type=float, default=8)
    a = args.parse_args()
    FUSE(SlowStick(a.backing, a.mbps * 1e6), a.mountpoint,
         foreground=True, nothreads=True, direct_io=True, big_writes=True)


if __name__ == "__main__":
    main()
