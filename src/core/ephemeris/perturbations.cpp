#include "core/ephemeris/perturbations.h"

#include "core/ephemeris/perturbation_tables.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

double ArgValue(const PerturbationArgs& g, PertArg a) {
    switch (a) {
        case PertArg::V: return g.V;
        case PertArg::W: return g.W;
        case PertArg::Zeta: return g.zeta;
        case PertArg::Psi: return g.psi;
        case PertArg::Q: return g.Q;
    }
    return 0.0;
}

double Factor(const PerturbationArgs& g, Trig f, int k, PertArg a) {
    switch (f) {
        case Trig::Sin: return SinD(k * ArgValue(g, a));
        case Trig::Cos: return CosD(k * ArgValue(g, a));
        case Trig::One: return 1.0;
    }
    return 1.0;
}

template <typename Table>
double SumTerms(const Table& table, const PerturbationArgs& g) {
    double sum = 0.0;
    for (const PerturbationTerm& t : table) {
        const double coefficient = t.c0 + t.c1 * g.nu + t.c2 * g.nu * g.nu;
        double term = coefficient * Factor(g, t.f1, t.k1, t.a1);
        if (t.f2 != Trig::One) term *= Factor(g, t.f2, t.k2, t.a2);
        sum += term;
    }
    return sum;
}

// A and B in degrees, de dimensionless, da in astronomical units.
void ApplyCorrections(OrbitElements& el, double A, double B, double de, double da) {
    const double bOverE = B / el.e;  // e before its own update
    el.M = el.M + A - bOverE;
    el.omega = el.omega + bOverE;
    el.e = el.e + de;
    el.a = el.a + da * AuKm;
}

}  // namespace

PerturbationArgs ComputePerturbationArgs(double T) {
    PerturbationArgs g;
    g.nu = T / 5 + 0.1;
    g.P = 237.47555 + 3034.9061 * T;
    g.Q = 265.9165 + 1222.1139 * T;
    g.S = 243.51721 + 428.4677 * T;
    g.V = 5 * g.Q - 2 * g.P;
    g.W = 2 * g.P - 6 * g.Q + 3 * g.S;
    g.zeta = g.Q - g.P;
    g.psi = g.S - g.Q;
    return g;
}

void PerturbJupiter(double T, OrbitElements& el) {
    const PerturbationArgs g = ComputePerturbationArgs(T);
    ApplyCorrections(el, SumTerms(JupiterATable, g), SumTerms(JupiterBTable, g),
                     SumTerms(JupiterDeTable, g) * 1e-7, SumTerms(JupiterDaTable, g) * 1e-6);
}

void PerturbSaturn(double T, OrbitElements& el) {
    const PerturbationArgs g = ComputePerturbationArgs(T);
    ApplyCorrections(el, SumTerms(SaturnATable, g), SumTerms(SaturnBTable, g),
                     SumTerms(SaturnDeTable, g) * 1e-7, SumTerms(SaturnDaTable, g) * 1e-6);
}

double PerturbUranus(double T, OrbitElements& el) {
    const PerturbationArgs g = ComputePerturbationArgs(T);
    const double nu = g.nu;
    const double S = g.S;
    const double G = 83.76922 + 218.4901 * T;
    const double H = 2 * G - S;
    const double zeta = S - g.P;  // Uranus's own zeta
    const double eta = S - g.Q;
    const double theta = G - S;

    el.M = 72.64878 + 428.37911 * T + 0.000079 * T * T;
    const double A = (0.864319 - 0.001583 * nu) * SinD(H) + (0.082222 - 0.006833 * nu) * CosD(H) +
                     0.036017 * SinD(2 * H) - 0.003019 * CosD(2 * H) + 0.008122 * SinD(g.W);
    const double B = 0.120303 * SinD(H) + (0.019472 - 0.000947 * nu) * CosD(H) + 0.006197 * SinD(2 * H);
    const double de = ((-3349 + 163 * nu) * SinD(H) + 20981 * CosD(H) + 1311 * CosD(2 * H)) * 1e-7;
    const double da = -0.003825 * CosD(H);
    ApplyCorrections(el, A, B, de, da);

    return (0.010122 - 0.000988 * nu) * SinD(S + eta) +
           (-0.038581 + 0.002031 * nu - 0.00191 * nu * nu) * CosD(S + eta) +
           (0.034964 - 0.001038 * nu + 0.000868 * nu * nu) * CosD(2 * S + eta) +
           0.005594 * SinD(S + 3 * theta) - 0.014808 * SinD(zeta) - 0.005794 * SinD(eta) +
           0.002347 * CosD(eta) + 0.009872 * SinD(theta) + 0.008803 * SinD(2 * theta) -
           0.004308 * SinD(3 * theta);
}

double PerturbNeptune(double T, OrbitElements& el) {
    const PerturbationArgs g = ComputePerturbationArgs(T);
    const double nu = g.nu;
    const double G = 83.76922 + 218.4901 * T;
    const double H = 2 * G - g.S;
    const double zeta = G - g.P;  // Neptune's own zeta
    const double eta = G - g.Q;
    const double theta = G - g.S;

    el.M = 37.73063 + 218.46134 * T - 0.00007 * T * T;
    const double A = (-0.589833 + 0.001089 * nu) * SinD(H) + (-0.056094 + 0.004658 * nu) * CosD(H) -
                     0.024286 * SinD(2 * H);
    const double B = 0.024039 * SinD(H) - 0.025303 * CosD(H) + 0.006206 * SinD(2 * H) - 0.005992 * CosD(2 * H);
    const double de = (4389 * SinD(H) + 4262 * CosD(H) + 1129 * SinD(2 * H) + 1089 * CosD(2 * H)) * 1e-7;
    const double da = (-817 * SinD(H) + 8189 * CosD(H) + 781 * CosD(2 * H)) * 1e-6;
    ApplyCorrections(el, A, B, de, da);

    return -0.009556 * SinD(zeta) - 0.005178 * SinD(eta) + 0.002572 * SinD(2 * theta) -
           0.002972 * CosD(2 * theta) * SinD(G) - 0.002833 * SinD(2 * theta) * CosD(G);
}

}  // namespace orrerion
