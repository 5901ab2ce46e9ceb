#!/usr/bin/python3
"""Independent shortcut design of the column program's Example-1 case.

Methanol / ethanol / water / 1-propanol, Wilson activity coefficients, Antoine
vapour pressures (mmHg, degC), 760 mmHg, bubble-point feed. Light key ethanol,
heavy key water. Solved with scipy root finders (brentq) instead of the
program's secant search and bisection, and the Fenske distribution written as
d/b ratios. Prints the numbers the tests pin.
"""
import math
import numpy as np
from scipy.optimize import brentq

names = ["Methanol", "Ethanol", "Water", "1-Propanol"]
A = np.array([7.8786, 8.0449, 8.07131, 7.9973])
B = np.array([1473.11, 1554.3, 1730.63, 1569.7])
C = np.array([230.0, 222.65, 233.43, 209.5])
L = np.ones((4, 4))  # L[i, j]: Lambda_ij of the Wilson equation
L[0, 2] = 0.382
L[1, 2] = 0.999
L[2, 1] = 0.826
L[2, 3] = 0.001
L[3, 2] = 0.67
z = np.array([0.120949998, 0.01055, 0.855279982, 0.01322])
P = 760.0
LK, HK = 1, 2


def gamma(x):
    s = L @ x  # sum_j x_j L_ij
    return np.exp(1 - np.log(s) - (L * x[:, None] / s[:, None]).sum(axis=0))


def kvalues(t, x):
    return gamma(x) * 10 ** (A - B / (t + C)) / P


def bubble(x):
    return brentq(lambda t: (kvalues(t, x) * x).sum() - 1, 0, 200, xtol=1e-12)


def fenske(rLK, rHK, alpha):
    smin = math.log((rLK / (1 - rLK)) / (rHK / (1 - rHK))) / math.log(alpha[LK])
    # d_i / b_i = alpha_i^Smin * d_HK / b_HK
    ratio = alpha ** smin * rHK / (1 - rHK)
    r = ratio / (1 + ratio)
    return smin, r * z, (1 - r) * z


def design(alpha, smin, d, b):
    DF = d.sum()
    BF = 1 - DF
    theta = brentq(lambda th: (z * alpha / (alpha - th)).sum(), 1 + 1e-9, alpha[LK] - 1e-9, xtol=1e-14)
    xD, xB = d / DF, b / BF
    rmin = (alpha * xD / (alpha - theta)).sum() - 1
    X = BF / DF * z[HK] / z[LK] * (xB[LK] / xD[HK]) ** 2
    ratio = X ** 0.206
    sminf = smin * ratio / (1 + ratio)
    return DF, theta, rmin, sminf, xD, xB


def gilliland(smin, sminf, rmin, condenser):
    out = []
    for k in (1, 26, 51):
        R = (1.05 + 0.04 * k) * rmin
        X = (R - rmin) / (R + 1)
        Y = 0.75 * (1 - X ** 0.5668)
        N = (Y + smin) / (1 - Y) - condenser
        out.append((k, R, N, sminf / smin * N))
    return out


T = bubble(z)
K = kvalues(T, z)
alpha = K / K[HK]
print(f"bubble T = {T:.10f} degC")
print("alpha =", " ".join(f"{a:.10f}" for a in alpha))

# Mole-fraction key targets: LK in the bottom 0.005, HK in the top 0.35.
def residual(phi):
    rHK = phi * 0.35 / z[HK]
    rLK = (z[LK] - (1 - phi) * 0.005) / z[LK]
    _, d, _ = fenske(rLK, rHK, alpha)
    return d.sum() - phi

phi = brentq(residual, 0.05, 0.5, xtol=1e-14)
rHK = phi * 0.35 / z[HK]
rLK = (z[LK] - (1 - phi) * 0.005) / z[LK]
smin, d, b = fenske(rLK, rHK, alpha)
DF, theta, rmin, sminf, xD, xB = design(alpha, smin, d, b)
print("mole-fraction spec:")
print(f"  D/F = {DF:.10f}  Smin = {smin:.10f}  SminF = {sminf:.10f}  theta = {theta:.10f}  Rmin = {rmin:.10f}")
print("  xD =", " ".join(f"{v:.10g}" for v in xD))
print("  xB =", " ".join(f"{v:.10g}" for v in xB))
for k, R, N, NF in gilliland(smin, sminf, rmin, 0):
    print(f"  Gilliland k={k}: R = {R:.10f} N = {N:.10f} NF = {NF:.10f}")

# Recovery key targets: 98 % of the LK and 10 % of the HK to the top.
smin, d, b = fenske(0.98, 0.1, alpha)
DF, theta, rmin, sminf, xD, xB = design(alpha, smin, d, b)
print("recovery spec:")
print(f"  D/F = {DF:.10f}  Smin = {smin:.10f}  SminF = {sminf:.10f}  theta = {theta:.10f}  Rmin = {rmin:.10f}")
print("  xD =", " ".join(f"{v:.10g}" for v in xD))
for k, R, N, NF in gilliland(smin, sminf, rmin, 1):
    print(f"  Gilliland partial k={k}: R = {R:.10f} N = {N:.10f} NF = {NF:.10f}")
