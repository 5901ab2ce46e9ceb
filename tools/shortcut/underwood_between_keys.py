#!/usr/bin/python3
"""Underwood minimum reflux with components whose volatility lies between the keys.

Independent of the program: ideal K-values from Antoine (mmHg, degC), the feed
flash by Rachford-Rice with the secant method, the Fenske split as d/b ratios,
every Underwood root found by regula falsi (Illinois) on 1/(a - theta) cleared of
its poles, and the Underwood equations solved by Gauss-Jordan elimination in
exact fractions (fractions.Fraction). A distributing component whose distillate
flow falls outside 0..f is set to that bound; by Underwood's max criterion the
minimum vapour is then set by the root on the far side of it (d > f: the root
above it stays, d < 0: the root below), so the other root is dropped.

Prints, per case, the feed V/F, the relative volatilities, every root, the
distillate flows per unit of feed, D/F and Rmin.
"""
from fractions import Fraction
import math

COMPS = {
    "pentane": (6.97356638, 1132.336, 240.589),
    "hexane": (6.8849703, 1177.71978, 225.236),
    "heptane": (6.99310963, 1322.07926, 223.001),
    "octane": (6.9557603, 1371.41511, 210.994),
    "nonane": (7.04392208, 1499.35827, 209.382),
}


def kvalues(names, t, p_mmhg):
    return [10 ** (a - b / (t + c)) / p_mmhg for a, b, c in (COMPS[n] for n in names)]


def rachford_rice(z, K):
    f = lambda v: sum(zi * (k - 1) / (1 + v * (k - 1)) for zi, k in zip(z, K))
    if f(0.0) <= 0:
        return 0.0
    if f(1.0) >= 0:
        return 1.0
    a, b = 0.0, 1.0
    fa, fb = f(a), f(b)
    for _ in range(300):  # Illinois regula falsi
        c = b - fb * (b - a) / (fb - fa)
        fc = f(c)
        if fc == 0 or abs(b - a) < 1e-15:
            return c
        if (fc > 0) == (fb > 0):
            fa *= 0.5
        else:
            a, fa = b, fb
        b, fb = c, fc
    return b


def root_between(g, lo, hi):
    """Root of g, increasing from -inf to +inf on (lo, hi)."""
    a, b = math.nextafter(lo, hi), math.nextafter(hi, lo)
    fa, fb = g(a), g(b)
    for _ in range(500):
        c = b - fb * (b - a) / (fb - fa)
        if not (a < c < b) and not (b < c < a):
            c = 0.5 * (a + b)
        fc = g(c)
        if fc == 0 or abs(b - a) < 1e-16 * max(1.0, abs(c)):
            return c
        if (fc > 0) == (fb > 0):
            fa *= 0.5
        else:
            a, fa = b, fb
        b, fb = c, fc
    return 0.5 * (a + b)


def solve_exact(A, y):
    n = len(y)
    M = [[Fraction(v) for v in row] + [Fraction(w)] for row, w in zip(A, y)]
    for col in range(n):
        piv = next(r for r in range(col, n) if M[r][col] != 0)
        M[col], M[piv] = M[piv], M[col]
        for r in range(n):
            if r != col and M[r][col] != 0:
                fac = M[r][col] / M[col][col]
                M[r] = [x - fac * y_ for x, y_ in zip(M[r], M[col])]
    return [float(M[i][n] / M[i][i]) for i in range(n)]


def design(names, z, t, p_mmhg, lk, hk, rlk, rhk):
    K = kvalues(names, t, p_mmhg)
    vf = rachford_rice(z, K)
    a = [k / K[hk] for k in K]
    return (vf,) + design_alpha(a, z, 1 - vf, lk, hk, rlk, rhk)


def design_alpha(a, z, q, lk, hk, rlk, rhk):
    """The split and minimum reflux from relative volatilities and the feed's q."""
    smin = math.log(rlk * (1 - rhk) / ((1 - rlk) * rhk)) / math.log(a[lk])
    d = []
    for i in range(len(z)):
        ratio = a[i] ** smin * rhk / (1 - rhk)  # d/b of the Fenske split
        d.append(z[i] * ratio / (1 + ratio))
    between = sorted((i for i in range(len(z)) if 1 < a[i] < a[lk] and z[i] > 0), key=lambda i: a[i])
    poles = [1.0] + [a[i] for i in between] + [a[lk]]
    g = lambda th: sum(zi * ai / (ai - th) for zi, ai in zip(z, a)) - (1 - q)
    roots = [root_between(g, poles[k], poles[k + 1]) for k in range(len(poles) - 1)]
    free = list(between)
    used = list(range(len(roots)))  # root k lies between poles k and k + 1
    while True:
        # unknowns: V, then d of each free component
        A, y = [], []
        for k in used:
            th = roots[k]
            A.append([1.0] + [-a[j] / (a[j] - th) for j in free])
            y.append(sum(a[i] * d[i] / (a[i] - th) for i in range(len(z)) if i not in free))
        sol = solve_exact(A, y)
        V = sol[0]
        out = None
        for j, dj in zip(free, sol[1:]):
            d[j] = dj
            if out is None and (dj < 0 or dj > z[j]):
                out = j
        if out is None:
            break
        pos = 1 + between.index(out)  # the component is pole pos: roots pos-1 below, pos above
        drop = pos - 1 if d[out] > z[out] else pos
        d[out] = z[out] if d[out] > z[out] else 0.0
        free.remove(out)
        used.remove(drop)
    D = sum(d)
    return a, roots, d, D, V / D - 1, smin


def show(title, *args):
    names = args[0]
    vf, a, roots, d, D, rmin, smin = design(*args)
    print(title)
    print(f"  V/F {vf:.10f}  Smin {smin:.10f}")
    print("  alpha " + " ".join(f"{v:.10f}" for v in a))
    print("  roots " + " ".join(f"{v:.10f}" for v in roots))
    print("  d     " + " ".join(f"{v:.10f}" for v in d))
    print(f"  D/F {D:.10f}  Rmin {rmin:.10f}")


if __name__ == "__main__":
    four = ["pentane", "hexane", "heptane", "octane"]
    show("one between the keys (n-hexane), 70.48 C, 787.08 mmHg",
         four, [0.2, 0.3, 0.3, 0.2], 70.48, 787.08, 0, 2, 0.98, 0.02)
    show("two between the keys (n-hexane, n-heptane), LK n-pentane, HK n-octane, 90 C, 760 mmHg",
         four, [0.25, 0.25, 0.25, 0.25], 90.0, 760.0, 0, 3, 0.99, 0.01)
    five = ["pentane", "hexane", "heptane", "octane", "nonane"]
    show("two between the keys, one outside each side, subcooled 20 C, 1500 mmHg",
         five, [0.1, 0.25, 0.3, 0.25, 0.1], 20.0, 1500.0, 1, 4, 0.995, 0.005)
    show("a sloppy split: the minimum reflux comes out negative, 70 C, 760 mmHg",
         four, [0.3, 0.05, 0.4, 0.25], 70.0, 760.0, 0, 2, 0.999, 0.3)
