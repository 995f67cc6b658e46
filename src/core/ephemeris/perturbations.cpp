#include "core/ephemeris/perturbations.h"

#include <array>

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

constexpr std::size_t ArgCount = 5;
constexpr int MaxMultiple = 5;
constexpr std::size_t ArgSlot(PertArg a) { return static_cast<std::size_t>(a); }

// Which multiples of which arguments the Jupiter and Saturn series read.
using MultipleMask = std::array<std::array<bool, MaxMultiple + 1>, ArgCount>;
template <typename Table>
constexpr void MarkMultiples(const Table& table, MultipleMask& used) {
    for (const PerturbationTerm& t : table) {
        if (t.f1 != Trig::One) used[ArgSlot(t.a1)][static_cast<std::size_t>(t.k1)] = true;
        if (t.f2 != Trig::One) used[ArgSlot(t.a2)][static_cast<std::size_t>(t.k2)] = true;
    }
}
constexpr MultipleMask UsedMultiples = [] {
    MultipleMask used{};
    MarkMultiples(JupiterATable, used);
    MarkMultiples(JupiterBTable, used);
    MarkMultiples(JupiterDeTable, used);
    MarkMultiples(JupiterDaTable, used);
    MarkMultiples(SaturnATable, used);
    MarkMultiples(SaturnBTable, used);
    MarkMultiples(SaturnDeTable, used);
    MarkMultiples(SaturnDaTable, used);
    return used;
}();

// SinD(k * argument) and CosD(k * argument) of every multiple the series read, each computed once
// instead of once per term.
struct Factors {
    std::array<std::array<SinCos, MaxMultiple + 1>, ArgCount> values{};

    explicit Factors(const PerturbationArgs& g) {
        for (std::size_t a = 0; a < ArgCount; ++a) {
            for (int k = 1; k <= MaxMultiple; ++k) {
                if (!UsedMultiples[a][static_cast<std::size_t>(k)]) continue;
                values[a][static_cast<std::size_t>(k)] = SinCosD(k * ArgValue(g, static_cast<PertArg>(a)));
            }
        }
    }
    double Of(Trig f, int k, PertArg a) const {
        const SinCos& v = values[ArgSlot(a)][static_cast<std::size_t>(k)];
        switch (f) {
            case Trig::Sin: return v.sin;
            case Trig::Cos: return v.cos;
            case Trig::One: return 1.0;
        }
        return 1.0;
    }
};

template <typename Table>
double SumTerms(const Table& table, const PerturbationArgs& g, const Factors& factors) {
    double sum = 0.0;
    for (const PerturbationTerm& t : table) {
        const double coefficient = t.c0 + t.c1 * g.nu + t.c2 * g.nu * g.nu;
        double term = coefficient * factors.Of(t.f1, t.k1, t.a1);
        if (t.f2 != Trig::One) term *= factors.Of(t.f2, t.k2, t.a2);
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
    const Factors f(g);
    ApplyCorrections(el, SumTerms(JupiterATable, g, f), SumTerms(JupiterBTable, g, f),
                     SumTerms(JupiterDeTable, g, f) * 1e-7, SumTerms(JupiterDaTable, g, f) * 1e-6);
}

void PerturbSaturn(double T, OrbitElements& el) {
    const PerturbationArgs g = ComputePerturbationArgs(T);
    const Factors f(g);
    ApplyCorrections(el, SumTerms(SaturnATable, g, f), SumTerms(SaturnBTable, g, f),
                     SumTerms(SaturnDeTable, g, f) * 1e-7, SumTerms(SaturnDaTable, g, f) * 1e-6);
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
    const SinCos h1 = SinCosD(H);
    const SinCos h2 = SinCosD(2 * H);
    const double A = (0.864319 - 0.001583 * nu) * h1.sin + (0.082222 - 0.006833 * nu) * h1.cos +
                     0.036017 * h2.sin - 0.003019 * h2.cos + 0.008122 * SinD(g.W);
    const double B = 0.120303 * h1.sin + (0.019472 - 0.000947 * nu) * h1.cos + 0.006197 * h2.sin;
    const double de = ((-3349 + 163 * nu) * h1.sin + 20981 * h1.cos + 1311 * h2.cos) * 1e-7;
    const double da = -0.003825 * h1.cos;
    ApplyCorrections(el, A, B, de, da);

    const SinCos sEta = SinCosD(S + eta);
    const SinCos etaTrig = SinCosD(eta);
    return (0.010122 - 0.000988 * nu) * sEta.sin +
           (-0.038581 + 0.002031 * nu - 0.00191 * nu * nu) * sEta.cos +
           (0.034964 - 0.001038 * nu + 0.000868 * nu * nu) * CosD(2 * S + eta) +
           0.005594 * SinD(S + 3 * theta) - 0.014808 * SinD(zeta) - 0.005794 * etaTrig.sin +
           0.002347 * etaTrig.cos + 0.009872 * SinD(theta) + 0.008803 * SinD(2 * theta) -
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
    const SinCos h1 = SinCosD(H);
    const SinCos h2 = SinCosD(2 * H);
    const double A = (-0.589833 + 0.001089 * nu) * h1.sin + (-0.056094 + 0.004658 * nu) * h1.cos -
                     0.024286 * h2.sin;
    const double B = 0.024039 * h1.sin - 0.025303 * h1.cos + 0.006206 * h2.sin - 0.005992 * h2.cos;
    const double de = (4389 * h1.sin + 4262 * h1.cos + 1129 * h2.sin + 1089 * h2.cos) * 1e-7;
    const double da = (-817 * h1.sin + 8189 * h1.cos + 781 * h2.cos) * 1e-6;
    ApplyCorrections(el, A, B, de, da);

    const SinCos theta2 = SinCosD(2 * theta);
    const SinCos gTrig = SinCosD(G);
    return -0.009556 * SinD(zeta) - 0.005178 * SinD(eta) + 0.002572 * theta2.sin -
           0.002972 * theta2.cos * gTrig.sin - 0.002833 * theta2.sin * gTrig.cos;
}

}  // namespace orrerion
