#pragma once
// Joining long replies that the server sends in numbered parts (byte 9 = 0, byte 10 = part
// count, byte 11 = index, payload from byte 12). Parts with an index outside the count, a
// repeated index or a count that differs from the first part's are dropped; a reply whose
// parts stop coming is given up after the reply time-out. Callers hold RconLock.
enum class ReplyPart {
  NotAPart,  // an ordinary datagram: handle it as it is
  Stored,    // kept; the reply is not complete yet
  Dropped,   // malformed or repeated; ignore it
  Joined,    // the last missing part: PacketBuffer now holds the whole reply
};

// Looks at the datagram in PacketBuffer (ReceivedLength bytes).
ReplyPart CollectReplyPart();
// Forgets replies whose first part came more than the reply time-out ago.
void ExpireStaleMultipartReplies();
