#!/usr/bin/python3
"""Independent solution of columns written by the column-set test
(COLUMN_DUMP_DIR=dir continuous_tests --gtest_filter='DistColumnSet.*'):
all stage equations solved at once by a damped Newton method, from this
script's own start (feed composition on every stage, feed bubble points,
constant molal overflow), with its own Antoine, Wilson, NRTL and enthalpy formulas
and a banded Gaussian elimination. Plain python3, no extra packages.

Unknowns: stage temperatures, liquid mole fractions (linear) and, with the
heat balance, the vapour and liquid flows that the enthalpy balances set.
Equations: component balances with y = K x, sum y = 1, and the enthalpy and
total balances of every stage without a duty; the flows that the column
specification fixes (top vapour, reflux with a condenser, bottoms) are taken
from the dump, as are all flows without the heat balance.

Each component balance is judged per unit of the component's own flow through
its stage, so a trace at 1e-14 is solved as exactly as a key component.
Prints per case the largest temperature, mole-fraction and flow difference
from the solver's profile, and the largest relative difference of a
component's liquid fraction.  Usage: column_newton.py DIR [tolerance_K [relative_tolerance]]
"""
import math
import os
import sys

from mesh_check import read, kvals, hmix


def bubble_t(c, p, x, t=80.0):
    for _ in range(100):
        k = kvals(c, t, p, x)
        s = sum(k[i] * x[i] for i in range(c["nc"]))
        k2 = kvals(c, t + 0.01, p, x)
        s2 = sum(k2[i] * x[i] for i in range(c["nc"]))
        dt = math.log(s) / ((math.log(s2) - math.log(s)) / 0.01)
        t -= max(-10.0, min(10.0, dt))
        if abs(dt) < 1e-9:
            break
    return t


class Column:
    def __init__(self, c):
        self.c = c
        nt, nc = c["nt"], c["nc"]
        self.nt, self.nc = nt, nc
        self.heat = c["h"] == 1
        st = c["st"]
        self.P = [s["p"] for s in st]
        self.fixV = [s["v"] for s in st]
        self.fixL = [s["l"] for s in st]
        self.feed = [0.0] * nt
        self.fh = [0.0] * nt
        self.fz = [[0.0] * nc for _ in range(nt)]
        self.sl = [0.0] * nt
        self.sv = [0.0] * nt
        zsum = [0.0] * nc
        for f in c["feeds"]:
            j = f["stage"] - 1
            self.feed[j] += f["flow"]
            h = f["vf"] * hmix(c, "hv", f["t"], f["z"]) + (1 - f["vf"]) * hmix(c, "hl", f["t"], f["z"])
            self.fh[j] += f["flow"] * h
            for i in range(nc):
                self.fz[j][i] += f["flow"] * f["z"][i]
                zsum[i] += f["flow"] * f["z"][i]
        for s, fl in c["liq"]:
            self.sl[int(s) - 1] += fl
        for s, fl in c["vap"]:
            self.sv[int(s) - 1] += fl
        self.sl[0] += c["dist"]
        self.ftot = sum(self.feed)
        self.zbar = [v / self.ftot for v in zsum]
        # Which flows are unknown: with the heat balance every V but the top's
        # and every L but the bottom's and (with a condenser) the reflux.
        self.freeV = [self.heat and j > 0 for j in range(nt)]
        self.freeL = [self.heat and j < nt - 1 and not (j == 0 and c["cond"]) for j in range(nt)]
        self.index = []
        n = 0
        for j in range(nt):
            idx = {"t": n, "x": n + 1}
            n += 1 + nc
            if self.freeV[j]:
                idx["v"] = n
                n += 1
            if self.freeL[j]:
                idx["l"] = n
                n += 1
            self.index.append(idx)
        self.n = n
        self.hscale = 4.0e4

    def start(self):
        c, nt, nc = self.c, self.nt, self.nc
        u = [0.0] * self.n
        V = list(self.fixV)
        L = list(self.fixL)
        if self.heat:
            # Constant molal overflow for the liquid, the vapour from the total
            # balance of the stages above.
            liq = L[0] if c["cond"] else 0.0
            L[0] = liq
            for j in range(1, nt - 1):
                lf = sum(fd["flow"] * (1 - fd["vf"]) for fd in c["feeds"] if fd["stage"] == j + 1)
                liq += lf - self.sl[j]
                L[j] = max(liq, 1.0)
            for j in range(1, nt):
                V[j] = max(V[0] + sum(self.sl[:j]) + sum(self.sv[:j]) + L[j - 1] - sum(self.feed[:j]), 1.0)
        for j in range(nt):
            idx = self.index[j]
            u[idx["t"]] = bubble_t(c, self.P[j], self.zbar)
            for i in range(nc):
                u[idx["x"] + i] = self.zbar[i]
            if "v" in idx:
                u[idx["v"]] = V[j]
            if "l" in idx:
                u[idx["l"]] = L[j]
        return u

    def state(self, u, j):
        idx = self.index[j]
        t = u[idx["t"]]
        x = u[idx["x"]:idx["x"] + self.nc]
        s = sum(x)
        k = kvals(self.c, t, self.P[j], [v / s for v in x])
        y = [k[i] * x[i] for i in range(self.nc)]
        V = u[idx["v"]] if "v" in idx else self.fixV[j]
        L = u[idx["l"]] if "l" in idx else self.fixL[j]
        hv = hmix(self.c, "hv", t, y) if self.heat else 0.0
        hl = hmix(self.c, "hl", t, x) if self.heat else 0.0
        return dict(t=t, x=x, y=y, V=V, L=L, hv=hv, hl=hl)

    def stage_eqs(self, sts, j):
        """Equations of stage j from the states of j-1, j, j+1 (None outside)."""
        nc, nt = self.nc, self.nt
        a, s, b = sts
        r = []
        for i in range(nc):
            inn = self.fz[j][i] + (a["L"] * a["x"][i] if a else 0.0) + (b["V"] * b["y"][i] if b else 0.0)
            out = (s["L"] + self.sl[j]) * s["x"][i] + (s["V"] + self.sv[j]) * s["y"][i]
            r.append((inn - out) / self.ftot)
        r.append(sum(s["y"]) - 1)
        if self.heat:
            has_energy = j < nt - 1 and (j > 0 or not self.c["cond"])
            if has_energy:
                hin = self.fh[j] + (a["L"] * a["hl"] if a else 0.0) + (b["V"] * b["hv"] if b else 0.0)
                hout = (s["L"] + self.sl[j]) * s["hl"] + (s["V"] + self.sv[j]) * s["hv"]
                r.append((hin - hout) / (self.ftot * self.hscale))
            if j > 0:
                tin = self.feed[j] + (a["L"] if a else 0.0) + (b["V"] if b else 0.0)
                tout = s["L"] + s["V"] + self.sl[j] + self.sv[j]
                r.append((tin - tout) / self.ftot)
        return r

    def residuals(self, u):
        sts = [self.state(u, j) for j in range(self.nt)]
        out = []
        for j in range(self.nt):
            out.extend(self.stage_eqs((sts[j - 1] if j else None, sts[j], sts[j + 1] if j < self.nt - 1 else None), j))
        return out

    def rows_of(self):
        rows, n = [], 0
        for j in range(self.nt):
            m = len(self.stage_eqs(self.probe[j], j))
            rows.append((n, m))
            n += m
        return rows

    def jacobian(self, u, r0, step=None):
        """Forward differences; `step`, when given, is every step's share of its
        variable (of at least 1 for a temperature or a flow)."""
        nt = self.nt
        sts = [self.state(u, j) for j in range(nt)]
        self.probe = [(sts[j - 1] if j else None, sts[j], sts[j + 1] if j < nt - 1 else None) for j in range(nt)]
        rows = self.rows_of()
        J = {}
        for j in range(nt):
            idx = self.index[j]
            first = idx["t"]
            last = self.index[j + 1]["t"] if j < nt - 1 else self.n
            for col in range(first, last):
                is_x = idx["x"] <= col < idx["x"] + self.nc
                if step is not None:
                    h = step * (u[col] if is_x and u[col] > 0 else max(1, abs(u[col])))
                elif is_x:
                    h = 1e-7 * u[col] if u[col] > 0 else 1e-12
                else:
                    h = 1e-6 * max(1.0, abs(u[col])) if col != idx["t"] else 1e-5
                keep = u[col]
                u[col] = keep + h
                sj = self.state(u, j)
                u[col] = keep
                for s in range(max(0, j - 1), min(nt, j + 2)):
                    trip = list(self.probe[s])
                    trip[j - s + 1] = sj
                    r = self.stage_eqs(tuple(trip), s)
                    r0s, m = rows[s]
                    for k in range(m):
                        d = (r[k] - r0[r0s + k]) / h
                        if d != 0.0:
                            J[(r0s + k, col)] = d
        return J


def band_solve(J, rhs, n):
    """Gaussian elimination with partial pivoting over the nonzero band."""
    rows = [dict() for _ in range(n)]
    for (r, col), v in J.items():
        rows[r][col] = v
    b = list(rhs)
    for k in range(n):
        best, p = 0.0, -1
        for r in range(k, min(n, k + 60)):
            v = abs(rows[r].get(k, 0.0))
            if v > best:
                best, p = v, r
        if p < 0 or best < 1e-300:
            raise ArithmeticError("singular")
        rows[k], rows[p] = rows[p], rows[k]
        b[k], b[p] = b[p], b[k]
        piv = rows[k][k]
        for r in range(k + 1, min(n, k + 60)):
            v = rows[r].get(k)
            if not v:
                continue
            m = v / piv
            row = rows[r]
            for col, w in rows[k].items():
                if col > k:
                    row[col] = row.get(col, 0.0) - m * w
            del row[k]
            b[r] -= m * b[k]
    x = [0.0] * n
    for k in range(n - 1, -1, -1):
        s = b[k]
        for col, w in rows[k].items():
            if col > k:
                s -= w * x[col]
        x[k] = s / rows[k][k]
    return x


def weights(col, u, r):
    """Row weights: each component balance per unit of the component's own
    flow out of its stage (no smaller than the largest balance error per
    unit feed, so that far from the solution the traces do not rule the line
    search), every other row as it stands."""
    sts = [col.state(u, j) for j in range(col.nt)]
    rows = []
    for j in range(col.nt):
        probe = (sts[j - 1] if j else None, sts[j], sts[j + 1] if j < col.nt - 1 else None)
        rows.append(len(col.stage_eqs(probe, j)))
    err = 0.0
    pos = 0
    for j in range(col.nt):
        err = max([err] + [abs(v) for v in r[pos:pos + col.nc]])
        pos += rows[j]
    floor = max(min(err, 1.0), 1e-280) * col.ftot
    w = []
    for j in range(col.nt):
        s = sts[j]
        for i in range(col.nc):
            fed = col.zbar[i] > 0
            own = (s["L"] + col.sl[j]) * s["x"][i] + (s["V"] + col.sv[j]) * s["y"][i]
            w.append(col.ftot / max(own, floor) if fed else 1.0)
        w.extend([1.0] * (rows[j] - col.nc))
    return w


def solve(col, u, iters=200):
    """Damped Newton; converged when the largest weighted residual is below
    1e-12 (each component balance then holds to 1e-12 of its own flow)."""
    r = col.residuals(u)
    w = weights(col, u, r)
    for it in range(iters):
        norm = sum((wk * v) ** 2 for wk, v in zip(w, r))
        big = max(abs(wk * v) for wk, v in zip(w, r))
        if os.environ.get("NEWTON_DEBUG"):
            print("  it", it, "norm", norm, "max", big)
        if big < 1e-12:
            return u, True
        J = col.jacobian(u, r)
        d = band_solve(J, [-v for v in r], col.n)
        alpha = 1.0
        for j in range(col.nt):
            idx = col.index[j]
            dt = abs(d[idx["t"]])
            if dt > 5:
                alpha = min(alpha, 5 / dt)
            for i in range(col.nc):
                xi, dx = u[idx["x"] + i], d[idx["x"] + i]
                if xi + dx <= 0:
                    alpha = min(alpha, 0.5 * xi / -dx)
            for key in ("v", "l"):
                if key in idx and u[idx[key]] + d[idx[key]] <= 0:
                    alpha = min(alpha, 0.5 * u[idx[key]] / -d[idx[key]])
        for _ in range(40):
            trial = [u[k] + alpha * d[k] for k in range(col.n)]
            try:
                rt = col.residuals(trial)
                nt = sum((wk * v) ** 2 for wk, v in zip(w, rt))
            except (ValueError, OverflowError, ZeroDivisionError):
                nt = float("inf")
            if nt < norm:
                break
            alpha *= 0.5
        else:
            # No step lowers the residuals: the finite-difference Jacobian's
            # own noise at the floor, or a point that is no solution.
            return u, big < 1e-9
        u, r = trial, rt
        w = weights(col, u, r)
    big = max(abs(wk * v) for wk, v in zip(w, r))
    return u, big < 1e-9


def compare(c, col, u):
    dt = dx = dfl = rel = 0.0
    for j in range(col.nt):
        s = col.state(u, j)
        mine = c["st"][j]
        dt = max(dt, abs(s["t"] - mine["t"]))
        dx = max(dx, max(abs(s["x"][i] - mine["x"][i]) for i in range(col.nc)))
        rel = max([rel] + [abs(s["x"][i] - mine["x"][i]) / max(abs(s["x"][i]), 1e-300)
                           for i in range(col.nc) if col.zbar[i] > 0])
        dfl = max(dfl, abs(s["V"] - mine["v"]), abs(s["L"] - mine["l"]))
    return dt, dx, dfl, rel


def main():
    folder = sys.argv[1]
    tol = float(sys.argv[2]) if len(sys.argv) > 2 else 0.01
    rel_tol = float(sys.argv[3]) if len(sys.argv) > 3 else 1e-4
    bad = 0
    for name in sorted(n for n in os.listdir(folder) if n.endswith(".txt")):
        c = read(os.path.join(folder, name))
        col = Column(c)
        try:
            u, ok = solve(col, col.start())
        except ArithmeticError:  # a singular Jacobian on the way
            ok = False
        how = "own start"
        if not ok:
            # From the solver's profile instead: the equations' nearest solution.
            u0 = [0.0] * col.n
            for j in range(col.nt):
                idx, s = col.index[j], c["st"][j]
                u0[idx["t"]] = s["t"]
                for i in range(col.nc):
                    u0[idx["x"] + i] = s["x"][i]
                if "v" in idx:
                    u0[idx["v"]] = s["v"]
                if "l" in idx:
                    u0[idx["l"]] = s["l"]
            try:
                u, ok = solve(col, u0)
            except ArithmeticError:
                u, ok = u0, False
            how = "solver's profile"
        dt, dx, dfl, rel = compare(c, col, u)
        top, bottom = col.state(u, 0)["t"], col.state(u, col.nt - 1)["t"]
        good = ok and dt <= tol and rel <= rel_tol
        bad += not good
        print(f"{'ok ' if good else 'BAD'} {name[:-4]:34s} top {top:9.4f} bottom {bottom:9.4f}  "
              f"dT {dt:.1e} dx {dx:.1e} rel {rel:.1e} dflow {dfl:.1e}  ({how}{'' if ok else ', no solution'})")
    print(f"{bad} case(s) beyond {tol} K or {rel_tol} of a liquid fraction")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
