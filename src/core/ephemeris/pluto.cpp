#include "core/ephemeris/pluto.h"

#include <array>
#include <cstdint>

#include "core/ephemeris/pluto_table.h"
#include "core/ephemeris/time_angles.h"

namespace orrerion {
namespace {

// The arguments a = i*J + j*S + k*P of the three series: rows of different series with the same
// multiples share one sine and cosine.
struct Multiples {
    int i, j, k;
    constexpr bool operator==(const Multiples&) const = default;
};

template <std::size_t N>
constexpr std::size_t AddDistinct(const std::array<PlutoTerm, N>& table, Multiples* seen, std::size_t count) {
    for (const PlutoTerm& t : table) {
        const Multiples m{t.i, t.j, t.k};
        bool known = false;
        for (std::size_t n = 0; n < count; ++n) known = known || seen[n] == m;
        if (!known) seen[count++] = m;
    }
    return count;
}

constexpr std::size_t RowCount =
    PlutoLongitudeTable.size() + PlutoLatitudeTable.size() + PlutoRadiusTable.size();

struct DistinctMultiples {
    std::array<Multiples, RowCount> rows{};
    std::size_t count = 0;
};

constexpr DistinctMultiples Arguments = [] {
    DistinctMultiples d;
    d.count = AddDistinct(PlutoLongitudeTable, d.rows.data(), 0);
    d.count = AddDistinct(PlutoLatitudeTable, d.rows.data(), d.count);
    d.count = AddDistinct(PlutoRadiusTable, d.rows.data(), d.count);
    return d;
}();

// For each row of a series, the index of its argument in Arguments.
template <std::size_t N>
constexpr std::array<std::uint8_t, N> ArgumentOfRows(const std::array<PlutoTerm, N>& table) {
    std::array<std::uint8_t, N> index{};
    for (std::size_t r = 0; r < N; ++r) {
        for (std::size_t n = 0; n < Arguments.count; ++n) {
            if (Arguments.rows[n] == Multiples{table[r].i, table[r].j, table[r].k}) {
                index[r] = static_cast<std::uint8_t>(n);
            }
        }
    }
    return index;
}
constexpr auto LongitudeArguments = ArgumentOfRows(PlutoLongitudeTable);
constexpr auto LatitudeArguments = ArgumentOfRows(PlutoLatitudeTable);
constexpr auto RadiusArguments = ArgumentOfRows(PlutoRadiusTable);

// Each series summed in its listed order.
template <std::size_t N>
double SumSeries(const std::array<PlutoTerm, N>& table, const std::array<std::uint8_t, N>& arguments,
                 const std::array<SinCos, RowCount>& trig) {
    double sum = 0.0;
    for (std::size_t r = 0; r < N; ++r) {
        const SinCos& a = trig[arguments[r]];
        sum += table[r].sine * a.sin + table[r].cosine * a.cos;
    }
    return sum * 1e-6;
}

}  // namespace

PlutoHelio ComputePluto(double T) {
    const double J = Norm360(238.74 + 3034.9057 * T);
    const double S = Norm360(267.26 + 1222.1138 * T);
    const double P = Norm360(93.48 + 144.96 * T);
    std::array<SinCos, RowCount> trig{};
    for (std::size_t n = 0; n < Arguments.count; ++n) {
        const Multiples& m = Arguments.rows[n];
        trig[n] = SinCosD(m.i * J + m.j * S + m.k * P);
    }
    PlutoHelio h;
    // The constant 93.297471 differs from the 93.48 of P; both values belong to the series.
    h.lon = 93.297471 + 144.96 * T + SumSeries(PlutoLongitudeTable, LongitudeArguments, trig);
    h.lat = -3.909434 + SumSeries(PlutoLatitudeTable, LatitudeArguments, trig);
    h.r = 40.724725 + SumSeries(PlutoRadiusTable, RadiusArguments, trig);
    return h;
}

double PlutoEquinoxShift(double dayNumber) { return (dayNumber - 2433283) * 1.33 / 36525; }

}  // namespace orrerion
