#!/usr/bin/python3
"""Minimum reflux of the column program's Example-1 feed at several feed conditions.

Methanol / ethanol / water / 1-propanol, Wilson activity coefficients, Antoine
vapour pressures (mmHg, degC), 760 mmHg; light key ethanol, heavy key water.
Plain Python: every root by bisection, the flash by successive substitution of
the liquid around a Rachford-Rice bisection, the Fenske split as d/b ratios and
the Underwood root of

    sum_c z_c a_c / (a_c - theta) = 1 - q,   q = 1 - V/F (1 for a subcooled feed)

between the heavy key (a = 1) and the light key. Prints the numbers the tests pin.
"""
import math

A = [7.8786, 8.0449, 8.07131, 7.9973]
B = [1473.11, 1554.3, 1730.63, 1569.7]
C = [230.0, 222.65, 233.43, 209.5]
N = 4
LAM = [[1.0] * N for _ in range(N)]  # LAM[i][j]: Lambda_ij of the Wilson equation
LAM[0][2] = 0.382
LAM[1][2] = 0.999
LAM[2][1] = 0.826
LAM[2][3] = 0.001
LAM[3][2] = 0.67
z = [0.120949998, 0.01055, 0.855279982, 0.01322]
s = sum(z)
z = [v / s for v in z]
P = 760.0
LK, HK = 1, 2


def bisect(f, lo, hi, n=200):
    flo = f(lo)
    for _ in range(n):
        mid = 0.5 * (lo + hi)
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
    return 0.5 * (lo + hi)


def gamma(x):
    s = [sum(x[j] * LAM[i][j] for j in range(N)) for i in range(N)]
    return [math.exp(1 - math.log(s[i]) - sum(x[k] * LAM[k][i] / s[k] for k in range(N))) for i in range(N)]


def kvalues(t, x):
    g = gamma(x)
    return [g[i] * 10 ** (A[i] - B[i] / (t + C[i])) / P for i in range(N)]


def norm(v):
    s = sum(v)
    return [a / s for a in v]


def bubble():
    return bisect(lambda t: sum(k * x for k, x in zip(kvalues(t, z), z)) - 1, 0, 200)


def dew_liquid(t):
    x = z[:]
    for _ in range(500):
        K = kvalues(t, x)
        x = norm([z[i] / K[i] for i in range(N)])
    return x, kvalues(t, x)


def dew():
    def f(t):
        x, K = dew_liquid(t)
        return 1 - sum(z[i] / K[i] for i in range(N))
    return bisect(f, 60, 140, 100)


def flash(t):
    """V/F and the K-values of the phases at t (those of the feed below the bubble point)."""
    K = kvalues(t, z)
    if sum(k * x for k, x in zip(K, z)) <= 1:
        return 0.0, K
    x, K = dew_liquid(t)
    if sum(z[i] / K[i] for i in range(N)) <= 1:
        return 1.0, K
    x = z[:]
    vf = 0.5
    for _ in range(500):
        K = kvalues(t, x)
        vf = bisect(lambda v: sum((K[i] - 1) * z[i] / (1 + v * (K[i] - 1)) for i in range(N)), 0, 1, 100)
        x = norm([z[i] / (1 + vf * (K[i] - 1)) for i in range(N)])
    return vf, kvalues(t, x)


def fenske(rLK, rHK, a):
    smin = math.log((rLK / (1 - rLK)) / (rHK / (1 - rHK))) / math.log(a[LK])
    r = [a[i] ** smin * rHK / (1 - rHK) for i in range(N)]
    r = [v / (1 + v) for v in r]
    return smin, [r[i] * z[i] for i in range(N)], [(1 - r[i]) * z[i] for i in range(N)]


def design(t, recovery):
    if t is None:
        t = bubble()
        vf, K = 0.0, kvalues(t, z)
    else:
        vf, K = flash(t)
    a = [k / K[HK] for k in K]
    assert not any(1 < v < a[LK] for v in a), "a component between the keys"
    if recovery:
        smin, d, b = fenske(0.98, 0.1, a)
    else:
        def split(phi):
            rHK = phi * 0.35 / z[HK]
            rLK = (z[LK] - (1 - phi) * 0.005) / z[LK]
            return fenske(rLK, rHK, a)
        phi = bisect(lambda p: sum(split(p)[1]) - p, 0.05, 0.5)
        smin, d, b = split(phi)
    DF = sum(d)
    q = 1 - vf
    theta = bisect(lambda th: sum(z[i] * a[i] / (a[i] - th) for i in range(N)) - (1 - q),
                   1 + 1e-12, a[LK] - 1e-12)
    xD = [v / DF for v in d]
    rmin = sum(a[i] * xD[i] / (a[i] - theta) for i in range(N)) - 1
    return t, vf, theta, rmin


print(f"bubble point {bubble():.10f} degC, dew point {dew():.10f} degC")
for recovery in (False, True):
    print("recovery spec" if recovery else "mole-fraction spec")
    for t in (70.0, None, 90.0, 93.0, 97.0, round(dew(), 8), 110.0):
        T, vf, theta, rmin = design(t, recovery)
        print(f"  T {T:.8f}  V/F {vf:.10f}  theta {theta:.10f}  Rmin {rmin:.10f}")
