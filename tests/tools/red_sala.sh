#!/bin/sh
# Play through a room is play on the local network: with the same dice, the
# games through a parchis-sala end with the same digests as direct ones.
# Then a client is cut and started again with the room's code, and play
# goes on.
# Usage: red_sala.sh <parchis-texto> <parchis-sala>
dir=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export SEMILLA=$((1000 + $$ % 5000))
# A listening address that is not IPv4 is told in Spanish, not in the
# system's English.
"$2" --direccion ::1 2>"$tmp/errores"
grep -qF ": no es una dirección IPv4" "$tmp/errores" || { echo "FALLO: $(cat "$tmp/errores")"; exit 1; }
HUELLAS=$tmp/directa sh "$dir/red_extremo.sh" "$1" 2 || exit 1
HUELLAS=$tmp/sala SALA=$2 sh "$dir/red_extremo.sh" "$1" 2 || exit 1
cmp -s "$tmp/directa" "$tmp/sala" || { echo "FALLO: la partida por sala difiere de la directa"; diff "$tmp/directa" "$tmp/sala"; exit 1; }
unset SEMILLA
SALA=$2 sh "$dir/red_extremo.sh" "$1" 3 cortes
