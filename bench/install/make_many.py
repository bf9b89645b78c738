#!/usr/bin/env python3
"""Writes a tree of 10,000 small text files (200 bytes to 2 KB) in 20 folders:
the payload with the most progress reports per byte. Deterministic."""
import os
import random
import sys

root = sys.argv[1]
rng = random.Random(20240612)
letters = 'abcdefghijklmnopqrstuvwxyz '
for i in range(10000):
    folder = os.path.join(root, f'd{i % 20:02}')
    os.makedirs(folder, exist_ok=True)
    size = rng.randint(200, 2048)
    with open(os.path.join(folder, f'f{i:05}.txt'), 'w') as f:
        f.write(''.join(rng.choice(letters) for _ in range(size)))
