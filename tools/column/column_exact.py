#!/usr/bin/python3
"""The stage equations of column_newton.py solved in 45-digit arithmetic
(mpmath), from each dump's own profile: how far the solver's profile is from
the exact solution of its equations, beyond what double precision can show.

A profile that satisfies every equation to rounding can still be far from the
exact solution where the problem is ill-conditioned: a distillate exactly
equal to the feed of the components lighter than a cut leaves the two key
leaks (about 1e-12 kmol/h) to the rounding of the key components' balances,
and the composition front may then sit anywhere between the profiles of a
distillate a little below and a little above that value.

Prints per case the Newton iterations and the largest temperature and
mole-fraction difference from the solver's profile.
Usage: column_exact.py FILE...   (dumps of the column-set test; needs mpmath)
"""
import sys

import mpmath
from mpmath import mp, mpf

mp.dps = 45

import mesh_check  # noqa: E402
import column_newton as cn  # noqa: E402


class _MpMath:
    exp = staticmethod(mp.exp)
    log = staticmethod(mp.log)


mesh_check.math = _MpMath
cn.math = _MpMath
mesh_check.KCAL = mpf("4186.05")
mesh_check.MMHG_PER_MPA = mpf(760) / mpf("0.101325")


def solve(path, iters=15):
    c = cn.read(path)
    col = cn.Column(c)
    col.ftot = mpf(col.ftot)
    u = [mpf(0)] * col.n
    for j in range(col.nt):
        idx, s = col.index[j], c["st"][j]
        u[idx["t"]] = mpf(s["t"])
        for i in range(col.nc):
            u[idx["x"] + i] = mpf(s["x"][i])
        for key in ("v", "l"):
            if key in idx:
                u[idx[key]] = mpf(s[key])
    u0 = list(u)
    name = path.rsplit("/", 1)[-1][:-4]
    for it in range(iters):
        r = col.residuals(u)
        w = cn.weights(col, u, r)
        if max(abs(wk * v) for wk, v in zip(w, r)) < mpf("1e-28"):
            dt = max(abs(u[col.index[j]["t"]] - u0[col.index[j]["t"]]) for j in range(col.nt))
            dx = max(abs(u[col.index[j]["x"] + i] - u0[col.index[j]["x"] + i])
                     for j in range(col.nt) for i in range(col.nc))
            print(f"{name:36s} it {it:2d} dT {mpmath.nstr(dt, 3)} dx {mpmath.nstr(dx, 3)}", flush=True)
            return
        # Steps of 1e-22 of each variable: differences exact to some twenty digits.
        d = cn.band_solve(col.jacobian(u, r, step=mpf("1e-22")), [-v for v in r], col.n)
        u = [u[k] + d[k] for k in range(col.n)]
    print(f"{name:36s} no exact solution found from the solver's profile", flush=True)


def main():
    for path in sys.argv[1:]:
        try:
            solve(path)
        except ArithmeticError as e:  # a singular Jacobian on the way
            print(f"{path}: {e}", flush=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
