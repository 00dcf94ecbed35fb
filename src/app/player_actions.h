#pragma once
// What the Kick, Ban and Add Ban buttons and the "Send Message" item do. Kick, ban and the
// message first fetch the players afresh, so that the server's current number of the selected
// player (found by its GUID) is used; the command then goes through the mailbox, except the
// message, which is sent at once. GUI thread only.
#include "runtime/portable/text.h"

inline constexpr int kPlayerNameColumn = 0;
inline constexpr int kPlayerGuidColumn = 6;

// A cell of the selected row of the players list; "" when no row is selected.
Text SelectedPlayerCell(int column);
// The pop-up menu's actions start here: a refresh keeps the selected player selected while
// the player is on the server, so no selected row means the player left. Then the user is
// told so, and the result is false.
bool PlayerStillSelected();

// While no server is connected none of these sends or closes anything: the log says so, and
// the dialog and the typed text stay for the user.
// Button 57 of the Kick dialog. A player who has left disables the button instead.
void KickSelectedPlayer();
// Button 31 of the Ban dialog; permanent or for the days typed.
void BanSelectedPlayer();
// Button 66 of the Add Ban dialog; the target is taken as typed, but a blank one sends nothing.
void AddBanFromDialog();
// Return in the message field: its text goes to all players and the field is emptied; an
// empty field sends nothing.
void BroadcastFromMessageField();
// Asks for the text; an empty answer sends nothing, and a player who has left is reported.
void MessageSelectedPlayer();
