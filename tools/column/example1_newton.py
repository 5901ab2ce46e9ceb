#!/usr/bin/python3
"""Example-1 column solved independently: all stage equations at once by a
Newton-type root solve (scipy.optimize.root), not by the bubble-point sweep.

Unknowns: stage temperatures T(1..15), liquid mole fractions x(i, 1..15), vapour
flows V(3..15) and liquid flows L(2..14). Equations: component balances of every
stage (y = K x, K = gamma Psat / P with Wilson gamma and Antoine Psat), the
bubble-point sums sum K x = 1, the enthalpy balances of stages 2..14 and the
total material balances of stages 2..14. Fixed: reflux L1 = 3 x 83, V1 = 0,
V2 = L1 + 83, bottoms L15 = 297 (total condenser, reboiler duty free).
Prints the profile that the column tests compare with.
"""
import numpy as np
from scipy.optimize import root

NC, NT = 4, 15
MW = np.array([32.04, 46.07, 18.015, 60.9])
A = np.array([7.8786, 8.0449, 8.07131, 7.9973])
B = np.array([1473.11, 1554.3, 1730.63, 1569.7])
C = np.array([230.0, 222.65, 233.43, 209.5])
HV = np.array([[62.453, 0.39014, 0], [64.272, 0.41893, 0], [119.87, 0.46615, 0], [44.672, 0.3663, 0]])
HL = np.array([[-253.37, 0.81773, 0], [-174.17, 0.77057, 0], [-485.52, 0.46615, 0], [-147.14999, 0.6577, 0]])
LAM = np.ones((NC, NC))  # LAM[i, j] = Lambda(i+1, j+1), i the component whose gamma it serves
LAM[0, 2] = 0.382
LAM[1, 2] = 0.999
LAM[2, 1] = 0.826
LAM[2, 3] = 0.001
LAM[3, 2] = 0.67
KCAL = 4186.05
MMHG_TO_MPA = 0.00013322
MMHG_PER_MPA = 7506.380423

RR, D, FEED, FSTAGE, VF, TF = 3.0, 83.0, 380.0, 5, 0.5, 93.0
Z = np.array([0.120949998, 0.01055, 0.855279982, 0.01322])
BOTTOMS = FEED - D
P_MM = np.array([(760 + (j * 10.0 / 14)) * MMHG_TO_MPA * MMHG_PER_MPA for j in range(NT)])


def gamma(x):
    s = LAM @ x
    t = LAM.T @ (x / s)
    return np.exp(1 - np.log(s) - t)


def kvalues(t, x, pmm):
    return gamma(x) * 10 ** (A - B / (t + C)) / pmm


def h_mix(coef, t, comp):
    per_mass = coef[:, 0] + coef[:, 1] * t + coef[:, 2] * t * t
    return np.sum(comp * MW * per_mass) / np.sum(comp) * KCAL


HF = VF * h_mix(HV, TF, Z) + (1 - VF) * h_mix(HL, TF, Z)


def unpack(u):
    T = u[:NT]
    x = np.exp(u[NT:NT + NC * NT]).reshape(NT, NC)  # log mole fractions keep x positive
    V = np.zeros(NT)
    L = np.zeros(NT)
    V[1] = RR * D + D
    V[2:] = u[NT + NC * NT:NT + NC * NT + NT - 2]
    L[0] = RR * D
    L[1:NT - 1] = u[NT + NC * NT + NT - 2:]
    L[NT - 1] = BOTTOMS
    return T, x, V, L


def residuals(u):
    T, x, V, L = unpack(u)
    K = np.array([kvalues(T[j], x[j], P_MM[j]) for j in range(NT)])
    y = K * x
    res = []
    for j in range(NT):
        fz = FEED * Z if j == FSTAGE - 1 else np.zeros(NC)
        inflow = fz.copy()
        if j > 0:
            inflow += L[j - 1] * x[j - 1]
        if j < NT - 1:
            inflow += V[j + 1] * y[j + 1]
        out = (L[j] + (D if j == 0 else 0)) * x[j] + V[j] * y[j]
        res.extend((inflow - out) / FEED)
    res.extend(np.sum(y, axis=1) - 1)
    hv = np.array([h_mix(HV, T[j], y[j]) for j in range(NT)])
    hl = np.array([h_mix(HL, T[j], x[j]) for j in range(NT)])
    for k in range(1, NT - 1):
        f = FEED if k == FSTAGE - 1 else 0.0
        hin = L[k - 1] * hl[k - 1] + V[k + 1] * hv[k + 1] + f * HF
        hout = L[k] * hl[k] + V[k] * hv[k]
        res.append((hin - hout) / (FEED * 1e4))
        res.append((L[k - 1] + V[k + 1] + f - L[k] - V[k]) / FEED)
    return np.array(res)


def start():
    T = np.linspace(72, 105, NT)
    x = np.tile(Z, (NT, 1))
    V = np.full(NT - 2, RR * D + D)
    V[FSTAGE - 1:] -= VF * FEED  # stages below the feed (index 4 is V(6) .. )
    L = np.full(NT - 2, RR * D)
    L[FSTAGE - 2:] += (1 - VF) * FEED
    return np.concatenate([T, np.log(x).ravel(), V, L])


sol = root(residuals, start(), method="lm", options={"xtol": 1e-15, "ftol": 1e-15, "maxiter": 20000})
T, x, V, L = unpack(sol.x)
print("success", sol.success, "max residual", np.max(np.abs(residuals(sol.x))))
for j in range(NT):
    K = kvalues(T[j], x[j], P_MM[j])
    print(f"{j + 1:2d} T={T[j]:.8f} L={L[j]:.8f} V={V[j]:.8f} x=" + " ".join(f"{v:.9f}" for v in x[j]) +
          " y=" + " ".join(f"{v:.9f}" for v in K * x[j]))
