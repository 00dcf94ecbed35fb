#include "veloui/foundation/coded_text.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/skins/panelex/panelex_support.h"

void InstallPanelExHooks() {
  InstallTextAlphaRepair(&RepairPanelExTextAlpha);
  InstallPageLayoutRefresh(&RefreshPanelExPageLayout);
  InstallPageAlphaChange(&SetPanelExPageAlpha);
}
