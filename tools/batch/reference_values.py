#!/usr/bin/python3
"""Reference values for the batch tests, computed apart from the engine.

1. One Runge-Kutta step on the linear two-plate system dw/dt = J w with
   J = [[-3, 2], [1, -2]], w0 = (0.3, 0.7): the exact solution expm(J h) w0
   (scipy), and the fourth-order Taylor polynomial that every four-stage
   fourth-order Runge-Kutta method reproduces on a linear system.
2. Bubble point of the example charge (methanol 0.12, ethanol 0.03, water 0.85,
   Wilson) at the top plate's 760 mmHg and the still's 770 mmHg, by brentq.
3. Rayleigh: a binary of constant relative volatility 2 charged at x0 = 0.5,
   distilled from W0 = 100 to W = 50 kmol: the still's x by brentq on the
   integrated Rayleigh equation.
"""
import numpy as np
from scipy.linalg import expm
from scipy.optimize import brentq

J = np.array([[-3.0, 2.0], [1.0, -2.0]])
w0 = np.array([0.3, 0.7])
for h in (0.1, 0.01):
    exact = expm(J * h) @ w0
    z = J * h
    taylor = (np.eye(2) + z + z @ z / 2 + z @ z @ z / 6 + z @ z @ z @ z / 24) @ w0
    print("h=%g exact=%.17g %.17g taylor4=%.17g %.17g" % (h, *exact, *taylor))

A = np.array([7.8786, 8.0449, 8.07131])
B = np.array([1473.11, 1554.3, 1730.63])
C = np.array([230.0, 222.65, 233.426])
LAM = np.array([[1, 1, 0.382], [1, 1, 0.999], [1, 0.829, 1]])
x = np.array([0.12, 0.03, 0.85])
s = LAM @ x
g = np.exp(1 - np.log(s) - LAM.T @ (x / s))
for p_mmhg in (760.0, 770.0):
    p_mm = p_mmhg * 0.00013322 * 7506.380423
    f = lambda t: (g * 10 ** (A - B / (t + C)) * x).sum() / p_mm - 1
    print("bubble point at %g mmHg: %.10f degC" % (p_mmhg, brentq(f, 50, 110, xtol=1e-13)))

alpha, x0, W0, W = 2.0, 0.5, 100.0, 50.0
ray = lambda xx: (np.log(xx / x0) + alpha * np.log((1 - x0) / (1 - xx))) / (alpha - 1) - np.log(W / W0)
print("Rayleigh x at W=50: %.12f" % brentq(ray, 1e-6, 0.5, xtol=1e-15))
