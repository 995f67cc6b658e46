#pragma once
// The perturbation series of Jupiter and Saturn. Each term is a coefficient polynomial in nu
// (c0 + c1*nu + c2*nu^2) times one or two sines or cosines of whole multiples of the arguments
// V, W, zeta, psi and Q (degrees, not reduced). A and B are in degrees; the eccentricity series
// is in units of 1e-7 and the semi-major axis series in units of 1e-6 astronomical unit. Terms are
// summed in the order listed.
#include <array>

namespace orrerion {

enum class Trig { Sin, Cos, One };
enum class PertArg { V, W, Zeta, Psi, Q };

struct PerturbationTerm {
    double c0, c1, c2;
    Trig f1;
    int k1;
    PertArg a1;
    Trig f2;  // One: the term has a single factor
    int k2;
    PertArg a2;
};

// Jupiter, perturbation of the mean longitude, degrees.
inline constexpr auto JupiterATable = std::to_array<PerturbationTerm>({
    {0.331364, -0.010281, -0.004692, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (0.331364 -0.010281nu -0.004692nu^2) * sin V
    {0.003228, -0.064436, 0.002075, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (0.003228 -0.064436nu +0.002075nu^2) * cos V
    {-0.003083, -0.000275, 0.000489, Trig::Sin, 2, PertArg::V, Trig::One, 0, PertArg::V},  // (-0.003083 -0.000275nu +0.000489nu^2) * sin 2V
    {0.002472, 0.0, 0.0, Trig::Sin, 1, PertArg::W, Trig::One, 0, PertArg::V},  // +0.002472 * sin W
    {0.013619, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +0.013619 * sin zeta
    {0.018472, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +0.018472 * sin 2zeta
    {0.006717, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +0.006717 * sin 3zeta
    {0.002775, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +0.002775 * sin 4zeta
    {0.007275, -0.001253, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (0.007275 -0.001253nu) * sin zeta * sin Q
    {0.006417, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.006417 * sin 2zeta * sin Q
    {0.002439, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.002439 * sin 3zeta * sin Q
    {-0.033839, -0.001125, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (-0.033839 -0.001125nu) * cos zeta * sin Q
    {-0.003767, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.003767 * cos 2zeta * sin Q
    {-0.035681, -0.001208, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (-0.035681 -0.001208nu) * sin zeta * cos Q
    {-0.004261, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -0.004261 * sin 2zeta * cos Q
    {0.002178, 0.0, 0.0, Trig::Cos, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // +0.002178 * cos Q
    {-0.006333, 0.001161, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (-0.006333 +0.001161nu) * cos zeta * cos Q
    {-0.006675, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -0.006675 * cos 2zeta * cos Q
    {-0.002664, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -0.002664 * cos 3zeta * cos Q
    {-0.002572, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -0.002572 * sin zeta * sin 2Q
    {-0.003567, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -0.003567 * sin 2zeta * sin 2Q
    {0.002094, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +0.002094 * cos zeta * cos 2Q
    {0.003342, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +0.003342 * cos 2zeta * cos 2Q
});
static_assert(JupiterATable.size() == 23);

// Jupiter, degrees.
inline constexpr auto JupiterBTable = std::to_array<PerturbationTerm>({
    {0.007192, -0.003147, 0.0, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (0.007192 -0.003147nu) * sin V
    {-0.020428, -0.000675, 0.000197, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (-0.020428 -0.000675nu +0.000197nu^2) * cos V
    {0.007269, 0.000672, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (0.007269 +0.000672nu) * sin zeta * sin Q
    {-0.004344, 0.0, 0.0, Trig::Sin, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -0.004344 * sin Q
    {0.034036, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.034036 * cos zeta * sin Q
    {0.005614, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.005614 * cos 2zeta * sin Q
    {0.002964, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.002964 * cos 3zeta * sin Q
    {0.037761, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.037761 * sin zeta * cos Q
    {0.006158, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.006158 * sin 2zeta * cos Q
    {-0.006603, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -0.006603 * cos zeta * cos Q
    {-0.005356, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -0.005356 * sin zeta * sin 2Q
    {0.002722, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +0.002722 * sin 2zeta * sin 2Q
    {0.004483, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +0.004483 * cos zeta * sin 2Q
    {-0.002536, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -0.002536 * sin 2zeta * cos 2Q
    {-0.002642, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -0.002642 * cos 2zeta * sin 2Q
    {0.005547, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +0.005547 * cos zeta * cos 2Q
    {0.004403, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +0.004403 * sin zeta * cos 2Q
    {-0.002689, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -0.002689 * cos 2zeta * cos 2Q
});
static_assert(JupiterBTable.size() == 18);

// Jupiter, eccentricity, units of 1e-7.
inline constexpr auto JupiterDeTable = std::to_array<PerturbationTerm>({
    {3606.0, 130.0, -43.0, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (3606 +130nu -43nu^2) * sin V
    {1289.0, -580.0, 0.0, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (1289 -580nu) * cos V
    {-6764.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -6764 * sin zeta * sin Q
    {-1110.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -1110 * sin 2zeta * sin Q
    {-224.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -224 * sin 3zeta * sin Q
    {-204.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -204 * sin Q
    {1284.0, 116.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (1284 +116nu) * cos zeta * sin Q
    {188.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +188 * cos 2zeta * sin Q
    {1460.0, 130.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (1460 +130nu) * sin zeta * cos Q
    {224.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +224 * sin 2zeta * cos Q
    {-817.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -817 * cos Q
    {6074.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +6074 * cos zeta * cos Q
    {992.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +992 * cos 2zeta * cos Q
    {508.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +508 * cos 3zeta * cos Q
    {230.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +230 * cos 4zeta * cos Q
    {108.0, 0.0, 0.0, Trig::Cos, 5, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +108 * cos 5zeta * cos Q
    {-956.0, -73.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (-956 -73nu) * sin zeta * sin 2Q
    {448.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +448 * sin 2zeta * sin 2Q
    {137.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +137 * sin 3zeta * sin 2Q
    {-997.0, 108.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (-997 +108nu) * cos zeta * sin 2Q
    {480.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +480 * cos 2zeta * sin 2Q
    {148.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +148 * cos 3zeta * sin 2Q
    {-956.0, 99.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (-956 +99nu) * sin zeta * cos 2Q
    {490.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +490 * sin 2zeta * cos 2Q
    {158.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +158 * sin 3zeta * cos 2Q
    {179.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Q, Trig::One, 0, PertArg::V},  // +179 * cos 2Q
    {1024.0, 75.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (1024 +75nu) * cos zeta * cos 2Q
    {-437.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -437 * cos 2zeta * cos 2Q
    {-132.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -132 * cos 3zeta * cos 2Q
});
static_assert(JupiterDeTable.size() == 29);

// Jupiter, semi-major axis, units of 1e-6 AU.
inline constexpr auto JupiterDaTable = std::to_array<PerturbationTerm>({
    {-263.0, 0.0, 0.0, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // -263 * cos V
    {205.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +205 * cos zeta
    {693.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +693 * cos 2zeta
    {312.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +312 * cos 3zeta
    {147.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +147 * cos 4zeta
    {299.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +299 * sin zeta * sin Q
    {181.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +181 * cos 2zeta * sin Q
    {204.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +204 * sin 2zeta * cos Q
    {111.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +111 * sin 3zeta * cos Q
    {-337.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -337 * cos zeta * cos Q
    {-111.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -111 * cos 2zeta * cos Q
});
static_assert(JupiterDaTable.size() == 11);

// Saturn, perturbation of the mean longitude, degrees.
inline constexpr auto SaturnATable = std::to_array<PerturbationTerm>({
    {-0.814181, 0.01815, 0.016714, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (-0.814181 +0.01815nu +0.016714nu^2) * sin V
    {-0.010497, 0.160906, -0.0041, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (-0.010497 +0.160906nu -0.0041nu^2) * cos V
    {0.007581, 0.0, 0.0, Trig::Sin, 2, PertArg::V, Trig::One, 0, PertArg::V},  // +0.007581 * sin 2V
    {-0.007986, 0.0, 0.0, Trig::Sin, 1, PertArg::W, Trig::One, 0, PertArg::V},  // -0.007986 * sin W
    {-0.148811, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -0.148811 * sin zeta
    {-0.040786, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -0.040786 * sin 2zeta
    {-0.015208, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -0.015208 * sin 3zeta
    {-0.006339, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -0.006339 * sin 4zeta
    {-0.006244, 0.0, 0.0, Trig::Sin, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -0.006244 * sin Q
    {0.008931, 0.002728, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (0.008931 +0.002728nu) * sin zeta * sin Q
    {-0.0165, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.0165 * sin 2zeta * sin Q
    {-0.005775, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.005775 * sin 3zeta * sin Q
    {0.081344, 0.003206, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (0.081344 +0.003206nu) * cos zeta * sin Q
    {0.015019, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +0.015019 * cos 2zeta * sin Q
    {0.085581, 0.002494, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (0.085581 +0.002494nu) * sin zeta * cos Q
    {0.025328, -0.003117, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (0.025328 -0.003117nu) * cos zeta * cos Q
    {0.014394, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.014394 * cos 2zeta * cos Q
    {0.006319, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.006319 * cos 3zeta * cos Q
    {0.006369, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +0.006369 * sin zeta * sin 2Q
    {0.009156, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +0.009156 * sin 2zeta * sin 2Q
    {0.007525, 0.0, 0.0, Trig::Sin, 3, PertArg::Psi, Trig::Sin, 2, PertArg::Q},  // +0.007525 * sin 3psi * sin 2Q
    {-0.005236, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -0.005236 * cos zeta * cos 2Q
    {-0.007736, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -0.007736 * cos 2zeta * cos 2Q
    {-0.007528, 0.0, 0.0, Trig::Cos, 3, PertArg::Psi, Trig::Cos, 2, PertArg::Q},  // -0.007528 * cos 3psi * cos 2Q
});
static_assert(SaturnATable.size() == 24);

// Saturn, degrees.
inline constexpr auto SaturnBTable = std::to_array<PerturbationTerm>({
    {0.077108, 0.007186, -0.001533, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (0.077108 +0.007186nu -0.001533nu^2) * sin V
    {0.045803, -0.014766, -0.000536, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (0.045803 -0.014766nu -0.000536nu^2) * cos V
    {-0.007075, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -0.007075 * sin zeta
    {-0.075825, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.075825 * sin zeta * sin Q
    {-0.024839, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.024839 * sin 2zeta * sin Q
    {-0.008631, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -0.008631 * sin 3zeta * sin Q
    {-0.072586, 0.0, 0.0, Trig::Cos, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -0.072586 * cos Q
    {-0.150383, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -0.150383 * cos zeta * cos Q
    {0.026897, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.026897 * cos 2zeta * cos Q
    {0.010053, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +0.010053 * cos 3zeta * cos Q
    {-0.013597, -0.001719, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (-0.013597 -0.001719nu) * sin zeta * sin 2Q
    {-0.007742, 0.001517, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (-0.007742 +0.001517nu) * cos zeta * sin 2Q
    {0.013586, -0.001375, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (0.013586 -0.001375nu) * cos 2zeta * sin 2Q
    {-0.013667, 0.001239, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (-0.013667 +0.001239nu) * sin zeta * cos 2Q
    {0.011981, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +0.011981 * sin 2zeta * cos 2Q
    {0.014861, 0.001136, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (0.014861 +0.001136nu) * cos zeta * cos 2Q
    {-0.013064, -0.001628, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (-0.013064 -0.001628nu) * cos 2zeta * cos 2Q
});
static_assert(SaturnBTable.size() == 17);

// Saturn, eccentricity, units of 1e-7.
inline constexpr auto SaturnDeTable = std::to_array<PerturbationTerm>({
    {-7927.0, 2548.0, 91.0, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (-7927 +2548nu +91nu^2) * sin V
    {13381.0, 1226.0, -253.0, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // (13381 +1226nu -253nu^2) * cos V
    {248.0, -121.0, 0.0, Trig::Sin, 2, PertArg::V, Trig::One, 0, PertArg::V},  // (248 -121nu) * sin 2V
    {-305.0, -91.0, 0.0, Trig::Cos, 2, PertArg::V, Trig::One, 0, PertArg::V},  // (-305 -91nu) * cos 2V
    {412.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +412 * sin 2zeta
    {12415.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // +12415 * sin Q
    {390.0, -617.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (390 -617nu) * sin zeta * sin Q
    {165.0, -204.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // (165 -204nu) * sin 2zeta * sin Q
    {26599.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +26599 * cos zeta * sin Q
    {-4687.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -4687 * cos 2zeta * sin Q
    {-1870.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -1870 * cos 3zeta * sin Q
    {-821.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -821 * cos 4zeta * sin Q
    {-377.0, 0.0, 0.0, Trig::Cos, 5, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -377 * cos 5zeta * sin Q
    {497.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Psi, Trig::Sin, 1, PertArg::Q},  // +497 * cos 2psi * sin Q
    {163.0, -611.0, 0.0, Trig::Cos, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // (163 -611nu) * cos Q
    {-12696.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -12696 * sin zeta * cos Q
    {-4200.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -4200 * sin 2zeta * cos Q
    {-1503.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -1503 * sin 3zeta * cos Q
    {-619.0, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -619 * sin 4zeta * cos Q
    {-268.0, 0.0, 0.0, Trig::Sin, 5, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -268 * sin 5zeta * cos Q
    {-282.0, -1306.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (-282 -1306nu) * cos zeta * cos Q
    {-86.0, 230.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (-86 +230nu) * cos 2zeta * cos Q
    {461.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Psi, Trig::Cos, 1, PertArg::Q},  // +461 * sin 2psi * cos Q
    {-350.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Q, Trig::One, 0, PertArg::V},  // -350 * sin 2Q
    {2211.0, -286.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (2211 -286nu) * sin zeta * sin 2Q
    {-2208.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -2208 * sin 2zeta * sin 2Q
    {-568.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -568 * sin 3zeta * sin 2Q
    {-346.0, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -346 * sin 4zeta * sin 2Q
    {-2780.0, -222.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (-2780 -222nu) * cos zeta * sin 2Q
    {2022.0, 263.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // (2022 +263nu) * cos 2zeta * sin 2Q
    {248.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +248 * cos 3zeta * sin 2Q
    {242.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Psi, Trig::Sin, 2, PertArg::Q},  // +242 * sin 3psi * sin 2Q
    {467.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Psi, Trig::Sin, 2, PertArg::Q},  // +467 * cos 3psi * sin 2Q
    {-490.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Q, Trig::One, 0, PertArg::V},  // -490 * cos 2Q
    {-2842.0, -279.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (-2842 -279nu) * sin zeta * cos 2Q
    {128.0, 226.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (128 +226nu) * sin 2zeta * cos 2Q
    {224.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +224 * sin 3zeta * cos 2Q
    {-1594.0, 282.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (-1594 +282nu) * cos zeta * cos 2Q
    {2162.0, -207.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // (2162 -207nu) * cos 2zeta * cos 2Q
    {561.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +561 * cos 3zeta * cos 2Q
    {343.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +343 * cos 4zeta * cos 2Q
    {469.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Psi, Trig::Cos, 2, PertArg::Q},  // +469 * sin 3psi * cos 2Q
    {-242.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Psi, Trig::Cos, 2, PertArg::Q},  // -242 * cos 3psi * cos 2Q
    {-205.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 3, PertArg::Q},  // -205 * sin zeta * sin 3Q
    {262.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 3, PertArg::Q},  // +262 * sin 3zeta * sin 3Q
    {208.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 3, PertArg::Q},  // +208 * cos zeta * cos 3Q
    {-271.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 3, PertArg::Q},  // -271 * cos 3zeta * cos 3Q
    {-382.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 4, PertArg::Q},  // -382 * cos 3zeta * sin 4Q
    {-376.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 4, PertArg::Q},  // -376 * sin 3zeta * cos 4Q
});
static_assert(SaturnDeTable.size() == 49);

// Saturn, semi-major axis, units of 1e-6 AU.
inline constexpr auto SaturnDaTable = std::to_array<PerturbationTerm>({
    {0.0, 572.0, 0.0, Trig::Sin, 1, PertArg::V, Trig::One, 0, PertArg::V},  // +572nu * sin V
    {2933.0, 0.0, 0.0, Trig::Cos, 1, PertArg::V, Trig::One, 0, PertArg::V},  // +2933 * cos V
    {33629.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::One, 0, PertArg::V},  // +33629 * cos zeta
    {-3081.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -3081 * cos 2zeta
    {-1423.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -1423 * cos 3zeta
    {-671.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -671 * cos 4zeta
    {-320.0, 0.0, 0.0, Trig::Cos, 5, PertArg::Zeta, Trig::One, 0, PertArg::V},  // -320 * cos 5zeta
    {1098.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // +1098 * sin Q
    {-2812.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -2812 * sin zeta * sin Q
    {688.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +688 * sin 2zeta * sin Q
    {-393.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -393 * sin 3zeta * sin Q
    {-228.0, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -228 * sin 4zeta * sin Q
    {2138.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // +2138 * cos zeta * sin Q
    {-999.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -999 * cos 2zeta * sin Q
    {-642.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -642 * cos 3zeta * sin Q
    {-325.0, 0.0, 0.0, Trig::Cos, 4, PertArg::Zeta, Trig::Sin, 1, PertArg::Q},  // -325 * cos 4zeta * sin Q
    {-890.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Q, Trig::One, 0, PertArg::V},  // -890 * cos Q
    {2206.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +2206 * sin zeta * cos Q
    {-1590.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -1590 * sin 2zeta * cos Q
    {-647.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -647 * sin 3zeta * cos Q
    {-344.0, 0.0, 0.0, Trig::Sin, 4, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // -344 * sin 4zeta * cos Q
    {2885.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +2885 * cos zeta * cos Q
    {2172.0, 102.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // (2172 +102nu) * cos 2zeta * cos Q
    {296.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 1, PertArg::Q},  // +296 * cos 3zeta * cos Q
    {-267.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -267 * sin 2zeta * sin 2Q
    {-778.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // -778 * cos zeta * sin 2Q
    {495.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +495 * cos 2zeta * sin 2Q
    {250.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Sin, 2, PertArg::Q},  // +250 * cos 3zeta * sin 2Q
    {-856.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // -856 * sin zeta * cos 2Q
    {441.0, 0.0, 0.0, Trig::Sin, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +441 * sin 2zeta * cos 2Q
    {296.0, 0.0, 0.0, Trig::Cos, 2, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +296 * cos 2zeta * cos 2Q
    {211.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 2, PertArg::Q},  // +211 * cos 3zeta * cos 2Q
    {-427.0, 0.0, 0.0, Trig::Sin, 1, PertArg::Zeta, Trig::Sin, 3, PertArg::Q},  // -427 * sin zeta * sin 3Q
    {398.0, 0.0, 0.0, Trig::Sin, 3, PertArg::Zeta, Trig::Sin, 3, PertArg::Q},  // +398 * sin 3zeta * sin 3Q
    {344.0, 0.0, 0.0, Trig::Cos, 1, PertArg::Zeta, Trig::Cos, 3, PertArg::Q},  // +344 * cos zeta * cos 3Q
    {-427.0, 0.0, 0.0, Trig::Cos, 3, PertArg::Zeta, Trig::Cos, 3, PertArg::Q},  // -427 * cos 3zeta * cos 3Q
});
static_assert(SaturnDaTable.size() == 36);

}  // namespace orrerion
