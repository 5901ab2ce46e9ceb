#!/usr/bin/python3
"""Checks the fit's claims of a minimum by the objective's own curvature,
standard library only, with the residuals of bounded_minima.py (bubble
temperatures by bisection to 1e-13 degC, not the program's Newton).

Reads lines of fits, one per fit (as fit_sweep.cpp beside this file prints them):
  <set> <W|N> <obj> <start1> <start2> <status> <p1> <p2> <F> <calls> <boundParameter>
with status 0 for Converged and 1 for AtBound (other codes are counted, not
checked). The sets are those of bounded_minima.py and the chloroform (1) /
acetone (2) set 'chloroform-acetone-W' (exact points from Wilson (1.6, 1.2)).

In the search variables (ln Lambda for Wilson, tau for NRTL) the gradient and
the full Hessian of the sum of squares are taken by central second differences
(step 1e-3, relative for tau above 1), and the claim is refused as
  saddle  the smallest eigenvalue is negative beyond the differences' error;
  slope   the Newton step would lower the sum of squares by more than 1e-8 of it;
  lower   one of eight neighbours (relative offsets 1e-4), a point along an
          eigenvector at 1e-3 or 1e-2, or (on a bound) the point just inside
          has a lower sum of squares.
A lower value must be lower by more than the precision of the program's own
residuals (its bubble points stop within |1 - y1 - y2| < 1e-11): below that
the program cannot tell, and the data do not say.
On a bound only the free member is judged by the curvature. Prints every refused
claim and a summary; exits 1 when a claim is refused.

Options: --sets FILE adds the cases of a set file (user_sets.py writes them);
--box also searches the box of half-width 0.01 around each claim in the
search variables (a compass search within the range) and refuses a claim
where it finds a sum of squares lower by more than 1e-6 of it.
"""
import math
import sys
from multiprocessing import Pool

import bounded_minima as bm
import user_sets
from varied_fits import ANT

CA = bm.Case('chloroform-acetone-W', 'W', 0, 760.0, 0.4, ANT['chloroform'], ANT['acetone'], [
    (56.58182928, 0.02, 0.00900639), (57.08921758, 0.05, 0.02371156), (57.95655066, 0.10, 0.05163057),
    (59.72252774, 0.20, 0.12162028), (61.41804277, 0.30, 0.21222415), (62.88395449, 0.40, 0.32338360),
    (63.95095517, 0.50, 0.45125899), (64.47452489, 0.60, 0.58754385), (64.37876625, 0.70, 0.72059666),
    (63.69061993, 0.80, 0.83852118), (62.54592770, 0.90, 0.93274006), (61.86892190, 0.95, 0.96973195),
    (61.44750065, 0.98, 0.98868186)])
CASES = {c.name: c for c in bm.cases() + [CA]}


def program_noise(case, obj, F0, m):
    """The precision the program's residuals are known to: its bubble points stop
    within |1 - y1 - y2| < 1e-11 (objective 5 divides by the vapour fractions);
    objectives 1 to 3 are exact to rounding."""
    if obj == 4:
        e = 1e-11 * math.sqrt(m)
    elif obj == 5:
        e = 1e-11 * math.sqrt(sum(1 / y1 ** 2 + 1 / (1 - y1) ** 2 for _, _, y1 in case.data))
    else:
        e = 1e-15 * (math.sqrt(F0) + math.sqrt(m))
    return 2 * math.sqrt(F0) * e + e * e


def neighbours_higher(case, obj, p, where, slack):
    """bounded_minima.is_minimum, with a neighbour allowed below the claim by
    `slack`, the precision of the program's own residuals."""
    F0 = case.F(p, obj)
    shifted = bm.Case.F

    def F(c, q, o):
        return shifted(c, q, o) + slack if list(q) != list(p) else F0

    bm.Case.F = F
    try:
        return bm.is_minimum(case, obj, p, where)
    finally:
        bm.Case.F = shifted


BOX = 0.01


def box_lower(fun, u, lo, hi, F0, slack, newton=None):
    """Shares 1, 1/2, ..., 1/64 of the checker's own Newton step `newton` (where
    the curvature is positive) and a compass search from u, all within
    |v - u| <= BOX (and the range): the first point found lower than F0 by more
    than 1e-6 of it and `slack` (the precision of the residuals), or None."""
    level = F0 * (1 - 1e-6) - slack
    if newton:
        t = 1.0
        while t >= 1 / 64:
            q = [min(max(u[k] - t * newton[k], lo, u[k] - BOX), hi, u[k] + BOX) for k in range(2)]
            Fq = fun(q)
            if Fq < level:
                return q, Fq
            t /= 2
    best, Fb, s = list(u), F0, BOX / 2
    dirs = [(1, 0), (-1, 0), (0, 1), (0, -1), (1, 1), (1, -1), (-1, 1), (-1, -1)]
    evals = 0
    while s > 1e-7 and evals < 400:
        moved = False
        for d in dirs:
            q = [min(max(best[k] + s * d[k], lo, u[k] - BOX), hi, u[k] + BOX) for k in range(2)]
            if q == best:
                continue
            Fq = fun(q)
            evals += 1
            if Fq < level:
                return q, Fq
            if Fq < Fb:
                best, Fb, moved = q, Fq, True
                break
        if not moved:
            s /= 2
    return None


def judge(line):
    f = line.split()
    name, obj, status = f[0], int(f[2]), int(f[5])
    if status not in (0, 1):
        return status, None
    case = CASES[name]
    p = [float(f[6]), float(f[7])]
    fun = bm.Objective(case, obj)
    u = bm.to_u(case, p)
    lo, hi = case.box()
    F0 = fun(u)
    r0 = fun.res(u)
    m = len(r0)
    # This checker's own residuals: bisected bubble points are off by about 1e-15.
    tolF = 2 * math.sqrt(F0) * math.sqrt(m) * (1e-14 if obj >= 4 else 1e-16) + 1e-14 * F0 + 1e-30
    tolP = program_noise(case, obj, F0, m)
    held = []
    if status == 1:
        held = [j for j in range(2) if abs(u[j] - lo) < 1e-9 or abs(u[j] - hi) < 1e-9]
    free = [j for j in range(2) if j not in held]
    h = [1e-3 * max(1.0, abs(v)) for v in u]

    def res(d1, d2, scale=1.0):
        q = [min(max(u[0] + d1 * h[0] * scale, lo), hi), min(max(u[1] + d2 * h[1] * scale, lo), hi)]
        return fun.res(q)

    verdict = None
    newton = None
    if free:
        # Gradient 2 J^T r from central differences of the residuals (step h / 10),
        # Hessian 2 (J^T J + sum r d2r) with second differences of step h.
        J = {}
        for j in free:
            e = [0, 0]
            e[j] = 1
            rp, rm = res(e[0], e[1], 0.1), res(-e[0], -e[1], 0.1)
            J[j] = [(a - b) / (0.2 * h[j]) for a, b in zip(rp, rm)]
        g = [0.0, 0.0]
        H = [[0.0, 0.0], [0.0, 0.0]]
        for j in free:
            g[j] = 2 * sum(a * b for a, b in zip(J[j], r0))
            e = [0, 0]
            e[j] = 1
            rp, rm = res(e[0], e[1]), res(-e[0], -e[1])
            d2 = sum(r * (a - 2 * r + b) for r, a, b in zip(r0, rp, rm)) / h[j] ** 2
            H[j][j] = 2 * (sum(a * a for a in J[j]) + d2)
        if len(free) == 2:
            rpp, rpm, rmp, rmm = res(1, 1), res(1, -1), res(-1, 1), res(-1, -1)
            d12 = sum(r * (a - b - c + d) for r, a, b, c, d in zip(r0, rpp, rpm, rmp, rmm)) / (4 * h[0] * h[1])
            H[0][1] = H[1][0] = 2 * (sum(a * b for a, b in zip(J[0], J[1])) + d12)
        rn = math.sqrt(F0)
        err = 2 * rn * math.sqrt(m) * 1e-14 * 4 / min(h[j] for j in free) ** 2
        if len(free) == 2:
            tr, det = H[0][0] + H[1][1], H[0][0] * H[1][1] - H[0][1] ** 2
            disc = math.sqrt(max(0.0, (H[0][0] - H[1][1]) ** 2 / 4 + H[0][1] ** 2))
            lmin, lmax = tr / 2 - disc, tr / 2 + disc
            err += 1e-9 * abs(lmax)
            if lmin < -err:
                verdict = 'saddle %.3g %.3g' % (lmin, lmax)
            elif lmin > err:
                step = [(H[1][1] * g[0] - H[0][1] * g[1]) / det, (H[0][0] * g[1] - H[0][1] * g[0]) / det]
                newton = step
                dec = (g[0] * step[0] + g[1] * step[1]) / 2
                # The fit may stop once its step is below 1e-6 of the parameters.
                far = max(abs(step[k]) / max(1.0, abs(u[k])) for k in range(2)) > 1e-6
                if far and dec > 1e-8 * F0 + 10 * tolP:
                    verdict = 'slope %.3g of %.3g, step (%.2g, %.2g)' % (dec, F0, step[0], step[1])
            for lam in (lmin, lmax):
                if verdict:
                    break
                v = [H[0][1], lam - H[0][0]] if abs(H[0][1]) > 1e-300 else ([1, 0] if abs(lam - H[0][0]) <= abs(lam - H[1][1]) else [0, 1])
                n = math.hypot(*v)
                v = [v[0] / n, v[1] / n]
                for t in (1e-3, 1e-2):
                    for s in (1, -1):
                        q = [min(max(u[k] + s * t * v[k] * (max(1.0, abs(u[k])) if case.model == 'N' else 1.0), lo), hi)
                             for k in range(2)]
                        Fq = fun(q)
                        if Fq < F0 - 1e-8 * F0 - 10 * (tolF + tolP):
                            verdict = 'lower along %.3g (other %.3g) at %g: %.9g < %.9g' % (
                                lam, lmin + lmax - lam, t, Fq, F0)
        else:
            j = free[0]
            if H[j][j] < -err:
                verdict = 'bound-saddle %.3g' % H[j][j]
            elif H[j][j] > err and g[j] ** 2 / H[j][j] / 2 > 1e-8 * F0 + 10 * tolP:
                verdict = 'bound-slope'
    if DO_BOX:
        if len(free) == 1 and H[free[0]][free[0]] > 0:
            newton = [0.0, 0.0]
            newton[free[0]] = g[free[0]] / H[free[0]][free[0]]
        found = box_lower(fun, u, lo, hi, F0, 10 * (tolF + tolP), newton)
        if found:
            verdict = 'box-lower at u %r: %.9g < %.9g%s' % (found[0], found[1], F0, ' (also %s)' % verdict if verdict else '')
    if not verdict:
        if status == 0:
            where = 'in'
        elif len(held) == 2:
            where = 'corner'
        else:
            where = ('lo' if abs(u[held[0]] - lo) < 1e-9 else 'hi') + str(held[0] + 1)
        if not neighbours_higher(case, obj, p, where, 10 * tolP):
            verdict = 'lower neighbour (%s)%s' % (where, ' H %r g %r' % (H, g) if free else '')
    return status, verdict and '%s: %s' % (' '.join(f[:9]), verdict)


DO_BOX = '--box' in sys.argv
if '--sets' in sys.argv:
    CASES.update({c.name: c for c in user_sets.read(sys.argv[sys.argv.index('--sets') + 1])})


def main():
    args = [a for k, a in enumerate(sys.argv) if not a.startswith('--') and sys.argv[k - 1] != '--sets']
    lines = [l for l in open(args[1]) if l.strip() and 'LOADFAIL' not in l]
    with Pool(int(args[2]) if len(args) > 2 else 4) as pool:
        out = pool.map(judge, lines, chunksize=8)
    counts, bad = {}, 0
    for status, verdict in out:
        counts[status] = counts.get(status, 0) + 1
        if verdict:
            bad += 1
            print(verdict)
    print('fits %d, by status %s; refused claims %d of %d' %
          (len(out), dict(sorted(counts.items())), bad, counts.get(0, 0) + counts.get(1, 0)))
    return 1 if bad else 0


if __name__ == '__main__':
    sys.exit(main())
