#!/usr/bin/python3
"""Reference values for the binary routines, computed independently.

- normal boiling points of the example components straight from the Antoine
  equation solved for t (closed form);
- a mixture bubble temperature and a bubble pressure of example 1 with Wilson
  coefficients, the temperature by Brent's method;
- the sum of squares of objectives 4 and 5 at the pairs our fit returns, with
  bubble points solved to 1e-13, to show that our fitted pairs sit on the
  minimum within the resolution of a bubble search stopped at |1 - y1 - y2| < 1e-6.
"""
import math
import numpy as np
from fit_examples import EX1, EX2, P, psat, wilson, nrtl, residuals, tbubble

def tboil(ant, p=P):
    a, b, c = ant
    return b / (a - math.log10(p)) - c

for name, ex in (('example 1', EX1), ('example 2', EX2)):
    for k in range(2):
        print(f"{name} component {k + 1}: t_boil(760 mmHg) = {tboil(ex['ant'][k]):.10f}")

g1, g2 = wilson(0.3, 0.43045, 0.94934)
t, y1, y2 = tbubble(EX1['ant'], 0.3, g1, g2)
print(f"example 1 Wilson(0.43045, 0.94934) x1 = 0.3: g1 = {g1:.12f} g2 = {g2:.12f} t = {t:.10f} y1 = {y1:.10f}")
pb = psat(EX1['ant'][0], 70.0) * 0.3 * g1 + psat(EX1['ant'][1], 70.0) * 0.7 * g2
print(f"  bubble pressure at 70 degC = {pb:.10f} y1 = {psat(EX1['ant'][0], 70.0) * 0.3 * g1 / pb:.12f}")

ours = {('example 1', 'Wilson', 4): (0.3954861984, 1.0917069266),
        ('example 1', 'NRTL', 5): (0.0844361627, 0.7368521581)}
for (name, mname, obj), pair in ours.items():
    ex = EX1 if name == 'example 1' else EX2
    model = wilson if mname == 'Wilson' else nrtl
    F = float(np.sum(residuals(pair, ex, model, obj) ** 2))
    print(f"{name} {mname} obj {obj}: exact F at our pair = {F:.10g}")

# Measured activity coefficients of example 1, points 1 and 12, and the mean
# measured temperature that seeds the bubble searches.
for i in (0, 11):
    t, x1, y1 = EX1['data'][i]
    g1 = P * y1 / (x1 * psat(EX1['ant'][0], t))
    g2 = P * (1 - y1) / ((1 - x1) * psat(EX1['ant'][1], t))
    print(f"example 1 point {i + 1}: gamma1' = {g1:.12f} gamma2' = {g2:.12f}")
print(f"example 1 mean t = {sum(d[0] for d in EX1['data']) / len(EX1['data']):.12f}")
# Constant temperature: 60 degC, P = 500 mmHg, x1 = 0.4, y1 = 0.7.
print(f"constant T point: gamma1' = {500 * 0.7 / (0.4 * psat(EX1['ant'][0], 60.0)):.12f}"
      f" gamma2' = {500 * 0.3 / (0.6 * psat(EX1['ant'][1], 60.0)):.12f}")
print(f"101.325 kPa = {101.325 * 0.001 / 0.00013322:.10f} mmHg")
