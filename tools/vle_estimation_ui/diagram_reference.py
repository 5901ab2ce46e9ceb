#!/usr/bin/python3
"""Reference values for the estimation result diagram, computed independently
of the program: the binary Wilson and NRTL equations, bubble points solved by
scipy's brentq, and the right-hand axis rounding done in exact decimals.

Case: methanol (1) - water (2) at 760 mmHg, Antoine log10 P[mmHg] = A - B/(t + C),
Wilson Lambda12 = 0.43045, Lambda21 = 0.94934 (the first example's literature pair).
"""
from decimal import Decimal, ROUND_FLOOR
import math
from scipy.optimize import brentq

A = [None, (7.8786, 1473.11, 230.0), (8.07131, 1730.63, 233.426)]
L12, L21 = 0.43045, 0.94934


def psat(i, t):
    a, b, c = A[i]
    return 10 ** (a - b / (t + c))


def wilson(x1):
    x2 = 1 - x1
    s1 = x1 + L12 * x2
    s2 = x2 + L21 * x1
    ln1 = -math.log(s1) + x2 * (L12 / s1 - L21 / s2)
    ln2 = -math.log(s2) - x1 * (L12 / s1 - L21 / s2)
    return math.exp(ln1), math.exp(ln2)


def nrtl(x1, t12, t21, alpha):
    x2 = 1 - x1
    g12, g21 = math.exp(-alpha * t12), math.exp(-alpha * t21)
    d1, d2 = (x1 + x2 * g21) ** 2, (x2 + x1 * g12) ** 2
    ln1 = x2 ** 2 * (t21 * g21 ** 2 / d1 + t12 * g12 / d2)
    ln2 = x1 ** 2 * (t12 * g12 ** 2 / d2 + t21 * g21 / d1)
    return math.exp(ln1), math.exp(ln2)


def bubble_t(x1, g1, g2, p=760.0):
    f = lambda t: psat(1, t) * x1 * g1 + psat(2, t) * (1 - x1) * g2 - p
    t = brentq(f, -50, 300, xtol=1e-12)
    return t, psat(1, t) * x1 * g1 / p


def axis_top(v):
    a = math.floor(math.log10(v) - 1)
    unit = Decimal(10) ** a
    return float((Decimal(repr(v)) / unit + 1).to_integral_value(ROUND_FLOOR) * unit)


def axis_bottom(v):
    b = math.floor(math.log10(v) - 1)
    unit = Decimal(10) ** b
    return float((Decimal(repr(v)) / unit).to_integral_value(ROUND_FLOOR) * unit)


if __name__ == "__main__":
    ts = []
    for i in range(201):
        x1 = i / 200
        g1, g2 = wilson(x1)
        t, y1 = bubble_t(x1, g1, g2)
        ts.append(t)
        if i in (0, 100, 200):
            print(f"x1={x1}: gamma1={g1:.10f} gamma2={g2:.10f} T={t:.10f} y1={y1:.10f}")
    print(f"Tmax={max(ts):.10f} -> top {axis_top(max(ts))}; Tmin={min(ts):.10f} -> bottom {axis_bottom(min(ts))}")
    g1_0, _ = wilson(0.0)
    _, g2_1 = wilson(1.0)
    print(f"gamma1(0)={g1_0:.10f} gamma2(1)={g2_1:.10f}")
    # NRTL tau12 = 0.35, tau21 = 1.25, alpha 0.3 at x1 = 0.25 (given-parameter view).
    g1, g2 = nrtl(0.25, 0.35, 1.25, 0.3)
    t, y1 = bubble_t(0.25, g1, g2)
    print(f"NRTL x1=0.25: gamma1={g1:.10f} gamma2={g2:.10f} T={t:.10f} y1={y1:.10f}")
    # Constant temperature 60 degC: bubble pressure at x1 = 0.5 (Wilson), in mmHg and kPa.
    g1, g2 = wilson(0.5)
    p = psat(1, 60) * 0.5 * g1 + psat(2, 60) * 0.5 * g2
    print(f"P_bubble(60 C, x1=0.5)={p:.10f} mmHg = {p * 0.00013322 * 1000:.10f} kPa")
    ps = []
    for i in range(201):
        x1 = i / 200
        g1, g2 = wilson(x1)
        ps.append(psat(1, 60) * x1 * g1 + psat(2, 60) * (1 - x1) * g2)
    pk = [v * 0.00013322 * 1000 for v in ps]
    print(f"P range mmHg {min(ps):.6f}..{max(ps):.6f} -> {axis_bottom(min(ps))}..{axis_top(max(ps))}")
    print(f"P range kPa {min(pk):.6f}..{max(pk):.6f} -> {axis_bottom(min(pk))}..{axis_top(max(pk))}")
    for v in (78.3, 760, 5.3, 100):
        print(f"axis_top({v}) = {axis_top(v)}")
    for v in (64.5, 355):
        print(f"axis_bottom({v}) = {axis_bottom(v)}")
