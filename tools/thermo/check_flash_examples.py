#!/usr/bin/python3
"""Independent values for the thermodynamic library's tests.

Solves the equilibrium equations of the flash program's two examples by
methods other than the library's own (brentq on the residual, fsolve on the
full set of equations, numpy.roots for the cubic) and prints the results that
tests/core/thermo quotes.

Run: /usr/bin/python3 tools/thermo/check_flash_examples.py
"""
import math

import numpy as np
from scipy.optimize import brentq, fsolve

MMHG_PER_MPA = 7506.380423

# ---------------------------------------------------------------- example 1
# Methanol - Ethanol - Water - 1-Propanol, Wilson, 760 mmHg typed.
A1 = np.array([7.8786, 8.0449, 8.07131, 7.9973])
B1 = np.array([1473.11, 1554.3, 1730.63, 1569.7])
C1 = np.array([230.0, 222.65, 233.43, 209.5])
LAM = np.array([[1, 1, 0.382, 1],
                [1, 1, 0.999, 1],
                [1, 0.826, 1, 0.001],
                [1, 1, 0.67, 1]], dtype=float)
Z1 = np.array([0.12, 0.01, 0.85, 0.02])
P1_MPA = 760 * 0.00013322
P1_MM = P1_MPA * MMHG_PER_MPA


def solve(eqs, u0):
    """fsolve, then insist on a residual at rounding level."""
    sol = fsolve(eqs, u0, xtol=1e-13)
    assert np.max(np.abs(eqs(sol))) < 1e-11, eqs(sol)
    return sol


def psat1(t):
    return 10.0 ** (A1 - B1 / (t + C1))


def wilson(x, lam=LAM):
    """ln gamma_i = 1 - ln(sum_j L_ij x_j) - sum_k L_ki x_k / sum_j L_kj x_j."""
    s = lam @ x
    return np.exp(1.0 - np.log(s) - lam.T @ (x / s))


def bubble_t(x, p_mm, gam):
    g = gam(x)
    return brentq(lambda t: np.sum(x * g * psat1(t)) / p_mm - 1.0, -50, 300, xtol=1e-13)


def dew_t_joint(y, p_mm, gam, t0):
    """Unknowns ln x (n) and T: y_i P = x_i gamma_i(x) Psat_i(T), sum x = 1."""
    n = len(y)

    def eqs(u):
        x = np.exp(u[:n])
        t = u[n]
        r = np.log(y * p_mm) - np.log(x * gam(x) * psat1(t))
        return np.append(r, np.sum(x) - 1.0)

    u0 = np.append(np.log(y), t0)
    sol = solve(eqs, u0)
    return sol[n], np.exp(sol[:n])


def dew_t_frozen(y, p_mm, gam):
    """Gamma taken at the vapour composition (the old way), for comparison."""
    g = gam(y)
    return brentq(lambda t: 1.0 - np.sum(y * p_mm / (g * psat1(t))), -50, 300, xtol=1e-13)


def dew_p_joint(y, t, gam, p0=500.0):
    n = len(y)
    ps = psat1(t)

    def eqs(u):
        x = np.exp(u[:n])
        p = u[n]
        return np.append(np.log(y * p) - np.log(x * gam(x) * ps), np.sum(x) - 1.0)

    sol = solve(eqs, np.append(np.log(y), p0))
    return sol[n], np.exp(sol[:n])


def flash_joint(z, t, p_mm, gam):
    """Unknowns ln x, ln y, V: z = (1-V) x + V y, y P = x gamma(x) Psat, sum x = sum y."""
    n = len(z)
    ps = psat1(t)

    def eqs(u):
        x = np.exp(u[:n])
        y = np.exp(u[n:2 * n])
        v = u[2 * n]
        bal = z - (1 - v) * x - v * y
        eq = np.log(y * p_mm) - np.log(x * gam(x) * ps)
        return np.concatenate([bal, eq, [np.sum(y) - np.sum(x)]])

    u0 = np.concatenate([np.log(z), np.log(z), [0.5]])
    sol = solve(eqs, u0)
    return sol[2 * n], np.exp(sol[:n]), np.exp(sol[n:2 * n])


def example1():
    print("Example 1 (Wilson), P = %.10f MPa = %.8f mmHg" % (P1_MPA, P1_MM))
    tb = bubble_t(Z1, P1_MM, wilson)
    print("  bubble T        %.8f degC" % tb)
    td, xd = dew_t_joint(Z1, P1_MM, wilson, 95.0)
    print("  dew T (joint)   %.8f degC   x = %s" % (td, np.array2string(xd, precision=8)))
    print("  dew T (frozen)  %.8f degC" % dew_t_frozen(Z1, P1_MM, wilson))
    t = 80.0
    g = wilson(Z1)
    pb = np.sum(Z1 * g * psat1(t))
    print("  bubble P at 80  %.8f mmHg" % pb)
    pd, xpd = dew_p_joint(Z1, t, wilson)
    print("  dew P at 80     %.8f mmHg   x = %s" % (pd, np.array2string(xpd, precision=8)))
    tf = 0.5 * (tb + td)
    v, x, y = flash_joint(Z1, tf, P1_MM, wilson)
    print("  flash at %.6f degC: V/F %.10f" % (tf, v))
    print("     x = %s" % np.array2string(x, precision=10))
    print("     y = %s" % np.array2string(y, precision=10))
    # Ideal K-values (K_Method 1) for the same mixture.
    one = lambda x: np.ones_like(x)
    print("  ideal bubble T  %.8f degC" % bubble_t(Z1, P1_MM, one))
    print("  ideal dew T     %.8f degC" % dew_t_frozen(Z1, P1_MM, one))


# ---------------------------------------------------------------- example 2
# Ethane - Propane - n-Butane, 10 kgf/cm2 typed, k(i, j) = 0 off the diagonal.
TC = np.array([305.4, 369.8, 425.2])
PC_BAR = np.array([48.8, 42.5, 38.0])
OM = np.array([0.099, 0.153, 0.199])
Z2 = np.array([0.2, 0.5, 0.3])
P2_MPA = 10 * 0.0980665
R = 0.082053


def eos_consts(eos):
    if eos == 0:
        m = 0.48 + 1.574 * OM - 0.176 * OM ** 2
        return 0.00287803 * TC ** 2 / PC_BAR, 0.00710907 * TC / PC_BAR, m, 0.00287803 * TC ** 2 / PC_BAR
    m = 0.37464 + 1.54226 * OM - 0.26992 * OM ** 2
    return 0.0030785 * TC ** 2 / PC_BAR, 0.00638372 * TC / PC_BAR, m, 0.00307846 * TC ** 2 / PC_BAR


def ln_phi(eos, T, p_bar, x, phase):
    ac, b, m, ac_f = eos_consts(eos)
    s = 1 + m * (1 - np.sqrt(T / TC))
    ai = ac * s ** 2
    amix = np.sum(np.outer(x, x) * np.sqrt(np.outer(ai, ai)))
    bmix = np.sum(x * b)
    rt = R * T
    A = p_bar * amix / rt ** 2
    B = p_bar * bmix / rt
    if eos == 0:
        coeffs = [1, -1, A - B - B * B, -A * B]
    else:
        coeffs = [1, B - 1, A - 3 * B * B - 2 * B, -A * B + B * B + B ** 3]
    roots = np.roots(coeffs)
    real = np.sort(roots[np.abs(roots.imag) < 1e-9].real)
    Z = real[0] if phase == 0 else real[-1]
    ai_f = ac_f * s ** 2
    sum_j = np.sqrt(ai_f) * (x @ np.sqrt(ai_f))
    br = b / bmix
    if eos == 0:
        return br * (Z - 1) - np.log(Z - B) - A / B * (2 * sum_j / amix - br) * np.log(1 + B / Z)
    sq2 = math.sqrt(2.0)
    return (br * (Z - 1) - np.log(Z - B)
            - A / (2 * sq2 * B) * (2 * sum_j / amix - br)
            * np.log((Z + (1 + sq2) * B) / (Z + (1 - sq2) * B)))


def eos_bubble_t(eos, x, p_mpa, pc_scale=1.0):
    """Unknowns T and ln y: ln x + ln phiL = ln y + ln phiV, sum y = 1."""
    p_bar = p_mpa * 10.0 * pc_scale
    n = len(x)

    def eqs(u):
        T = u[0]
        y = np.exp(u[1:])
        return np.append(np.log(x) + ln_phi(eos, T, p_bar, x, 0) - u[1:] - ln_phi(eos, T, p_bar, y, 1),
                         np.sum(y) - 1.0)

    best = None
    for t0 in (260.0, 280.0, 300.0):
        y0 = x * np.array([3.0, 1.0, 0.4])
        y0 /= y0.sum()
        sol = fsolve(eqs, np.append(t0, np.log(y0)), xtol=1e-13)
        if np.max(np.abs(eqs(sol))) < 1e-11 and np.max(np.abs(np.exp(sol[1:]) - x)) > 1e-3:
            best = sol
            break
    assert best is not None
    return best[0] - 273.15, np.exp(best[1:])


def example2():
    print("Example 2 (EOS), P = %.8f MPa = %.7f bar" % (P2_MPA, P2_MPA * 10))
    for eos, name in ((0, "SRK"), (1, "PR")):
        t, y = eos_bubble_t(eos, Z2, P2_MPA)
        print("  %s bubble T  %.8f degC   y = %s" % (name, t, np.array2string(y, precision=8)))
    # Pure propane: the saturation temperature where phiL = phiV (brentq on the difference).
    global TC, PC_BAR, OM
    saved = TC, PC_BAR, OM
    TC, PC_BAR, OM = np.array([369.8]), np.array([42.5]), np.array([0.153])
    one = np.array([1.0])
    tsat = brentq(lambda T: (ln_phi(0, T, P2_MPA * 10, one, 0) - ln_phi(0, T, P2_MPA * 10, one, 1))[0],
                  285.0, 310.0, xtol=1e-12)
    print("  SRK pure propane saturation T  %.8f degC" % (tsat - 273.15))
    TC, PC_BAR, OM = saved
    # What the same equations give when the pressure is taken in kgf/cm2 against Pc in bar.
    t, _ = eos_bubble_t(0, Z2, P2_MPA, pc_scale=1.0 / 0.980665)
    print("  SRK bubble T with P in kgf/cm2 against Pc in bar: %.6f degC" % t)
    # Ideal K-values (Antoine) for the same mixture.
    global A1, B1, C1
    A1, B1, C1 = (np.array([6.80266, 6.82971, 6.80896]), np.array([656.401, 813.199, 935.861]),
                  np.array([255.99, 247.99, 238.73]))
    one = lambda x: np.ones_like(x)
    pmm = P2_MPA * MMHG_PER_MPA
    print("  ideal bubble T  %.8f degC" % bubble_t(Z2, pmm, one))
    print("  ideal dew T     %.8f degC" % dew_t_frozen(Z2, pmm, one))
    ps = psat1(-10.0)
    to_kgf = 1.0 / MMHG_PER_MPA / 0.0980665
    print("  ideal bubble P at -10 degC  %.10f kgf/cm2" % (np.sum(Z2 * ps) * to_kgf))
    print("  ideal dew P at -10 degC     %.10f kgf/cm2" % (to_kgf / np.sum(Z2 / ps)))


# ---------------------------------------------------------------- negative deviations
# A binary with strongly negative deviations (NRTL tau12 = tau21 = -1, alpha
# 0.3; water's Antoine constants and A - 0.3), where substituting the dew or
# flash liquid straight back into the activity coefficients oscillates.
A3 = np.array([8.07131, 7.77131])
B3 = np.array([1730.63, 1730.63])
C3 = np.array([233.43, 233.43])
TAU3 = np.array([[0.0, -1.0], [-1.0, 0.0]])
Y3 = np.array([0.5, 0.5])


def nrtl3(x, tau=TAU3, alpha=0.3):
    """Binary NRTL in its closed form (Renon and Prausnitz 1968)."""
    g12, g21 = np.exp(-alpha * tau[0, 1]), np.exp(-alpha * tau[1, 0])
    t12, t21 = tau[0, 1], tau[1, 0]
    x1, x2 = x
    l1 = x2 ** 2 * (t21 * (g21 / (x1 + x2 * g21)) ** 2 + t12 * g12 / (x2 + x1 * g12) ** 2)
    l2 = x1 ** 2 * (t12 * (g12 / (x2 + x1 * g12)) ** 2 + t21 * g21 / (x1 + x2 * g21) ** 2)
    return np.exp(np.array([l1, l2]))


def negative_deviations():
    global A1, B1, C1
    A1, B1, C1 = A3, B3, C3
    print("Negative deviations (NRTL tau = -1, alpha 0.3), y = (0.5, 0.5)")
    pd, x = dew_p_joint(Y3, 80.0, nrtl3, 140.0)
    print("  dew P at 80 degC      %.10f MPa   x = %s" % (pd / MMHG_PER_MPA, np.array2string(x, precision=8)))
    p_mm = 0.05 * MMHG_PER_MPA
    td, x = dew_t_joint(Y3, p_mm, nrtl3, 105.0)
    print("  dew T at 0.05 MPa     %.8f degC   x = %s" % (td, np.array2string(x, precision=8)))
    print("  bubble T at 0.05 MPa  %.8f degC" % bubble_t(Y3, p_mm, nrtl3))
    v, x, y = flash_joint(Y3, 105.6, p_mm, nrtl3)
    print("  flash at 105.6 degC, 0.05 MPa: V/F %.10f" % v)
    print("     x = %s" % np.array2string(x, precision=10))
    print("     y = %s" % np.array2string(y, precision=10))


if __name__ == "__main__":
    example1()
    example2()
    negative_deviations()
