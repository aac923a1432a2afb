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

from fusepy import FUSE, FuseOSError, Operations


class FailingStick(Operations):
    def __init__(self, backing, control, flip, fail):
        self.backing = os.path.realpath(backing)
        self.control = control
        self.given = [("flip", p) for p in flip] + [("fail", p) for p in fail]
        self.faults = {}  # open handle -> "flip", "fail" or None

    def _real(self, path):
        return os.path.join(self.backing, path.lstrip("/"))

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

    def _call(self, fn, *args):
        try:
            return fn(*args)
        except OSError as e:
            raise FuseOSError(e.errno)

    def getattr(self, path, fh=None):
        st = self._call(os.lstat, self._real(path))
        return {k: getattr(st, k) for k in ("st_mode", "st_nlink", "st_size", "st_uid", "st_gid",
                                            "st_atime", "st_mtime", "st_ctime")}

    def readdir(self, path, fh):
        return [".", ".."] + self._call(os.listdir, self._real(path))

    def statfs(self, path):
        st = self._call(os.statvfs, self._real(path))
        return {k: getattr(st, k) for k in ("f_bsize", "f_frsize", "f_blocks", "f_bfree", "f_bavail",
                                            "f_files", "f_ffree", "f_favail", "f_namemax")}

    def access(self, path, amode):
        self._call(os.lstat, self._real(path))
        return 0

    def chmod(self, path, mode):
        self._call(os.chmod, self._real(path), mode)

    def chown(self, path, uid, gid):
        self._call(os.chown, self._real(path), uid, gid)

    def utimens(self, path, times=None):
        self._call(os.utime, self._real(path), times)

    def mkdir(self, path, mode):
        self._call(os.mkdir, self._real(path), mode)

    def rmdir(self, path):
        self._call(os.rmdir, self._real(path))

    def unlink(self, path):
        self._call(os.unlink, self._real(path))

    def rename(self, old, new):
        self._call(os.rename, self._real(old), self._real(new))

    def truncate(self, path, length, fh=None):
        self._call(os.truncate, self._real(path) if fh is None else fh, length)

    def _opened(self, path, fh):
        self.faults[fh] = self._fault_for(path)
        return fh

    def create(self, path, mode, fi=None):
        return self._opened(path, self._call(os.open, self._real(path), os.O_RDWR | os.O_CREAT | os.O_TRUNC, mode))

    def open(self, path, flags):
        return self._opened(path, self._call(os.open, self._real(path), flags))

    def read(self, path, size, offset, fh):
        data = bytearray(self._call(os.pread, fh, size, offset))
        fault = self.faults.get(fh)
        if fault:
            middle = os.fstat(fh).st_size // 2
            if fault == "fail" and offset + size > middle:
                raise FuseOSError(errno.EIO)
            if fault == "flip" and offset <= middle < offset + len(data):
                data[middle - offset] ^= 0xFF
        return bytes(data)

    def write(self, path, data, offset, fh):
        return self._call(os.pwrite, fh, data, offset)

    def fsync(self, path, datasync, fh):
        self._call(os.fsync, fh)

    def release(self, path, fh):
        self.faults.pop(fh, None)
        self._call(os.close, fh)


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
