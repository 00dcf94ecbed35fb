#include "velorcon/parsers.h"

#include "runtime/portable/date_mask.h"
#include "velorcon/packets.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"
#include "velorcon/reply_text.h"
#include "runtime/portable/text_ops.h"

namespace {

constexpr std::size_t kGuidLength = 32;

Text TextAfter(Text text, std::size_t dropped) {
  return dropped < text.size() ? text.substr(dropped) : Text{};
}

PlayerRecord ParsePlayerLine(Text rest) {
  PlayerRecord player;
  player.Number = ParseInteger32Text(SplitToken(rest), IntegerBases::Decimal, IntegerRange::Saturate32);
  const Text address = SplitToken(rest);
  player.Ping = ParseInteger32Text(SplitToken(rest), IntegerBases::Decimal, IntegerRange::Saturate32);
  player.GUID = SplitToken(rest).substr(0, kGuidLength);
  player.Name = rest;
  const std::size_t colon = address.find(u':');
  player.IP = address.substr(0, colon);
  player.Port = colon == Text::npos ? 0 : ParseInteger32Text(TextView(address).substr(colon + 1), IntegerBases::Decimal, IntegerRange::Saturate32);
  return player;
}

Text BanExpiry(const Text& minutesLeft) {
  if (minutesLeft == u"perm") return u"permanently";
  return FormatDateMask(u"%dd.%mm.%yyyy - %hh:%ii", LocalDateTimeAfterMinutes(ParseInteger32Text(minutesLeft, IntegerBases::Decimal, IntegerRange::Saturate32)));
}

// The GUID bans: the text up to the line before the first "\nIP Bans", then one LF.
Text GuidBanLines(const Text& text) {
  const std::size_t ipBans = text.find(u"\nIP Bans");
  Text kept = (ipBans == Text::npos || ipBans == 0) ? Text{} : text.substr(0, ipBans - 1);
  return kept + u'\n';
}

}  // namespace

std::int32_t ParsePlayerList(std::int32_t updateView) {
  Rcon.PlayerRecords.clear();
  const Text text = TextAfter(ReplyPayloadText(), kPlayerHeadingLength);
  std::size_t start = 0;
  for (std::size_t lf = text.find(u'\n'); lf != Text::npos; lf = text.find(u'\n', start)) {
    Rcon.PlayerRecords.push_back(ParsePlayerLine(text.substr(start, lf - start)));
    start = lf + 1;
  }
  if (updateView != 0) CurrentRconWindow().RefreshPlayerList(Rcon.PlayerRecords);
  Rcon.PlayersReceived = true;
  return 0;
}

std::int32_t ParseBanList(std::int32_t) {
  RconWindow& window = CurrentRconWindow();
  window.ClearBanRows();
  window.SetListSortSuspended(RconList::Bans, true);
  const Text lines = GuidBanLines(TextAfter(ReplyPayloadText(), kBanHeadingLength));
  std::size_t start = 0;
  for (std::size_t lf = lines.find(u'\n'); lf != Text::npos; lf = lines.find(u'\n', start)) {
    Text rest = lines.substr(start, lf - start);
    start = lf + 1;
    if (rest.empty()) continue;
    SplitToken(rest);  // the server's ban number
    const Text target = SplitToken(rest);
    const Text expiry = BanExpiry(SplitToken(rest));
    window.AppendBanRow(target, expiry, rest);
  }
  window.SetListSortSuspended(RconList::Bans, false);
  return 0;
}

std::int32_t ParseMissionList(std::int32_t) {
  const Text text = ReplyTextFrom(kPayloadOffset + kMissionHeadingBytes);
  RconWindow& window = CurrentRconWindow();
  window.ClearMissionRows();
  window.SetListSortSuspended(RconList::Missions, true);
  std::size_t start = 0;
  for (std::size_t lf = text.find(u'\n'); lf != Text::npos; lf = text.find(u'\n', start)) {
    window.AppendMissionRow(TextView(text).substr(start, lf - start));
    start = lf + 1;
  }
  window.AppendMissionRow(TextView(text).substr(start));
  window.SetListSortSuspended(RconList::Missions, false);
  return 0;
}

std::int32_t IgnoreReply(std::int32_t) { return 0; }
