// One align layout pass over a tree of 1,000 controls, the size of a busy form: ten columns
// aligned left, each with nine rows aligned to the top, each row holding ten controls of
// every alignment. Each iteration changes the root's width, which lays the whole tree out.
#include <benchmark/benchmark.h>

#include <memory>

#include "toolkit/Control.h"
#include "toolkit/Shapes.h"

namespace {

constexpr dw::Align kLeafAligns[] = {dw::Align::Left,    dw::Align::Right,    dw::Align::Top,
                                     dw::Align::Bottom,  dw::Align::Client,   dw::Align::None,
                                     dw::Align::Center,  dw::Align::MostLeft, dw::Align::MostTop,
                                     dw::Align::Contents};

// 1 root + 10 columns + 90 rows + 900 leaves, every one owned by the root.
std::unique_ptr<dw::TLayout> BuildTree(int& count) {
  auto root = std::make_unique<dw::TLayout>(nullptr);
  root->SetSize(854, 512);
  count = 1;
  for (int c = 0; c < 10; ++c) {
    auto* column = new dw::TLayout(root.get());
    column->SetParent(root.get());
    column->SetAlign(dw::Align::Left);
    column->SetSize(85, 512);
    column->SetMargins({1, 1, 1, 1});
    ++count;
    for (int r = 0; r < 9; ++r) {
      auto* row = new dw::TLayout(root.get());
      row->SetParent(column);
      row->SetAlign(dw::Align::Top);
      row->SetSize(85, 56);
      ++count;
      for (int l = 0; l < 10; ++l) {
        auto* leaf = new dw::TRectangle(root.get());
        leaf->SetParent(row);
        leaf->SetAlign(kLeafAligns[l]);
        leaf->SetSize(8, 5);
        leaf->SetPosition({static_cast<float>(l * 8), static_cast<float>(l * 5)});
        ++count;
      }
    }
  }
  return root;
}

void BM_LayoutPass1000Controls(benchmark::State& state) {
  int count = 0;
  std::unique_ptr<dw::TLayout> root = BuildTree(count);
  float width = 854;
  for (auto _ : state) {
    width = width == 854 ? 853 : 854;
    root->SetSize(width, 512);
    benchmark::ClobberMemory();
  }
  state.counters["controls"] = count;
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_LayoutPass1000Controls)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
