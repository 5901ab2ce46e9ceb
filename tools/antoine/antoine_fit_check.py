#!/usr/bin/python3
"""Independent values for the Antoine program's tests.

The fit is the least-squares solution of y = a0 + a1 t + a2 t y (y = log10 P),
solved here with numpy's lstsq on the design matrix instead of Cramer's rule on
the normal equations; then C = -1/a2, A = a1 C, B = -(a1/a2 + a0) C.
Lee-Kesler vapour pressures (Lee and Kesler 1975) with Pc in bar, 1 bar =
760/1.01325 mmHg. A scipy curve_fit of the Antoine equation itself is printed
as a plausibility check (it minimises a different sum, so it differs slightly).
"""
import numpy as np
from scipy.optimize import curve_fit

MMHG_PER_BAR = 760.0 / 1.01325  # 1 atm = 760 mmHg = 1.01325 bar


def linear_fit(t, p):
    t = np.asarray(t, float)
    y = np.log10(np.asarray(p, float))
    X = np.column_stack([np.ones_like(t), t, t * y])
    a0, a1, a2 = np.linalg.lstsq(X, y, rcond=None)[0]
    C = -1.0 / a2
    A = a1 * C
    B = -(a1 / a2 + a0) * C
    return A, B, C


def lee_kesler(tc_C, Tc, Pc_bar, omega):
    Tr = (np.asarray(tc_C, float) + 273.15) / Tc
    f0 = 5.92714 - 6.09648 / Tr - 1.28862 * np.log(Tr) + 0.169347 * Tr**6
    f1 = 15.2518 - 15.6875 / Tr - 13.4721 * np.log(Tr) + 0.43577 * Tr**6
    return np.exp(f0 + omega * f1) * Pc_bar * MMHG_PER_BAR


def report(name, t, p):
    A, B, C = linear_fit(t, p)
    print(f"{name}: A={A:.12g} B={B:.12g} C={C:.12g}")
    f = lambda tt, a, b, c: a - b / (tt + c)
    popt, _ = curve_fit(f, np.asarray(t, float), np.log10(p), p0=[A, B, C])
    print(f"  (curve_fit on log10 P: A={popt[0]:.8g} B={popt[1]:.8g} C={popt[2]:.8g})")
    return A, B, C


if __name__ == "__main__":
    # Methanol, the example's measured points.
    report("methanol", [-16.2, -6.3, 11.4, 34.03, 64.51], [10, 20, 60, 200, 760])
    # Ethanol, 11 Lee-Kesler points from -20 to 80 deg C (Tc 513.9 K, Pc 61.4 bar, omega 0.644).
    t = np.linspace(-20, 80, 11)
    p = lee_kesler(t, 513.9, 61.4, 0.644)
    print("ethanol LK points:", " ".join(f"{v:.10g}" for v in p))
    report("ethanol", t, p)
    # Exact Antoine data must come back exactly: water 7.9668, 1668.21, 228.
    tw = np.array([0.0, 20, 40, 60, 80, 100])
    report("water exact", tw, 10 ** (7.9668 - 1668.21 / (tw + 228)))
