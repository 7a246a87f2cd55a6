#!/bin/sh
# The game server fixture's server on the map file TARVEX_QWSERVER_MAP names,
# as MVDSV for ../shared/qwserver/start-qwserver.sh: that script writes a map of
# its own into the game folder and starts the server in the server's folder;
# this puts the given file in its place first, so that the server and a client
# load the same bytes (and agree on the map's checksum).
set -eu
for map in ktx/maps/*.bsp; do
    cp "$TARVEX_QWSERVER_MAP" "$map"
done
exec /usr/games/mvdsv "$@"
