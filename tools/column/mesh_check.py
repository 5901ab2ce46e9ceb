#!/usr/bin/python3
"""Independent check of converged columns written by the column-set test
(COLUMN_DUMP_DIR=dir continuous_tests --gtest_filter='DistColumnSet.*').

For every dump it evaluates, from its own Antoine, Wilson, NRTL and enthalpy
formulas, the MESH equations of the profile: y = K x and sum K x = 1 on every
stage (the top stage without a condenser by sum y / K = 1), the component
balance of every stage and of the whole column per unit total feed, and the
enthalpy balance of every stage without a duty per unit of the larger duty.
Plain python3, no extra packages.  Usage: mesh_check.py DIR [limit]
"""
import math
import os
import sys

KCAL = 4186.05          # J per kcal, as the enthalpy polynomials are per kcal/kg
MMHG_PER_MPA = 760 / 0.101325  # the exact factor: 1 atm = 760 mmHg = 0.101325 MPa


def read(path):
    words = open(path).read().split()
    pos = 0

    def take(n=1):
        nonlocal pos
        v = [float(w) for w in words[pos:pos + n]]
        pos += n
        return v if n > 1 else v[0]
    nc, nt, kmeth, hmeth, cond = (int(v) for v in take(5))
    comps = []
    for _ in range(nc):
        row = take(10 + nc)
        comps.append(dict(mw=row[0], a=row[1], b=row[2], c=row[3], hv=row[4:7], hl=row[7:10], lam=row[10:]))
    alpha, tau = 0.0, None
    if kmeth == 3:  # NRTL: alpha, then tau(i, k) row by row
        alpha = take()
        tau = [[take() for _ in range(nc)] for _ in range(nc)]
    nf = int(take())
    dist = take()
    feeds = []
    for _ in range(nf):
        row = take(4 + nc)
        feeds.append(dict(stage=int(row[0]), flow=row[1], t=row[2], vf=row[3], z=row[4:]))
    nl, nv = int(take()), int(take())
    liq = [tuple(take(2)) for _ in range(nl)]
    vap = [tuple(take(2)) for _ in range(nv)]
    stages = []
    for _ in range(nt):
        row = take(4 + 2 * nc)
        stages.append(dict(t=row[0], p=row[1], l=row[2], v=row[3], x=row[4::2], y=row[5::2]))
    return dict(nc=nc, nt=nt, k=kmeth, h=hmeth, cond=cond, comps=comps, dist=dist, feeds=feeds,
                liq=liq, vap=vap, st=stages, alpha=alpha, tau=tau)


def nrtl_gammas(c, x):
    """Renon and Prausnitz (1968): ln g(i) = sum_j tau(j,i) G(j,i) x(j) / S(i)
    + sum_j x(j) G(i,j) / S(j) (tau(i,j) - sum_m x(m) tau(m,j) G(m,j) / S(j)),
    G = exp(-alpha tau), S(j) = sum_k G(k,j) x(k)."""
    n, tau = c["nc"], c["tau"]
    G = [[math.exp(-c["alpha"] * tau[a][b]) for b in range(n)] for a in range(n)]
    S = [sum(G[k][j] * x[k] for k in range(n)) for j in range(n)]
    T = [sum(x[m] * tau[m][j] * G[m][j] for m in range(n)) / S[j] for j in range(n)]
    out = []
    for i in range(n):
        v = sum(tau[j][i] * G[j][i] * x[j] for j in range(n)) / S[i]
        v += sum(x[j] * G[i][j] / S[j] * (tau[i][j] - T[j]) for j in range(n))
        out.append(math.exp(v))
    return out


def gammas(c, x):
    if c["k"] == 3:
        return nrtl_gammas(c, x)
    if c["k"] != 2:
        return [1.0] * c["nc"]
    lam = [cp["lam"] for cp in c["comps"]]
    n = c["nc"]
    s = [sum(lam[i][j] * x[j] for j in range(n)) for i in range(n)]
    return [math.exp(1 - math.log(s[i]) - sum(lam[k][i] * x[k] / s[k] for k in range(n))) for i in range(n)]


def kvals(c, t, p, x):
    g = gammas(c, x)
    pmm = p * MMHG_PER_MPA
    return [g[i] * 10 ** (cp["a"] - cp["b"] / (t + cp["c"])) / pmm for i, cp in enumerate(c["comps"])]


def hmix(c, which, t, comp):
    s = sum(comp)
    tot = 0.0
    for i, cp in enumerate(c["comps"]):
        a, b, cc = cp[which]
        tot += comp[i] * cp["mw"] * (a + b * t + cc * t * t)
    return tot / s * KCAL


def check(c):
    nt, nc, st = c["nt"], c["nc"], c["st"]
    feed_total = sum(f["flow"] for f in c["feeds"])
    worst = {}

    def note(kind, v):
        worst[kind] = max(worst.get(kind, 0.0), v)

    draws_l = [0.0] * (nt + 2)
    draws_v = [0.0] * (nt + 2)
    fz = [[0.0] * nc for _ in range(nt + 2)]
    fh = [0.0] * (nt + 2)
    for f in c["feeds"]:
        for i in range(nc):
            fz[f["stage"]][i] += f["flow"] * f["z"][i]
        h = f["vf"] * hmix(c, "hv", f["t"], f["z"]) + (1 - f["vf"]) * hmix(c, "hl", f["t"], f["z"])
        fh[f["stage"]] += f["flow"] * h
    for s, fl in c["liq"]:
        draws_l[int(s)] += fl
    for s, fl in c["vap"]:
        draws_v[int(s)] += fl
    draws_l[1] += c["dist"]
    for j in range(1, nt + 1):
        s = st[j - 1]
        k = kvals(c, s["t"], s["p"], s["x"])
        if j == 1 and not c["cond"]:
            note("equilibrium", abs(sum(s["y"][i] / k[i] for i in range(nc)) - 1))
        else:
            note("equilibrium", abs(sum(k[i] * s["x"][i] for i in range(nc)) - 1))
        for i in range(nc):
            inn = fz[j][i] + (st[j - 2]["l"] * st[j - 2]["x"][i] if j > 1 else 0) + \
                (st[j]["v"] * st[j]["y"][i] if j < nt else 0)
            out = (s["l"] + draws_l[j]) * s["x"][i] + (s["v"] + draws_v[j]) * s["y"][i]
            note("stage balance", abs(inn - out) / feed_total)
    for i in range(nc):
        inn = sum(fz[j][i] for j in range(nt + 1))
        out = st[0]["v"] * st[0]["y"][i] + st[nt - 1]["l"] * st[nt - 1]["x"][i]
        for j in range(1, nt + 1):
            out += draws_l[j] * st[j - 1]["x"][i] + draws_v[j] * st[j - 1]["y"][i]
        note("overall balance", abs(inn - out) / feed_total)
    if c["h"] == 1:
        hv = [hmix(c, "hv", s["t"], s["y"]) for s in st]
        hl = [hmix(c, "hl", s["t"], s["x"]) for s in st]

        def imbalance(j):
            s = st[j - 1]
            inn = fh[j] + (st[j - 2]["l"] * hl[j - 2] if j > 1 else 0) + (st[j]["v"] * hv[j] if j < nt else 0)
            return (s["l"] + draws_l[j]) * hl[j - 1] + (s["v"] + draws_v[j]) * hv[j - 1] - inn
        scale = max(abs(imbalance(1)) if c["cond"] else 0, abs(imbalance(nt))) or 1
        for j in range(2 if c["cond"] else 1, nt):
            note("heat balance", abs(imbalance(j)) / scale)
    return worst


def main():
    folder = sys.argv[1]
    limit = float(sys.argv[2]) if len(sys.argv) > 2 else 5e-4
    bad = 0
    for name in sorted(n for n in os.listdir(folder) if n.endswith(".txt")):
        w = check(read(os.path.join(folder, name)))
        ok = all(v <= limit for v in w.values())
        bad += not ok
        print(f"{'ok ' if ok else 'BAD'} {name[:-4]:28s} " + "  ".join(f"{k} {v:.2e}" for k, v in w.items()))
    print(f"{bad} case(s) beyond {limit}")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
