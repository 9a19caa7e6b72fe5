// Polygon discrimination of a million samples against twenty polygons of forty nodes each, as
// "Discriminate" runs it after a draw. The target is below 1 s.
#include "diagram/objects/PolygonDiscriminator.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

void BM_PolygonDiscrimination(benchmark::State& state) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(0, 100);
    std::vector<QPointF> samples(1000000);
    for (QPointF& p : samples)
        p = {coordinate(random), coordinate(random)};
    // Twenty star-shaped polygons of forty nodes spread over the plane.
    std::vector<std::vector<QPointF>> polygons;
    for (int k = 0; k < 20; ++k) {
        const QPointF centre(10 + (k % 5) * 20, 12 + (k / 5) * 25);
        std::vector<QPointF> nodes;
        for (int i = 0; i < 40; ++i) {
            const double angle = 2 * M_PI * i / 40;
            const double radius = i % 2 ? 9 : 5;
            nodes.emplace_back(centre.x() + radius * std::cos(angle),
                               centre.y() + radius * std::sin(angle));
        }
        polygons.push_back(std::move(nodes));
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(PolygonDiscriminator::codes(samples, polygons, true));
}
BENCHMARK(BM_PolygonDiscrimination)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
