// How fast the keyed collection every plural class wraps finds its items by name.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/keyed_collection.h"

namespace {

struct Item {
    std::string name;
};

std::vector<std::string> Names(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        names.push_back("TR" + std::to_string(i) + ".NWKR");
    }
    return names;
}

void BM_ItemByKey(benchmark::State& state) {
    const auto names = Names(int(state.range(0)));
    veldra::KeyedCollection<Item> items;
    for (const auto& name : names) {
        items.Add(std::make_unique<Item>(Item{name}), name);
    }
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(items.Item(std::string_view(names[i])));
        i = (i + 7919) % names.size();
    }
}
BENCHMARK(BM_ItemByKey)->Arg(100)->Arg(10000);

void BM_QueueAddThenTakeFront(benchmark::State& state) {
    const auto names = Names(int(state.range(0)));
    veldra::KeyedCollection<Item> queue;
    for (auto _ : state) {
        for (const auto& name : names) {
            queue.Add(std::make_unique<Item>(Item{name}), name);
        }
        while (queue.Count() > 0) {
            queue.Remove(1);
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_QueueAddThenTakeFront)->Arg(10000);

}  // namespace
