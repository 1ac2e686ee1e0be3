#include "slideshow/Slideshow.h"

#include "form/WizardForm.h"

namespace dw {

// The slideshow is built by a later issue; until then it does nothing.
Slideshow::Slideshow(TWizardForm& form) : form_(form) {}
void Slideshow::AddFromBytes(const std::uint8_t*, std::int32_t) {}
void Slideshow::AddFromFile(const std::u16string&) {}
void Slideshow::Start() {}
void Slideshow::Timer1Timer() {}

}  // namespace dw
