#!/usr/bin/python3
"""The library's SRK / Peng-Robinson bubble points of random liquids against
eos_bubble_check.py, which finds every bubble point by its own solvers.

Random mixtures of 2 or 3 of sixteen components (critical constants of
data/CriticalConstant.csv), random mole fractions, k(i, j) from -0.1 to 0.2,
0.05 to 6 MPa, SRK or PR, starts from -200 to 300 degC. Each is handed to
eos_random_driver (build it as its head says) and the library's answer
compared with the checker's choice (the lowest root where sum x K rises with T,
the incipient phase is lighter and the liquid stable to the vapour-like trial
the library tries; none where there is none): agreement within 0.01 K, or no
answer where the checker has none. Each liquid is started from its random
start, from -10 degC, from the ideal (Wilson K) estimate and from its first
answer; every start must give the same status and temperature (1e-8 K).
Prints every case that disagrees, as a driver input line, the count that
agree, and how many answers the checker's stricter test (trials from each pure
component too, which find a second liquid the library does not look for)
would refuse.

Run: python3 tools/thermo/eos_random_check.py DRIVER [SEED [COUNT]]
"""
import math
import os
import random
import subprocess
import sys
from multiprocessing import Pool

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import eos_bubble_check as ck  # noqa: E402

# name, Tc K, Pc bar, omega
COMPONENTS = [("ethane", 305.32, 48.72, 0.099), ("n-butane", 425.12, 37.96, 0.199), ("methane", 190.56, 45.99, 0.011),
              ("propane", 369.83, 42.48, 0.152), ("n-decane", 617.7, 21.1, 0.491), ("benzene", 562.05, 48.95, 0.209),
              ("n-heptane", 540.2, 27.4, 0.35), ("carbon dioxide", 304.21, 73.83, 0.223621),
              ("hydrogen", 33.19, 13.13, -0.215993), ("nitrogen", 126.2, 33.98, 0.037),
              ("toluene", 591.75, 41.08, 0.264), ("n-hexane", 507.6, 30.25, 0.297),
              ("hydrogen sulfide", 373.53, 89.6291, 0.0941677), ("n-pentane", 469.7, 33.7, 0.251),
              ("argon", 150.86, 48.98, -0.002), ("oxygen", 154.58, 50.43, 0.022)]


def cases(seed, count):
    rng = random.Random(seed)
    out = []
    for _ in range(count):
        nc = rng.choice([2, 3])
        comps = rng.sample(COMPONENTS, nc)
        x = [rng.random() + 1e-3 for _ in range(nc)]
        total = sum(x)
        x = [v / total for v in x]
        k = [[0.0] * nc for _ in range(nc)]
        for i in range(nc):
            for j in range(i + 1, nc):
                k[i][j] = k[j][i] = round(rng.uniform(-0.1, 0.2), 4)
        p = math.exp(rng.uniform(math.log(0.05), math.log(6.0)))
        out.append((rng.choice([0, 1]), comps, k, x, p, rng.uniform(-200, 300)))
    return out


def line(case):
    eos, comps, k, x, p, t0 = case
    nc = len(comps)
    parts = [eos, nc] + [v for c in comps for v in c[1:]] + [k[i][j] for i in range(nc) for j in range(nc)]
    return " ".join(repr(v) for v in parts + x + [p, t0])


def wilson_start(case):
    """The ideal bubble point with Wilson's K-values, degC."""
    _, comps, _, x, p, _ = case
    lo, hi = 3.0, 3000.0
    for _ in range(100):
        T = 0.5 * (lo + hi)
        s = sum(x[i] * c[2] / (10 * p) * math.exp(5.373 * (1 + c[3]) * (1 - c[1] / T)) for i, c in enumerate(comps))
        lo, hi = (T, hi) if s < 1 else (lo, T)
    return 0.5 * (lo + hi) - 273.15


def with_start(case, t0):
    return case[:5] + (t0,)


def checker(case):
    eos, comps, k, x, p, _ = case
    mix = ck.Mixture([c[1] for c in comps], [c[2] for c in comps], [c[3] for c in comps], k)
    points = ck.in_range(mix, x, ck.bubble_points(mix, eos, p, x))
    best = ck.chosen(points, vapour_only=True)
    strict = ck.chosen(points)
    return ((None if best is None else best - 273.15), (None if strict is None else strict - 273.15),
            [(round(t - 273.15, 4), up, gas, vgas) for t, up, gas, vgas in points])


def run_driver(driver, todo):
    run = subprocess.run([driver], input="\n".join(line(c) for c in todo) + "\n", capture_output=True, text=True,
                         check=True)
    return [(float(r.split()[0]), int(r.split()[1])) for r in run.stdout.splitlines()]


def main():
    driver = sys.argv[1]
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else 1
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 500
    todo = cases(seed, count)
    # Three starts a call, then the first answer as a fourth.
    starts = [with_start(c, t0) for c in todo for t0 in (c[5], -10.0, wilson_start(c))]
    answers = run_driver(driver, starts)
    again = run_driver(driver, [with_start(todo[n], answers[3 * n][0]) for n in range(count)])
    agree = consistent = strict_refused = 0
    with Pool(min(4, os.cpu_count() or 1)) as pool:
        for n, (best, strict, points) in enumerate(pool.imap(checker, todo)):
            mine = answers[3 * n:3 * n + 3] + [again[n]]
            same = all(s == mine[0][1] and (s != 0 or abs(t - mine[0][0]) <= 1e-8) for t, s in mine)
            consistent += same
            ok = all((best is None and s != 0) or (best is not None and s == 0 and abs(t - best) < 0.01)
                     for t, s in mine)
            agree += ok
            strict_refused += best is not None and strict is None
            if not (ok and same):
                shown = " ".join(f"{t:.9f}/{s}" for t, s in mine)
                print(f"{n}: library {shown}, checker {best} (strict {strict}) {points}\n    {line(todo[n])}",
                      flush=True)
    print(f"agree {agree} of {count}, same from every start {consistent} of {count}; the stricter test refuses "
          f"{strict_refused} of the checker's answers (seed {seed})")


if __name__ == "__main__":
    main()
