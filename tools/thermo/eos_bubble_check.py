#!/usr/bin/python3
"""Independent SRK / Peng-Robinson bubble points for varied liquids and pressures.

Plain Python, no packages. The library's equations of state (the same a, b, m
constants, mixing rule and fugacity expressions) are solved here by other
means:

- the cubic: every real root by bisection between its turning points,
  finished by Newton inside the bracket (no trigonometric formula);
- the incipient vapour at a temperature: successive substitution from
  Wilson's K-values and from the previous temperature's vapour, finished by
  Newton on ln K with a finite-difference Jacobian to 1e-12; a vapour within
  1e-3 of the liquid (every |ln K| and |Zv - Zl|) is no second phase;
- the temperature: a scan in steps of 0.5 K over the whole range where a liquid
  can exist, every change of sign of ln sum(x K) between distinct phases
  refined by bisection to 1e-9 K.

Every root at the pressure is listed. A bubble point is a root at which the
liquid starts to boil on heating (sum x K rises through 1), the incipient
phase is lighter than the liquid and no vapour-like trial finds the liquid
unstable; the library returns the lowest such root, none where there is none.
This script prints that one first.

Run: python3 tools/thermo/eos_bubble_check.py            (the test set)
     python3 tools/thermo/eos_bubble_check.py --cpp      (C++ table rows)
"""
import csv
import math
import os
import sys

R = 0.082053
HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "..", "data")


def load_database():
    crit, kij = {}, {}
    with open(os.path.join(DATA, "CriticalConstant.csv"), newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            crit.setdefault(row["Name"].lower(), (float(row["Tc"]), float(row["Pc"]), float(row["OMG"])))
    with open(os.path.join(DATA, "Kij Parameter.csv"), newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f):
            a, b = row["Name1"].lower(), row["Name2"].lower()
            kij.setdefault((a, b), float(row["Kij"]))
            kij.setdefault((b, a), float(row["Kij"]))
    return crit, kij


class Mixture:
    def __init__(self, tc, pc, w, k):
        self.tc, self.pc, self.w, self.k = tc, pc, w, k
        self.n = len(tc)

    def consts(self, eos, T):
        """sqrt(ac) s of the mixture a, sqrt(a) of the fugacity, b, per component."""
        rp, rf, bs = [], [], []
        for i in range(self.n):
            tc, pc, w = self.tc[i], self.pc[i], self.w[i]
            if eos == 0:
                ac = acf = 0.00287803 * tc * tc / pc
                b, m = 0.00710907 * tc / pc, 0.48 + 1.574 * w - 0.176 * w * w
            else:
                ac, acf = 0.0030785 * tc * tc / pc, 0.00307846 * tc * tc / pc
                b, m = 0.00638372 * tc / pc, 0.37464 + 1.54226 * w - 0.26992 * w * w
            s = 1 + m * (1 - math.sqrt(T / tc))
            rp.append(math.sqrt(ac) * s)
            rf.append(math.sqrt(acf) * s)
            bs.append(b)
        return rp, rf, bs


def cubic_roots(c2, c1, c0):
    """Real roots of z^3 + c2 z^2 + c1 z + c0, ascending: bisection between the
    turning points of the cubic (and bounds beyond every root), each finished by
    Newton kept inside its bracket. Newton from above alone can wander between a
    complex pair and stop on no root at all."""
    f = lambda z: ((z + c2) * z + c1) * z + c0
    d = lambda z: (3 * z + 2 * c2) * z + c1
    big = 1 + abs(c2) + abs(c1) + abs(c0)  # beyond every real root
    edges = [-big]
    disc = c2 * c2 - 3 * c1  # of f' / 3 = z^2 + 2 c2 / 3 z + c1 / 3, times 9 / 4
    if disc > 0:
        s = math.sqrt(disc)
        edges += sorted([(-c2 - s) / 3, (-c2 + s) / 3])
    edges.append(big)
    roots = []
    for lo, hi in zip(edges, edges[1:]):
        flo, fhi = f(lo), f(hi)
        if flo == 0 or fhi == 0:
            z = lo if flo == 0 else hi
            if not any(r == z for r in roots):
                roots.append(z)
            continue
        if (flo > 0) == (fhi > 0):
            continue
        for _ in range(200):  # halving from 2 big to a few ulps
            mid = 0.5 * (lo + hi)
            if not (lo < mid < hi):
                break
            fm = f(mid)
            if fm == 0:
                lo = hi = mid
                break
            if (fm > 0) == (flo > 0):
                lo, flo = mid, fm
            else:
                hi = mid
        z = 0.5 * (lo + hi)
        for _ in range(2):  # Newton to the last digit, kept inside the bracket
            dz = d(z)
            if dz != 0:
                nz = z - f(z) / dz
                if lo <= nz <= hi:
                    z = nz
        roots.append(z)
    return sorted(roots)


def ln_phi(mix, eos, consts, T, pbar, comp, liquid):
    rp, rf, bs = consts
    n = mix.n
    a = sum((1 - mix.k[i][j]) * comp[i] * comp[j] * rp[i] * rp[j] for i in range(n) for j in range(n))
    b = sum(comp[i] * bs[i] for i in range(n))
    rt = R * T
    A, B = pbar * a / rt ** 2, pbar * b / rt
    if eos == 0:
        c2, c1, c0 = -1.0, A - B - B * B, -A * B
    else:
        c2, c1, c0 = B - 1, A - 3 * B * B - 2 * B, -A * B + B * B + B ** 3
    roots = cubic_roots(c2, c1, c0)
    Z = roots[0] if liquid else roots[-1]
    r2 = math.sqrt(2)
    out = []
    for i in range(n):
        s = sum(comp[j] * (1 - mix.k[i][j]) * rf[i] * rf[j] for j in range(n))
        br = bs[i] / b
        L = math.log(Z - B) if Z > B else 0.0
        if eos == 0:
            lt, fac = (math.log(1 + B / Z) if 1 + B / Z > 0 else 0.0), A / B
        else:
            arg = (Z + (1 + r2) * B) / (Z + (1 - r2) * B)
            lt, fac = (math.log(arg) if arg > 0 else 0.0), A / (2 * r2 * B)
        out.append(br * (Z - 1) - L - fac * (2 * s / a - br) * lt)
    return out, Z


def vapour_map(mix, eos, consts, T, pbar, x, lpl, u):
    """ln K -> ln K' = ln phiL - ln phiV(y(ln K))."""
    top = max(u)
    yk = [x[i] * math.exp(u[i] - top) for i in range(mix.n)]
    s = sum(yk)
    y = [v / s for v in yk]
    lpv, zv = ln_phi(mix, eos, consts, T, pbar, y, False)
    return [lpl[i] - lpv[i] for i in range(mix.n)], zv


def stationary_vapour(mix, eos, consts, T, pbar, x, lpl, u0):
    """A converged incipient vapour (ln K, its Z) from ln K start u0, or None."""
    n = mix.n
    u = list(u0)
    for _ in range(40):
        un, zv = vapour_map(mix, eos, consts, T, pbar, x, lpl, u)
        if max(abs(un[i] - u[i]) for i in range(n)) < 1e-12:
            return un, zv
        u = un
    for _ in range(60):
        g0, zv = vapour_map(mix, eos, consts, T, pbar, x, lpl, u)
        F = [u[i] - g0[i] for i in range(n)]
        if max(abs(v) for v in F) < 1e-12:
            return u, zv
        J = [[0.0] * n for _ in range(n)]
        for j in range(n):
            h = 1e-7 * max(1.0, abs(u[j]))
            up = list(u)
            up[j] += h
            g1, _ = vapour_map(mix, eos, consts, T, pbar, x, lpl, up)
            for i in range(n):
                J[i][j] = ((up[i] - g1[i]) - F[i]) / h
        try:
            du = solve_linear(J, [-v for v in F])
        except ZeroDivisionError:
            return None
        big = max(abs(v) for v in du)
        if big > 2:
            du = [v * 2 / big for v in du]
        u = [u[i] + du[i] for i in range(n)]
    return None


def solve_linear(J, rhs):
    n = len(rhs)
    M = [J[i][:] + [rhs[i]] for i in range(n)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(M[r][c]))
        if abs(M[p][c]) < 1e-300:
            raise ZeroDivisionError
        M[c], M[p] = M[p], M[c]
        for r in range(c + 1, n):
            f = M[r][c] / M[c][c]
            for k in range(c, n + 1):
                M[r][k] -= f * M[c][k]
    out = [0.0] * n
    for r in range(n - 1, -1, -1):
        out[r] = (M[r][n] - sum(M[r][k] * out[k] for k in range(r + 1, n))) / M[r][r]
    return out


class Residual:
    """ln sum x K at T with a vapour distinct from the liquid, or None: of the
    stationary phases from the previous temperature's and Wilson's K-values,
    a lighter one first (a denser one only where neither is lighter)."""

    def __init__(self, mix, eos, pbar, x):
        self.mix, self.eos, self.pbar, self.x = mix, eos, pbar, x
        self.last = None

    def __call__(self, T):
        mix, x = self.mix, self.x
        consts = mix.consts(self.eos, T)
        lpl, zl = ln_phi(mix, self.eos, consts, T, self.pbar, x, True)
        wilson = [math.log(mix.pc[i] / self.pbar) + 5.373 * (1 + mix.w[i]) * (1 - mix.tc[i] / T)
                  for i in range(mix.n)]
        best = None
        for u0 in ([self.last] if self.last else []) + [wilson]:
            found = stationary_vapour(mix, self.eos, consts, T, self.pbar, x, lpl, u0)
            if found is None:
                continue
            u, zv = found
            # one phase: the vapour is (next to) the liquid itself, where ln sum x K
            # falls toward 0 with a power of the split and would pass for a root
            if max(abs(u[i]) for i in range(mix.n) if x[i] > 0) < 1e-3 and abs(zv - zl) < 1e-3:
                continue
            top = max(u)
            g = top + math.log(sum(x[i] * math.exp(u[i] - top) for i in range(mix.n)))
            # a bubble point is a root on the vapour's branch: a lighter phase
            # first, the most vapour-like of two lighter ones (a second liquid
            # can be lighter than a dense liquid), of two denser the one the
            # liquid would rather form
            if best is None or (zv > zl, zv if zv > zl else g) > (best[2] > best[3], best[2] if best[2] > best[3] else best[0]):
                best = (g, u, zv, zl)
        if best is None:
            return None
        self.last = best[1]
        self.found = best
        return best[0]


def liquid_stable(mix, eos, T, pbar, x, pure_trials=True):
    """No vapour-like trial (from Wilson's K-values and, with pure_trials, from
    each pure component) reaches a negative tangent-plane distance of the
    liquid x. The library tries Wilson's only: it does not look for a second
    liquid."""
    n = mix.n
    consts = mix.consts(eos, T)
    lpl, _ = ln_phi(mix, eos, consts, T, pbar, x, True)
    d = [math.log(x[i]) + lpl[i] if x[i] > 0 else 0.0 for i in range(n)]
    wilson = [math.log(mix.pc[i] / pbar) + 5.373 * (1 + mix.w[i]) * (1 - mix.tc[i] / T) for i in range(n)]
    trials = [[math.log(x[i]) + wilson[i] if x[i] > 0 else -800.0 for i in range(n)]]
    if pure_trials:
        trials += [[0.0 if i == j else -30.0 for i in range(n)] for j in range(n) if x[j] > 0]
    for lw in trials:
        for _ in range(200):
            top = max(lw)
            W = [math.exp(v) if x[i] > 0 else 0.0 for i, v in enumerate(lw)]
            sw = sum(W)
            lpv, _ = ln_phi(mix, eos, consts, T, pbar, [v / sw for v in W], False)
            nxt = [d[i] - lpv[i] for i in range(n)]
            tm = 1 + sum(W[i] * (lw[i] - nxt[i] - 1) for i in range(n) if x[i] > 0)
            if tm < -1e-7:
                return False
            if max(abs(nxt[i] - lw[i]) for i in range(n) if x[i] > 0) < 1e-10 or top > 700:
                break
            lw = [nxt[i] if x[i] > 0 else -800.0 for i in range(n)]
    return True


def classify(res, root, rising):
    """(T, rising, gas, vapour_gas): gas when the incipient phase is lighter
    than the liquid and the liquid is stable there; vapour_gas the same with
    only the vapour-like trial of the stability test (the library's)."""
    res(root)
    _, _, zv, zl = res.found
    lighter = zv > zl
    vapour_gas = lighter and liquid_stable(res.mix, res.eos, root, res.pbar, res.x, pure_trials=False)
    gas = vapour_gas and liquid_stable(res.mix, res.eos, root, res.pbar, res.x)
    return (root, rising, gas, vapour_gas)


def bubble_points(mix, eos, p_mpa, x, step=0.5):
    """Every bubble point (K) at p_mpa, each as (T, rising, gas)."""
    pbar = p_mpa * 10
    res = Residual(mix, eos, pbar, x)
    present = [i for i in range(mix.n) if x[i] > 0]
    t_lo = max(0.1 * min(mix.tc[i] for i in present), 3.0)
    t_hi = 1.5 * max(mix.tc[i] for i in present)
    out = []
    t0, g0 = t_lo, res(t_lo)
    while t0 < t_hi:
        t1 = t0 + step
        g1 = res(t1)
        if g0 is not None and g1 is not None and (g0 > 0) != (g1 > 0):
            root = refine(res, t0, g0, t1, g1)
            if root is not None:
                out.append(classify(res, root, g1 > g0))
        elif (g0 is None) != (g1 is None) and (g0 or g1) is not None:
            # the edge of the range with a distinct vapour: look closer
            sub = step / 50
            a, ga = t0, g0
            for k in range(1, 51):
                b = t0 + k * sub
                gb = res(b)
                if ga is not None and gb is not None and (ga > 0) != (gb > 0):
                    root = refine(res, a, ga, b, gb)
                    if root is not None:
                        out.append(classify(res, root, gb > ga))
                a, ga = b, gb
            res.last = None
        t0, g0 = t1, g1
    return out


def refine(res, a, ga, b, gb):
    for _ in range(60):
        m = 0.5 * (a + b)
        gm = res(m)
        if gm is None:
            return None
        if (gm > 0) == (ga > 0):
            a, ga = m, gm
        else:
            b, gb = m, gm
        if b - a < 1e-9:
            break
    g = res(0.5 * (a + b))
    if g is None or abs(g) > 1e-9:
        return None  # a jump between two vapour branches, not a root
    return 0.5 * (a + b)


def library_range(mix, x):
    """The range the library searches: from a quarter of the liquid's
    mole-averaged Tc (not below 3.15 K) to 1.3 times the highest Tc present."""
    present = [i for i in range(mix.n) if x[i] > 0]
    mean = sum(x[i] * mix.tc[i] for i in present) / sum(x[i] for i in present)
    return max(3.15, 0.25 * mean), 1.3 * max(mix.tc[i] for i in present)


def in_range(mix, x, points):
    lo, hi = library_range(mix, x)
    return [p for p in points if lo <= p[0] <= hi]


def counted(points, vapour_only=False):
    """The bubble points: roots where sum x K rises through 1 with T (the liquid
    starts to boil on heating), the incipient phase is lighter than the liquid
    and no vapour-like trial finds the liquid unstable. A falling root, or one
    on a denser phase, is a dew point, a second liquid or gas redissolving."""
    return [p for p in points if p[1] and p[3 if vapour_only else 2]]


def chosen(points, vapour_only=False):
    """The lowest bubble point, None where there is none; vapour_only: with the
    library's stability test (no second liquid looked for)."""
    points = counted(points, vapour_only)
    return min(p[0] for p in points) if points else None


# ------------------------------------------------------------------ test set
# (label, component names, x, P in MPa). kij from the database (0 where none),
# except where a case gives its own. The example-2 set uses its own constants.
EXAMPLE2 = Mixture([305.4, 369.8, 425.2], [48.8, 42.5, 38.0], [0.099, 0.153, 0.199],
                   [[0.0] * 3 for _ in range(3)])
EXAMPLE2_CASES = [(0.980665, [0.2, 0.5, 0.3]), (0.5, [0.2, 0.5, 0.3]), (2.0, [0.2, 0.5, 0.3]),
                  (0.980665, [0.05, 0.15, 0.8]), (0.980665, [0.6, 0.3, 0.1]), (0.1, [0.3, 0.3, 0.4]),
                  (3.0, [0.1, 0.3, 0.6]), (1.5, [0.0, 0.5, 0.5]), (0.3, [0.5, 0.0, 0.5]),
                  (4.0, [0.02, 0.08, 0.9])]

CASES = [
    # cases first reported wrong
    ("ethane n-butane", ["ethane", "n-butane"], [0.6, 0.4], 5.5),
    ("methane ethane", ["methane", "ethane"], [0.5, 0.5], 5.5),
    ("ethane propane rich", ["ethane", "propane"], [0.9, 0.1], 4.8),
    ("methane n-butane", ["methane", "n-butane"], [0.3, 0.7], 4.0),
    ("methane n-decane", ["methane", "n-decane"], [0.05, 0.95], 1.0),
    ("methane benzene", ["methane", "benzene"], [0.05, 0.95], 1.5),
    ("ethane propane near critical", ["ethane", "propane"], [0.5, 0.5], 4.5),
    ("methane propane", ["methane", "propane"], [0.4, 0.6], 6.0),
    ("ethane n-heptane", ["ethane", "n-heptane"], [0.95, 0.05], 5.5),
    ("methane ethane nearly pure", ["methane", "ethane"], [0.999, 0.001], 2.0),
    ("CO2 n-decane", ["carbon dioxide", "n-decane"], [0.5, 0.5], 5.0),
    # light gases in heavy liquids
    ("H2 n-decane", ["hydrogen", "n-decane"], [0.02, 0.98], 3.0),
    ("H2 n-heptane", ["hydrogen", "n-heptane"], [0.01, 0.99], 1.0),
    ("N2 n-decane", ["nitrogen", "n-decane"], [0.03, 0.97], 2.0),
    ("methane n-decane rich", ["methane", "n-decane"], [0.3, 0.7], 6.0),
    ("CO2 n-butane", ["carbon dioxide", "n-butane"], [0.2, 0.8], 2.0),
    ("CO2 propane", ["carbon dioxide", "propane"], [0.3, 0.7], 3.0),
    ("methane toluene", ["methane", "toluene"], [0.02, 0.98], 0.5),
    ("ethane n-decane", ["ethane", "n-decane"], [0.2, 0.8], 2.0),
    ("methane n-hexane", ["methane", "n-hexane"], [0.1, 0.9], 3.0),
    ("H2S n-heptane", ["hydrogen sulfide", "n-heptane"], [0.1, 0.9], 1.0),
    # near-critical
    ("methane n-butane high P", ["methane", "n-butane"], [0.5, 0.5], 10.0),
    ("ethane n-pentane", ["ethane", "n-pentane"], [0.7, 0.3], 6.0),
    ("propane n-butane", ["propane", "n-butane"], [0.5, 0.5], 4.0),
    ("CO2 ethane", ["carbon dioxide", "ethane"], [0.5, 0.5], 5.5),
    ("methane ethane propane", ["methane", "ethane", "propane"], [0.3, 0.3, 0.4], 5.0),
    ("ethane propane below", ["ethane", "propane"], [0.5, 0.5], 3.0),
    # cryogenic
    ("N2 methane", ["nitrogen", "methane"], [0.2, 0.8], 0.5),
    ("N2 argon O2", ["nitrogen", "argon", "oxygen"], [0.78, 0.01, 0.21], 0.101325),
    ("N2 O2 high P", ["nitrogen", "oxygen"], [0.5, 0.5], 2.0),
    ("methane ethane cold", ["methane", "ethane"], [0.8, 0.2], 0.2),
    ("H2 methane", ["hydrogen", "methane"], [0.02, 0.98], 1.0),
    ("argon methane", ["argon", "methane"], [0.3, 0.7], 1.5),
    # nearly pure
    ("nearly pure propane", ["ethane", "propane", "n-butane"], [0.001, 0.998, 0.001], 1.0),
    ("nearly pure n-decane", ["methane", "n-decane"], [1e-4, 0.9999], 0.1),
    ("nearly pure CO2", ["carbon dioxide", "n-butane"], [0.995, 0.005], 4.0),
    ("pure n-hexane", ["n-hexane"], [1.0], 0.101325),
    ("pure methane above Pc", ["methane"], [1.0], 5.0),
    # hydrocarbon liquids at low and moderate pressure, kij != 0
    ("C1-C4 gas liquid", ["methane", "ethane", "propane", "n-butane"], [0.05, 0.15, 0.4, 0.4], 2.0),
    ("C2-C7 four", ["ethane", "propane", "n-pentane", "n-heptane"], [0.1, 0.2, 0.3, 0.4], 1.0),
    ("benzene toluene", ["benzene", "toluene"], [0.5, 0.5], 0.101325),
    ("n-hexane n-heptane vacuum", ["n-hexane", "n-heptane"], [0.5, 0.5], 0.005),
    ("N2 methane ethane", ["nitrogen", "methane", "ethane"], [0.1, 0.6, 0.3], 3.0),
    ("CO2 H2S methane", ["carbon dioxide", "hydrogen sulfide", "methane"], [0.3, 0.6, 0.1], 3.0),
    ("ethane n-butane kij 0.1", ["ethane", "n-butane"], [0.3, 0.7], 2.0, 0.1),
    ("methane n-heptane kij -0.05", ["methane", "n-heptane"], [0.1, 0.9], 2.5, -0.05),
    ("five hydrocarbons", ["methane", "ethane", "propane", "n-butane", "n-pentane"],
     [0.02, 0.08, 0.3, 0.3, 0.3], 1.5),
    ("propane above Pc", ["propane", "n-butane"], [0.9, 0.1], 4.6),
]


def build(crit, kij, case):
    names, x, p = case[1], case[2], case[3]
    own = case[4] if len(case) > 4 else None
    tc = [crit[n][0] for n in names]
    pc = [crit[n][1] for n in names]
    w = [crit[n][2] for n in names]
    k = [[0.0 if i == j else (own if own is not None else kij.get((names[i], names[j]), 0.0))
          for j in range(len(names))] for i in range(len(names))]
    return Mixture(tc, pc, w, k), x, p


def main():
    crit, kij = load_database()
    cpp = "--cpp" in sys.argv
    for eos in (0, 1):
        for p, x in EXAMPLE2_CASES:
            pts = in_range(EXAMPLE2, x, bubble_points(EXAMPLE2, eos, p, x))
            t = chosen(pts)
            print("example2", eos, p, *x, "none" if t is None else f"{t - 273.15:.6f}")
    for case in CASES:
        mix, x, p = build(crit, kij, case)
        row = []
        for eos in (0, 1):
            every = bubble_points(mix, eos, p, x)
            pts = in_range(mix, x, every)
            t = chosen(pts)
            shown = [f"{tt - 273.15:.4f}{'+' if up else '-'}{'' if gas else '(no gas)'}" for tt, up, gas, _ in every]
            row.append("NAN" if t is None else f"{t - 273.15:.6f}")
            row.append(str(len(counted(pts))))
            if not cpp:
                print(f"{case[0]:32s} eos {eos}: {'none' if t is None else f'{t - 273.15:.6f}'}"
                      f"  in range {len(pts)}, all: {shown}", flush=True)
        if cpp:
            print(f"    {{\"{case[0]}\", {', '.join(row)}}},", flush=True)


if __name__ == "__main__":
    main()
