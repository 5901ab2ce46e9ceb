#!/usr/bin/python3
"""Independent least-squares fits of varied binary data sets, standard library only.

Data sets are made from known Wilson or NRTL pairs with the shipped Antoine
constants (bubble temperatures by bisection to 1e-13 degC), some with noise
written out to ten digits. Each set is fitted with every objective by a
Levenberg-Marquardt of its own (central differences of step 1e-7, the damped
normal equations solved by Cramer's rule, stopped when the gradient cosine is
below 1e-10), from several starts; the Wilson pair is kept at or above zero by
fixing a pair member at 0 when the unconstrained minimum lies below it.
Prints one line per fit: set, model, objective, pair, sum of squares, and
whether a bound is active. The test suite holds these values.
"""
import math
import sys

P = 760.0
ANT = {
    'n-pentane': (6.97356638, 1132.336, 240.589), 'n-octane': (6.9557603, 1371.41511, 210.994),
    'ethanol': (7.8612643, 1449.37097, 212.744), 'benzene': (7.02785319, 1293.02496, 231.645),
    'methanol': (8.01761031, 1544.04717, 235.987), 'water': (8.03802215, 1731.66239, 235.989),
    'acetone': (7.1837649, 1238.04328, 231.469), 'chloroform': (7.22719435, 1336.49784, 246.332),
    'n-hexane': (6.8849703, 1177.71978, 225.236), 'toluene': (6.93621705, 1311.2219, 213.02),
}


def psat(a, t):
    return 10.0 ** (a[0] - a[1] / (t + a[2]))


def wilson(x1, l12, l21, alpha=None):
    x2 = 1 - x1
    s1, s2 = x1 + l12 * x2, x2 + l21 * x1
    c = l12 / s1 - l21 / s2
    return math.exp(-math.log(s1) + x2 * c), math.exp(-math.log(s2) - x1 * c)


def nrtl(x1, t12, t21, alpha=0.4):
    x2 = 1 - x1
    g12, g21 = math.exp(-alpha * t12), math.exp(-alpha * t21)
    l1 = x2 ** 2 * (t21 * (g21 / (x1 + x2 * g21)) ** 2 + t12 * g12 / (x2 + x1 * g12) ** 2)
    l2 = x1 ** 2 * (t12 * (g12 / (x2 + x1 * g12)) ** 2 + t21 * g21 / (x1 + x2 * g21) ** 2)
    return math.exp(l1), math.exp(l2)


def tbubble(a1, a2, x1, g1, g2, p=P):
    f = lambda t: psat(a1, t) * x1 * g1 + psat(a2, t) * (1 - x1) * g2 - p
    lo, hi = -60.0, 400.0
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        if f(mid) > 0:
            hi = mid
        else:
            lo = mid
        if hi - lo < 1e-13:
            break
    t = 0.5 * (lo + hi)
    return t, psat(a1, t) * x1 * g1 / p, psat(a2, t) * (1 - x1) * g2 / p


def make_set(c1, c2, model, pair, xs, noise=0.0, seed=1):
    a1, a2 = ANT[c1], ANT[c2]
    out, s = [], seed
    for x1 in xs:
        g1, g2 = model(x1, *pair)
        t, y1, _ = tbubble(a1, a2, x1, g1, g2)
        s = (s * 1103515245 + 12345) % 2147483648
        y1 = min(0.999999, y1 * (1 + noise * (s / 2147483648.0 - 0.5)))
        if noise:
            t, y1 = float('%.10g' % t), float('%.10g' % y1)
        out.append((t, x1, y1))
    return a1, a2, out


def residuals(p, a1, a2, data, model, obj):
    r = []
    for t, x1, y1 in data:
        x2 = 1 - x1
        ge1 = P * y1 / (x1 * psat(a1, t))
        ge2 = P * (1 - y1) / (x2 * psat(a2, t))
        g1, g2 = model(x1, *p)
        if obj == 1:
            r.append(x1 * (math.log(ge1) - math.log(g1)) + x2 * (math.log(ge2) - math.log(g2)))
        elif obj == 2:
            r += [ge1 - g1, ge2 - g2]
        elif obj == 3:
            r.append(math.log(ge1 / ge2) - math.log(g1 / g2))
        else:
            _, y1c, y2c = tbubble(a1, a2, x1, g1, g2)
            r += [y1 - y1c, (1 - y1) - y2c] if obj == 4 else [y1 / y1c - 1, (1 - y1) / y2c - 1]
    return r


def lm(fun, p, free=(True, True), lo=-1e300):
    """Levenberg-Marquardt over the free members of p; returns (p, F, cosine)."""
    p = list(p)
    r = fun(p)
    F = sum(v * v for v in r)
    lam = 1e-3
    cos = 1.0
    for _ in range(5000):
        J = []
        for j in range(2):
            if not free[j]:
                J.append([0.0] * len(r))
                continue
            h = 1e-7 * max(abs(p[j]), 1e-2)
            pp, pm = list(p), list(p)
            pp[j] += h
            pm[j] -= h
            rp, rm = fun(pp), fun(pm)
            J.append([(a - b) / (2 * h) for a, b in zip(rp, rm)])
        g = [sum(J[j][k] * r[k] for k in range(len(r))) for j in range(2)]
        A = [[sum(J[i][k] * J[j][k] for k in range(len(r))) for j in range(2)] for i in range(2)]
        nr = math.sqrt(F)
        cos = max((abs(g[j]) / (math.sqrt(A[j][j]) * nr) if free[j] and A[j][j] > 0 and nr > 0 else 0.0)
                  for j in range(2))
        if cos < 1e-10 or F < 1e-30:
            break
        improved = False
        for _ in range(60):
            M = [[A[0][0] * (1 + lam) if free[0] else 1.0, A[0][1] if all(free) else 0.0],
                 [A[1][0] if all(free) else 0.0, A[1][1] * (1 + lam) if free[1] else 1.0]]
            gg = [g[0] if free[0] else 0.0, g[1] if free[1] else 0.0]
            det = M[0][0] * M[1][1] - M[0][1] * M[1][0]
            if det == 0:
                lam *= 10
                continue
            d = [(gg[0] * M[1][1] - M[0][1] * gg[1]) / det, (M[0][0] * gg[1] - M[1][0] * gg[0]) / det]
            q = [max(p[0] - d[0], lo), max(p[1] - d[1], lo)]
            try:
                rq = fun(q)
                Fq = sum(v * v for v in rq)
            except (ValueError, OverflowError, ZeroDivisionError):
                Fq = float('inf')
            if Fq < F:
                p, r, F = q, rq, Fq
                lam = max(lam / 10, 1e-12)
                improved = True
                break
            lam *= 10
        if not improved:
            break
    return p, F, cos


def best_starts(fun, first, grid, free=(True, True), count=3):
    """The `count` starts with the smallest sums of squares among `first` and a grid."""
    cands = [list(first)] + [[a if free[0] else first[0], b if free[1] else first[1]] for a in grid for b in grid]
    scored = []
    for c in cands:
        try:
            scored.append((sum(v * v for v in fun(c)), c))
        except (ValueError, OverflowError, ZeroDivisionError):
            continue
    scored.sort(key=lambda t: t[0])
    return [c for _, c in scored[:count]]


def fit(a1, a2, data, model, obj, start, wilson_model):
    """A Wilson pair is searched as ln Lambda (so it stays positive), from the
    start and from the five best points of a grid of ln Lambda; a member driven below
    Lambda = 1e-9 is put on the bound Lambda = 0 and the other refitted alone
    from several starts. The lowest sum of squares of all these is the
    constrained minimum."""
    res = lambda p: [-v for v in residuals(p, a1, a2, data, model, obj)]
    if not wilson_model:
        p, F, cos = lm(res, start)
        return p, F, cos, ''
    fun = lambda u: res([math.exp(u[0]), math.exp(u[1])])
    grid = [-12.0, -10.0, -8.5, -7.0, -6.0, -4.5, -3.0, -2.0, -1.0, -0.5, 0.0, 0.5, 1.0]
    u_start = [math.log(start[0]), math.log(start[1])]
    results = []
    for u0 in [u_start] + best_starts(fun, u_start, grid, count=5):
        u, F, cos = lm(fun, u0, lo=math.log(1e-14))
        p = [math.exp(u[0]), math.exp(u[1])]
        if min(p) >= 1e-9:
            results.append((F, p, cos, ''))
            continue
        j = 0 if p[0] < p[1] else 1
        k = 1 - j
        one = lambda w: res([0.0 if j == 0 else math.exp(w[0]), 0.0 if j == 1 else math.exp(w[1])])
        free = (k == 0, k == 1)
        for w0 in [[math.log(max(p[k], 1e-6))] * 2, [u_start[k]] * 2] + best_starts(one, [u_start[k]] * 2, grid,
                                                                                     free, 1):
            w, Fb, cosb = lm(one, w0, free=free)
            q = [0.0, 0.0]
            q[k] = math.exp(w[k])
            results.append((Fb, q, cosb, ' bound L%s=0' % ('12' if j == 0 else '21')))
    F, p, cos, bound = min(results, key=lambda r: r[0])
    return p, F, cos, bound


EX1 = [(96.4, 0.02, 0.134), (91.2, 0.06, 0.304), (87.7, 0.1, 0.418), (81.7, 0.2, 0.579),
       (78.0, 0.3, 0.665), (75.3, 0.4, 0.729), (73.1, 0.5, 0.779), (71.2, 0.6, 0.825),
       (69.3, 0.7, 0.87), (67.5, 0.8, 0.915), (66.0, 0.9, 0.958), (65.0, 0.95, 0.975)]
EX2 = [(86.5, 0.019, 0.404), (83.8, 0.027, 0.463), (82.0, 0.043, 0.484), (81.7, 0.063, 0.489),
       (81.4, 0.119, 0.499), (81.1, 0.167, 0.507), (81.0, 0.234, 0.519), (80.9, 0.316, 0.534),
       (80.65, 0.369, 0.544), (80.5, 0.388, 0.546), (80.3, 0.467, 0.57), (80.0, 0.529, 0.589),
       (80.0, 0.609, 0.622), (80.0, 0.638, 0.641), (80.1, 0.671, 0.696), (80.2, 0.755, 0.716),
       (80.3, 0.828, 0.785), (80.9, 0.874, 0.833), (81.25, 0.912, 0.877), (81.8, 0.941, 0.905)]
ANT['ex1-methanol'], ANT['ex1-water'] = (7.8786, 1473.11, 230.0), (8.07131, 1730.63, 233.426)
ANT['ex2-tba'], ANT['ex2-water'] = (7.60203, 1285.067, 189.318), (8.10765, 1750.286, 235.0)


ISSUE_PENTANE_OCTANE = [
    (119.2132168, 0.02, 0.1918644842), (109.9157408, 0.05, 0.3886250275), (99.00469255, 0.1, 0.6035058858),
    (82.37716429, 0.2, 0.8038364753), (70.9920783, 0.3, 0.8873137847), (62.61310503, 0.4, 0.9268693107),
    (55.87813446, 0.5, 0.9569730063), (50.61564839, 0.6, 0.9758513948), (46.52745219, 0.7, 0.9882630345),
    (42.42688011, 0.8, 0.9945908746), (38.88919502, 0.9, 0.9934732366), (37.55007163, 0.95, 0.998949909),
    (36.33215893, 0.98, 0.9940815594)]

SETS = [
    ('example-1', 'ex1-methanol', 'ex1-water', 'W', (0.43045, 0.94934), None, 0),
    ('example-2', 'ex2-tba', 'ex2-water', 'W', (0.022706, 0.76689), None, 0),
    # name, comp1, comp2, model, true pair, compositions, relative noise on y1
    ('pentane-octane', 'n-pentane', 'n-octane', 'W', (0.85, 1.10),
     [0.02, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.95, 0.98], 0.01),
    ('ethanol-benzene', 'ethanol', 'benzene', 'W', (0.20, 0.42),
     [0.02, 0.05, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 0.95, 0.98], 0.0),
    ('acetone-chloroform', 'acetone', 'chloroform', 'N', (-0.8, -0.3),
     [0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9], 0.002),
    ('methanol-water', 'methanol', 'water', 'W', (0.43, 0.95),
     [0.05, 0.1, 0.2, 0.4, 0.6, 0.8, 0.9], 0.003),
    ('hexane-toluene', 'n-hexane', 'toluene', 'N', (0.3, -0.1),
     [0.1, 0.25, 0.5, 0.75, 0.9], 0.0),
]


# Starts near a narrow valley that the grid misses: objective 2 on the
# pentane-octane set has its minimum at Lambda21 = 1.8e-4, where Lambda21 x1 is
# comparable with x2 of the last points; from (1, 1) this solver ends on the
# bound instead, with a higher sum of squares.
EXTRA_STARTS = {('pentane-octane', 2): [(2.0, 2e-4)]}


def main():
    wanted = sys.argv[1:]
    for name, c1, c2, m, pair, xs, noise in SETS:
        if wanted and name not in wanted:
            continue
        model = wilson if m == 'W' else nrtl
        if xs is None:
            a1, a2, data = ANT[c1], ANT[c2], EX1 if name == 'example-1' else EX2
        elif name == 'pentane-octane':
            a1, a2, data = ANT[c1], ANT[c2], ISSUE_PENTANE_OCTANE
        else:
            a1, a2, data = make_set(c1, c2, model, pair, xs, noise)
        print('set', name, ' '.join('%r,%r,%r' % d for d in data))
        starts = [pair] if xs is None else [(1.0, 1.0), pair] if m == 'W' else [(0.0, 0.0), pair]
        for obj in range(1, 6):
            for s in starts + EXTRA_STARTS.get((name, obj), []):
                p, F, cos, bound = fit(a1, a2, data, model, obj, s, m == 'W')
                print('%s %s obj %d start (%g, %g): p = (%.10g, %.10g) F = %.10g cos %.1e%s'
                      % (name, m, obj, s[0], s[1], p[0], p[1], F, cos, bound))


if __name__ == '__main__':
    main()
