// The fifteen exports. Each one is a small C function that decodes its arguments and hands
// the work to the form's feature objects through RunExport, so that no C++ exception leaves
// the DLL and every error reaches the host through ReportError.
//
// Exports that need the form do nothing before func01 has created it (func10 and func11
// then answer 0). func05 and func08 only store state and work at any time.

#include <cstdint>
#include <memory>
#include <vector>

#include "components/ComponentTree.h"
#include "destination/DestinationPage.h"
#include "duskwizard.h"
#include "form/PageFlow.h"
#include "form/Texts.h"
#include "form/WizardForm.h"
#include "platform/Platform.h"
#include "plugin/Arguments.h"
#include "plugin/Embedding.h"
#include "plugin/ExportGuard.h"
#include "plugin/PluginState.h"
#include "progress/ProgressDisplay.h"
#include "slideshow/Slideshow.h"

namespace dw {
namespace {

// The form once func01 has created it, else null.
TWizardForm* CreatedForm() {
  return State().WizardForm.get();
}

// Creating the form needs a window system; without a complete platform func01 does nothing.
bool PlatformInstalled() {
  const Platform& platform = CurrentPlatform();
  return platform.api != nullptr && platform.windows != nullptr && platform.images != nullptr &&
         platform.fonts != nullptr;
}

WindowHandle HandleOf(DuskwizardWindow window) {
  return reinterpret_cast<WindowHandle>(window);
}

void CreateFormAndEmbed(WindowHandle wizard, WindowHandle next, WindowHandle browse) {
  PluginState& state = State();
  state.HostWizardWnd = wizard;
  state.HostNextButtonWnd = next;
  state.HostBrowseButtonWnd = browse;
  // A second call keeps the form and the components the script has already added: losing
  // them would lose the script's work, and nothing in the form can be rebuilt from the state.
  if (state.WizardForm) return;
  if (!PlatformInstalled()) return;
  if (!state.ComponentPaths) state.ComponentPaths = std::make_unique<std::vector<std::u16string>>();
  // The message loop belongs to the thread that makes it: this one, the form's. Exports
  // called on other threads are carried to it.
  CurrentPlatform().windows->Loop();
  auto form = std::make_unique<TWizardForm>();
  // Re-read the state: creating the form may have run code that looked at it.
  State().WizardForm = std::move(form);
  EmbedInHost();
}

}  // namespace
}  // namespace dw

using dw::RunExport;

extern "C" {

void DUSKWIZARD_CDECL func01(DuskwizardWindow wizardWindow, DuskwizardWindow nextButton,
                             DuskwizardWindow browseButton) {
  RunExport([wizardWindow, nextButton, browseButton] {
    dw::CreateFormAndEmbed(dw::HandleOf(wizardWindow), dw::HandleOf(nextButton),
                           dw::HandleOf(browseButton));
  });
}

void DUSKWIZARD_CDECL func02(void) {
  RunExport([] { dw::CloseForm(); });
}

void DUSKWIZARD_CDECL func03(void) {
  RunExport([] {
    if (dw::CreatedForm()) dw::PlaceAndShow();
  });
}

void DUSKWIZARD_STDCALL func04(DuskwizardAnsiCString directory) {
  RunExport([directory] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      form->Destination().SetDirectory(dw::AnsiCStringText(directory));
    }
  });
}

void DUSKWIZARD_CDECL func05(void) {
  RunExport([] { dw::State().InstallReady = 1; });
}

void DUSKWIZARD_STDCALL func06(DuskwizardAnsiCString detailLine1, DuskwizardAnsiCString detailLine2,
                               int32_t done, int32_t total) {
  RunExport([detailLine1, detailLine2, done, total] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      form->Progress().Report(dw::AnsiCStringText(detailLine1), dw::AnsiCStringText(detailLine2),
                              done, total);
    }
  });
}

void DUSKWIZARD_CDECL func07(DuskwizardBoolean succeeded) {
  RunExport([succeeded] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      form->Flow().ShowOutcome(dw::BooleanArgument(succeeded));
    }
  });
}

void DUSKWIZARD_CDECL func08(DuskwizardHostString appName, DuskwizardHostString requiredSpaceText) {
  RunExport([appName, requiredSpaceText] {
    // Both texts are decoded before either is stored, so a failure leaves both as they were.
    std::u16string name = dw::HostStringText(appName);
    std::u16string space = dw::HostStringText(requiredSpaceText);
    dw::PluginState& state = dw::State();
    state.AppName = std::move(name);
    state.RequiredSpaceText = std::move(space);
  });
}

void DUSKWIZARD_CDECL func09(DuskwizardHostString path, int32_t itemValue, int32_t group,
                             DuskwizardBoolean unlisted) {
  RunExport([path, itemValue, group, unlisted] {
    dw::TWizardForm* form = dw::CreatedForm();
    if (form == nullptr || !dw::State().ComponentPaths) return;
    form->Components().Add(dw::HostStringText(path), itemValue, group,
                           dw::BooleanArgument(unlisted));
  });
}

int32_t DUSKWIZARD_CDECL func10(DuskwizardHostString pathOrIndex) {
  int32_t selected = 0;
  RunExport([pathOrIndex, &selected] {
    dw::TWizardForm* form = dw::CreatedForm();
    if (form == nullptr || !dw::State().ComponentPaths) return;
    selected = dw::BooleanResult(form->Components().IsSelected(dw::HostStringText(pathOrIndex)));
  });
  return selected;
}

int32_t DUSKWIZARD_STDCALL func11(DuskwizardBoolean desktop) {
  int32_t on = 0;
  RunExport([desktop, &on] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      on = dw::BooleanResult(form->Destination().ShortcutSwitch(dw::BooleanArgument(desktop)));
    }
  });
  return on;
}

void DUSKWIZARD_CDECL func12(const void* buffer, int32_t count) {
  RunExport([buffer, count] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      // No buffer or a negative count is no bytes; the decoder then reports its failure.
      const bool usable = buffer != nullptr && count > 0;
      form->Slides().AddFromBytes(usable ? static_cast<const std::uint8_t*>(buffer) : nullptr,
                                  usable ? count : 0);
    }
  });
}

void DUSKWIZARD_CDECL func13(DuskwizardHostString fileName) {
  RunExport([fileName] {
    if (dw::TWizardForm* form = dw::CreatedForm()) {
      form->Slides().AddFromFile(dw::HostStringText(fileName));
    }
  });
}

void DUSKWIZARD_CDECL func14(DuskwizardHostString name) {
  RunExport([name] {
    if (dw::TWizardForm* form = dw::CreatedForm())
      form->Credits().AddLine(0, dw::HostStringText(name));
  });
}

void DUSKWIZARD_CDECL func15(DuskwizardHostString name) {
  RunExport([name] {
    if (dw::TWizardForm* form = dw::CreatedForm())
      form->Credits().AddLine(1, dw::HostStringText(name));
  });
}

}  // extern "C"
