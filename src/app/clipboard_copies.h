#pragma once
// The copies the pop-up menus offer: the log, a row or cell of the players list, a row or
// cell of the database list. Each replaces the clipboard with one text whose cells and lines
// are joined by CR LF, without a line end at the end. GUI thread only.

void CopyLogToClipboard();
// 0 the whole selected row, 1 name, 2 IP, 3 GUID; anything else copies nothing.
void CopyPlayerSelection(int what);
// 0 the whole selected row, 1 name, 2 GUID, 3 IP, 4 server; anything else copies nothing.
void CopyDatabaseSelection(int what);
