#!/usr/bin/python3
"""Expected cells of the product tank table and of the weight views of the
total-reflux table for the small cases the result window tests write.

Computed here with numpy from the raw amounts, independently of the C++ code:
mole fraction a_j / sum a, weight fraction a_j M_j / sum a M, totals, heat in
kcal (J / 4186.05), then rounded as the table shows them."""
import numpy as np

mw = np.array([32.042, 46.069, 18.015])
tanks = [
    (0.8125, np.array([1.2, 0.3, 0.05]), np.array([-1.5e6, 0.0, 2.5e6])),
    (1.4444, np.array([0.4, 0.9, 0.7]), np.array([-3.0e6, 1234.5, 4.1868e6])),
]
for k, (t, a, q) in enumerate(tanks, 1):
    s = a.sum()
    w = (a * mw).sum()
    print(f"tank {k}: time {t:.4f}")
    print("  mol fr", [f"{v:.12f}" for v in a / s], "sum", f"{(a / s).sum():.12f}")
    print("  wt fr ", [f"{v:.12f}" for v in a * mw / w], "sum", f"{(a * mw / w).sum():.12f}")
    print(f"  total kmol {s:.2f} kg {w:.2f}")
    print("  heat J   ", [f"{v:.1f}" for v in q])
    print("  heat kcal", [f"{v:.1f}" for v in q / 4186.05])

# Total-reflux weight views: plate with x, y and flows.
x = np.array([0.6, 0.3, 0.1])
y = np.array([0.5, 0.3, 0.1])  # stored y that do not add up to 1
V, L = 12.5, 10.0
mx = (mw * x).sum()
my = (mw * y).sum()
print("vapour mol fr (normalised)", [f"{v:.9f}" for v in y / y.sum()])
print("liquid wt fr", [f"{v:.9f}" for v in mw * x / mx])
print("vapour wt fr", [f"{v:.9f}" for v in mw * y / my])
print(f"vapour load kg/h {V * my:.3f}  liquid load kg/h {L * mx:.3f}")
