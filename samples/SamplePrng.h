#pragma once
// The one random stream of the sample generator. The engine is std::mt19937_64, whose output is
// fixed by the C++ standard; the distributions are our own because those of the standard library
// differ between implementations, and the sample database must come out the same everywhere.
// Owned by one generator run; not shared between threads.
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

class SamplePrng {
public:
    explicit SamplePrng(std::uint64_t seed)
        : engine_(seed) {}

    // Uniform in [0, 1) with 53 random bits.
    double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform integer in [0, n); n > 0. The tiny modulo bias is irrelevant here.
    std::uint64_t below(std::uint64_t n) { return engine_() % n; }
    int between(int lo, int hi) { return lo + static_cast<int>(below(hi - lo + 1)); }
    bool chance(double p) { return uniform() < p; }

    // Standard normal by Box-Muller; one value per call keeps the stream easy to reason about.
    double normal() {
        const double u1 = 1.0 - uniform(); // (0, 1]: log stays finite
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }
    double normal(double mean, double sd) { return mean + sd * normal(); }
    // Log-normal given its median and the standard deviation of its natural logarithm.
    double logNormal(double median, double sigma) { return median * std::exp(sigma * normal()); }

    // Index into a table of non-negative weights (at least one positive).
    template <typename Weights> std::size_t pick(const Weights& weights) {
        double total = 0;
        for (double w : weights)
            total += w;
        double u = uniform() * total;
        std::size_t last = 0;
        for (std::size_t i = 0; i < std::size(weights); ++i) {
            if (weights[i] <= 0)
                continue;
            last = i;
            if (u < weights[i])
                return i;
            u -= weights[i];
        }
        return last;
    }

private:
    std::mt19937_64 engine_;
};
