// The argument decoding of the exports: host strings with any length prefix the buffer can
// hold, and 8-bit strings in the code pages hosts run under, through the decoders and
// through the exports that take them (func04, func06, func08).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <string>

#include "fuzz/FuzzHost.h"
#include "platform/native/Utf8.h"
#include "plugin/Arguments.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"

namespace {

using dw::fuzz::Check;

constexpr std::array<unsigned, 4> kCodePages = {1252, 1251, 932, 65001};

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool WellFormedUtf16(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLowSurrogate(text[i])) return false;
    if (IsHighSurrogate(text[i])) {
      if (i + 1 >= text.size() || !IsLowSurrogate(text[i + 1])) return false;
      ++i;
    }
  }
  return true;
}

// Strict UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(const std::string& bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      code = lead & 0x07;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= bytes.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000)) return false;
    if (code >= 0xD800 && code <= 0xDFFF) return false;
    if (code > 0x10FFFF) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::u16string Units(FuzzedDataProvider& input, std::size_t maxUnits) {
  const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, maxUnits);
  std::u16string units;
  for (std::size_t i = 0; i < count && input.remaining_bytes() > 0; ++i) {
    units.push_back(input.ConsumeIntegral<char16_t>());
  }
  return units;
}

// A length prefix the buffer can hold: the whole text, part of it, zero or negative.
std::int32_t LengthFor(FuzzedDataProvider& input, const std::u16string& units) {
  const auto size = static_cast<std::int32_t>(units.size());
  switch (input.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      return size;
    case 1:
      return input.ConsumeIntegralInRange<std::int32_t>(0, size);
    case 2:
      return input.ConsumeIntegralInRange<std::int32_t>(INT32_MIN, -1);
    default:
      return 0;
  }
}

std::u16string Expected(const std::u16string& units, std::int32_t length) {
  return length <= 0 ? std::u16string() : units.substr(0, static_cast<std::size_t>(length));
}

void CheckAnsiText(unsigned codePage, const std::string& bytes, const std::u16string& text) {
  Check(text.size() <= bytes.size(), "more code units than bytes");
  Check(WellFormedUtf16(text), "unpaired surrogate in decoded 8-bit text");
  if (codePage == 1252 || codePage == 1251) {
    Check(text.size() == bytes.size(), "a single-byte code page lost or gained characters");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const auto byte = static_cast<unsigned char>(bytes[i]);
      if (byte < 0x80) Check(text[i] == byte, "ASCII byte changed");
    }
  }
  if (codePage == 65001 && ValidUtf8(bytes)) {
    Check(dw::native::Utf16ToUtf8(text) == bytes, "valid UTF-8 did not survive the round trip");
  }
}

dw::fuzz::PluginHost& Host() {
  // One form for the whole run: these exports only replace texts, nothing piles up.
  static dw::fuzz::PluginHost* const host = new dw::fuzz::PluginHost;
  return *host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  dw::fuzz::PluginHost& host = Host();
  host.sim.errors.clear();

  // Host strings: the decoder and func08, which stores both texts.
  const std::u16string nameUnits = Units(input, 2048);
  const std::int32_t nameLength = LengthFor(input, nameUnits);
  const std::u16string spaceUnits = Units(input, 64);
  const std::int32_t spaceLength = LengthFor(input, spaceUnits);
  const auto name = dw::fuzz::HostString(nameUnits, nameLength);
  const auto space = dw::fuzz::HostString(spaceUnits, spaceLength);
  Check(dw::HostStringText(name.get()) == Expected(nameUnits, nameLength), "host string text");
  const bool nullName = input.ConsumeBool();
  func08(nullName ? nullptr : name.get(), space.get());
  Check(dw::State().AppName == (nullName ? u"" : Expected(nameUnits, nameLength)), "AppName");
  Check(dw::State().RequiredSpaceText == Expected(spaceUnits, spaceLength), "RequiredSpaceText");

  // 8-bit strings in one of the code pages, through the decoder, func04 and func06.
  const unsigned codePage = kCodePages[input.ConsumeIntegralInRange<std::size_t>(0, 3)];
  host.sim.codePage = codePage;
  dw::SetAnsiCodePage(codePage);
  const std::string directory = input.ConsumeRandomLengthString(1024).c_str();
  const std::string line1 = input.ConsumeRandomLengthString(512).c_str();
  const std::string line2 = input.ConsumeRandomLengthString(512).c_str();
  const std::u16string directoryText = dw::AnsiCStringText(directory.c_str());
  CheckAnsiText(codePage, directory, directoryText);
  CheckAnsiText(codePage, line1, dw::AnsiCStringText(line1.c_str()));

  func04(directory.c_str());
  auto* edit = host.Form().Find<dw::TEdit>("Edit1");
  Check(edit != nullptr && edit->Text() == directoryText, "Edit1 shows the directory");

  const auto done = input.ConsumeIntegral<std::int32_t>();
  const auto total = input.ConsumeIntegral<std::int32_t>();
  func06(line1.c_str(), input.ConsumeBool() ? nullptr : line2.c_str(), done, total);
  auto* percent = host.Form().Find<dw::TLabel>("Label32");
  Check(percent != nullptr && !percent->Text().empty() && percent->Text().back() == u'%',
        "the percentage ends in %");

  Check(host.sim.errors.empty(), "an export reported an error for plain text");
  return 0;
}
