#!/usr/bin/python3
"""Critical constants of fourteen compounds by Joback and Ambrose, computed here
from the published relations and increments, independently of the program.

Joback & Reid (1987), Chem. Eng. Comm. 57, 233-243:
  Tc = Tb / (0.584 + 0.965 S_T - S_T^2), Pc[bar] = (0.113 + 0.0032 nA - S_P)^-2,
  Vc = 17.5 + S_V. The program shows Pc in atm (bar / 1.01325).
Ambrose (1978, 1979) as tabulated by Reid, Prausnitz & Poling (1987):
  Tc = Tb (1 + 1/(1.242 + S_T)), Pc[bar] = M (0.339 + S_P)^-2, Vc = 40 + S_V;
  an aliphatic-alcohol -OH adds 0.87 - 0.11 n + 0.003 n^2 to S_T and
  0.100 - 0.013 n to S_P (n carbon atoms), and 15 to S_V.
A group without a published Vc increment (None) gives no Vc; the program then
refuses Vc alone and still gives Tc and Pc. Plain Python, no packages.
Run: python3 tools/physprop/critical_check.py
"""

BAR_PER_ATM = 1.01325

# Joback increments (dTc, dPc, dVc) of the groups used below.
JOBACK = {
    "-CH3": (0.0141, -0.0012, 65.0), ">CH2": (0.0189, 0.0, 56.0), ">CH-": (0.0164, 0.0020, 41.0),
    "=CH2": (0.0113, -0.0028, 56.0), "r-CH2-": (0.0100, 0.0025, 48.0), "r=CH-": (0.0082, 0.0011, 41.0),
    "r=C<": (0.0143, 0.0008, 32.0), "-Cl": (0.0105, -0.0049, 58.0), "-OH": (0.0741, 0.0112, 28.0),
    "-O-": (0.0168, 0.0015, 18.0), ">C=O": (0.0380, 0.0031, 62.0), "-COO-": (0.0481, 0.0005, 82.0),
    "-CN": (0.0496, -0.0101, 91.0), "r-N=": (0.0085, 0.0076, 34.0), "-N=": (0.0255, -0.0099, None),
}

# Ambrose increments (dTc, dPc, dVc) of the rows used below.
AMBROSE = {
    "C": (0.138, 0.226, 55.1), ">CH-": (-0.043, -0.006, -8.0), "-O-": (0.138, 0.160, None),
    ">CO": (0.220, 0.282, None), "-CO-O-": (0.330, 0.470, None), "-CN": (0.423, 0.360, None),
    "ring-CH2-": (0.090, 0.182, 44.5), "Benzene": (0.448, 0.924, None), "pyridine": (0.448, 0.850, None),
    "ar-Cl": (0.080, 0.318, None), "nonhal first": (0.010, 0.0, None),
    "alcohol": ("n", "n", 15.0),
}


def ambrose_alcohol(column, n):
    return 0.87 - 0.11 * n + 0.003 * n * n if column == 0 else 0.100 - 0.013 * n

# name: M (g/mol), Tb (K), atoms, Joback groups, Ambrose groups (None: not tried)
COMPOUNDS = [
    ("n-hexane", 86.17536, 341.88, 20, {"-CH3": 2, ">CH2": 4}, {"C": 6}),
    ("2-methylpentane", 86.17536, 333.41, 20, {"-CH3": 3, ">CH2": 2, ">CH-": 1}, {"C": 6, ">CH-": 1}),
    ("cyclohexane", 84.15948, 353.87, 18, {"r-CH2-": 6}, {"ring-CH2-": 6}),
    ("benzene", 78.11184, 353.24, 12, {"r=CH-": 6}, {"Benzene": 1}),
    ("toluene", 92.13842, 383.78, 15, {"r=CH-": 5, "r=C<": 1, "-CH3": 1}, {"Benzene": 1, "C": 1, "nonhal first": 1}),
    ("ethylbenzene", 106.165, 409.35, 18, {"r=CH-": 5, "r=C<": 1, ">CH2": 1, "-CH3": 1},
     {"Benzene": 1, "C": 2, "nonhal first": 1}),
    ("chlorobenzene", 112.5569, 404.87, 12, {"r=CH-": 5, "r=C<": 1, "-Cl": 1}, {"Benzene": 1, "ar-Cl": 1}),
    ("ethanol", 46.06844, 351.44, 9, {"-CH3": 1, ">CH2": 1, "-OH": 1}, {"C": 2, "alcohol": 1}),
    ("diethyl ether", 74.1216, 307.58, 15, {"-CH3": 2, ">CH2": 2, "-O-": 1}, {"C": 4, "-O-": 1}),
    ("acetone", 58.07914, 329.22, 10, {"-CH3": 2, ">C=O": 1}, {"C": 2, ">CO": 1}),
    ("ethyl acetate", 88.10512, 350.26, 14, {"-CH3": 2, ">CH2": 1, "-COO-": 1}, {"C": 3, "-CO-O-": 1}),
    ("acetonitrile", 41.05192, 354.75, 6, {"-CH3": 1, "-CN": 1}, {"C": 1, "-CN": 1}),
    ("pyridine", 79.09990, 388.38, 11, {"r=CH-": 5, "r-N=": 1}, {"pyridine": 1}),
    ("N-methylmethanimine", 43.0678, 300.0, 7, {"=CH2": 1, "-N=": 1, "-CH3": 1}, None),
]


def sums(table, groups):
    st = sp = sv = 0.0
    vc_known = True
    for g, n in groups.items():
        t, p, v = table[g]
        st += n * t
        sp += n * p
        if v is None:
            vc_known = False
        else:
            sv += n * v
    return st, sp, (sv if vc_known else None)


def joback(M, Tb, nA, groups):
    st, sp, sv = sums(JOBACK, groups)
    Tc = Tb / (0.584 + 0.965 * st - st * st)
    Pc = (0.113 + 0.0032 * nA - sp) ** -2 / BAR_PER_ATM
    return Tc, Pc, (None if sv is None else 17.5 + sv)


def ambrose(M, Tb, groups):
    n = groups.get("C", 0)
    table = dict(AMBROSE)
    table["alcohol"] = (ambrose_alcohol(0, n), ambrose_alcohol(1, n), 15.0)
    st, sp, sv = sums(table, groups)
    Tc = Tb * (1 + 1 / (1.242 + st))
    Pc = M / (0.339 + sp) ** 2 / BAR_PER_ATM
    return Tc, Pc, (None if sv is None else 40.0 + sv)


def show(v):
    return "None" if v is None else repr(v)


if __name__ == "__main__":
    for name, M, Tb, nA, jg, ag in COMPOUNDS:
        Tc, Pc, Vc = joback(M, Tb, nA, jg)
        print(f"{name:20s} Joback  Tc {Tc!r} Pc {Pc!r} Vc {show(Vc)}")
        if ag is not None:
            Tc, Pc, Vc = ambrose(M, Tb, ag)
            print(f"{name:20s} Ambrose Tc {Tc!r} Pc {Pc!r} Vc {show(Vc)}")
    # Alcohols by Ambrose (measured Tc K, Pc bar: methanol 512.6, 80.97; 1-butanol 563.0, 44.23;
    # 1-hexanol 611.3, 35.1).
    for name, M, Tb, n in (("methanol", 32.04186, 337.69, 1), ("1-butanol", 74.1216, 390.81, 4),
                           ("1-hexanol", 102.17476, 430.64, 6)):
        Tc, Pc, Vc = ambrose(M, Tb, {"C": n, "alcohol": 1})
        print(f"{name:20s} Ambrose Tc {Tc!r} Pc {Pc!r} Vc {show(Vc)}")
    # Joback Pc of ethyl acetate with the atom count: 14 atoms.
    print("ethyl acetate Joback Pc, 14 atoms:", joback(88.10512, 350.26, 14, COMPOUNDS[10][4])[1])
