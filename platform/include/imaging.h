// The imaging component: decodes picture files and draws them scaled into a rectangle.
#pragma once

#include <objbase.h>

// {327ABDA8-072B-11D3-9D7B-0000F81EF32E}
inline constexpr CLSID CLSID_ImagingFactory = {
    0x327abda8, 0x072b, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
// {327ABDA7-072B-11D3-9D7B-0000F81EF32E}
inline constexpr IID IID_IImagingFactory = {
    0x327abda7, 0x072b, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
// {327ABDA9-072B-11D3-9D7B-0000F81EF32E}
inline constexpr IID IID_IImage = {0x327abda9, 0x072b, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

struct ImageInfo {
  UINT Width;
  UINT Height;
};

struct IImage : IUnknown {
  virtual HRESULT GetImageInfo(ImageInfo* info) = 0;
  // Draws the whole picture (or srcRect of it, in pixels) scaled into dstRect.
  virtual HRESULT Draw(HDC hdc, const RECT* dstRect, const RECT* srcRect) = 0;

 protected:
  ~IImage() = default;
};

struct IImagingFactory : IUnknown {
  virtual HRESULT CreateImageFromFile(LPCWSTR fileName, IImage** image) = 0;

 protected:
  ~IImagingFactory() = default;
};
