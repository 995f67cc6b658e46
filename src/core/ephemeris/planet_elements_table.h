#pragma once
// Mean orbital elements of the planets. Two families that differ in epoch, time argument and form.
#include <array>

namespace orrerion {

// Earth, Mercury, Venus and Mars: each element c0 + c1*T with T in Julian centuries from
// JD 2451545. a in AU, angles in degrees; varpi is the longitude of perihelion.
struct InnerElementRow {
    int body;  // BodySelector: 1 Earth, 2 Mercury, 3 Venus, 4 Mars
    double a;
    double e0, e1;
    double i0, i1;
    double node0, node1;
    double varpi0, varpi1;
    double M0, M1;
};

inline constexpr auto InnerElements = std::to_array<InnerElementRow>({
    {1, 1.000000031, 0.016709, -0.000042, 0, 0, 0, 0, 102.94, 1.7192, 357.5256, 35999.0498},
    {2, 0.387099, 0.205634, 0.00002, 7.0048, 0.0019, 48.331, 1.185, 77.4552, 1.5555, 174.7947, 149472.5153},
    {3, 0.723332, 0.006773, -0.000048, 3.3946, 0.001, 76.68, 0.9, 131.5718, 1.408, 50.4071, 58517.8039},
    {4, 1.523692, 0.093405, 0.000092, 1.8496, -0.0007, 49.557, 0.771, 336.059, 1.8408, 19.3879, 19139.8585},
});
static_assert(InnerElements.size() == 4);

// A cubic c0 + c1*T + c2*T^2 + c3*T^3.
struct Cubic {
    double c0, c1, c2, c3;
};

// The Sun/Earth set, Jupiter, Saturn, Uranus and Neptune: cubics in T, Julian centuries from
// JD 2415020. L mean longitude, a (AU, constant), e, i, omega (argument of perihelion) and node,
// angles in degrees. The Sun/Earth row mixes frames: L is the Sun's geocentric mean longitude while
// omega belongs to the Earth's heliocentric orbit.
struct OuterElementRow {
    int body;  // BodySelector: 1 Sun/Earth, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune
    Cubic L;
    double a;
    Cubic e;
    Cubic i;
    Cubic omega;
    Cubic node;
};

inline constexpr auto OuterElements = std::to_array<OuterElementRow>({
    {1,
     {279.696678, 36000.768925, 0.0003025, 0},
     1.0000002,
     {0.01675104, -0.0000418, -0.000000126, 0},
     {0, 0, 0, 0},
     {101.22085, 1.71917, 0.0004525, 0.0000033},
     {0, 0, 0, 0}},
    {5,
     {238.049257, 3036.301986, 0.0003347, -0.00000165},
     5.202561,
     {0.04833475, 0.00016418, -0.0000004676, -0.0000000017},
     {1.308736, -0.0056961, 0.0000039, 0},
     {273.277558, 0.5994317, 0.00070405, 0.00000508},
     {99.443414, 1.01053, 0.00035222, -0.00000851}},
    {6,
     {266.564377, 1223.509884, 0.0003245, -0.0000058},
     9.554747,
     {0.05589232, -0.0003455, -0.000000728, 0.00000000074},
     {2.492519, -0.0039189, -0.00001549, 0.00000004},
     {338.3078, 1.0852207, 0.00097854, 0.00000992},
     {112.790414, 0.8731951, -0.00015218, -0.00000531}},
    {7,
     {244.19747, 429.863546, 0.000316, -0.0000006},
     19.21814,
     {0.0463444, -0.00002658, 0.000000077, 0},
     {0.772464, 0.0006253, 0.0000395, 0},
     {98.071581, 0.985765, -0.0010745, -0.00000061},
     {73.477111, 0.4986678, 0.0013117, 0}},
    {8,
     {84.457994, 219.885914, 0.0003205, -0.0000006},
     30.10957,
     {0.00899704, 0.00000633, -0.000000002, 0},
     {1.779242, -0.0095436, -0.0000091, 0},
     {276.045975, 0.3256394, 0.00014095, 0.000004113},
     {130.681389, 1.098935, 0.00024987, -0.000004718}},
});
static_assert(OuterElements.size() == 5);

}  // namespace orrerion
