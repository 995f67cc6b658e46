#include "core/ephemeris/crossing_search.h"

namespace orrerion {

std::vector<double> CrossingSamples(double from, double to, double step, std::vector<double> breaks) {
    std::vector<double> samples;
    if (!(to >= from) || !(step > 0)) return samples;
    // Each sample from its own count of steps, so that whole steps from a whole start stay whole.
    for (long k = 0;; ++k) {
        const double t = from + static_cast<double>(k) * step;
        if (t >= to) break;
        samples.push_back(t);
    }
    samples.push_back(to);
    std::erase_if(breaks, [&](double t) { return !(t > from && t < to); });
    if (breaks.empty()) return samples;
    samples.insert(samples.end(), breaks.begin(), breaks.end());
    std::sort(samples.begin(), samples.end());
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());
    return samples;
}

}  // namespace orrerion
