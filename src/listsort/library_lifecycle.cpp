// Start-up and shutdown of the library, the header image list with its two arrows, and the
// choice between themed and image arrows.
#include "listsort/core/arrow_bitmaps.h"
#include "listsort/list_sort_state.h"

#include <cstring>

namespace {

constexpr std::size_t kFileHeaderSize = 14;

// Our own arrow files are the only bitmaps read here; they are still checked before use.
HBITMAP BitmapFromFile(const std::vector<std::uint8_t>& file) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD palette[256];
  } info{};
  if (file.size() < kFileHeaderSize + sizeof info) return nullptr;
  std::memcpy(&info, file.data() + kFileHeaderSize, sizeof info);
  std::uint32_t pixelOffset = 0;
  std::memcpy(&pixelOffset, file.data() + 10, sizeof pixelOffset);
  const std::size_t pixelBytes = static_cast<std::size_t>(info.header.biWidth) * info.header.biHeight;
  if (info.header.biBitCount != 8 || pixelOffset > file.size() || file.size() - pixelOffset < pixelBytes) {
    return nullptr;
  }
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, file.data() + pixelOffset,
                                  reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// Headers must not keep an image list that is about to be destroyed.
void DetachHeaderImages() {
  ListSortGlobals& state = ListSort;
  for (const SortableListRecord& record : state.records) {
    if (record.listWindow == nullptr) continue;
    HWND header = reinterpret_cast<HWND>(SendMessageW(record.listWindow, LVM_GETHEADER, 0, 0));
    if (header != nullptr &&
        reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0)) == state.headerImages) {
      SendMessageW(header, HDM_SETIMAGELIST, 0, 0);
    }
  }
}

int AddSortArrowImageOnGuiThread(HANDLE image) {
  ListSortGlobals& state = ListSort;
  if (state.headerImages == nullptr) {
    state.headerImages = ImageList_Create(kArrowSide, kArrowSide, ILC_COLOR32 | ILC_MASK, 1, 1);
  }
  if (state.headerImages == nullptr || image == nullptr) return 0;
  const int index = GetObjectType(image) == OBJ_BITMAP
                        ? ImageList_Add(state.headerImages, static_cast<HBITMAP>(image), nullptr)
                        : ImageList_ReplaceIcon(state.headerImages, -1, static_cast<HICON>(image));
  return index >= 0 ? 1 : 0;
}

int SetThemedSortDrawingOnGuiThread(int flag) {
  using IsThemeActiveProcedure = BOOL(WINAPI*)();
  BOOL active = FALSE;
  if (HMODULE uxTheme = LoadLibraryW(L"UxTheme.dll")) {
    const auto isThemeActive =
        reinterpret_cast<IsThemeActiveProcedure>(GetProcAddress(uxTheme, "IsThemeActive"));
    if (isThemeActive != nullptr) active = isThemeActive();
    FreeLibrary(uxTheme);
  }
  ListSort.themed = active ? flag : 0;
  return ListSort.themed;
}

}  // namespace

// Not handed to the GUI thread like the other entries: after an error report the end routine
// runs on a thread of its own, and the GUI thread may be the one that failed. What goes to the
// headers is sent, so the GUI thread serves it while it waits for the end; the image list and
// the bitmaps may be freed on any thread; the hand-off window goes with the process.
void ShutdownListSortLibrary() {
  ListSortGlobals& state = ListSort;
  DetachHeaderImages();
  state.records.clear();
  for (HBITMAP& bitmap : state.arrowBitmaps) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    bitmap = nullptr;
  }
  if (state.headerImages != nullptr) ImageList_Destroy(state.headerImages);
  state.headerImages = nullptr;
  state.themed = 0;
  state.suspended = false;
  state.current = CurrentSort{};
  state.click = ClickInProgress{};
  state.handOff.Destroy();
}

void InitListSortLibrary() {
  ShutdownListSortLibrary();
  ListSortGlobals& state = ListSort;
  state.handOff.Create();
  state.arrowBitmaps[0] = BitmapFromFile(ArrowBitmapFile(ArrowDirection::Ascending));
  state.arrowBitmaps[1] = BitmapFromFile(ArrowBitmapFile(ArrowDirection::Descending));
  for (HBITMAP bitmap : state.arrowBitmaps) AddSortArrowImageOnGuiThread(bitmap);
}

int AddSortArrowImage(HANDLE image) {
  return OnGuiThread([&] { return AddSortArrowImageOnGuiThread(image); });
}

int SetThemedSortDrawing(int flag) {
  return OnGuiThread([&] { return SetThemedSortDrawingOnGuiThread(flag); });
}
