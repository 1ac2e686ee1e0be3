// The wizard form's layout: every control's box after the align layout, the tree's
// ownership and order, and the edge cases of zero-height sections and credits lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "form/Texts.h"
#include "form/WizardForm.h"
#include "platform/sim/SimulatedPlatform.h"
#include "plugin/PluginState.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/FloatAnimation.h"
#include "toolkit/Image.h"
#include "toolkit/Label.h"
#include "toolkit/ScrollBox.h"
#include "toolkit/Shapes.h"
#include "toolkit/Switch.h"
#include "toolkit/TabControl.h"
#include "toolkit/Timer.h"
#include "toolkit/render/Canvas.h"

namespace dw {
namespace {

// What showing the form does to the tab controls: no tab strips, every one on page 0.
void ResetTabsAsShown(TWizardForm& form) {
  for (const char* name : {"TabControl2", "TabControl3", "TabControl4", "TabControl5"}) {
    auto* tabs = form.Find<TTabControl>(name);
    ASSERT_NE(tabs, nullptr) << name;
    tabs->SetTabPosition(TabPosition::None);
    tabs->SetTabIndex(0);
  }
}

class FormLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetPluginState();
    form_ = std::make_unique<TWizardForm>();
  }
  void TearDown() override {
    form_.reset();
    ResetPluginState();
  }
  Control* ControlNamed(const std::string& name) const {
    return form_ ? form_->Find<Control>(name) : nullptr;
  }
  // Draws the whole form on a canvas of its client size.
  std::vector<std::uint32_t> Render() const {
    Canvas canvas(854, 512, 1.0f);
    form_->RenderTo(canvas);
    return canvas.Pixels();
  }

  sim::SimulatedPlatform platform_;
  std::unique_ptr<TWizardForm> form_;
};

struct ExpectedBox {
  const char* name;
  const char* parent;
  float x, y, width, height;
  float tolerance = 0.01f;
};

// Boxes relative to the parent's content area, as the form shows them at run time (tab strips
// hidden, every tab control on page 0, no credit lines).
const ExpectedBox kFixedBoxes[] = {
    // The frame.
    {"Base", "WizardForm", 0, 0, 854, 512},
    {"WindowBar", "Base", 0, 0, 854, 32},
    {"Label2", "WindowBar", 10, 0, 760, 32},
    {"Rectangle3", "WindowBar", 808, 0, 46, 32},
    {"Image1", "Rectangle3", 11, 4, 24, 24},
    {"Rectangle4", "WindowBar", 770, 0, 38, 32},
    {"Image2", "Rectangle4", 11, 8, 16, 16},
    {"Background", "Base", 0, 32, 854, 480},
    {"Opague", "Base", 0, 32, 854, 480},
    {"Layout1", "Opague", 0, 0, 854, 64},
    {"TabControl2", "Layout1", 32, 0, 790, 64},
    {"TabItem4", "TabControl2", 0, 0, 790, 64},
    {"Rectangle2", "Opague", 0, 432, 854, 48},
    {"Layout11", "Rectangle2", 32, 4, 200, 40},
    {"Label46", "Layout11", 0, 0, 200, 20},
    {"Label1", "Layout11", 0, 20, 200, 20},
    {"Button2", "Rectangle2", 614, 8, 100, 32},
    {"Button3", "Rectangle2", 722, 8, 100, 32},
    {"TabControl3", "Opague", 32, 64, 790, 368},
    {"TabItem9", "TabControl3", 0, 0, 790, 368},
    {"TabItem5", "TabControl3", 0, 0, 790, 368},
    {"TabItem6", "TabControl3", 0, 0, 790, 368},
    {"TabItem10", "TabControl3", 0, 0, 790, 368},
    {"TabItem11", "TabControl3", 0, 0, 790, 368},
    // Welcome.
    {"VertScrollBox1", "TabItem9", 0, 0, 790, 368},
    {"Label53", "VertScrollBox1", 0, 12, 790, 40},
    {"Label56", "VertScrollBox1", 0, 52, 790, 40},
    {"Rectangle55", "VertScrollBox1", 0, 92, 790, 2},
    {"Label58", "VertScrollBox1", 0, 94, 790, 24},
    {"Label11", "VertScrollBox1", 16, 118, 774, 24},
    {"Label13", "VertScrollBox1", 16, 142, 774, 24},
    {"Label12", "VertScrollBox1", 16, 166, 774, 24},
    // Information, without credit lines.
    {"VertScrollBox3", "TabItem5", 0, 0, 790, 368},
    {"Label18", "VertScrollBox3", 0, 12, 790, 40},
    {"Label14", "VertScrollBox3", 0, 52, 790, 40},
    {"Rectangle5", "VertScrollBox3", 0, 92, 758, 2},
    {"Label26", "VertScrollBox3", 0, 94, 790, 0},
    {"Layout9", "VertScrollBox3", 16, 94, 774, 2},
    {"Label34", "VertScrollBox3", 0, 96, 790, 40},
    {"Rectangle7", "VertScrollBox3", 0, 136, 758, 2},
    {"Label36", "VertScrollBox3", 0, 138, 790, 0},
    {"Layout10", "VertScrollBox3", 16, 138, 774, 2},
    // Configuration: licence terms.
    {"TabControl4", "TabItem6", 0, 0, 790, 368},
    {"TabItem8", "TabControl4", 0, 0, 790, 368},
    {"TabItem7", "TabControl4", 0, 0, 790, 368},
    {"Label25", "TabItem8", 0, 12, 790, 40},
    {"Rectangle8", "TabItem8", 0, 52, 790, 2},
    {"Label45", "TabItem8", 0, 54, 790, 130},
    // Configuration: destination.
    {"VertScrollBox2", "TabItem7", 0, 0, 790, 368},
    {"Label74", "VertScrollBox2", 0, 12, 790, 40},
    {"Label75", "VertScrollBox2", 0, 52, 790, 40},
    {"Rectangle63", "VertScrollBox2", 0, 92, 790, 2},
    {"Edit1", "VertScrollBox2", 0, 98, 790, 32},
    {"SearchEditButton1", "Edit1", 760, 2, 28, 28},
    {"Layout3", "VertScrollBox2", 0, 160, 790, 92},
    {"Circle6", "Layout3", 0, 0, 92, 92},
    {"Arc6", "Circle6", 0, 0, 92, 92},
    {"Label28", "Arc6", 0, 0, 92, 92},
    {"Layout7", "Layout3", 92, 0, 698, 92},
    {"Label29", "Layout7", 16, 0, 682, 40},
    {"Rectangle17", "Layout7", 16, 40, 682, 2},
    {"Label30", "Layout7", 16, 42, 682, 24},
    {"Label33", "Layout7", 16, 66, 682, 24},
    {"Rectangle6", "VertScrollBox2", 0, 252, 790, 0},
    {"Label86", "VertScrollBox2", 0, 252, 790, 0},
    {"Layout2", "VertScrollBox2", 0, 252, 790, 0},
    {"Layout4", "Layout2", 0, 0, 390, 0},
    {"Label19", "Layout4", 0, 0, 358, 24},
    {"Label20", "Layout4", 0, 24, 358, 41},
    {"Layout5", "Layout4", 0, 65, 390, 0},
    {"Switch1", "Layout5", 0, 0, 44, 0},
    {"Label21", "Layout5", 52, 0, 306, 0},
    {"Layout6", "Layout2", 400, 0, 390, 0},
    {"Label22", "Layout6", 0, 0, 358, 24},
    {"Label23", "Layout6", 0, 24, 358, 41},
    {"Layout8", "Layout6", 0, 65, 390, 0},
    {"Switch2", "Layout8", 0, 0, 44, 0},
    {"Label24", "Layout8", 52, 0, 306, 0},
    // Installation.
    {"Label40", "TabItem10", 0, 12, 790, 40},
    {"Label41", "TabItem10", 0, 52, 790, 40},
    {"Layout31", "TabItem10", 0, 100, 790, 200},
    {"Circle1", "Layout31", 0, 0, 200, 200},
    {"Arc1", "Circle1", 0, 0, 200, 200},
    {"Label32", "Arc1", 0, 0, 200, 200},
    {"Layout32", "Layout31", 200, 0, 590, 200},
    {"Label39", "Layout32", 16, 0, 574, 40},
    {"Rectangle21", "Layout32", 16, 40, 574, 2},
    {"Label42", "Layout32", 16, 42, 574, 24},
    {"Label116", "Layout32", 16, 66, 574, 24},
    {"Label35", "Layout32", 16, 90, 574, 40},
    {"Rectangle79", "Layout32", 16, 130, 574, 2},
    {"Label37", "Layout32", 16, 132, 558, 24},
    {"Label38", "Layout32", 16, 156, 574, 24},
    // Finalisation: the two outcome pages share their geometry.
    {"TabControl5", "TabItem11", 0, 0, 790, 368},
    {"TabItem12", "TabControl5", 0, 0, 790, 368},
    {"TabItem13", "TabControl5", 0, 0, 790, 368},
    {"Label47", "TabItem12", 0, 12, 790, 40},
    {"Label48", "TabItem12", 0, 52, 790, 40},
    {"Rectangle9", "TabItem12", 0, 92, 790, 2},
    {"Label67", "TabItem12", 0, 94, 790, 24},
    {"Label120", "TabItem12", 0, 118, 790, 40},
    {"Rectangle13", "TabItem12", 0, 158, 790, 2},
    {"Label68", "TabItem12", 0, 160, 790, 24},
    {"Label69", "TabItem12", 16, 184, 774, 24},
    {"Label70", "TabItem12", 16, 208, 774, 24},
    {"Label71", "TabItem12", 16, 232, 774, 24},
    {"Label49", "TabItem13", 0, 12, 790, 40},
    {"Label50", "TabItem13", 0, 52, 790, 40},
    {"Rectangle10", "TabItem13", 0, 92, 790, 2},
    {"Label51", "TabItem13", 0, 94, 790, 24},
    {"Label52", "TabItem13", 0, 118, 790, 40},
    {"Rectangle11", "TabItem13", 0, 158, 790, 2},
    {"Label57", "TabItem13", 0, 160, 790, 24},
    {"Label59", "TabItem13", 16, 184, 774, 24},
    {"Label60", "TabItem13", 16, 208, 774, 24},
    {"Label61", "TabItem13", 16, 232, 774, 24},
};

// The stage names stand side by side, each as wide as its text in the font in use.
std::vector<ExpectedBox> StageLabelBoxes(const TWizardForm& form) {
  std::vector<ExpectedBox> boxes;
  float x = 0;
  for (const char* name : {"Label9", "Label10", "Label15", "Label16", "Label17"}) {
    const auto* label = form.Find<TLabel>(name);
    if (!label) {
      ADD_FAILURE() << "missing " << name;
      continue;
    }
    const float width = label->TextWidth();
    boxes.push_back({name, "TabItem4", x, 0, width, 64, 1.0f});
    x += label->Width();
  }
  return boxes;
}

TEST_F(FormLayoutTest, EveryControlHasItsBoxAtRunTime) {
  ResetTabsAsShown(*form_);
  std::vector<ExpectedBox> expected(std::begin(kFixedBoxes), std::end(kFixedBoxes));
  const std::vector<ExpectedBox> stages = StageLabelBoxes(*form_);
  expected.insert(expected.end(), stages.begin(), stages.end());

  for (const ExpectedBox& e : expected) {
    SCOPED_TRACE(e.name);
    const Control* control = ControlNamed(e.name);
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), e.parent);
    const RectF box = control->BoundsRect();
    EXPECT_NEAR(box.Left, e.x, e.tolerance);
    EXPECT_NEAR(box.Top, e.y, e.tolerance);
    EXPECT_NEAR(box.Width(), e.width, e.tolerance);
    EXPECT_NEAR(box.Height(), e.height, e.tolerance);
  }

  // The component tree is pushed far below its page and has no height.
  const Control* tree = ControlNamed("TreeView1");
  ASSERT_NE(tree, nullptr);
  EXPECT_EQ(tree->Parent()->Name(), "TabItem8");
  EXPECT_GT(tree->BoundsRect().Top, 1e16f);
  EXPECT_EQ(tree->Height(), 0);
  EXPECT_GT(tree->AbsoluteRect().Top, 512);

  // Together the stage names are wider than the strip: the last one is cut at its edge.
  const auto* last = form_->Find<TLabel>("Label17");
  EXPECT_LT(last->BoundsRect().Left, 790);
  EXPECT_GT(last->BoundsRect().Right, 790);
}

TEST_F(FormLayoutTest, EveryComponentIsOwnedByTheFormInLayoutOrder) {
  // The form's own components come first, in the order the show handler walks them.
  ASSERT_GE(form_->ComponentCount(), 4);
  const char* const first[] = {"StyleBook1", "Timer1", "Base", "Timer2"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(form_->ComponentAt(i)->Name(), first[i]);
  EXPECT_EQ(form_->StyleBook, form_->Find<TStyleBook>("StyleBook1"));

  // Every named control of the layout is owned directly by the form, never by a container.
  std::vector<std::string> names;
  for (const ExpectedBox& e : kFixedBoxes) names.push_back(e.name);
  for (const char* extra : {"Label9", "Label10", "Label15", "Label16", "Label17", "TreeView1",
                            "FloatAnimation1", "Slide1", "Slide2", "SlideFade"}) {
    names.push_back(extra);
  }
  for (const std::string& name : names) {
    const Component* component = form_->FindComponent(name);
    ASSERT_NE(component, nullptr) << name;
    EXPECT_EQ(component->Owner(), form_.get()) << name;
  }

  // Child order decides drawing order and breaks ties of the stacks.
  const struct {
    const char* container;
    std::vector<std::string> children;
  } orders[] = {
      {"WizardForm", {"Base"}},
      {"Base", {"Background", "Opague", "WindowBar"}},
      {"WindowBar", {"Label2", "Rectangle3", "Rectangle4"}},
      {"Opague", {"Layout1", "Rectangle2", "TabControl3"}},
      {"TabItem4", {"Label9", "Label10", "Label15", "Label16", "Label17"}},
      {"Rectangle2", {"Layout11", "Button2", "Button3"}},
      {"TabControl3", {"TabItem9", "TabItem5", "TabItem6", "TabItem10", "TabItem11"}},
      {"VertScrollBox1",
       {"Label53", "Rectangle55", "Label56", "Label58", "Label11", "Label12", "Label13"}},
      {"VertScrollBox3",
       {"Rectangle7", "Rectangle5", "Layout9", "Layout10", "Label36", "Label34", "Label26",
        "Label18", "Label14"}},
      {"TabControl4", {"TabItem8", "TabItem7"}},
      {"TabItem8", {"Label25", "Label45", "Rectangle8", "TreeView1"}},
      {"VertScrollBox2",
       {"Label74", "Label75", "Rectangle63", "Edit1", "Layout3", "Label86", "Layout2",
        "Rectangle6"}},
      {"Layout32",
       {"Label35", "Rectangle79", "Label37", "Label38", "Label39", "Rectangle21", "Label42",
        "Label116"}},
      {"TabControl5", {"TabItem12", "TabItem13"}},
      {"TabItem12",
       {"Label47", "Label48", "Rectangle9", "Label67", "Label120", "Rectangle13", "Label68",
        "Label69", "Label70", "Label71"}},
  };
  for (const auto& order : orders) {
    SCOPED_TRACE(order.container);
    const Control* container =
        order.container == std::string("WizardForm") ? form_.get() : ControlNamed(order.container);
    ASSERT_NE(container, nullptr);
    std::vector<std::string> actual;
    for (const Control* child : container->Children()) actual.push_back(child->Name());
    EXPECT_EQ(actual, order.children);
  }
}

TEST_F(FormLayoutTest, TabControlsAsLaidOutBeforeShowing) {
  const struct {
    const char* name;
    int index;
    TabPosition position;
    int pages;
  } cases[] = {
      {"TabControl2", 0, TabPosition::None, 1},
      {"TabControl3", 0, TabPosition::Top, 5},
      {"TabControl4", 0, TabPosition::Top, 2},
      // The failure page until the form is shown.
      {"TabControl5", 1, TabPosition::Top, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto* tabs = form_->Find<TTabControl>(c.name);
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->TabIndex(), c.index);
    EXPECT_EQ(tabs->GetTabPosition(), c.position);
    EXPECT_EQ(tabs->TabCount(), c.pages);
  }
}

TEST_F(FormLayoutTest, DestinationContentIsAsHighAsItsVisibleBlocks) {
  ResetTabsAsShown(*form_);
  const auto* box = form_->Find<TVertScrollBox>("VertScrollBox2");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->ContentHeight(), 252);
  EXPECT_FALSE(box->ScrollBarVisible());
  // The other pages fit too: none shows a scroll bar.
  for (const char* name : {"VertScrollBox1", "VertScrollBox3"}) {
    EXPECT_FALSE(form_->Find<TVertScrollBox>(name)->ScrollBarVisible()) << name;
  }
}

TEST_F(FormLayoutTest, CreditLinesPushTheSecondListDown) {
  ResetTabsAsShown(*form_);
  const Control* firstList = ControlNamed("Layout9");
  const Control* heading = ControlNamed("Label34");
  const Control* rule = ControlNamed("Rectangle7");
  const Control* secondList = ControlNamed("Layout10");
  for (int lines = 1; lines <= 3; ++lines) {
    form_->Credits().AddLine(0, u"Line");
    SCOPED_TRACE(lines);
    EXPECT_EQ(firstList->Height(), 2 + 24 * lines);
    EXPECT_EQ(heading->BoundsRect().Top, 96 + 24 * lines);
    EXPECT_EQ(rule->BoundsRect().Top, 136 + 24 * lines);
    EXPECT_EQ(secondList->BoundsRect().Top, 138 + 24 * lines);
  }
  // A line of the second list moves nothing above it.
  form_->Credits().AddLine(1, u"Other");
  EXPECT_EQ(rule->BoundsRect().Top, 136 + 24 * 3);
  EXPECT_EQ(secondList->Height(), 26);
}

// A box without area draws nothing of itself or of its children, however large they are:
// the frame is the same whether the zero-height shortcut section is visible or not.
TEST_F(FormLayoutTest, ZeroAreaSectionsAreNotDrawn) {
  ResetTabsAsShown(*form_);
  form_->Find<TTabControl>("TabControl3")->SetTabIndex(2);
  form_->Find<TTabControl>("TabControl4")->SetTabIndex(1);
  platform_.Advance(1000);

  Control* section = ControlNamed("Layout2");
  ASSERT_NE(section, nullptr);
  // Its first heading would be drawn if anything looked past the section's empty box.
  ASSERT_GT(ControlNamed("Label19")->Height(), 0);

  const std::vector<std::uint32_t> shown = Render();
  // Nor does it take the mouse: the switches stay out of the user's reach.
  for (float y = 348; y < 464; y += 4) {
    for (float x = 32; x < 822; x += 8) {
      for (const Control* hit = form_->ControlAt(x, y); hit; hit = hit->Parent()) {
        ASSERT_NE(hit, section) << x << "," << y << " reaches " << form_->ControlAt(x, y)->Name();
      }
    }
  }
  section->SetVisible(false);
  const std::vector<std::uint32_t> hidden = Render();
  EXPECT_TRUE(shown == hidden) << "something of the shortcut section was drawn";

  // The check can see the section: with height it does show.
  section->SetVisible(true);
  section->SetHeight(100);
  const std::vector<std::uint32_t> tall = Render();
  EXPECT_FALSE(tall == hidden);
}

TEST_F(FormLayoutTest, ShapesAreFlatWithTheirFills) {
  constexpr std::uint32_t kWhite = 0xFFFFFFFF;
  const struct {
    const char* name;
    std::uint32_t fill;
  } shapes[] = {
      {"WindowBar", 0xFF161616}, {"Rectangle3", 0x00000000}, {"Rectangle4", 0x00000000},
      {"Opague", 0x64000000},    {"Rectangle2", 0x56161616}, {"Rectangle55", kWhite},
      {"Rectangle5", kWhite},    {"Rectangle7", kWhite},     {"Rectangle8", kWhite},
      {"Rectangle63", kWhite},   {"Rectangle17", kWhite},    {"Rectangle6", kWhite},
      {"Rectangle21", kWhite},   {"Rectangle79", kWhite},    {"Rectangle9", kWhite},
      {"Rectangle13", kWhite},   {"Rectangle10", kWhite},    {"Rectangle11", kWhite},
      {"Circle6", 0x56161616},   {"Circle1", 0x56161616},
  };
  for (const auto& shape : shapes) {
    SCOPED_TRACE(shape.name);
    const auto* control = form_->Find<TShape>(shape.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->Fill().Color, shape.fill);
    EXPECT_EQ(control->GetStroke().Thickness, 0);
  }
  const struct {
    const char* name;
    float thickness, start, sweep;
  } arcs[] = {{"Arc1", 10, -90, -90}, {"Arc6", 6, -90, 90}};
  for (const auto& arc : arcs) {
    SCOPED_TRACE(arc.name);
    const auto* control = form_->Find<TArc>(arc.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->GetStroke().Color, kWhite);
    EXPECT_EQ(control->GetStroke().Thickness, arc.thickness);
    EXPECT_EQ(control->StartAngle(), arc.start);
    EXPECT_EQ(control->EndAngle(), arc.sweep);
  }
}

enum class Look { Title, Heading, Body, BodyBold, StageWhite, StageGrey, Gauge, BigGauge, Caption };

struct LookExpectation {
  unsigned styled;
  const char16_t* ownFamily;  // null: not the label's own
  float size;
  bool bold;
  std::uint32_t ownColour;  // 0: not the label's own
  TextAlign align;
  const char16_t* family;  // in effect
  std::uint32_t colour;    // in effect
};

LookExpectation ExpectationOf(Look look) {
  constexpr unsigned F = kStyledFamily, S = kStyledStyle, C = kStyledFontColor;
  constexpr std::uint32_t kWhite = 0xFFFFFFFF, kGrey = 0xFFAAAAAA;
  const auto lead = TextAlign::Leading;
  switch (look) {
    case Look::Title:
      return {F | S | C, nullptr, 23, false, 0, lead, u"Segoe UI", kWhite};
    case Look::Heading:
      return {F | C, nullptr, 16, true, 0, lead, u"Segoe UI", kWhite};
    case Look::Body:
      return {F | S | C, nullptr, 14, false, 0, lead, u"Segoe UI", kWhite};
    case Look::BodyBold:
      return {F | C, nullptr, 14, true, 0, lead, u"Segoe UI", kWhite};
    case Look::StageWhite:
      return {S | C, u"Segoe UI Light", 36, false, kGrey, lead, u"Segoe UI Light", kWhite};
    case Look::StageGrey:
      return {S, u"Segoe UI Light", 36, false, kGrey, lead, u"Segoe UI Light", kGrey};
    case Look::Gauge:
      return {S | C, u"Segoe UI Light", 24, false, 0, TextAlign::Center, u"Segoe UI Light", kWhite};
    case Look::BigGauge:
      return {S | C, u"Segoe UI Light", 64, false, 0, TextAlign::Center, u"Segoe UI Light", kWhite};
    case Look::Caption:
      return {0, u"Segoe UI Semilight", 14, false, kWhite, lead, u"Segoe UI Semilight", kWhite};
  }
  return {};
}

// The layout's texts and text looks, before the form is shown (placeholders still in).
TEST_F(FormLayoutTest, LabelsHaveTheirLooksAndTexts) {
  const struct {
    const char* name;
    Look look;
    const char16_t* text;  // null: wording of our own, checked below
  } labels[] = {
      {"Label2", Look::Caption, u"<AppName>"},
      {"Label9", Look::StageWhite, u"Welcome"},
      {"Label10", Look::StageGrey, u"Information"},
      {"Label15", Look::StageGrey, u"Configuration"},
      {"Label16", Look::StageGrey, u"Installation"},
      {"Label17", Look::StageGrey, u"Finalisation"},
      {"Label46", Look::Body, nullptr},
      {"Label1", Look::Body, nullptr},
      {"Label53", Look::Title, u"Welcome"},
      {"Label56", Look::Heading, u"GUIDE FOR INSTALLATION"},
      {"Label58", Look::Body, u"Follow these guides to help installation run smoothly."},
      {"Label11", Look::Body,
       u"\u25CF Turn off antivirus and other programs that may hinder installation process."},
      {"Label13", Look::Body,
       u"\u25CF Make sure you have enough disk space and the required memory for "
       u"installation."},
      {"Label12", Look::Body,
       u"\u25CF Running installation after system reboot may increase installation speed."},
      {"Label18", Look::Title, u"<AppName>"},
      {"Label14", Look::Heading, u"Translators"},
      {"Label26", Look::Body, u"More information about <AppName>"},
      {"Label34", Look::Heading, u"Editor And Tester"},
      {"Label36", Look::Body, u"Translators"},
      {"Label25", Look::Title, u"Copyright Terms"},
      {"Label45", Look::Heading, nullptr},
      {"Label74", Look::Title, u"Select directory"},
      {"Label75", Look::Heading, u"SELECT INSTALLATION DIRECTORY"},
      {"Label28", Look::Gauge, u"17.8 GB"},
      {"Label29", Look::Heading, u"SELECTED DRIVE"},
      {"Label30", Look::Body, u"4.68GB is needed from selected directory"},
      {"Label33", Look::Body, u"17.8GB is available from the selected drive"},
      {"Label86", Look::Heading, u"OTHER"},
      {"Label19", Look::BodyBold, u"Desktop shortcuts"},
      {"Label20", Look::Body,
       u"Creates shortcuts on desktop for easy access whenever needed by user"},
      {"Label21", Look::Body, u"On"},
      {"Label22", Look::BodyBold, u"Startmenu shortcuts"},
      {"Label23", Look::Body,
       u"A more convenient placement for a user who prefers not to crowd their desktop"},
      {"Label24", Look::Body, u"On"},
      {"Label40", Look::Title, u"Installing <AppName>"},
      {"Label41", Look::Heading, u"PROGRESS"},
      {"Label32", Look::BigGauge, u"0%"},
      {"Label39", Look::Heading, u"INSTALLATION DETAILS"},
      {"Label42", Look::Body, u""},
      {"Label116", Look::Body, u""},
      {"Label35", Look::Heading, u"INSTALLATION TIMES"},
      {"Label37", Look::Body, u"Elapsed time:"},
      {"Label38", Look::Body, u"Remaining time:"},
      {"Label47", Look::Title, u"Finishing installation"},
      {"Label48", Look::Heading, u"COMPLETING SETUP"},
      {"Label67", Look::Body, u"<AppName> has been successfully installed."},
      {"Label120", Look::Heading, u"GUIDE FOR APPLICATION"},
      {"Label68", Look::Body, u"Follow these guides to help run <AppName>."},
      {"Label69", Look::Body, u"\u25CF You can now launch the application from your desktop."},
      {"Label70", Look::Body, u"\u25CF You can find another launcher under your startmenu."},
      {"Label71", Look::Body,
       u"\u25CF Use control panel's programs and features to uninstall the application."},
      {"Label49", Look::Title, u"Finishing installation"},
      {"Label50", Look::Heading, u"COMPLETING SETUP"},
      {"Label51", Look::Body, u"<AppName> installation has failed."},
      {"Label52", Look::Heading, u"GUIDE FOR REINSTALLATION"},
      {"Label57", Look::Body, u"Follow these guides to help reinstall <AppName>."},
      {"Label59", Look::Body,
       u"\u25CF Please make sure antivirus is turned off throughout installation."},
      {"Label60", Look::Body, u"\u25CF Make sure you have enough disk space for installation"},
      {"Label61", Look::Body,
       u"\u25CF If this is an online installation, please make sure you have internet."},
  };
  for (const auto& row : labels) {
    SCOPED_TRACE(row.name);
    const auto* label = form_->Find<TLabel>(row.name);
    ASSERT_NE(label, nullptr);
    if (row.text) {
      EXPECT_TRUE(label->Text() == row.text);
    }
    const LookExpectation look = ExpectationOf(row.look);
    const TextSettings& own = label->GetTextSettings();
    EXPECT_EQ(label->StyledSettings(), look.styled);
    EXPECT_EQ(own.Font.size, look.size);
    if (!(look.styled & kStyledStyle)) {
      EXPECT_EQ(own.Font.bold, look.bold);
    }
    if (look.ownFamily) {
      EXPECT_TRUE(own.Font.family == look.ownFamily);
    }
    if (look.ownColour) {
      EXPECT_EQ(own.FontColor, look.ownColour);
    }
    EXPECT_EQ(own.HorzAlign, look.align);
    EXPECT_TRUE(own.WordWrap);
    const FontSpec font = label->CurrentFont();
    EXPECT_TRUE(font.family == look.family);
    EXPECT_EQ(font.size, look.size);
    EXPECT_EQ(font.bold, look.bold);
    EXPECT_EQ(label->CurrentColor(), look.colour);
    const bool stage = row.look == Look::StageWhite || row.look == Look::StageGrey;
    EXPECT_EQ(label->AutoSize(), stage);
  }

  // Our own wording: two short credit lines naming the makers, and the terms notice of four
  // lines ending with a line break, the application named in the first.
  for (const char* name : {"Label46", "Label1"}) {
    const std::u16string& text = form_->Find<TLabel>(name)->Text();
    EXPECT_NE(text.find(u"Duskwizard"), std::u16string::npos) << name;
    EXPECT_LE(form_->Find<TLabel>(name)->TextWidth(), 200) << name;
  }
  const std::u16string notice = form_->Find<TLabel>("Label45")->Text();
  ASSERT_FALSE(notice.empty());
  EXPECT_EQ(notice.back(), u'\n');
  EXPECT_EQ(std::count(notice.begin(), notice.end(), u'\n'), 4);
  const std::u16string firstLine = notice.substr(0, notice.find(u'\n'));
  EXPECT_NE(firstLine.find(u"<AppName>"), std::u16string::npos);
  EXPECT_EQ(notice.find(u"<AppName>", firstLine.size()), std::u16string::npos);
  EXPECT_NE(notice.find(u"Duskwizard", firstLine.size()), std::u16string::npos);
  EXPECT_NE(notice.find(u"reserved"), std::u16string::npos);
}

TEST_F(FormLayoutTest, OtherControlsAsLaidOut) {
  const auto* edit = form_->Find<TEdit>("Edit1");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->Text() == u"D:\\<AppName>");
  EXPECT_TRUE(edit->ReadOnly());
  EXPECT_EQ(edit->GetTextSettings().Font.size, 14);
  EXPECT_EQ(edit->StyledSettings(), unsigned{kStyledFamily | kStyledStyle | kStyledFontColor});
  EXPECT_TRUE(edit->OnChange);
  EXPECT_FALSE(form_->Find<Control>("SearchEditButton1")->CanFocus());

  const auto* back = form_->Find<TButton>("Button2");
  const auto* next = form_->Find<TButton>("Button3");
  EXPECT_TRUE(back->Text() == u"Back");
  EXPECT_FALSE(back->Enabled());
  EXPECT_TRUE(next->Text() == u"Next");
  EXPECT_TRUE(next->Enabled());

  for (const char* name : {"Switch1", "Switch2"}) {
    EXPECT_TRUE(form_->Find<TSwitch>(name)->IsChecked()) << name;
    EXPECT_TRUE(form_->Find<TSwitch>(name)->OnSwitch) << name;
  }

  const auto* slideTimer = form_->Find<TTimer>("Timer1");
  const auto* clockTimer = form_->Find<TTimer>("Timer2");
  EXPECT_FALSE(slideTimer->Enabled());
  EXPECT_EQ(slideTimer->Interval(), 30000u);
  EXPECT_TRUE(clockTimer->Enabled());
  EXPECT_EQ(clockTimer->Interval(), 1000u);

  const struct {
    const char* name;
    const char* parent;
    const char* property;
    float start, stop, duration;
    bool fromCurrent;
  } animations[] = {
      {"Slide2", "Background", "Position.X", 0, -426, 32, false},
      {"Slide1", "Background", "Position.X", 0, -426, 32, false},
      {"SlideFade", "Background", "Opacity", 0, 1, 2, false},
      {"FloatAnimation1", "Label9", "Margins.Left", 0, 0, 0.3f, true},
  };
  for (const auto& a : animations) {
    SCOPED_TRACE(a.name);
    const auto* animation = form_->Find<TFloatAnimation>(a.name);
    ASSERT_NE(animation, nullptr);
    ASSERT_NE(animation->Parent(), nullptr);
    EXPECT_EQ(animation->Parent()->Name(), a.parent);
    EXPECT_EQ(animation->PropertyName, a.property);
    EXPECT_EQ(animation->StartValue, a.start);
    EXPECT_EQ(animation->StopValue, a.stop);
    EXPECT_EQ(animation->Duration, a.duration);
    EXPECT_EQ(animation->StartFromCurrent, a.fromCurrent);
    EXPECT_FALSE(animation->Running());
  }
  EXPECT_TRUE(form_->Find<TFloatAnimation>("FloatAnimation1")->OnFinish);

  for (const char* name : {"Image1", "Image2"}) {
    const auto* glyph = form_->Find<TImage>(name);
    EXPECT_FALSE(glyph->HitTest()) << name;
    EXPECT_EQ(glyph->Picture().width, 90) << name;
    EXPECT_EQ(glyph->Picture().height, 90) << name;
  }

  // Every handler the layout names is bound.
  EXPECT_TRUE(form_->OnShow);
  EXPECT_TRUE(form_->OnMouseDown);
  EXPECT_EQ(form_->ClientWidth(), 854);
  EXPECT_EQ(form_->ClientHeight(), 512);
  EXPECT_EQ(form_->BorderStyle, FormBorderStyle::Single);
  EXPECT_TRUE(form_->Find<Control>("WindowBar")->OnMouseDown);
  for (const char* name : {"Rectangle3", "Rectangle4"}) {
    const auto* button = form_->Find<Control>(name);
    EXPECT_TRUE(button->OnClick && button->OnMouseDown && button->OnMouseMove &&
                button->OnMouseEnter && button->OnMouseLeave)
        << name;
  }
  for (const char* name : {"Button2", "Button3", "SearchEditButton1"}) {
    EXPECT_TRUE(form_->Find<Control>(name)->OnClick) << name;
  }
  for (const char* name : {"TabControl3", "TabControl4", "TabControl5"}) {
    EXPECT_TRUE(form_->Find<TTabControl>(name)->OnChange) << name;
  }
  EXPECT_FALSE(form_->Find<TTabControl>("TabControl2")->OnChange);
  EXPECT_TRUE(slideTimer->OnTimer);
  EXPECT_TRUE(clockTimer->OnTimer);
}

}  // namespace
}  // namespace dw
