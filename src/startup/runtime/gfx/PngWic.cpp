// SPDX-FileCopyrightText: 2026 Quillon Solutions
// SPDX-License-Identifier: Apache-2.0

// The Windows PNG decoder: the Windows Imaging Component through COM. The v1
// factory serves every Windows from 7 on. windowscodecs.dll is reached only
// through COM, never imported, so the program still imports nothing but known
// system libraries. The decoder works in the one COM apartment that the process
// joins first thing (win32/Com.h) and never joins or leaves one itself; on a
// thread outside an apartment it decodes nothing.
#include <windows.h>
#include <wincodec.h>

#include <cstdint>

#include "Png.h"

namespace gfx {

namespace {

// Holds one reference to a COM object and releases it.
template <typename Interface>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (object_ != nullptr) object_->Release();
  }
  Interface** Put() { return &object_; }
  void** PutVoid() { return reinterpret_cast<void**>(&object_); }
  Interface* operator->() const { return object_; }
  Interface* Get() const { return object_; }

 private:
  Interface* object_ = nullptr;
};

}  // namespace

std::optional<Bitmap> DecodePng(const unsigned char* bytes, std::size_t size) {
  if (bytes == nullptr || size == 0 || size > MAXDWORD) return std::nullopt;
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory1, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              factory.PutVoid()))) {
    return std::nullopt;
  }
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Put())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size)))) {
    return std::nullopt;
  }
  // The PNG decoder itself, not whichever decoder claims the bytes.
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr, decoder.Put())) ||
      FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand))) {
    return std::nullopt;
  }
  ComRef<IWICBitmapFrameDecode> frame;
  ComRef<IWICFormatConverter> converter;
  if (FAILED(decoder->GetFrame(0, frame.Put())) || FAILED(factory->CreateFormatConverter(converter.Put())) ||
      FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr, 0.0,
                                   WICBitmapPaletteTypeCustom))) {
    return std::nullopt;
  }
  UINT width = 0;
  UINT height = 0;
  if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > kLargestPngSide ||
      height > kLargestPngSide) {
    return std::nullopt;
  }
  // CopyPixels counts the buffer in 32-bit bytes.
  if (std::uint64_t{width} * height * sizeof(Pixel) > MAXUINT) return std::nullopt;
  Bitmap bitmap(static_cast<int>(width), static_cast<int>(height));
  // Blue, green, red and a fourth byte in memory: the bitmap's own layout.
  const UINT stride = width * sizeof(Pixel);
  if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(bitmap.ByteSize()),
                                   reinterpret_cast<BYTE*>(bitmap.Data())))) {
    return std::nullopt;
  }
  Pixel* pixel = bitmap.Data();
  for (std::size_t i = 0, count = bitmap.ByteSize() / sizeof(Pixel); i < count; ++i) pixel[i] &= 0x00FFFFFFu;
  return bitmap;
}

}  // namespace gfx
