#include "veloui/skins/builtin_skins.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "veloui/skins/builtin_skin_pictures.h"
#include "veloui/skins/core/builtin_skin_tables.h"
#include "veloui/skins/skin_services.h"

namespace {

// Stands in for the foundation's MixColours until it is there: per channel
// (second * weight + first * (256 - weight)) / 256, weight 0 to 256.
COLORREF MixColours(COLORREF first, COLORREF second, std::uint32_t weight) {
  COLORREF mixed = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t a = (first >> shift) & 0xFF;
    const std::uint32_t b = (second >> shift) & 0xFF;
    mixed |= ((b * weight + a * (256 - weight)) / 256) << shift;
  }
  return mixed;
}

// The embedded pictures, decoded on first use and kept for the life of the program.
std::uintptr_t EmbeddedPicture(std::uint32_t index) {
  static const std::array<HANDLE, kBuiltInSkinPictureCount> decoded = [] {
    std::array<HANDLE, kBuiltInSkinPictureCount> pictures{};
    for (int i = 0; i < kBuiltInSkinPictureCount; ++i) {
      const BuiltInSkinPicture& picture = kBuiltInSkinPictures[i];
      pictures[static_cast<std::size_t>(i)] = MakeSkinImage(
          std::string_view(reinterpret_cast<const char*>(picture.Bytes), picture.Size), 0, 0);
    }
    return pictures;
  }();
  return index < decoded.size() ? reinterpret_cast<std::uintptr_t>(decoded[index]) : 0;
}

// A memory DC with a 32-bit bitmap of the given size selected; GDI leaves alpha at 0, so the
// pixels are made opaque when the drawing is done.
class PictureCanvas {
 public:
  PictureCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (bitmap_ != nullptr) previous_ = SelectObject(dc_, bitmap_);
  }
  ~PictureCanvas() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  PictureCanvas(const PictureCanvas&) = delete;
  PictureCanvas& operator=(const PictureCanvas&) = delete;

  HDC Dc() const { return dc_; }
  RECT Whole() const { return {0, 0, width_, height_}; }
  void Fill(const RECT& area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc_, &area, brush);
    DeleteObject(brush);
  }
  // Hands the bitmap over (opaque), or nullptr when it could not be made.
  std::uintptr_t Finish() {
    if (bitmap_ == nullptr || bits_ == nullptr) return 0;
    GdiFlush();
    for (int i = 0; i < width_ * height_; ++i) bits_[i * 4 + 3] = 0xFF;
    SelectObject(dc_, previous_);
    previous_ = nullptr;
    HBITMAP done = bitmap_;
    bitmap_ = nullptr;
    return reinterpret_cast<std::uintptr_t>(done);
  }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::uint8_t* bits_ = nullptr;
};

UINT FrameStates(std::uint32_t bits) {
  UINT states = 0;
  if (bits & kPicturePressed) states |= DFCS_PUSHED;
  if (bits & kPictureDisabled) states |= DFCS_INACTIVE;
  if (bits & kPictureHot) states |= DFCS_HOT;
  if (bits & (kPictureSelected | kPictureInBetween)) states |= DFCS_CHECKED;
  return states;
}

// A push-button face: the system's frame, its face tinted towards the highlight when hot or
// selected.
std::uintptr_t ButtonFace(std::uint32_t bits) {
  PictureCanvas canvas(24, 24);
  RECT area = canvas.Whole();
  DrawFrameControl(canvas.Dc(), &area, DFC_BUTTON, DFCS_BUTTONPUSH | (bits & kPicturePressed ? DFCS_PUSHED : 0) |
                                                       (bits & kPictureDisabled ? DFCS_INACTIVE : 0));
  std::uint32_t weight = 0;
  if (bits & kPictureHot) weight += 40;
  if (bits & kPictureSelected) weight += 64;
  if (weight != 0) {
    RECT face = area;
    InflateRect(&face, -2, -2);
    canvas.Fill(face, MixColours(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HIGHLIGHT), weight));
  }
  return canvas.Finish();
}

std::uintptr_t Glyph(UINT kind, std::uint32_t bits) {
  PictureCanvas canvas(13, 13);
  RECT area = canvas.Whole();
  FillRect(canvas.Dc(), &area, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(canvas.Dc(), &area, DFC_BUTTON, kind | FrameStates(bits));
  return canvas.Finish();
}

// A splitter gripper: a raised bar on the face colour, lighter when hot, darker when pressed.
std::uintptr_t Gripper(std::uint32_t bits) {
  const bool vertical = (bits & kPictureVertical) != 0;
  PictureCanvas canvas(vertical ? 5 : 30, vertical ? 30 : 5);
  RECT area = canvas.Whole();
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  if (bits & kPictureHot) face = MixColours(face, GetSysColor(COLOR_HIGHLIGHT), 48);
  if (bits & kPicturePressed) face = MixColours(face, GetSysColor(COLOR_BTNSHADOW), 96);
  canvas.Fill(area, face);
  DrawEdge(canvas.Dc(), &area, BDR_RAISEDINNER, BF_RECT);
  return canvas.Finish();
}

std::uintptr_t MakePicture(const SkinPicture& picture) {
  switch (picture.Kind) {
    case SkinPictureKind::Embedded: return EmbeddedPicture(picture.Detail);
    case SkinPictureKind::ButtonFace: return ButtonFace(picture.Detail);
    case SkinPictureKind::RadioGlyph: return Glyph(DFCS_BUTTONRADIO, picture.Detail);
    case SkinPictureKind::CheckGlyph:
      return Glyph((picture.Detail & kPictureInBetween) != 0 ? DFCS_BUTTON3STATE : DFCS_BUTTONCHECK, picture.Detail);
    case SkinPictureKind::Gripper: return Gripper(picture.Detail);
    case SkinPictureKind::None: break;
  }
  return 0;
}

}  // namespace

std::int32_t BuildBuiltInSkin(TextView name) { return BuildBuiltInSkinWith(name, MakePicture); }
