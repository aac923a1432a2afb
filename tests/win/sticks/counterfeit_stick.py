#!/usr/bin/python3
"""A counterfeit stick as a FUSE file system: it claims four times the flash it has.

The files' bytes live in one flash area of the real size, taken block by block in the
order they are first written; past the real size the blocks wrap round onto the first
ones written, so the songs copied early are quietly overwritten by the songs copied
late, while the names, sizes and times (kept apart, as a stick's file table often
survives) still look right. Reading a file returns what now lies in its blocks.

    counterfeit_stick.py MOUNTPOINT --real-mib N

Mounted with direct_io, so every read reaches the flash and no page cache answers
for the stick.
"""
import argparse
import errno
import os
import stat
import time

from fusepy import FUSE, FuseOSError, Operations

BLOCK = 4096
CLAIMED = 4  # how many times its real size the stick claims


class Flash:
    """The real memory: handed out block by block, round and round."""

    def __init__(self, size):
        self.blocks = size // BLOCK
        self.data = bytearray(self.blocks * BLOCK)
        self.next = 0

    def take(self):
        block = self.next
        self.next = (self.next + 1) % self.blocks
        self.data[block * BLOCK:(block + 1) * BLOCK] = bytes(BLOCK)
        return block


class Node:
    def __init__(self, mode):
        now = time.time()
        self.mode = mode
        self.size = 0
        self.blocks = {}  # block of the file -> block of the flash
        self.atime = self.mtime = self.ctime = now


class CounterfeitStick(Operations):
    def __init__(self, real_size):
        self.flash = Flash(real_size)
        self.nodes = {"/": Node(stat.S_IFDIR | 0o755)}

    def _node(self, path):
        if path not in self.nodes:
            raise FuseOSError(errno.ENOENT)
        return self.nodes[path]

    def _children(self, path):
        prefix = path.rstrip("/") + "/"
        return [p[len(prefix):] for p in self.nodes if p != "/" and p.startswith(prefix) and "/" not in p[len(prefix):]]

    def _add(self, path, mode):
        if path in self.nodes:
            raise FuseOSError(errno.EEXIST)
        if os.path.dirname(path) not in self.nodes:
            raise FuseOSError(errno.ENOENT)
        self.nodes[path] = Node(mode)

    def getattr(self, path, fh=None):
        n = self._node(path)
        return dict(st_mode=n.mode, st_nlink=2 if stat.S_ISDIR(n.mode) else 1, st_size=n.size,
                    st_uid=os.getuid(), st_gid=os.getgid(), st_atime=n.atime, st_mtime=n.mtime, st_ctime=n.ctime)

    def readdir(self, path, fh):
        return [".", ".."] + self._children(path)

    def statfs(self, path):
        claimed = self.flash.blocks * CLAIMED
        used = sum(len(n.blocks) for n in self.nodes.values())
        free = max(claimed - used, 0)
        return dict(f_bsize=BLOCK, f_frsize=BLOCK, f_blocks=claimed, f_bfree=free, f_bavail=free,
                    f_files=1 << 16, f_ffree=(1 << 16) - len(self.nodes), f_favail=(1 << 16) - len(self.nodes),
                    f_namemax=255)

    def chmod(self, path, mode):
        n = self._node(path)
        n.mode = stat.S_IFMT(n.mode) | stat.S_IMODE(mode)

    def chown(self, path, uid, gid):
        self._node(path)

    def utimens(self, path, times=None):
        n = self._node(path)
        n.atime, n.mtime = times if times else (time.time(),) * 2

    def mkdir(self, path, mode):
        self._add(path, stat.S_IFDIR | mode)

    def rmdir(self, path):
        if self._children(path):
            raise FuseOSError(errno.ENOTEMPTY)
        self._node(path)
        del self.nodes[path]

    def unlink(self, path):
        self._node(path)
        del self.nodes[path]

    def rename(self, old, new):
        n = self._node(old)
        if stat.S_ISDIR(n.mode):
            raise FuseOSError(errno.EXDEV)  # the songs' folders are never renamed
        self.nodes.pop(new, None)
        self.nodes[new] = self.nodes.pop(old)

    def create(self, path, mode, fi=None):
        if path in self.nodes:
            self.truncate(path, 0)
        else:
            self._add(path, stat.S_IFREG | mode)
        return 0

    def open(self, path, flags):
        self._node(path)
        if flags & os.O_TRUNC:
            self.truncate(path, 0)
        return 0

    def truncate(self, path, length, fh=None):
        n = self._node(path)
        last = (length + BLOCK - 1) // BLOCK
        n.blocks = {b: f for b, f in n.blocks.items() if b < last}
        if length % BLOCK and length // BLOCK in n.blocks:  # the new end reads as zeros past it
            at = n.blocks[length // BLOCK] * BLOCK + length % BLOCK
            self.flash.data[at:(at // BLOCK + 1) * BLOCK] = bytes(BLOCK - length % BLOCK)
        n.size = length

    def read(self, path, size, offset, fh):
        n = self._node(path)
        out = bytearray()
        end = min(offset + size, n.size)
        while offset < end:
            b, within = divmod(offset, BLOCK)
            take = min(BLOCK - within, end - offset)
            if b in n.blocks:
                at = n.blocks[b] * BLOCK + within
                out += self.flash.data[at:at + take]
            else:
                out += bytes(take)
            offset += take
        return bytes(out)

    def write(self, path, data, offset, fh):
        n = self._node(path)
        done = 0
        while done < len(data):
            b, within = divmod(offset + done, BLOCK)
            take = min(BLOCK - within, len(data) - done)
            if b not in n.blocks:
                n.blocks[b] = self.flash.take()
            at = n.blocks[b] * BLOCK + within
            self.flash.data[at:at + take] = data[done:done + take]
            done += take
        n.size = max(n.size, offset + len(data))
        n.mtime = time.time()
        return len(data)


def main():
    args = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    args.add_argument("mountpoint")
    args.add_argument("--real-mib", type=int, required=True)
    a = args.parse_args()
    FUSE(CounterfeitStick(a.real_mib << 20), a.mountpoint,
         foreground=True, nothreads=True, direct_io=True, big_writes=True)


if __name__ == "__main__":
    main()
