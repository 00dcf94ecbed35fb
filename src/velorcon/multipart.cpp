#include "velorcon/multipart.h"

#include <algorithm>
#include <cstring>

#include "velorcon/packets.h"
#include "velorcon/pending.h"
#include "velorcon/rcon_state.h"

namespace {

constexpr std::size_t kPartHeaderSize = 12;

bool IsReplyPart() {
  const auto& b = Rcon.PacketBuffer;
  return Rcon.ReceivedLength >= static_cast<int>(kPartHeaderSize) && b[0] == 'B' && b[1] == 'E' &&
         b[kTypeOffset] == kPacketCommand && b[9] == 0 && static_cast<std::int8_t>(b[10]) > 0;
}

MultipartReply* FindReply(std::uint8_t sequence) {
  for (MultipartReply& reply : Rcon.MultipartReplies) {
    if (reply.Sequence == sequence) return &reply;
  }
  return nullptr;
}

MultipartReply& StartReply(std::uint8_t sequence, int partCount) {
  MultipartReply& reply = Rcon.MultipartReplies.emplace_back();
  reply.Sequence = sequence;
  reply.PartCount = partCount;
  reply.Parts.resize(static_cast<std::size_t>(partCount));
  reply.FirstTick = CurrentTick();
  return reply;
}

// Puts the joined payload behind the last part's header (bytes 0-8), with a zero after it.
void JoinIntoPacketBuffer(const MultipartReply& reply) {
  auto& buffer = Rcon.PacketBuffer;
  const std::size_t needed = kPayloadOffset + reply.Length + 1;
  if (buffer.size() < needed) buffer.resize(needed, 0);
  std::size_t at = kPayloadOffset;
  for (const auto& part : reply.Parts) {
    if (!part.empty()) std::memcpy(buffer.data() + at, part.data(), part.size());
    at += part.size();
  }
  std::fill(buffer.begin() + static_cast<std::ptrdiff_t>(at), buffer.end(), 0);
  Rcon.ReplyLength = at;
}

}  // namespace

ReplyPart CollectReplyPart() {
  if (!IsReplyPart()) return ReplyPart::NotAPart;
  const auto& b = Rcon.PacketBuffer;
  const std::uint8_t sequence = b[kSequenceOffset];
  const int partCount = b[10];
  const int index = b[11];
  if (index >= partCount) return ReplyPart::Dropped;

  MultipartReply* reply = FindReply(sequence);
  if (reply == nullptr) reply = &StartReply(sequence, partCount);
  if (reply->PartCount != partCount || reply->Received[static_cast<std::size_t>(index)]) {
    return ReplyPart::Dropped;
  }
  const auto first = b.begin() + static_cast<std::ptrdiff_t>(kPartHeaderSize);
  reply->Parts[static_cast<std::size_t>(index)].assign(first, first + (Rcon.ReceivedLength - 12));
  reply->Received.set(static_cast<std::size_t>(index));
  reply->Length += static_cast<std::size_t>(Rcon.ReceivedLength) - kPartHeaderSize;
  if (++reply->ReceivedCount < reply->PartCount) return ReplyPart::Stored;

  JoinIntoPacketBuffer(*reply);
  Rcon.MultipartReplies.remove_if([reply](const MultipartReply& r) { return &r == reply; });
  return ReplyPart::Joined;
}

void ExpireStaleMultipartReplies() {
  const TickCount now = CurrentTick();
  Rcon.MultipartReplies.remove_if(
      [now](const MultipartReply& r) { return ElapsedTicks(r.FirstTick, now) > kReplyTimeoutMs; });
}
