#pragma once
// Periodic corrections of the elements of Jupiter, Saturn, Uranus and Neptune, applied before
// Kepler's equation is solved.
#include "core/ephemeris/planets.h"

namespace orrerion {

// The slowly varying arguments shared by the four routines (T in Julian centuries from JD 2415020;
// degrees, none reduced).
struct PerturbationArgs {
    double nu, P, Q, S, V, W, zeta, psi;
};
PerturbationArgs ComputePerturbationArgs(double T);

// Each routine corrects M, omega, e and a of `el` (a in kilometres): M = M + A - B/e, omega =
// omega + B/e, e = e + de, a = a + da * AuKm, with B/e taken before e is updated. Uranus and Neptune
// first replace M by their own mean anomaly and also return the correction of the geocentric
// longitude (degrees).
void PerturbJupiter(double T, OrbitElements& el);
void PerturbSaturn(double T, OrbitElements& el);
double PerturbUranus(double T, OrbitElements& el);
double PerturbNeptune(double T, OrbitElements& el);

}  // namespace orrerion
