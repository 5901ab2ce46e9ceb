#!/usr/bin/python3
"""Data sets of the kinds a new user fits first, each for Wilson and for NRTL,
written in the set format of varied_fit_minima.txt (no minima lines) for
fit_sweep.cpp and curvature_check.py (--sets):
  - the case files given on the command line (the program's .dat format);
  - nearly ideal pairs by Raoult's law, rounded to table digits (0.01 degC or
    0.01 mmHg, 4 digits in y1) or with noise on y1;
  - sets of three and four points;
  - a set with one bad point (y1 of one point off by 0.05);
  - azeotropes (strong positive deviations) and strong negative deviations.
Usage: user_sets.py out.txt [case.dat ...]
"""
import sys

import bounded_minima as bm
from varied_fits import ANT

X7 = [0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9]
X10 = [0.02, 0.08, 0.15, 0.25, 0.4, 0.5, 0.6, 0.75, 0.88, 0.96]


def rounded(case, digits_m=2, digits_y=4):
    data = [(round(m, digits_m), x1, round(y1, digits_y)) for m, x1, y1 in case.data]
    return bm.Case(case.name, case.model, case.tp, case.cond, case.alpha, case.a1, case.a2, data)


def bad_point(case, k, dy):
    data = list(case.data)
    m, x1, y1 = data[k]
    data[k] = (m, x1, min(0.999, y1 + dy))
    return bm.Case(case.name, case.model, case.tp, case.cond, case.alpha, case.a1, case.a2, data)


def read_dat(path):
    """The program's case file: Antoine constants on lines 14-15, the header
    (tp, calc type, objective, T, P, n, ...) on 16, then the points T, P, x1, y1."""
    lines = [l.strip() for l in open(path, encoding='utf-8')]
    ant = [tuple(float(v) for v in lines[k].split(',')) for k in (13, 14)]
    head = lines[15].split(',')
    tp, n = int(head[0]), int(head[5])
    cond = float(head[3]) if tp == 1 else float(head[4])
    data = []
    for l in lines[16:16 + n]:
        t, p, x1, y1 = (float(v) for v in l.split(','))
        data.append((t if tp == 0 else p, x1, y1))
    alpha = float(lines[16 + n].split(',')[4])
    name = path.rsplit('/', 1)[-1].rsplit('.', 1)[0]
    return bm.Case(name, 'W', tp, cond, alpha, ant[0], ant[1], data)


def sets(dat_files):
    out = [read_dat(p) for p in dat_files]
    W = lambda *a, **k: bm.make(*a, **k)
    out += [
        rounded(W('raoult-bt-300', 'benzene', 'toluene', 'W', (1.0, 1.0), X10, cond=300.0)),
        rounded(W('raoult-bt-1500', 'benzene', 'toluene', 'W', (1.0, 1.0), X7, cond=1500.0)),
        rounded(W('raoult-hexane-toluene', 'n-hexane', 'toluene', 'W', (1.0, 1.0), X10)),
        rounded(W('raoult-heptane-toluene', 'n-heptane', 'toluene', 'W', (1.0, 1.0), X7)),
        rounded(W('raoult-pentane-octane', 'n-pentane', 'n-octane', 'W', (1.0, 1.0), X7)),
        rounded(W('raoult-bt-60C', 'benzene', 'toluene', 'W', (1.0, 1.0), X7, tp=1, cond=60.0)),
        W('raoult-bt-noisy', 'benzene', 'toluene', 'W', (1.0, 1.0), X10, 0.003, seed=5),
        W('raoult-hexane-toluene-noisy', 'n-hexane', 'toluene', 'W', (1.0, 1.0), X7, 0.002, seed=9),
        W('nearly-ideal-bt', 'benzene', 'toluene', 'W', (1.03, 0.98), X7, seed=13),
        rounded(W('raoult-bt-3pt', 'benzene', 'toluene', 'W', (1.0, 1.0), [0.2, 0.5, 0.8])),
        W('ethanol-water-4pt', 'ethanol', 'water', 'W', (0.18, 0.86), [0.1, 0.3, 0.6, 0.85], seed=17),
        W('acetone-methanol-3pt', 'acetone', 'methanol', 'W', (0.65, 0.55), [0.25, 0.5, 0.75], 0.002, seed=19),
        bad_point(W('ethanol-water-bad', 'ethanol', 'water', 'W', (0.18, 0.86), X10, seed=23), 4, 0.05),
        bad_point(rounded(W('raoult-bt-bad', 'benzene', 'toluene', 'W', (1.0, 1.0), X7)), 2, 0.05),
        W('ethanol-hexane-azeo', 'ethanol', 'n-hexane', 'W', (0.08, 0.3), X10, seed=29),
        W('methanol-benzene-azeo', 'methanol', 'benzene', 'N', (2.4, 1.7), X7, 0.002, alpha=0.47, seed=31),
        W('acetone-chloroform-neg', 'acetone', 'chloroform', 'N', (-1.5, -0.9), X7, alpha=0.3, seed=37),
        W('acetone-chloroform-negW', 'acetone', 'chloroform', 'W', (2.2, 1.7), X10, 0.002, seed=41),
        W('chloroform-acetone-neg-35C', 'chloroform', 'acetone', 'N', (-1.2, -1.0), X7, tp=1, cond=35.0,
          alpha=0.3, seed=43),
    ]
    both = []
    for c in out:
        for model in ('W', 'N'):
            both.append(bm.Case('%s-%s' % (c.name, model), model, c.tp, c.cond, c.alpha if model == 'N' else 0.4,
                                c.a1, c.a2, c.data))
    return both


def write(path, cases):
    lines = []
    for case in cases:
        a = tuple(case.a1) + tuple(case.a2)
        lines.append('set %s %s %d %r %r %s %d' % (case.name, case.model, case.tp, case.cond, case.alpha,
                                                  ' '.join(repr(v) for v in a), len(case.data)))
        lines += ['pt %r %r %r' % d for d in case.data]
    with open(path, 'w') as f:
        f.write('\n'.join(lines) + '\n')


def read(path):
    """Cases of a set file (as write() and varied_fit_minima.txt hold them)."""
    cases, cur = [], None
    for line in open(path):
        f = line.split()
        if not f:
            continue
        if f[0] == 'set':
            cur = [f[1], f[2], int(f[3]), float(f[4]), float(f[5]), tuple(map(float, f[6:9])),
                   tuple(map(float, f[9:12])), []]
            cases.append(cur)
        elif f[0] == 'pt' and cur:
            cur[7].append(tuple(map(float, f[1:4])))
    return [bm.Case(*c) for c in cases]


if __name__ == '__main__':
    write(sys.argv[1], sets(sys.argv[2:]))
