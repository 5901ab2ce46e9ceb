#!/usr/bin/python3
"""Independent values for the property-estimation tests.

Each correlation is evaluated here from its published form with numpy/scipy
(vectorised, fits by numpy.linalg.lstsq / numpy.polyfit instead of the
program's normal equations and Cramer's rule), and compared with measured data
where such data is at hand (ChemSep constants in data/CriticalConstant.csv,
densities of data/LiquidDensity.csv, NIST heats of vaporisation).
"""
import numpy as np

R_CAL, R_J, J_PER_CAL, R_CM3ATM, BAR_PER_ATM = 1.987, 8.31441, 4.18605, 82.05, 1.01325

def pr_rpm(T, Tb, Tc, Pc_atm):
    Tr, Tbr = T / Tc, Tb / Tc
    h = Tbr * np.log(Pc_atm) / (1 - Tbr)
    G = 0.4835 + 0.4605 * h
    k = (h / G - (1 + Tbr)) / ((1 - Tbr) ** 2 * (3 + Tbr))
    return np.exp(-(G / Tr) * ((1 - Tr ** 2) + k * (3 + Tr) * (1 - Tr) ** 3))

def pr_pitzer(T, Tc, w):
    Tr = T / Tc
    L = np.log10(Tr)
    phi = 36 / Tr - 35 - Tr ** 6 + 96.73 * L
    a = L - 0.0364 * phi
    b = 7 * L - 0.118 * phi
    return 10 ** (b - 1.192 * a + 4.93 * w * a)

def pr_lk(T, Tc, w):
    Tr = T / Tc
    f0 = 5.92714 - 6.09648 / Tr - 1.28862 * np.log(Tr) + 0.169347 * Tr ** 6
    f1 = 15.2518 - 15.6875 / Tr - 13.4721 * np.log(Tr) + 0.43577 * Tr ** 6
    return np.exp(f0 + w * f1)

def antoine_fit(t, P):
    y = np.log10(P)
    X = np.column_stack([np.ones_like(t), t, t * y])
    k0, k1, k2 = np.linalg.lstsq(X, y, rcond=None)[0]
    C = -1 / k2
    return k1 * C, (k1 * C - k0) * C, C

def hv_vetere_cal(Tb, Tc, Pc_atm):
    th, Pb = Tb / Tc, Pc_atm * BAR_PER_ATM
    return R_J * Tc * th * (0.4343 * np.log(Pb) - 0.69431 + 0.89584 * th) / (
        0.37691 - 0.37306 * th + 0.15075 / (Pb * th * th)) / J_PER_CAL

def rho_gunn_yamada(T, Tc, Pc_atm, w, M):
    Tr = T / Tc
    Vsc = R_CM3ATM * Tc / Pc_atm * (0.292 - 0.0967 * w)
    low = 0.33593 - 0.33953 * Tr + 1.51941 * Tr ** 2 - 2.02512 * Tr ** 3 + 1.11422 * Tr ** 4
    u = np.clip(1 - Tr, 1e-300, None)
    high = 1 + 1.3 * np.sqrt(u) * np.log10(u) - 0.50879 * u - 0.91534 * u ** 2
    V0 = np.where(Tr > 0.8, high, low)
    d = 0.29607 - 0.09045 * Tr - 0.04842 * Tr ** 2
    return M / (Vsc * V0 * (1 - w * d))

def omega_lee_kesler(Tb, Tc, Pc_atm):
    th = Tb / Tc
    return (-np.log(Pc_atm) - 5.92714 + 6.09648 / th + 1.28862 * np.log(th) - 0.169347 * th ** 6) / (
        15.2518 - 15.6875 / th - 13.4721 * np.log(th) + 0.43577 * th ** 6)

def omega_edmister(Tb, Tc, Pc_atm):
    th = Tb / Tc
    return 3 / 7 * th / (1 - th) * np.log10(Pc_atm) - 1

def main():
    # Benzene, ChemSep constants (data/CriticalConstant.csv): Tc 562.05 K, Pc 48.95 bar, Tb 353.24 K, omega 0.209
    Tc, Pc, Tb, w, M = 562.05, 48.95 / BAR_PER_ATM, 353.24, 0.209, 78.11184
    print("benzene Pc atm", Pc)
    print("RPM at Tb mmHg", 760 * Pc * pr_rpm(Tb, Tb, Tc, Pc))
    print("LK at Tb with LK omega mmHg", 760 * Pc * pr_lk(Tb, Tc, omega_lee_kesler(Tb, Tc, Pc)))
    print("omega LK", omega_lee_kesler(Tb, Tc, Pc), "Edmister", omega_edmister(Tb, Tc, Pc))
    print("Pitzer at Tr 0.7 log10 Pr", np.log10(pr_pitzer(0.7 * Tc, Tc, w)), "expected about", -1 - w)
    t = np.linspace(20, 280, 51)
    for name, P in [("RPM", 760 * Pc * pr_rpm(t + 273.15, Tb, Tc, Pc)),
                    ("Pitzer", 760 * Pc * pr_pitzer(t + 273.15, Tc, w)),
                    ("LK", 760 * Pc * pr_lk(t + 273.15, Tc, w))]:
        A, B, C = antoine_fit(t, P)
        print(f"Antoine fit {name} 20..280 C: A={A:.10g} B={B:.10g} C={C:.10g} P(80)={P[list(t).index(80.4)] if 80.4 in t else P[12]:.10g}")
    print("P points RPM t=20, 280:", 760 * Pc * pr_rpm(np.array([293.15, 553.15]), Tb, Tc, Pc))
    print("Hv Vetere at Tb cal/mol", hv_vetere_cal(Tb, Tc, Pc), "NIST 30.72 kJ/mol =", 30720 / J_PER_CAL)
    print("Gunn-Yamada rho 20 C", rho_gunn_yamada(293.15, Tc, Pc, w, M), "ChemSep 0.877834")
    # Rihani-Doraiswamy benzene: 6 HCA; Cp0 at 298.15 K (TRC 82.4 J/mol/K = 19.68 cal/mol/K)
    a, b, c, d = 6 * np.array([-1.4572, 1.9147e-2, -0.1233e-4, 0.002985e-6])
    T = 298.15
    cp0 = a + b * T + c * T ** 2 + d * T ** 3
    print("benzene Cp0 298.15", cp0, "TRC 19.68")
    Tr = T / Tc
    cpl = cp0 + R_CAL * (2.56 + 0.436 / (1 - Tr) + w * (2.91 + 4.28 * (1 - Tr) ** (1 / 3) / Tr + 0.296 / (1 - Tr)))
    print("Rowlinson-Bondi CpL 298.15", cpl, "measured 136.0 J/mol/K =", 136.0 / 4.184)
    # Least squares on the Hv points of benzene 20..280 C (numpy.polyfit)
    T51 = t + 273.15
    hvb = hv_vetere_cal(Tb, Tc, Pc)
    hv = ((1 - T51 / Tc) / (1 - Tb / Tc)) ** 0.38 * hvb
    cC, cB, cA = np.polyfit(T51, hv, 2)
    print(f"Hv fit A={cA:.12g} B={cB:.12g} C={cC:.12g} min={hv.min():.12g} max={hv.max():.12g}")
    rho = rho_gunn_yamada(T51, Tc, Pc, w, M)
    cC, cB, cA = np.polyfit(T51, rho, 2)
    lnB, lnA = np.polyfit(-(1 - T51 / Tc) ** (2 / 7), np.log(rho), 1)
    print(f"rho fit A={cA:.12g} B={cB:.12g} C={cC:.12g}; rackett A={np.exp(lnA):.12g} B={np.exp(lnB):.12g}")
    # Group contributions
    Tbh, Mh = 341.88, 86.17536   # n-hexane
    ST, SP, SV = 6 * 0.020, 6 * 0.227, 6 * 55.0
    print("Lydersen hexane", Tbh / (0.567 + ST - ST ** 2), Mh / (0.34 + SP) ** 2, 40 + SV)
    ST, SP, SV = 2 * 0.0141 + 4 * 0.0189, 2 * -0.0012 + 4 * 0.0, 2 * 65 + 4 * 56
    print("Joback hexane", Tbh / (0.584 + 0.965 * ST - ST ** 2), (0.113 + 0.0032 * 20 - SP) ** -2 / BAR_PER_ATM, 17.5 + SV)
    ST, SP, SV = 6 * 0.138, 6 * 0.226, 6 * 55.1
    print("Ambrose hexane", Tbh * (1 + 1 / (1.242 + ST)), Mh / (0.339 + SP) ** 2 / 1.01325, 40 + SV)
    Ma, Tba = 58.07914, 329.22  # acetone: 2 -CH3, 1 >CO
    ST, SP, SV = 2 * -2.433 + 4.332, 2 * 0.026 - 0.196, 2 * 16.2 - 6.7
    print("Klincewicz acetone", 45.4 - 0.77 * Ma + 1.55 * Tba + ST,
          Ma / (0.348 + 0.0159 * Ma + SP) ** 2 / BAR_PER_ATM, 25.2 + 2.8 * Ma + SV, "measured 508.1 K 47 bar 209")
    # Rihani propane Cp0 at 300 K (TRC 73.9 J/mol/K = 17.66 cal/mol/K)
    co = 2 * np.array([0.6087, 2.1433e-2, -0.0852e-4, 0.001135e-6]) + np.array([0.3945, 2.1364e-2, -0.1197e-4, 0.002596e-6])
    print("propane Cp0 300", co @ [1, 300, 300 ** 2, 300 ** 3])
    # Fedors: 2 -CH3 (1.79) and a -CO-OH (10.72): S1, and with atoms 2*4 + 5 = 13 the second relation
    S1 = 2 * 1.79 + 10.72
    print("Fedors S1", S1, 535 * np.log10(S1), "second", 535 * (np.log10(13 + 2 * 0 + 20.0) - 0.35))

if __name__ == "__main__":
    main()
