#include "listsort/header_marks.h"

#include "runtime/win32/platform/wide_text.h"

namespace {

constexpr int kHeadingBuffer = 256;

struct HeaderItem {
  HWND header = nullptr;
  int format = 0;
  Text text;
};

// The header item's own format and text. Reading the header rather than the list's column
// keeps HDF_STRING: a format written back without it would make the heading vanish.
bool ReadHeaderItem(HWND list, int column, HeaderItem& item) {
  item.header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (item.header == nullptr) return false;
  wchar_t buffer[kHeadingBuffer] = {};
  HDITEMW read{};
  read.mask = HDI_FORMAT | HDI_TEXT;
  read.pszText = buffer;
  read.cchTextMax = kHeadingBuffer;
  if (!SendMessageW(item.header, HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&read))) return false;
  buffer[kHeadingBuffer - 1] = L'\0';
  item.format = read.fmt | HDF_STRING;
  item.text = FromWide(read.pszText != nullptr ? read.pszText : buffer);
  return true;
}

void WriteHeaderItem(int column, HeaderItem& item, int image, bool withImage) {
  HDITEMW write{};
  write.mask = HDI_FORMAT | HDI_TEXT | (withImage ? HDI_IMAGE : 0);
  write.fmt = item.format;
  write.pszText = WideBuffer(item.text);
  write.iImage = image;
  SendMessageW(item.header, HDM_SETITEMW, column, reinterpret_cast<LPARAM>(&write));
}

}  // namespace

void SetSortIndicator(HWND list, int column, bool descending, int extraFormat) {
  const ListSortGlobals& state = ListSort;
  HeaderItem item;
  if (!ReadHeaderItem(list, column, item)) return;
  item.format |= extraFormat;
  if (state.themed != 0) {
    item.format &= ~(HDF_SORTUP | HDF_SORTDOWN);
    item.format |= descending ? HDF_SORTDOWN : HDF_SORTUP;
    WriteHeaderItem(column, item, 0, false);
  } else if (state.headerImages != nullptr) {
    item.format |= HDF_IMAGE;
    WriteHeaderItem(column, item, descending ? 1 : 0, true);
  }
}

void ClearSortIndicator(HWND list, int column) {
  HeaderItem item;
  if (!ReadHeaderItem(list, column, item)) return;
  item.format &= ~HDF_IMAGE;
  if (ListSort.themed != 0) item.format &= ~(HDF_SORTUP | HDF_SORTDOWN);
  WriteHeaderItem(column, item, 0, false);
}

Text ReadColumnHeading(HWND list, int column) {
  wchar_t buffer[kHeadingBuffer] = {};
  LVCOLUMNW read{};
  read.mask = LVCF_TEXT;
  read.pszText = buffer;
  read.cchTextMax = kHeadingBuffer;
  if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&read))) return Text();
  buffer[kHeadingBuffer - 1] = L'\0';
  return FromWide(read.pszText != nullptr ? read.pszText : buffer);
}

void WriteColumnHeading(HWND list, int column, const Text& heading) {
  Text copy = heading;
  LVCOLUMNW write{};
  write.mask = LVCF_TEXT;
  write.pszText = WideBuffer(copy);
  SendMessageW(list, LVM_SETCOLUMNW, column, reinterpret_cast<LPARAM>(&write));
}

Text MarkedHeading(const Text& heading, bool descending) {
  return descending ? u"\u00BB " + heading + u" \u00AB" : u"\u00AB " + heading + u" \u00BB";
}
