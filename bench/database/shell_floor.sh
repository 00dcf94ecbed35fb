#!/bin/sh
# The floor for database_bench: the same work done by the sqlite3 command-line shell alone, on
# the files database_bench leaves in its folder (run the benchmark first).
#   bench/database/shell_floor.sh [folder]
set -eu
folder=${1:-${TMPDIR:-/tmp}/velo-database-bench}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seconds() { date +%s.%N; }
elapsed_ms() { echo "($2 - $1) * 1000 / $3" | bc -l | xargs printf '%.2f'; }

# One refresh: 100 players looked up and their date moved on, in one transaction; as the
# benchmark does, spread over the table.
refreshes=200
for rows in 10000 100000 1000000; do
  cp "$folder/players-$rows.db" "$work/refresh.db"
  sqlite3 "$work/refresh.db" \
    "CREATE INDEX IF NOT EXISTS PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)"
  awk -v rows="$rows" -v refreshes="$refreshes" 'BEGIN {
    for (r = 0; r < refreshes; r++) {
      print "BEGIN IMMEDIATE;"
      for (p = 0; p < 100; p++) {
        x = p * int(rows / 100) + r % 7
        key = sprintf("NAME='\''player%d'\'' AND GUID='\''%032x'\'' AND IP='\''%d.%d.%d.7'\'' AND SERVER='\''server%d.example:2302'\''",
                      x, int(int(x / 3)), x % 250 + 1, int(x / 250) % 250, int(x / 62500) % 250, x % 5)
        print "SELECT 1 FROM PLAYERS WHERE " key " LIMIT 1;"
        print "UPDATE PLAYERS SET DATE='\''01.01.2024 10:" 10 + r % 50 "'\'' WHERE " key ";"
      }
      print "COMMIT;"
    }
  }' > "$work/refresh.sql"
  start=$(seconds)
  sqlite3 "$work/refresh.db" < "$work/refresh.sql" > /dev/null
  echo "refresh of 100 players, $rows rows: $(elapsed_ms "$start" "$(seconds)" $refreshes) ms"
done

start=$(seconds)
sqlite3 "$folder/players-1000000.db" "SELECT * FROM PLAYERS" > /dev/null
echo "read of 1000000 rows: $(elapsed_ms "$start" "$(seconds)" 1) ms"

cp "$folder/own-100000.db" "$work/import.db"
sqlite3 "$work/import.db" \
  "CREATE INDEX IF NOT EXISTS PLAYERS_LOOKUP ON PLAYERS (NAME, GUID, IP, SERVER)"
start=$(seconds)
sqlite3 "$work/import.db" "ATTACH '$folder/other-100000.db' AS other; BEGIN;
  UPDATE PLAYERS SET DATE = o.DATE FROM other.PLAYERS o WHERE PLAYERS.NAME = o.NAME
    AND PLAYERS.GUID = o.GUID AND PLAYERS.IP = o.IP AND PLAYERS.SERVER = o.SERVER;
  INSERT INTO PLAYERS SELECT * FROM other.PLAYERS o WHERE NOT EXISTS (SELECT 1 FROM PLAYERS p
    WHERE p.NAME = o.NAME AND p.GUID = o.GUID AND p.IP = o.IP AND p.SERVER = o.SERVER);
  COMMIT;"
echo "import of 100000 rows: $(elapsed_ms "$start" "$(seconds)" 1) ms"
