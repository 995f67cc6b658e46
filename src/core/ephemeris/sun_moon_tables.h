#pragma once
// Coefficients of the Sun and Moon series. Amplitudes in arcseconds; phases in degrees. Rows are
// summed in the order listed here.
#include <array>

namespace orrerion {

enum class SunTermKind {
    CosineWithPhase,  // amplitude * cos(phase + argument)
    Sine,             // amplitude * sin(argument)
};

// One perturbation term of the Sun. The argument is the sum of the multiples of the mean anomalies
// of Venus (V), Mars (Ma), Jupiter (J), Saturn (S), the Moon's elongation (D), the Moon's anomaly
// (l) and the Sun's anomaly (M).
struct SunTerm {
    SunTermKind kind;
    double amplitudeArcsec;
    double phaseDeg;
    int kV, kMa, kJ, kS, kD, kl, kM;
};

// 12 Venus, 11 Mars, 8 Jupiter, 4 Saturn and 4 Moon rows.
inline constexpr auto SunPerturbationTable = std::to_array<SunTerm>({
    {SunTermKind::CosineWithPhase, 4.838, 299.102, 1, 0, 0, 0, 0, 0, -1},  // Venus: V - M
    {SunTermKind::CosineWithPhase, 0.116, 148.9, 2, 0, 0, 0, 0, 0, -1},  // Venus: 2V - M
    {SunTermKind::CosineWithPhase, 5.526, 148.313, 2, 0, 0, 0, 0, 0, -2},  // Venus: 2V - 2M
    {SunTermKind::CosineWithPhase, 2.497, 315.943, 2, 0, 0, 0, 0, 0, -3},  // Venus: 2V - 3M
    {SunTermKind::CosineWithPhase, 0.666, 177.71, 3, 0, 0, 0, 0, 0, -3},  // Venus: 3V - 3M
    {SunTermKind::CosineWithPhase, 1.559, 345.253, 3, 0, 0, 0, 0, 0, -4},  // Venus: 3V - 4M
    {SunTermKind::CosineWithPhase, 1.024, 318.15, 3, 0, 0, 0, 0, 0, -5},  // Venus: 3V - 5M
    {SunTermKind::CosineWithPhase, 0.21, 206.2, 4, 0, 0, 0, 0, 0, -4},  // Venus: 4V - 4M
    {SunTermKind::CosineWithPhase, 0.144, 195.4, 4, 0, 0, 0, 0, 0, -5},  // Venus: 4V - 5M
    {SunTermKind::CosineWithPhase, 0.152, 343.8, 4, 0, 0, 0, 0, 0, -6},  // Venus: 4V - 6M
    {SunTermKind::CosineWithPhase, 0.123, 195.3, 5, 0, 0, 0, 0, 0, -7},  // Venus: 5V - 7M
    {SunTermKind::CosineWithPhase, 0.154, 359.6, 5, 0, 0, 0, 0, 0, -8},  // Venus: 5V - 8M
    {SunTermKind::CosineWithPhase, 0.273, 217.7, 0, -1, 0, 0, 0, 0, 1},  // Mars: M - Ma
    {SunTermKind::CosineWithPhase, 2.043, 343.888, 0, -2, 0, 0, 0, 0, 2},  // Mars: 2M - 2Ma
    {SunTermKind::CosineWithPhase, 1.77, 200.402, 0, -2, 0, 0, 0, 0, 1},  // Mars: M - 2Ma
    {SunTermKind::CosineWithPhase, 0.129, 294.2, 0, -3, 0, 0, 0, 0, 3},  // Mars: 3M - 3Ma
    {SunTermKind::CosineWithPhase, 0.425, 338.88, 0, -3, 0, 0, 0, 0, 2},  // Mars: 2M - 3Ma
    {SunTermKind::CosineWithPhase, 0.5, 105.18, 0, -4, 0, 0, 0, 0, 3},  // Mars: 3M - 4Ma
    {SunTermKind::CosineWithPhase, 0.585, 334.06, 0, -4, 0, 0, 0, 0, 2},  // Mars: 2M - 4Ma
    {SunTermKind::CosineWithPhase, 0.204, 100.8, 0, -5, 0, 0, 0, 0, 3},  // Mars: 3M - 5Ma
    {SunTermKind::CosineWithPhase, 0.154, 227.4, 0, -6, 0, 0, 0, 0, 4},  // Mars: 4M - 6Ma
    {SunTermKind::CosineWithPhase, 0.101, 96.3, 0, -6, 0, 0, 0, 0, 3},  // Mars: 3M - 6Ma
    {SunTermKind::CosineWithPhase, 0.106, 222.7, 0, -7, 0, 0, 0, 0, 4},  // Mars: 4M - 7Ma
    {SunTermKind::CosineWithPhase, 0.163, 198.6, 0, 0, -1, 0, 0, 0, 2},  // Jupiter: 2M - J
    {SunTermKind::CosineWithPhase, 7.208, 179.532, 0, 0, -1, 0, 0, 0, 1},  // Jupiter: M - J
    {SunTermKind::CosineWithPhase, 2.6, 263.217, 0, 0, -1, 0, 0, 0, 0},  // Jupiter: -J
    {SunTermKind::CosineWithPhase, 2.731, 87.145, 0, 0, -2, 0, 0, 0, 2},  // Jupiter: 2M - 2J
    {SunTermKind::CosineWithPhase, 1.61, 109.493, 0, 0, -2, 0, 0, 0, 1},  // Jupiter: M - 2J
    {SunTermKind::CosineWithPhase, 0.164, 170.5, 0, 0, -3, 0, 0, 0, 3},  // Jupiter: 3M - 3J
    {SunTermKind::CosineWithPhase, 0.556, 82.65, 0, 0, -3, 0, 0, 0, 2},  // Jupiter: 2M - 3J
    {SunTermKind::CosineWithPhase, 0.21, 98.5, 0, 0, -3, 0, 0, 0, 1},  // Jupiter: M - 3J
    {SunTermKind::CosineWithPhase, 0.419, 100.58, 0, 0, 0, -1, 0, 0, 1},  // Saturn: M - S
    {SunTermKind::CosineWithPhase, 0.32, 269.46, 0, 0, 0, -1, 0, 0, 0},  // Saturn: -S
    {SunTermKind::CosineWithPhase, 0.108, 290.6, 0, 0, 0, -2, 0, 0, 2},  // Saturn: 2M - 2S
    {SunTermKind::CosineWithPhase, 0.112, 293.6, 0, 0, 0, -2, 0, 0, 1},  // Saturn: M - 2S
    {SunTermKind::Sine, 6.454, 0.0, 0, 0, 0, 0, 1, 0, 0},  // Moon: D
    {SunTermKind::Sine, 0.177, 0.0, 0, 0, 0, 0, 1, 1, 0},  // Moon: D + l
    {SunTermKind::Sine, -0.424, 0.0, 0, 0, 0, 0, 1, -1, 0},  // Moon: D - l
    {SunTermKind::Sine, 0.172, 0.0, 0, 0, 0, 0, 1, 0, -1},  // Moon: D - M
});
static_assert(SunPerturbationTable.size() == 39);

// One term of the Moon's longitude series: amplitude * sin(kD*D + kl*l + klPrime*l' + kF*F), where
// D is the elongation, l the Moon's anomaly, l' the Sun's anomaly and F the Moon's argument of
// latitude.
struct MoonTerm {
    double amplitudeArcsec;
    int kD, kl, klPrime, kF;
};

// Three rows share the argument l - 4D; all three are summed as listed.
inline constexpr auto MoonLongitudeTable = std::to_array<MoonTerm>({
    {22639.55, 0, 1, 0, 0},  // l
    {769.02, 0, 2, 0, 0},  // 2l
    {-125.15, 1, 0, 0, 0},  // D
    {2369.912, 2, 0, 0, 0},  // 2D
    {-668.15, 0, 0, 1, 0},  // l'
    {-411.61, 0, 0, 0, 2},  // 2F
    {211.66, 2, -2, 0, 0},  // 2D-2l
    {4586.47, 2, -1, 0, 0},  // 2D-l
    {191.95, 2, 1, 0, 0},  // 2D+l
    {165.15, 2, 0, -1, 0},  // 2D-l'
    {205.96, 2, -1, -1, 0},  // 2D-l-l'
    {-109.67, 0, 1, 1, 0},  // l+l'
    {147.69, 0, 1, -1, 0},  // l-l'
    {-55.17, -2, 0, 0, 2},  // 2F-2D
    {-45.099, 0, 1, 0, 2},  // l+2F
    {39.53, 0, 1, 0, -2},  // l-2F
    {-38.43, -4, 1, 0, 0},  // l-4D
    {36.12, 0, 3, 0, 0},  // 3l
    {-30.77, -4, 2, 0, 0},  // 2l-4D
    {28.48, -2, 1, -1, 0},  // l-l'-2D
    {-24.42, 2, 0, 1, 0},  // 2D+l'
    {18.61, -1, 1, 0, 0},  // l-D
    {18.02, 1, 0, 1, 0},  // D+l'
    {14.58, 2, 1, -1, 0},  // 2D+l-l'
    {14.39, 2, 2, 0, 0},  // 2D+2l
    {13.9, 4, 0, 0, 0},  // 4D
    {-13.19, -2, 3, 0, 0},  // 3l-2D
    {9.7, 0, 2, -1, 0},  // 2l-l'
    {9.37, -2, 1, 0, -2},  // l-2D-2F
    {-8.63, -2, 2, 1, 0},  // 2l+l'-2D
    {-8.47, 1, 1, 0, 0},  // D+l
    {-8.096, -2, 0, 2, 0},  // 2l'-2D
    {-7.65, 0, 2, 1, 0},  // 2l+l'
    {-7.49, 0, 0, 2, 0},  // 2l'
    {-7.41, -2, 1, 2, 0},  // l+2l'-2D
    {-6.38, 2, 1, 0, -2},  // 2D+l-2F
    {-5.74, 2, 0, 0, 2},  // 2D+2F
    {-4.39, -4, 1, 1, 0},  // l+l'-4D
    {-3.99, 0, 2, 0, 2},  // 2l+2F
    {3.22, -3, 1, 0, 0},  // l-3D
    {-2.92, 2, 1, 1, 0},  // 2D+l+l'
    {-2.74, -4, 2, 1, 0},  // 2l+l'-4D
    {-2.49, -2, 2, -1, 0},  // 2l-l'-2D
    {2.58, 0, 1, -2, 0},  // l-2l'
    {2.53, -2, 1, -2, 0},  // l-2l'-2D
    {-2.15, -2, 0, 1, 2},  // l'+2F-2D
    {1.98, -4, 1, 0, 0},  // l-4D
    {1.94, 0, 4, 0, 0},  // 4l
    {-1.88, -4, 0, 1, 0},  // l'-4D
    {1.75, -1, 2, 0, 0},  // 2l-D
    {-1.44, 2, 0, 1, -2},  // 2D+l'-2F
    {-1.298, 0, 2, 0, -2},  // 2l-2F
    {1.27, 1, 1, 1, 0},  // D+l+l'
    {1.23, -3, 2, 0, 0},  // 2l-3D
    {-1.19, -4, 3, 0, 0},  // 3l-4D
    {1.18, 2, 2, -1, 0},  // 2D+2l-l'
    {-1.17, 0, 1, 2, 0},  // l+2l'
    {-1.09, -1, 1, -1, 0},  // l-l'-D
    {1.06, 2, 3, 0, 0},  // 2D+3l
    {-0.59, 1, 2, 0, 0},  // D+2l
    {-0.99, 2, 1, 0, 2},  // 2D+l+2F
    {-0.95, -2, 4, 0, 0},  // 4l-2D
    {-0.57, -6, 2, 0, 0},  // 2l-6D
    {0.64, -4, 1, 0, 0},  // l-4D
    {0.56, -1, 0, 1, 0},  // l'-D
    {0.76, 2, 1, -2, 0},  // 2D+l-2l'
    {0.58, -1, 0, 0, 2},  // 2F-D
    {-0.55, 0, 3, 1, 0},  // 3l+l'
    {0.68, 0, 3, -1, 0},  // 3l-l'
    {0.557, -2, 2, 0, 2},  // 2l+2F-2D
    {0.538, -2, 2, 0, -2},  // 2l-2F-2D
});
static_assert(MoonLongitudeTable.size() == 71);

}  // namespace orrerion
