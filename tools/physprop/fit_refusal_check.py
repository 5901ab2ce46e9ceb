#!/usr/bin/env python3
"""Independent check of when the property-estimation and Antoine fits can be
determined at all (python3, no extra packages).

1. Acetone by Lydersen (2 -CH3, one >CO; Tb 56.05 degC, M 58.08): Tc, and for
   several estimation ranges the points below Tc that the quadratic fits
   A + B T + C T^2 get, with the rank of their regressors.
2. Antoine point sets: the rank of the linearised regressors (1, t, t log10 P)
   and the point faults the fit must refuse.
"""
import math


def rank(rows, tol=1e-9):
    m = [list(r) for r in rows]
    r = 0
    cols = len(m[0]) if m else 0
    for c in range(cols):
        piv = max(range(r, len(m)), key=lambda i: abs(m[i][c]), default=None)
        if piv is None or abs(m[piv][c]) < tol * max(1.0, max(abs(x) for row in m for x in row)):
            continue
        m[r], m[piv] = m[piv], m[r]
        for i in range(r + 1, len(m)):
            f = m[i][c] / m[r][c]
            m[i] = [a - f * b for a, b in zip(m[i], m[r])]
        r += 1
        if r == len(m):
            break
    return r


tb = 56.05 + 273.15
s = 2 * 0.020 + 0.040
tc = tb / (0.567 + s - s * s)
print(f"acetone Lydersen Tc = {tc:.4f} K ({tc - 273.15:.4f} degC)")
for low, high in [(0, 100), (-50, 200), (200, 300), (235, 300), (240, 300), (260, 300), (300, 400), (-100, 0),
                  (100, 100.5), (230, 240), (239, 400)]:
    hi = min(high, tc - 273.15)
    step = (hi - low) / 50
    pts = []
    for i in range(51):
        T = low + i * step + 273.15
        if not T / tc < 1:
            break
        pts.append(T)
    r = rank([[1, T, T * T] for T in pts]) if pts else 0
    print(f"range {low:7.2f}..{high:7.2f}: {len(pts):2d} points below Tc, rank {r} ->",
          "fit" if r == 3 else "no fit (pivot vanishes)")

cases = {
    "one point": [(10, 50)],
    "two points": [(10, 50), (20, 90)],
    "identical x4": [(10, 50)] * 4,
    "two temps x6": [(10, 50), (20, 90)] * 3,
    "-300 C": [(-300, 1), (10, 50), (20, 90)],
    "-273.15 C": [(-273.15, 1), (10, 50), (20, 90)],
    "P = 0": [(0, 10), (10, 0), (20, 90)],
    "P < 0": [(0, 10), (10, -5), (20, 90)],
    "P inf": [(0, 10), (10, math.inf), (20, 90)],
    "three good": [(0, 29.7), (20, 96.0), (40, 260.5)],
    "methanol 5": [(-16.2, 10), (-6.3, 20), (11.4, 60), (34.03, 200), (64.51, 760)],
}
for name, pts in cases.items():
    fault = None
    if any(not (math.isfinite(t) and math.isfinite(p)) for t, p in pts):
        fault = "not finite"
    elif any(t <= -273.15 for t, _ in pts):
        fault = "at/below absolute zero"
    elif any(p <= 0 for _, p in pts):
        fault = "pressure <= 0"
    elif len({t for t, _ in pts}) < 3:
        fault = "fewer than three distinct temperatures"
    if fault is None:
        r = rank([[1, t, t * math.log10(p)] for t, p in pts])
        fault = "ok" if r == 3 else f"singular (rank {r})"
    print(f"{name:14s}: {fault}")
