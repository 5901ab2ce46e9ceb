#!/usr/bin/python3
"""Independent SRK / Peng-Robinson bubble points for varied liquids and pressures.

Plain Python, no packages. The cubic is solved by Newton from each end (no
trigonometric formula), the vapour by successive substitution to 1e-13, and the
temperature by a scan for the first sign change of 1 - sum x K between distinct
phases, then bisection. Prints lines "eos P_MPa x1 x2 x3 T_degC" that the
library is tested against (tests/core/thermo/EosTest.cpp).

Run: python3 tools/thermo/eos_bubble_check.py
"""
import math

TC = [305.4, 369.8, 425.2]
PC = [48.8, 42.5, 38.0]   # bar, as the working pressure
W = [0.099, 0.153, 0.199]
R = 0.082053


def consts(eos, i, T, fug=False):
    tc, pc, w = TC[i], PC[i], W[i]
    if eos == 0:
        ac, b, m = 0.00287803 * tc * tc / pc, 0.00710907 * tc / pc, 0.48 + 1.574 * w - 0.176 * w * w
    else:
        ac = (0.00307846 if fug else 0.0030785) * tc * tc / pc
        b, m = 0.00638372 * tc / pc, 0.37464 + 1.54226 * w - 0.26992 * w * w
    s = 1 + m * (1 - math.sqrt(T / tc))
    return math.sqrt(ac) * s, b


def zroot(eos, A, B, liquid):
    if eos == 0:
        c = [1, -1, A - B - B * B, -A * B]
    else:
        c = [1, B - 1, A - 3 * B * B - 2 * B, -A * B + B * B + B ** 3]
    f = lambda z: ((c[0] * z + c[1]) * z + c[2]) * z + c[3]
    d = lambda z: (3 * c[0] * z + 2 * c[1]) * z + c[2]
    z = B * 1.0000001 if liquid else 1.0 + B + A
    for _ in range(200):
        step = f(z) / d(z)
        z -= step
        if abs(step) < 1e-15:
            break
    return z


def phis(eos, T, pbar, comp):
    n = len(comp)
    rp = [consts(eos, i, T)[0] for i in range(n)]
    rf = [consts(eos, i, T, True)[0] for i in range(n)]
    bs = [consts(eos, i, T)[1] for i in range(n)]
    a = sum(comp[i] * comp[j] * rp[i] * rp[j] for i in range(n) for j in range(n))
    b = sum(comp[i] * bs[i] for i in range(n))
    rt = R * T
    A, B = pbar * a / rt ** 2, pbar * b / rt
    return A, B, a, b, rf, bs


def fug(eos, T, pbar, comp, liquid):
    A, B, a, b, rf, bs = phis(eos, T, pbar, comp)
    Z = zroot(eos, A, B, liquid)
    n = len(comp)
    out = []
    for i in range(n):
        s = sum(comp[j] * rf[i] * rf[j] for j in range(n))
        br = bs[i] / b
        if eos == 0:
            lt, fac = math.log(1 + B / Z), A / B
        else:
            r2 = math.sqrt(2)
            lt, fac = math.log((Z + (1 + r2) * B) / (Z + (1 - r2) * B)), A / (2 * r2 * B)
        out.append(math.exp(br * (Z - 1) - math.log(Z - B) - fac * (2 * s / a - br) * lt))
    return out, Z


def residual(eos, t, pbar, x):
    T = t + 273.15
    pl, zl = fug(eos, T, pbar, x, True)
    # start from Wilson-type K-values
    K = [PC[i] / pbar * math.exp(5.373 * (1 + W[i]) * (1 - TC[i] / T)) for i in range(3)]
    for _ in range(500):
        s = sum(x[i] * K[i] for i in range(3))
        y = [x[i] * K[i] / s for i in range(3)]
        pv, zv = fug(eos, T, pbar, y, False)
        Kn = [pl[i] / pv[i] for i in range(3)]
        done = max(abs(Kn[i] - K[i]) / K[i] for i in range(3)) < 1e-13
        K = Kn
        if done:
            break
    trivial = abs(zl - zv) < 1e-6 and max(abs(k - 1) for k in K) < 1e-4
    return 1 - sum(x[i] * K[i] for i in range(3)), trivial


def bubble(eos, p_mpa, x):
    """First change of sign, coming from the cold side, between two temperatures
    where liquid and vapour differ; points where they are one phase are skipped."""
    pbar = p_mpa * 10
    t, (f, triv) = -150.0, residual(eos, -150.0, pbar, x)
    if triv:
        f = None
    while t < 250:
        t2 = t + 1.0
        f2, triv2 = residual(eos, t2, pbar, x)
        if triv2:
            f2 = None
        if f is not None and f2 is not None and f > 0 >= f2:
            lo, hi = t, t2
            for _ in range(60):
                mid = 0.5 * (lo + hi)
                if residual(eos, mid, pbar, x)[0] > 0:
                    lo = mid
                else:
                    hi = mid
            return 0.5 * (lo + hi)
        t, f = t2, f2
    return None


CASES = [(0.980665, [0.2, 0.5, 0.3]), (0.5, [0.2, 0.5, 0.3]), (2.0, [0.2, 0.5, 0.3]),
         (0.980665, [0.05, 0.15, 0.8]), (0.980665, [0.6, 0.3, 0.1]), (0.1, [0.3, 0.3, 0.4]),
         (3.0, [0.1, 0.3, 0.6]), (1.5, [0.0, 0.5, 0.5]), (0.3, [0.5, 0.0, 0.5]), (4.0, [0.02, 0.08, 0.9]),
         (0.980665, [0.98, 0.01, 0.01])]

if __name__ == "__main__":
    for eos in (0, 1):
        for p, x in CASES:
            t = bubble(eos, p, x)
            print(eos, p, *x, "none" if t is None else f"{t:.6f}")
