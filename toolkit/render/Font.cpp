#include "toolkit/render/Font.h"

#include "platform/Platform.h"
#include "toolkit/render/FontFace.h"
#include "toolkit/render/Utf16.h"

namespace dw {

float Font::MeasureWidth(const std::u16string& text) const {
  if (!face_) return 0;
  const long long units = face_->MeasureUnits(DecodeUtf16(text));
  return static_cast<float>(units) * face_->ScaleForEm(size_);
}

float Font::LineHeight() const {
  if (!face_) return 0;
  return static_cast<float>(face_->Ascent() - face_->Descent() + face_->LineGap()) *
         face_->ScaleForEm(size_);
}

float Font::Ascent() const {
  if (!face_) return 0;
  return static_cast<float>(face_->Ascent()) * face_->ScaleForEm(size_);
}

Font FontCache::Get(const FontSpec& spec) {
  const Key key{spec.family, spec.bold};
  auto found = faces_.find(key);
  if (found != faces_.end()) return Font(found->second, spec.size);
  FontSource* source = CurrentPlatform().fonts;
  if (!source) return Font(nullptr, spec.size);
  // A family the source cannot find is remembered too, so that each frame does not search
  // for it again.
  std::shared_ptr<FontFace> face = FontFace::Create(source->Load(spec.family, spec.bold));
  if (face && spec.family != FontSource::kFallbackFamily) {
    face->SetFallback(
        [this, fallback = FontSpec{FontSource::kFallbackFamily, spec.size, spec.bold}] {
          return Get(fallback).SharedFace();
        });
  }
  faces_.emplace(key, face);
  return Font(std::move(face), spec.size);
}

void FontCache::Clear() {
  faces_.clear();
}

FontCache& Fonts() {
  static FontCache cache;
  return cache;
}

}  // namespace dw
