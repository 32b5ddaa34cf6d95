#!/usr/bin/env python3
"""Makes a benchmark's files: the same names, sizes and contents on every run (fixed seed).

usage: bench_data.py FOLDER COUNT FOLDERS MIN MAX DEPTH
COUNT files spread over FOLDERS folders (nested DEPTH levels deep), sizes log-uniform between
MIN and MAX bytes, contents random (slices of one random pool, so that nothing compresses).
Prints the bytes of all the files together.
"""
import math
import os
import random
import sys

POOL_BYTES = 8 * 1048576 + 4096


def folder_paths(root, folders, depth):
    """Folder f sits under one parent per level, named after f's digits, so that levels fan out."""
    paths = []
    for f in range(folders):
        parts = [f"d{f % 10 ** (level + 1) // 10 ** level}" for level in range(depth - 1)]
        paths.append(os.path.join(root, *parts, f"folder{f:04d}"))
    return paths


def make_files(root, count, folders, low, high, depth):
    rng = random.Random(6)
    pool = os.urandom(POOL_BYTES)
    paths = folder_paths(root, folders, depth)
    total = 0
    for i in range(count):
        folder = paths[i % folders]
        os.makedirs(folder, exist_ok=True)
        if low == high:  # also keeps log() away from 0-byte files
            size = low
        else:
            size = int(math.exp(rng.uniform(math.log(low), math.log(high))))
        start = rng.randrange(0, 4096)
        with open(os.path.join(folder, f"file{i:06d}.bin"), "wb") as out:
            out.write(pool[start:start + size])
        total += size
    return total


def main():
    if len(sys.argv) != 7:
        sys.exit(__doc__.strip())
    root = sys.argv[1]
    count, folders, low, high, depth = map(int, sys.argv[2:])
    print(make_files(root, count, folders, low, high, depth))


if __name__ == "__main__":
    main()
