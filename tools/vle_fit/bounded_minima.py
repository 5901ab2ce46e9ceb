#!/usr/bin/python3
"""Every local minimum of the five objectives on 41 binary data sets, inside
the parameter ranges the fit keeps to, standard library only.

Ranges: Wilson 1e-10 <= Lambda <= 1e3; NRTL |tau| <= min(50, 12 / alpha).
Data sets: the measured points of the two shipped examples, fitted by Wilson
and by NRTL (four sets), and 37 made from known Wilson or NRTL pairs with the
shipped Antoine constants, at 760 mmHg (bubble temperatures by bisection to
1e-13 degC) or at a fixed temperature (bubble pressures in closed form), some
with noise on y1 written to ten digits.

Minima are searched independently of the program's fit: a Levenberg-Marquardt
of our own (central differences, Cramer's rule) from the best points of a grid
and from the starts the tests use, in ln Lambda for Wilson and in tau for NRTL;
on each bound a member is fixed and the other minimised alone, kept only when
the objective rises into the range. Every candidate is then checked by its
neighbours: the sum of squares must not fall at any of eight points around it
(relative offsets 1e-4), nor, on a bound, at the point 1e-6 inside.

Writes tests/vle/estimation/varied_fit_minima.txt (read by the test suite):
  set <name> <model W|N> <tp 0|1> <P mmHg or T degC> <alpha> <A1 B1 C1 A2 B2 C2> <n>
  pt <t or P> <x1> <y1>                   (n lines)
  min <obj> <p1> <p2> <F> <where>         where: in, lo1, lo2, hi1, hi2, corner
"""
import math
import os
import sys

from varied_fits import ANT, EX1, EX2, psat, wilson, nrtl

L_MIN, L_MAX = 1e-10, 1e3
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', '..', 'tests', 'vle', 'estimation', 'varied_fit_minima.txt')

ANT.update({
    'acetonitrile': (7.50123417, 1582.26509, 260.831), 'n-heptane': (6.99310963, 1322.07926, 223.001),
    'ccl4': (6.99267533, 1291.59179, 237.395),
})

W_STARTS = [(1.0, 1.0), (0.001, 0.001), (1e-6, 1e-6), (0.03, 0.03), (10.0, 10.0), (100.0, 0.01), (0.2, 3.0)]
N_STARTS = [(0.0, 0.0), (10.0, -3.0), (-3.0, 10.0), (5.0, 5.0), (-2.0, -2.0), (20.0, 20.0), (1.0, -1.0)]


def tau_max(alpha):
    return min(50.0, 12.0 / abs(alpha)) if alpha != 0 else 50.0


def tbub(a1, a2, x1, g1, g2, p):
    f = lambda t: psat(a1, t) * x1 * g1 + psat(a2, t) * (1 - x1) * g2 - p
    lo, hi = -150.0, 600.0
    if f(lo) > 0 or f(hi) < 0:
        return None
    for _ in range(100):
        mid = 0.5 * (lo + hi)
        if f(mid) > 0:
            hi = mid
        else:
            lo = mid
        if hi - lo < 1e-13:
            break
    t = 0.5 * (lo + hi)
    return psat(a1, t) * x1 * g1 / p, psat(a2, t) * (1 - x1) * g2 / p


class Case:
    def __init__(self, name, model, tp, cond, alpha, a1, a2, data):
        self.name, self.model, self.tp, self.cond, self.alpha = name, model, tp, cond, alpha
        self.a1, self.a2, self.data = a1, a2, data
        self.ge = []
        for m, x1, y1 in data:
            t, P = (m, cond) if tp == 0 else (cond, m)
            self.ge.append((P * y1 / (x1 * psat(a1, t)), P * (1 - y1) / ((1 - x1) * psat(a2, t))))

    def gam(self, x1, p):
        return wilson(x1, p[0], p[1]) if self.model == 'W' else nrtl(x1, p[0], p[1], self.alpha)

    def res(self, p, obj):
        r = []
        for (m, x1, y1), (ge1, ge2) in zip(self.data, self.ge):
            x2 = 1 - x1
            g1, g2 = self.gam(x1, p)
            if obj == 1:
                r.append(x1 * (math.log(ge1) - math.log(g1)) + x2 * (math.log(ge2) - math.log(g2)))
            elif obj == 2:
                r += [ge1 - g1, ge2 - g2]
            elif obj == 3:
                r.append(math.log(ge1 / ge2) - math.log(g1 / g2))
            else:
                if self.tp == 0:
                    yy = tbub(self.a1, self.a2, x1, g1, g2, self.cond)
                    if yy is None:
                        raise ValueError('no bubble point')
                    y1c, y2c = yy
                else:
                    p1 = psat(self.a1, self.cond) * x1 * g1
                    p2 = psat(self.a2, self.cond) * x2 * g2
                    y1c, y2c = p1 / (p1 + p2), p2 / (p1 + p2)
                r += [y1 - y1c, (1 - y1) - y2c] if obj == 4 else [y1 / y1c - 1, (1 - y1) / y2c - 1]
        return r

    def F(self, p, obj):
        try:
            v = sum(x * x for x in self.res(p, obj))
        except (ValueError, OverflowError, ZeroDivisionError):
            return float('inf')
        return v if math.isfinite(v) else float('inf')

    # Search variables: ln Lambda for Wilson, tau for NRTL.
    def to_p(self, u):
        return [math.exp(v) for v in u] if self.model == 'W' else list(u)

    def box(self):
        if self.model == 'W':
            return math.log(L_MIN), math.log(L_MAX)
        t = tau_max(self.alpha)
        return -t, t


def lm(fun, u, free, lo, hi, iters=400):
    """Levenberg-Marquardt on the free members of u within [lo, hi]."""
    u = [min(max(v, lo), hi) for v in u]
    F = fun(u)
    if not math.isfinite(F):
        return u, F
    lam = 1e-3
    for _ in range(iters):
        g, A = [0.0, 0.0], [[0.0, 0.0], [0.0, 0.0]]
        base = resid(fun, u)
        J = []
        for j in range(2):
            if not free[j]:
                J.append([0.0] * len(base))
                continue
            h = 1e-6 * max(abs(u[j]), 1.0)
            up, um = list(u), list(u)
            up[j] += h
            um[j] -= h
            rp, rm = resid(fun, up), resid(fun, um)
            if rp is None or rm is None:
                J.append([0.0] * len(base))
                continue
            J.append([(a - b) / (2 * h) for a, b in zip(rp, rm)])
        for i in range(2):
            g[i] = sum(a * b for a, b in zip(J[i], base))
            for j in range(2):
                A[i][j] = sum(a * b for a, b in zip(J[i], J[j]))
        improved = False
        for _ in range(40):
            M = [[A[0][0] * (1 + lam) + (0 if free[0] else 1), A[0][1] if all(free) else 0.0],
                 [A[1][0] if all(free) else 0.0, A[1][1] * (1 + lam) + (0 if free[1] else 1)]]
            det = M[0][0] * M[1][1] - M[0][1] * M[1][0]
            if det == 0 or not math.isfinite(det):
                lam *= 10
                continue
            d = [(g[0] * M[1][1] - M[0][1] * g[1]) / det, (M[0][0] * g[1] - M[1][0] * g[0]) / det]
            q = [min(max(u[k] - (d[k] if free[k] else 0), lo), hi) for k in range(2)]
            Fq = fun(q)
            if Fq < F:
                small = max(abs(a - b) for a, b in zip(q, u)) < 1e-13 * max(1.0, max(abs(v) for v in u))
                u, F = q, Fq
                lam = max(lam / 10, 1e-15)
                improved = not small
                break
            lam *= 10
        if not improved:
            break
    return u, F




def resid(fun, u):
    try:
        return fun.res(u)
    except (ValueError, OverflowError, ZeroDivisionError):
        return None


class Objective:
    def __init__(self, case, obj):
        self.case, self.obj = case, obj

    def __call__(self, u):
        return self.case.F(self.case.to_p(u), self.obj)

    def res(self, u):
        return self.case.res(self.case.to_p(u), self.obj)


def is_minimum(case, obj, p, where):
    """Neighbours of p (natural parameters) do not lower the sum of squares."""
    F0 = case.F(p, obj)
    tol = 1e-12 * F0 + 1e-28
    lo, hi = case.box()
    for d1 in (-1, 0, 1):
        for d2 in (-1, 0, 1):
            if d1 == 0 and d2 == 0:
                continue
            q = list(p)
            for j, d in ((0, d1), (1, d2)):
                if d == 0:
                    continue
                if case.model == 'W':
                    q[j] = p[j] * (1 + 1e-4 * d)
                    q[j] = min(max(q[j], L_MIN), L_MAX)
                else:
                    q[j] = min(max(p[j] + 1e-4 * d * max(1.0, abs(p[j])), lo), hi)
            if case.F(q, obj) < F0 - tol:
                return False
    if where == 'corner':
        return all(is_minimum(case, obj, p, w) for w in (side(case, p, 0), side(case, p, 1)))
    if where != 'in':
        j = int(where[2]) - 1
        q = list(p)
        inward = 1 if where.startswith('lo') else -1
        if case.model == 'W':
            q[j] = L_MIN + 1e-6 if inward > 0 else L_MAX * (1 - 1e-6)
        else:
            q[j] = p[j] + inward * 1e-6
        if case.F(q, obj) < F0 - tol:
            return False
    return True


def side(case, p, j):
    lo, hi = case.box()
    u = to_u(case, p)[j]
    return '%s%d' % ('lo' if abs(u - lo) < abs(u - hi) else 'hi', j + 1)


def grid(case):
    if case.model == 'W':
        return [-20.0, -14.0, -10.0, -7.0, -5.0, -3.5, -2.5, -1.5, -0.75, 0.0, 0.75, 1.5, 3.0, 5.0, 6.5]
    t = tau_max(case.alpha)
    return [v for v in (-30.0, -20.0, -14.0, -10.0, -7.0, -5.0, -3.0, -2.0, -1.0, -0.5, 0.0, 0.5, 1.0, 2.0, 3.0, 5.0, 7.0, 10.0,
                         14.0, 20.0, 26.0, 32.0, 40.0)
            if abs(v) < t]


def to_u(case, p):
    return [math.log(min(max(v, L_MIN), L_MAX)) for v in p] if case.model == 'W' else list(p)


# Starts in narrow basins the grid misses (reported by fits from the test's
# starts); each is searched and checked like any other.
EXTRA_STARTS = {('acetone-water-N', 5): [(30.0, 6.1)], ('n-heptane-acetonitrile-N', 5): [(3.04, 5.96)]}


def minima(case, obj):
    fun = Objective(case, obj)
    lo, hi = case.box()
    g = grid(case)
    values = {(i, k): fun([a, b]) for i, a in enumerate(g) for k, b in enumerate(g)}
    scored = sorted((F, [g[i], g[k]]) for (i, k), F in values.items())
    starts = [u for F, u in scored[:8] if math.isfinite(F)]
    # Every point of the grid lower than its eight neighbours starts a search too:
    # each basin the grid resolves gets one.
    for (i, k), F in values.items():
        if math.isfinite(F) and all(values.get((i + di, k + dk), float('inf')) >= F
                                    for di in (-1, 0, 1) for dk in (-1, 0, 1) if di or dk):
            starts.append([g[i], g[k]])
    starts += [to_u(case, s) for s in (W_STARTS if case.model == 'W' else N_STARTS)]
    found = []
    for u0 in starts:
        u, F = lm(fun, u0, (True, True), lo, hi)
        if math.isfinite(F) and lo < u[0] < hi and lo < u[1] < hi:
            found.append((case.to_p(u), F, 'in'))
    for start in EXTRA_STARTS.get((case.name, obj), []):
        u0 = to_u(case, start)
        fixed = [abs(v - lo) < 1e-12 or abs(v - hi) < 1e-12 for v in u0]
        u, F = lm(fun, u0, (not fixed[0], not fixed[1]), lo, hi)
        if math.isfinite(F):
            found.append((case.to_p(u), F, side(case, case.to_p(u), 0 if fixed[0] else 1) if any(fixed) else 'in'))
    for j in range(2):
        for side_, val in (('lo', lo), ('hi', hi)):
            k = 1 - j
            free = (k == 0, k == 1)
            line = [fun([val if j == 0 else a, val if j == 1 else a]) for a in g]
            best = sorted(zip(line, g))[:3]
            # and every grid point on the bound lower than its two neighbours
            best += [(line[i], g[i]) for i in range(len(g))
                     if math.isfinite(line[i]) and all(line[i] <= line[n] for n in (i - 1, i + 1) if 0 <= n < len(g))]
            for F0, a in best:
                u0 = [val, val]
                u0[k] = a
                u, F = lm(fun, u0, free, lo, hi)
                if math.isfinite(F) and lo < u[k] < hi:
                    found.append((case.to_p(u), F, '%s%d' % (side_, j + 1)))
    # Corners: both members on a bound, the objective rising inward along both.
    for v1 in (lo, hi):
        for v2 in (lo, hi):
            found.append((case.to_p([v1, v2]), fun([v1, v2]), 'corner'))
    out = []
    for p, F, where in sorted(found, key=lambda t: t[1]):
        if not math.isfinite(F):
            continue
        if where == 'in' and not is_minimum(case, obj, p, where):
            continue
        if where != 'in' and not is_minimum(case, obj, p, where):
            continue
        same = any(w == where and all(abs(a - b) <= 1e-5 * max(1.0, abs(b)) if case.model == 'N'
                                      else abs(math.log(a / b)) <= 1e-5 for a, b in zip(p, q))
                   for q, _, w in out)
        if not same:
            out.append((p, F, where))
    return out


def make(name, c1, c2, model, pair, xs, noise=0.0, tp=0, cond=760.0, alpha=0.4, seed=7):
    a1, a2 = ANT[c1], ANT[c2]
    gam = (lambda x: wilson(x, *pair)) if model == 'W' else (lambda x: nrtl(x, pair[0], pair[1], alpha))
    data, s = [], seed
    for x1 in xs:
        g1, g2 = gam(x1)
        if tp == 0:
            lo, hi = -150.0, 600.0
            f = lambda t: psat(a1, t) * x1 * g1 + psat(a2, t) * (1 - x1) * g2 - cond
            for _ in range(200):
                mid = 0.5 * (lo + hi)
                lo, hi = (lo, mid) if f(mid) > 0 else (mid, hi)
            m = 0.5 * (lo + hi)
            y1 = psat(a1, m) * x1 * g1 / cond
        else:
            p1, p2 = psat(a1, cond) * x1 * g1, psat(a2, cond) * (1 - x1) * g2
            m, y1 = p1 + p2, p1 / (p1 + p2)
        s = (s * 1103515245 + 12345) % 2147483648
        if noise:
            y1 = min(0.9999, y1 * (1 + noise * (s / 2147483648.0 - 0.5)))
        data.append((float('%.10g' % m), x1, float('%.10g' % y1)))
    return Case(name, model, tp, cond, alpha, a1, a2, data)


X7 = [0.05, 0.15, 0.3, 0.45, 0.6, 0.75, 0.9]
X10 = [0.02, 0.08, 0.15, 0.25, 0.4, 0.5, 0.6, 0.75, 0.88, 0.96]
X5 = [0.1, 0.3, 0.5, 0.7, 0.9]


def cases():
    ex1 = Case('example-1', 'W', 0, 760.0, 0.4, ANT['ex1-methanol'], ANT['ex1-water'], EX1)
    ex2 = Case('example-2', 'W', 0, 760.0, 0.4, ANT['ex2-tba'], ANT['ex2-water'], EX2)
    ex1n = Case('example-1-nrtl', 'N', 0, 760.0, 0.3, ANT['ex1-methanol'], ANT['ex1-water'], EX1)
    ex2n = Case('example-2-nrtl', 'N', 0, 760.0, 0.3, ANT['ex2-tba'], ANT['ex2-water'], EX2)
    c = [ex1, ex2, ex1n, ex2n]
    W = [('acetone', 'methanol', (0.65, 0.55)), ('methanol', 'benzene', (0.09, 0.25)),
         ('n-heptane', 'acetonitrile', (0.9, 0.05)), ('ethanol', 'water', (0.18, 0.86)),
         ('acetone', 'water', (0.13, 0.55)), ('n-hexane', 'toluene', (0.9, 1.05)),
         ('benzene', 'toluene', (1.1, 0.85)), ('methanol', 'water', (0.43, 0.95)),
         ('ethanol', 'benzene', (0.2, 0.42)), ('acetone', 'ccl4', (0.5, 0.77)),
         ('chloroform', 'methanol', (1.4, 0.3)), ('n-pentane', 'n-octane', (0.85, 1.1))]
    for k, (a, b, pair) in enumerate(W):
        c.append(make('%s-%s-W' % (a, b), a, b, 'W', pair, X10 if k % 2 == 0 else X7, 0.0, seed=k + 3))
    for k, (a, b, pair) in enumerate(W[:6]):
        c.append(make('%s-%s-Wnoisy' % (a, b), a, b, 'W', pair, X7, 0.005, seed=k + 11))
    N = [('acetone', 'chloroform', (-0.8, -0.3), 0.3), ('ethanol', 'water', (-0.19, 1.91), 0.4),
         ('methanol', 'benzene', (1.8, 1.5), 0.47), ('n-hexane', 'toluene', (0.3, -0.1), 0.3),
         ('acetone', 'water', (0.4, 1.8), 0.4), ('chloroform', 'methanol', (2.1, -0.2), 0.3),
         ('n-heptane', 'acetonitrile', (1.9, 1.8), 0.4), ('methanol', 'water', (-0.1, 0.9), 0.3),
         ('benzene', 'toluene', (0.1, -0.05), 0.3), ('ethanol', 'benzene', (1.6, 1.2), 0.47)]
    for k, (a, b, pair, al) in enumerate(N):
        c.append(make('%s-%s-N' % (a, b), a, b, 'N', pair, X7 if k % 2 == 0 else X10, 0.0, alpha=al, seed=k + 21))
    for k, (a, b, pair, al) in enumerate(N[:4]):
        c.append(make('%s-%s-Nnoisy' % (a, b), a, b, 'N', pair, X7, 0.004, alpha=al, seed=k + 31))
    # At a fixed temperature: measured bubble pressures.
    c.append(make('acetone-chloroform-35C', 'acetone', 'chloroform', 'N', (-0.8, -0.3), X7, 0.003, 1, 35.17, 0.3, 41))
    c.append(make('acetone-chloroform-35C-W', 'acetone', 'chloroform', 'W', (1.25, 1.15), X7, 0.003, 1, 35.17,
                  seed=45))
    c.append(make('acetone-methanol-50C', 'acetone', 'methanol', 'W', (0.65, 0.55), X5, 0.0, 1, 50.0, seed=42))
    c.append(make('ethanol-water-70C', 'ethanol', 'water', 'W', (0.18, 0.86), X7, 0.004, 1, 70.0, seed=43))
    c.append(make('benzene-toluene-90C', 'benzene', 'toluene', 'N', (0.2, -0.1), X5, 0.0, 1, 90.0, 0.3, 44))
    return c


def main():
    wanted = sys.argv[1:]
    lines = []
    for case in cases():
        if wanted and case.name not in wanted:
            continue
        a = case.a1 + case.a2
        lines.append('set %s %s %d %r %r %s %d' % (case.name, case.model, case.tp, case.cond, case.alpha,
                                                  ' '.join(repr(v) for v in a), len(case.data)))
        lines += ['pt %r %r %r' % d for d in case.data]
        for obj in range(1, 6):
            for p, F, where in minima(case, obj):
                lines.append('min %d %.12g %.12g %.12g %s' % (obj, p[0], p[1], F, where))
        print('\n'.join(l for l in lines if not l.startswith('pt')).split('set ')[-1], flush=True)
    if not wanted:
        with open(OUT, 'w') as f:
            f.write('\n'.join(lines) + '\n')


if __name__ == '__main__':
    main()
