// Helpers that keep the layout files close to data: each control is one call that creates it
// (owned by the form), names it, appends it to its parent and gives it its declared box.
#pragma once

#include <cstdint>
#include <string>

#include "form/WizardForm.h"
#include "toolkit/Label.h"
#include "toolkit/Shapes.h"
#include "toolkit/TabControl.h"

namespace dw {

// A declared Position and Size. For aligned controls these are only inputs of the align
// layout: Top/Left stacks sort by the declared y/x.
struct DeclaredBox {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;
};

// The text looks of the form's labels: which attributes come from the style and what the
// label sets itself.
enum class TextLook {
  Title,
  Heading,
  Body,
  BodyBold,
  Credit,
  StageHighlighted,
  StageDimmed,
  Gauge,
  BigGauge,
  Caption,
};

void ApplyTextLook(TLabel& label, TextLook look);

class LayoutBuilder {
 public:
  explicit LayoutBuilder(TWizardForm& form) : form_(form) {}

  TWizardForm& Form() const { return form_; }

  // Creates a control of kind T owned by the form and places it as the parent's last child.
  template <class T>
  T* Add(const char* name, Control* parent, Align align, DeclaredBox box, Bounds margins = {}) {
    T* control = new T(&form_);
    Place(*control, name, parent, align, box, margins);
    return control;
  }

  TLabel* Label(const char* name, Control* parent, Align align, DeclaredBox box, Bounds margins,
                TextLook look, const std::u16string& text);
  // Rectangles and circles are flat: a fill and no outline.
  TRectangle* Rectangle(const char* name, Control* parent, Align align, DeclaredBox box,
                        Bounds margins, std::uint32_t fill);
  TCircle* Circle(const char* name, Control* parent, Align align, DeclaredBox box,
                  std::uint32_t fill);
  // A page of a tab control: fills the control, no alignment of its own.
  TTabItem* Page(const char* name, TTabControl* parent, float width, float height);

 private:
  static void Place(Control& control, const char* name, Control* parent, Align align,
                    DeclaredBox box, Bounds margins);
  TWizardForm& form_;
};

// The areas of the layout, in the form's component order.
void BuildFrame(LayoutBuilder& build);
void BuildHeaderStrip(LayoutBuilder& build, Control* opague);
void BuildBottomBar(LayoutBuilder& build, Control* opague);
void BuildWelcomePage(LayoutBuilder& build, TTabItem* page);
void BuildInformationPage(LayoutBuilder& build, TTabItem* page);
void BuildConfigurationPage(LayoutBuilder& build, TTabItem* page);
void BuildTermsPage(LayoutBuilder& build, TTabItem* page);
void BuildDestinationPage(LayoutBuilder& build, TTabItem* page);
void BuildInstallationPage(LayoutBuilder& build, TTabItem* page);
void BuildFinalisationPage(LayoutBuilder& build, TTabItem* page);

}  // namespace dw
