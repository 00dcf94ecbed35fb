#include "app/player_actions.h"

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "runtime/win32/gui.h"
#include "velorcon/commands.h"
#include "velorcon/connect.h"
#include "velorcon/mailbox.h"
#include "velorcon/rcon_state.h"
#include "velorcon/server_commands.h"

namespace {

constexpr char16_t kProgramTitle[] = u"Velo 2 DUro";
constexpr char16_t kPlayerLeftText[] = u"The selected player has left the server.";

void TellPlayerLeft() { ShowMessage(kProgramTitle, kPlayerLeftText); }

// Fetches the players afresh and looks the GUID up among them.
bool CurrentPlayerNumber(TextView guid, std::int32_t& number) {
  RefreshPlayersAndWait();
  RconLockGuard guard;
  return FindPlayerNumber(Rcon.PlayerRecords, guid, number);
}

// The kicked or banned player's row goes at once, before the server has acted: the row the
// user chose, not the first one with its GUID (a player who joined twice is listed twice). No
// refresh refills the list while the dialog is open, so the row is still where it was; a reset
// meanwhile emptied it, which the GUID check sees.
void RemoveSelectedPlayerRow(TextView guid) {
  const int row = GadgetState(kPlayersList);
  if (row >= 0 && GadgetItemText(kPlayersList, row, kPlayerGuidColumn) == guid) RemoveGadgetItem(kPlayersList, row);
}

enum class PlayerCommand { Queued, PlayerGone, NotConnected };

// Kick and ban: the player's current number, then the command. The check for the connection
// and the queueing are one step under the lock, so that a reset cannot empty the mailbox
// between them and the dialog closes only for a command that will be sent.
PlayerCommand QueuePlayerCommand(CommandCode code, CommandParameters parameters) {
  const Text guid = SelectedPlayerCell(kPlayerGuidColumn);
  RefreshPlayersAndWait();  // returns at once while no server is connected
  {
    RconLockGuard guard;
    // Also when the fetch timed out and reset the window: the player may well still be there.
    if (!ServerConnectedOrSay()) return PlayerCommand::NotConnected;
    if (!FindPlayerNumber(Rcon.PlayerRecords, guid, parameters.CommandTarget)) return PlayerCommand::PlayerGone;
    QueueCommand(code, std::move(parameters));
  }
  RemoveSelectedPlayerRow(guid);
  return PlayerCommand::Queued;
}

// A player who has left disables the dialog's button; without a server the dialog stays as it is.
void FinishPlayerCommand(PlayerCommand outcome, void (*closeDialog)(), int button) {
  if (outcome == PlayerCommand::Queued) closeDialog();
  if (outcome == PlayerCommand::PlayerGone) DisableGadget(button, true);
}

std::int32_t BanMinutes(int permanentOption, int daysField) {
  return GadgetState(permanentOption) == 1 ? 0 : BanMinutesFromDays(GadgetText(daysField));
}

}  // namespace

Text SelectedPlayerCell(int column) {
  const int row = GadgetState(kPlayersList);
  return row >= 0 ? GadgetItemText(kPlayersList, row, column) : Text();
}

bool PlayerStillSelected() {
  if (GadgetState(kPlayersList) >= 0) return true;
  TellPlayerLeft();
  return false;
}

void KickSelectedPlayer() {
  CommandParameters parameters;
  parameters.CommandReason = GadgetText(kKickReasonCombo);
  FinishPlayerCommand(QueuePlayerCommand(kCommandKick, std::move(parameters)), CloseKickDialog, kKickButton);
}

void BanSelectedPlayer() {
  CommandParameters parameters;
  parameters.CommandReason = GadgetText(kBanReasonCombo);
  parameters.BanMinutes = BanMinutes(kBanPermanentOption, kBanDaysField);
  FinishPlayerCommand(QueuePlayerCommand(kCommandBan, std::move(parameters)), CloseBanDialog, kBanButton);
}

void AddBanFromDialog() {
  // The button is disabled meanwhile; a click that reaches it all the same bans nobody.
  if (!HasAddBanTarget(GadgetText(kAddBanTargetField))) return;
  CommandParameters parameters;
  parameters.CommandReason = GadgetText(kAddBanReasonCombo);
  parameters.BanMinutes = BanMinutes(kAddBanPermanentOption, kAddBanDaysField);
  parameters.BanTarget = GadgetText(kAddBanTargetField);
  if (!QueueServerCommand(kCommandAddBan, std::move(parameters))) return;
  CloseAddBanDialog();
}

void BroadcastFromMessageField() {
  CommandParameters parameters;
  parameters.BroadcastText = GadgetText(kMessageField);
  if (parameters.BroadcastText.empty()) return;
  if (!QueueServerCommand(kCommandSayToAll, std::move(parameters))) return;
  SetGadgetText(kMessageField, u"");
}

void MessageSelectedPlayer() {
  if (!PlayerStillSelected()) return;
  const Text guid = SelectedPlayerCell(kPlayerGuidColumn);
  const Text message = AskForText(u"Message - " + SelectedPlayerCell(kPlayerNameColumn), u"Message:", u"");
  if (message.empty()) return;
  std::int32_t number = 0;
  const bool found = CurrentPlayerNumber(guid, number);
  {
    RconLockGuard guard;
    // The server may have gone while the user was typing, or during the fetch.
    if (!ServerConnectedOrSay()) return;
    if (found) {
      SendPrivateMessage(Rcon.ServerConnection, number, message);
      return;
    }
  }
  TellPlayerLeft();
}
