// Reading and writing a large property tree (a catalogue structure with many data files and fields).

#include "store/markup/MarkupNode.h"

#include <benchmark/benchmark.h>

namespace {

std::unique_ptr<CMarkupNode> BuildTree(int files, int fields)
{
    auto root = std::make_unique<CMarkupNode>("DataStructure", "root");
    for (int f = 0; f < files; ++f) {
        auto* file = root->AddChild(std::make_unique<CMarkupNode>("File" + std::to_string(f), "DataFile"));
        file->SetAttribute("description", "A data file with a description of some length");
        for (int i = 0; i < fields; ++i) {
            auto* field = file->AddChild(std::make_unique<CMarkupNode>("Field" + std::to_string(i), "Field"));
            field->SetAttributeInt("LENGTH", 40);
            field->SetAttribute("fieldType", "T");
            field->SetAttribute("title", "Title of the field~header~x");
        }
    }
    return root;
}

void WriteTree(benchmark::State& state)
{
    auto tree = BuildTree(50, 100);
    for (auto _ : state) {
        std::string buffer;
        tree->SaveToBuffer(buffer);
        benchmark::DoNotOptimize(buffer);
    }
}
BENCHMARK(WriteTree);

void ReadTree(benchmark::State& state)
{
    std::string buffer;
    BuildTree(50, 100)->SaveToBuffer(buffer);
    for (auto _ : state) {
        CMarkupNode node;
        node.LoadFromBuffer(buffer);
        benchmark::DoNotOptimize(node);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * buffer.size()));
}
BENCHMARK(ReadTree);

} // namespace
