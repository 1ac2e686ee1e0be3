// The align layout: pass order, sort keys and ties, overlap, centring, clipping to zero.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/sim/SimulatedPlatform.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/Shapes.h"
#include "toolkit/render/Font.h"

namespace dw {
namespace {

struct Box {
  float x, y, w, h;
};

void ExpectBox(const Control& c, Box box) {
  SCOPED_TRACE(c.Name());
  EXPECT_FLOAT_EQ(c.Position().X, box.x);
  EXPECT_FLOAT_EQ(c.Position().Y, box.y);
  EXPECT_FLOAT_EQ(c.Width(), box.w);
  EXPECT_FLOAT_EQ(c.Height(), box.h);
}

class ToolkitLayout : public ::testing::Test {
 protected:
  // Controls are made while the form loads, as a layout is: the declared positions are
  // the sort keys of one layout pass at the end.
  ToolkitLayout() {
    form.BeginLoading();
    form.SetClientSize(400, 300);
    root = Make<TLayout>(&form, "root", Align::Client);
  }
  template <class T>
  T* Make(Control* parent, const std::string& name, Align align, Box declared = {0, 0, 0, 0},
          Bounds margins = {}) {
    auto* c = new T(&form);
    c->SetName(name);
    c->SetPosition({declared.x, declared.y});
    c->SetSize(declared.w, declared.h);
    c->SetMargins(margins);
    c->SetAlign(align);
    c->SetParent(parent);
    return c;
  }
  sim::SimulatedPlatform platform;
  TForm form;
  TLayout* root = nullptr;
};

TEST_F(ToolkitLayout, PassesTakeTheirEdgesInOrderAndClientFillsWhatIsLeft) {
  // Declared in an order that differs from the pass order on purpose.
  auto* client = Make<TRectangle>(root, "client", Align::Client, {0, 0, 5, 5}, {1, 2, 3, 4});
  auto* top = Make<TRectangle>(root, "top", Align::Top, {0, 0, 10, 20}, {5, 6, 7, 8});
  auto* mostBottom = Make<TRectangle>(root, "mostBottom", Align::MostBottom, {0, 0, 10, 30});
  auto* left = Make<TRectangle>(root, "left", Align::Left, {0, 0, 40, 10}, {2, 0, 3, 0});
  auto* right = Make<TRectangle>(root, "right", Align::Right, {0, 0, 50, 10});
  auto* mostTop = Make<TRectangle>(root, "mostTop", Align::MostTop, {0, 0, 10, 32});
  auto* overlap = Make<TRectangle>(root, "overlap", Align::Client);
  auto* contents = Make<TRectangle>(root, "contents", Align::Contents, {}, {1, 1, 1, 1});

  form.EndLoading();
  ExpectBox(*mostTop, {0, 0, 400, 32});
  ExpectBox(*mostBottom, {0, 270, 400, 30});
  ExpectBox(*top, {5, 38, 400 - 12, 20});   // band of 6 + 20 + 8 below mostTop
  ExpectBox(*left, {2, 66, 40, 270 - 66});  // free box now starts at y 66
  ExpectBox(*right, {350, 66, 50, 270 - 66});
  ExpectBox(*client, {46, 68, 350 - 45 - 1 - 3, 270 - 66 - 2 - 4});
  ExpectBox(*overlap, {45, 66, 305, 204});  // Client siblings overlap: the free box stays
  ExpectBox(*contents, {1, 1, 398, 298});   // Contents ignores the siblings
}

TEST_F(ToolkitLayout, SortKeysAndTies) {
  // Top: ascending declared y, ties keep child order.
  auto* t1 = Make<TRectangle>(root, "t1", Align::Top, {0, 50, 1, 10});
  auto* t2 = Make<TRectangle>(root, "t2", Align::Top, {0, 10, 1, 10});
  auto* t3 = Make<TRectangle>(root, "t3", Align::Top, {0, 50, 1, 10});
  // Bottom: descending bottom edge, ties take the later child first.
  auto* b1 = Make<TRectangle>(root, "b1", Align::Bottom, {0, 100, 1, 10});
  auto* b2 = Make<TRectangle>(root, "b2", Align::Bottom, {0, 100, 1, 10});
  // Right: descending right edge, ties take the later child first.
  auto* r1 = Make<TRectangle>(root, "r1", Align::Right, {100, 0, 20, 1});
  auto* r2 = Make<TRectangle>(root, "r2", Align::Right, {300, 0, 20, 1});
  auto* r3 = Make<TRectangle>(root, "r3", Align::Right, {300, 0, 20, 1});

  form.EndLoading();
  EXPECT_FLOAT_EQ(t2->Position().Y, 0);
  EXPECT_FLOAT_EQ(t1->Position().Y, 10);
  EXPECT_FLOAT_EQ(t3->Position().Y, 20);
  EXPECT_FLOAT_EQ(b2->Position().Y, 290);
  EXPECT_FLOAT_EQ(b1->Position().Y, 280);
  EXPECT_FLOAT_EQ(r3->Position().X, 380);
  EXPECT_FLOAT_EQ(r2->Position().X, 360);
  EXPECT_FLOAT_EQ(r1->Position().X, 340);
}

TEST_F(ToolkitLayout, ExtremeValuesCenteringAndNegativeSizes) {
  auto* top = Make<TRectangle>(root, "top", Align::Top, {0, 2688888888.0f, 77900000001.0f, 0});
  auto* first = Make<TRectangle>(root, "first", Align::Top, {0, 2660000006.0f, 0, 0});
  auto* tall = Make<TRectangle>(root, "tall", Align::Top, {0, 0, 0, 250});
  auto* hidden = Make<TRectangle>(root, "hidden", Align::Client, {}, {0, 1e17f, 0, 0});
  auto* centred = Make<TRectangle>(root, "centred", Align::Center, {0, 0, 25, 11});

  form.EndLoading();
  ExpectBox(*tall, {0, 0, 400, 250});
  ExpectBox(*first, {0, 250, 400, 0});
  ExpectBox(*top, {0, 250, 400, 0});
  EXPECT_GT(hidden->Position().Y, 1e16f);
  EXPECT_FLOAT_EQ(hidden->Height(), 0);
  // Offsets truncated to whole pixels: (400 - 25) / 2 = 187.5 and (50 - 11) / 2 = 19.5.
  ExpectBox(*centred, {187, 250 + 19, 25, 11});
}

TEST_F(ToolkitLayout, ZeroAreaControlsAreNeitherDrawnNorHitNorAnythingInside) {
  auto* empty = Make<TLayout>(root, "empty", Align::Top, {0, 0, 0, 0});
  auto* inner = Make<TRectangle>(empty, "inner", Align::None, {0, 0, 50, 50});
  inner->SetFillColor(0xFFFF0000);
  form.EndLoading();
  EXPECT_EQ(form.ControlAt(10, 10), nullptr);
  Canvas canvas(400, 300, 1);
  form.RenderTo(canvas);
  EXPECT_EQ(canvas.PixelAt(10, 10), 0xFF000000u);
}

TEST_F(ToolkitLayout, ChildAddedAtRunTimeWithYZeroFollowsTheFirstOfTheStack) {
  auto* list = Make<TLayout>(root, "list", Align::Top, {0, 0, 0, 2});
  form.EndLoading();
  std::vector<Control*> lines;
  for (int i = 0; i < 4; ++i) {
    list->SetHeight(list->Height() + 24);
    // A zero-height control has no place of its own in a stack: the line gets its height
    // before it joins the stack.
    auto* line = new TLabel(list);
    line->SetParent(list);
    line->SetHeight(24);
    line->SetAlign(Align::Top);
    lines.push_back(line);
  }
  // Lines 1, 4, 3, 2 from top to bottom.
  EXPECT_FLOAT_EQ(lines[0]->Position().Y, 0);
  EXPECT_FLOAT_EQ(lines[3]->Position().Y, 24);
  EXPECT_FLOAT_EQ(lines[2]->Position().Y, 48);
  EXPECT_FLOAT_EQ(lines[1]->Position().Y, 72);
  EXPECT_FLOAT_EQ(list->Height(), 98);
}

TEST_F(ToolkitLayout, AutoSizedLeftLabelsTakeTheirTextWidth) {
  auto* a = Make<TLabel>(root, "a", Align::Left, {0, 0, 999, 10});
  auto* b = Make<TLabel>(root, "b", Align::Left, {1, 0, 999, 10});
  form.EndLoading();
  for (TLabel* label : {a, b}) label->SetAutoSize(true);
  a->SetText(u"Welcome");
  b->SetText(u"Information");
  float widthA = std::ceil(Fonts().Get(a->CurrentFont()).MeasureWidth(u"Welcome"));
  ASSERT_GT(widthA, 10);
  EXPECT_FLOAT_EQ(a->Width(), widthA);
  EXPECT_FLOAT_EQ(b->Position().X, widthA);
  EXPECT_FLOAT_EQ(a->Height(), 300);  // the height comes from the alignment
  a->SetMarginLeft(-widthA);          // the header slide: the row moves left
  EXPECT_FLOAT_EQ(b->Position().X, 0);
}

TEST_F(ToolkitLayout, ScrollBoxShowsItsBarOnlyWhenTheContentIsTaller) {
  auto* box = Make<TVertScrollBox>(root, "box", Align::None, {0, 0, 200, 100});
  auto* line = Make<TRectangle>(box, "line", Align::Top, {0, 0, 0, 60});
  form.EndLoading();
  EXPECT_FALSE(box->ScrollBarVisible());
  EXPECT_FLOAT_EQ(line->Width(), 200);
  EXPECT_FLOAT_EQ(box->ContentHeight(), 60);

  auto* more = Make<TRectangle>(box, "more", Align::Top, {0, 60, 0, 90});
  EXPECT_TRUE(box->ScrollBarVisible());
  EXPECT_FLOAT_EQ(line->Width(), 189);
  EXPECT_FLOAT_EQ(more->Width(), 189);
  EXPECT_FLOAT_EQ(box->ContentHeight(), 150);

  // The wheel scrolls, held to the content's end; the arrows step; the thumb drags.
  form.MouseWheel(-120, 50, 50);
  EXPECT_FLOAT_EQ(box->ScrollOffset(), 48);
  form.MouseWheel(-1200, 50, 50);
  EXPECT_FLOAT_EQ(box->ScrollOffset(), 50);
  RectF up = box->UpArrowRect();
  form.MouseDown(MouseButton::Left, up.Left + 2, up.Top + 2);
  form.MouseUp(MouseButton::Left, up.Left + 2, up.Top + 2);
  EXPECT_FLOAT_EQ(box->ScrollOffset(), 26);
  RectF thumb = box->ThumbRect();
  float x = thumb.Left + 3, y = thumb.Top + 3;
  form.MouseDown(MouseButton::Left, x, y);
  form.MouseMove(x, y - 200);
  form.MouseUp(MouseButton::Left, x, y - 200);
  EXPECT_FLOAT_EQ(box->ScrollOffset(), 0);
  // Scrolled content moves on screen.
  box->ScrollTo(30);
  EXPECT_FLOAT_EQ(more->AbsoluteRect().Top, 30);
}

}  // namespace
}  // namespace dw
