#!/usr/bin/env python3
"""Makes a random American 21 x 21 grid for the fill benchmarks: symmetric under a half turn,
every run of 3 to MAXLEN letters (so every cell is checked), the open cells connected, BLOCKS
blocks, LONG to LONG + 4 words of 8 letters or more and at least WORDS words. Simulated
annealing over the pairs of symmetric cells; prints the grid in the bench/grids format.

    bench/make_dense_grid.py SEED BLOCKS MAXLEN LONG [WORDS]
    bench/make_dense_grid.py 1 72 11 30 132 > dense1.txt
"""
import random, sys, math
N = 21
def runs(g):
    """The lengths of the across and then the down runs of open cells."""
    out = []
    for line in list(g) + [list(col) for col in zip(*g)]:
        out += [len(run) for run in ''.join('#' if x else '.' for x in line).split('#') if run]
    return out
def connected(g):
    cells = [(r, c) for r in range(N) for c in range(N) if not g[r][c]]
    if not cells: return 0
    seen = {cells[0]}; st = [cells[0]]
    while st:
        r, c = st.pop()
        for dr, dc in ((1,0),(-1,0),(0,1),(0,-1)):
            a, b = r+dr, c+dc
            if 0 <= a < N and 0 <= b < N and not g[a][b] and (a,b) not in seen:
                seen.add((a,b)); st.append((a,b))
    return len(cells) - len(seen)
def cost(g, blocks, maxlen, long_, words=int(sys.argv[5]) if len(sys.argv) > 5 else 0):
    rs = runs(g)
    bad = sum(1 for x in rs if x < 3) * 4 + sum(x - maxlen for x in rs if x > maxlen)
    nb = sum(map(sum, g))
    bad += abs(nb - blocks)
    nl = sum(1 for x in rs if x >= 8)
    bad += max(0, long_ - nl)
    bad += connected(g) * 2
    bad += max(0, words - len(rs))
    bad += max(0, nl - long_ - 4)
    return bad
def main():
    seed, blocks, maxlen, long_ = int(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
    rnd = random.Random(seed)
    g = [[0]*N for _ in range(N)]
    pairs = [(r, c) for r in range(N) for c in range(N) if (r, c) < (N-1-r, N-1-c)]
    cur = cost(g, blocks, maxlen, long_)
    T = 2.0
    for it in range(200000):
        r, c = rnd.choice(pairs)
        v = 1 - g[r][c]
        g[r][c] = g[N-1-r][N-1-c] = v
        new = cost(g, blocks, maxlen, long_)
        if new <= cur or rnd.random() < math.exp((cur - new) / T):
            cur = new
        else:
            g[r][c] = g[N-1-r][N-1-c] = 1 - v
        T = max(0.05, T * 0.9999)
        if cur == 0: break
    if cur: sys.exit("no grid (cost %d)" % cur)
    for row in g: print(''.join('#' if x else '.' for x in row))
main()
