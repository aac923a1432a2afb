"""A stick as a FUSE file system that passes everything through to a backing folder.
The test and benchmark sticks (slow, failing) derive from it and change what they
must; they mount it with direct_io, so every read and write reaches this code."""
import os

from fusepy import FuseOSError, Operations


class PassThroughStick(Operations):
    def __init__(self, backing):
        self.backing = os.path.realpath(backing)

    def _real(self, path):
        return os.path.join(self.backing, path.lstrip("/"))

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

    def create(self, path, mode, fi=None):
        return self._call(os.open, self._real(path), os.O_RDWR | os.O_CREAT | os.O_TRUNC, mode)

    def open(self, path, flags):
        return self._call(os.open, self._real(path), flags)

    def read(self, path, size, offset, fh):
        return self._call(os.pread, fh, size, offset)

    def write(self, path, data, offset, fh):
        return self._call(os.pwrite, fh, data, offset)

    def fsync(self, path, datasync, fh):
        self._call(os.fsync, fh)

    def release(self, path, fh):
        self._call(os.close, fh)
