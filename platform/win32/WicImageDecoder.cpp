#include "platform/win32/WicImageDecoder.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/win32/WinInclude.h"
// After WinInclude.h: the COM headers need <windows.h> first. initguid.h makes this unit
// define the codec GUIDs it uses, so the library needs no import library for them.
#include <initguid.h>
#include <objbase.h>
#include <wincodec.h>

namespace dw {

namespace {

// Pictures beyond this many pixels are refused rather than risk exhausting the host's
// address space (a 32-bit process has 2 GB): 16384 x 16384 at 4 bytes is 1 GB already.
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

// A picture larger than its box and than this is scaled by the codec while it is decoded,
// so that it is never held whole: 64 MB of pixels at most. Smaller ones are decoded whole
// and reduced by the slideshow, as they always were.
constexpr std::uint64_t kMostPixelsDecodedWhole = 16ull * 1024 * 1024;

template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() {
    if (pointer_) pointer_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  Interface** Out() { return &pointer_; }
  Interface* operator->() const { return pointer_; }
  Interface* Get() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// The size at which a picture fits the box keeping its proportions, rounded as the
// slideshow's own reduction rounds it, so that the slideshow takes it as it is.
void FitSize(UINT width, UINT height, int boxWidth, int boxHeight, UINT& fitWidth,
             UINT& fitHeight) {
  const double fit =
      std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
  fitWidth = static_cast<UINT>(std::clamp(static_cast<int>(std::lround(width * fit)), 1, boxWidth));
  fitHeight =
      static_cast<UINT>(std::clamp(static_cast<int>(std::lround(height * fit)), 1, boxHeight));
}

std::optional<Bitmap> ReadFirstFrame(IWICImagingFactory* factory, IWICBitmapDecoder* decoder,
                                     int boxWidth, int boxHeight) {
  ComPtr<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Out()))) return std::nullopt;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0) return std::nullopt;

  // A very large picture goes through a scaler, which reads the frame a band at a time.
  IWICBitmapSource* source = frame.Get();
  ComPtr<IWICBitmapScaler> scaler;
  const bool larger =
      boxWidth > 0 && boxHeight > 0 &&
      (width > static_cast<UINT>(boxWidth) || height > static_cast<UINT>(boxHeight));
  if (larger && static_cast<std::uint64_t>(width) * height > kMostPixelsDecodedWhole) {
    UINT fitWidth = 0, fitHeight = 0;
    FitSize(width, height, boxWidth, boxHeight, fitWidth, fitHeight);
    if (FAILED(factory->CreateBitmapScaler(scaler.Out())) ||
        FAILED(
            scaler->Initialize(frame.Get(), fitWidth, fitHeight, WICBitmapInterpolationModeFant))) {
      return std::nullopt;
    }
    source = scaler.Get();
  }

  ComPtr<IWICFormatConverter> converter;
  if (FAILED(factory->CreateFormatConverter(converter.Out()))) return std::nullopt;
  if (FAILED(converter->Initialize(source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                   nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0) {
    return std::nullopt;
  }
  const std::uint64_t pixels = static_cast<std::uint64_t>(width) * height;
  if (pixels > kMaxPixels || width > static_cast<UINT>(std::numeric_limits<int>::max() / 4)) {
    return std::nullopt;
  }
  Bitmap bitmap;
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.pixels.resize(static_cast<std::size_t>(pixels));
  // BGRA bytes in memory are 0xAARRGGBB little-endian words.
  const UINT stride = width * 4;
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(pixels * 4),
                                   reinterpret_cast<BYTE*>(bitmap.pixels.data())))) {
    return std::nullopt;
  }
  return bitmap;
}

}  // namespace

// The factory is never released: this runs at unload, inside DllMain, where calling into
// another library (which may already be detached at process exit) is unsafe. Keeping one
// reference only keeps the codec library loaded.
WicImageDecoder::~WicImageDecoder() = default;

IWICImagingFactory* WicImageDecoder::Factory() {
  if (factory_ || factory_failed_) return factory_;
  // S_FALSE and RPC_E_CHANGED_MODE both leave COM usable on this thread; the host keeps
  // whatever apartment it chose.
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)init;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, reinterpret_cast<void**>(&factory_)))) {
    factory_ = nullptr;
    factory_failed_ = true;
  }
  return factory_;
}

std::optional<Bitmap> WicImageDecoder::Decode(const std::uint8_t* bytes, std::size_t count) {
  return DecodeToFit(bytes, count, 0, 0);
}

std::optional<Bitmap> WicImageDecoder::DecodeFile(const std::u16string& fileName) {
  return DecodeFileToFit(fileName, 0, 0);
}

std::optional<Bitmap> WicImageDecoder::DecodeToFit(const std::uint8_t* bytes, std::size_t count,
                                                   int fitWidth, int fitHeight) {
  if (!bytes || count == 0 || count > std::numeric_limits<DWORD>::max()) return std::nullopt;
  IWICImagingFactory* factory = Factory();
  if (!factory) return std::nullopt;
  // The stream reads the caller's bytes in place; they outlive the decoder below.
  ComPtr<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Out()))) return std::nullopt;
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(count)))) {
    return std::nullopt;
  }
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.Out()))) {
    return std::nullopt;
  }
  return ReadFirstFrame(factory, decoder.Get(), fitWidth, fitHeight);
}

std::optional<Bitmap> WicImageDecoder::DecodeFileToFit(const std::u16string& fileName, int fitWidth,
                                                       int fitHeight) {
  // The system reads a name only up to its first NUL: a name with one in it would open
  // some other file.
  if (fileName.empty() || fileName.find(u'\0') != std::u16string::npos) return std::nullopt;
  IWICImagingFactory* factory = Factory();
  if (!factory) return std::nullopt;
  ComPtr<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(win32::Wide(fileName), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.Out()))) {
    return std::nullopt;
  }
  return ReadFirstFrame(factory, decoder.Get(), fitWidth, fitHeight);
}

}  // namespace dw
