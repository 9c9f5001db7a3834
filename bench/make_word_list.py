#!/usr/bin/env python3
"""Writes a large made-up word list for memory measurements of the composer.

Words come from an order-3 letter model of a real list (one word per line, A to Z), with
the real list's length distribution, so that letters at each position are spread as in
real words. The output is sorted, unique, one word per line with CR LF, as gridwright-words
writes word files.

    bench/make_word_list.py SOURCE_WORDS OUT_FILE MEGABYTES [SEED]
"""
import random
import sys
from collections import Counter, defaultdict


def main():
    source, out, megabytes = sys.argv[1], sys.argv[2], float(sys.argv[3])
    rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 1)
    words = [w.strip() for w in open(source, encoding="ascii", errors="ignore")]
    words = [w for w in words if 3 <= len(w) <= 15 and w.isalpha() and w.isupper()]
    lengths = Counter(len(w) for w in words)
    length_pool = [n for n, c in lengths.items() for _ in range(c)]
    follow = defaultdict(str)
    for w in words:
        padded = "^^^" + w
        for i in range(3, len(padded)):
            follow[padded[i - 3:i]] += padded[i]
    target = int(megabytes * 1_000_000)
    made, size = set(), 0
    while size < target:
        n = rng.choice(length_pool)
        context, word = "^^^", ""
        while len(word) < n:
            c = rng.choice(follow.get(context) or "ETAOINSHRDLU")
            word += c
            context = context[1:] + c
        if word not in made:
            made.add(word)
            size += len(word) + 2
    with open(out, "w", encoding="ascii", newline="") as f:
        for w in sorted(made):
            f.write(w + "\r\n")


if __name__ == "__main__":
    main()
