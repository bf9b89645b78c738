#!/usr/bin/env python3
"""Writes the benchmark payload tree: about 150 MB in about 2,000 files, a few
large ones and many of 1-16 KB, compressible and incompressible, folders
nested three deep. Deterministic: the same tree on every machine."""
import os
import random
import sys

root = sys.argv[1]
rng = random.Random(20240611)
words = [''.join(rng.choice('abcdefghijklmnopqrstuvwxyz') for _ in range(rng.randint(2, 10))) for _ in range(3000)]


def text(size):
    out, length = [], 0
    while length < size:
        line = ' '.join(rng.choice(words) for _ in range(rng.randint(4, 14))) + '\n'
        out.append(line)
        length += len(line)
    return ''.join(out).encode()[:size]


def noise(size):
    return rng.randbytes(size)


def write(path, data):
    full = os.path.join(root, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, 'wb') as f:
        f.write(data)


# The large files: program data that does not compress, and text that does.
write('bin/core/engine/engine.dat', noise(34 << 20))
write('bin/core/media/media.pak', noise(30 << 20))
write('data/text/dict/words.txt', text(28 << 20))
write('data/text/logs/history.log', text(24 << 20))
for i in range(8):
    write(f'bin/plugins/p{i}/plugin{i}.dll', noise(1 << 20) if i % 2 else text(1 << 20))

# Many small files in folders three deep.
tops = ['res', 'doc', 'lib', 'share']
for i in range(1980):
    folder = f'{tops[i % 4]}/g{i % 11}/s{i % 7}'
    size = rng.randint(1 << 10, 16 << 10)
    write(f'{folder}/f{i:04}.{"txt" if i % 3 else "bin"}', text(size) if i % 3 else noise(size))
