#include "app/save_settings.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"

#include "app/files/settings.h"
#include "runtime/win32/gui.h"

namespace {

template <std::size_t N>
void ReadColumnWidths(int list, std::array<std::int32_t, N>& widths) {
  for (std::size_t i = 0; i < N; ++i) widths[i] = GadgetColumnWidth(list, static_cast<int>(i));
}

}  // namespace

void SaveSettings() {
  GuiSettingsRecord values = AppSettings.GuiSettings;
  values.WindowState = WindowState(0);
  values.Splitter = GadgetState(kSplitterGadget);
  ReadColumnWidths(kPlayersList, values.PlayerListColumn);
  ReadColumnWidths(kBansList, values.BanListColumn);
  values.MissionListColumn = GadgetColumnWidth(kMissionsList, 0);
  ReadColumnWidths(kDatabaseList, values.DataBaseListColumn);
  WriteGuiSettings(values);
}
