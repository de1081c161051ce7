#!/bin/sh
# Whole games under the heaviest rule sets (two dice counted together and
# apart, eight pieces, pairs with and without partner barriers, every way a
# 6 with everything counts, compulsory capture), N games each (1000), one
# summary line of decision times per set (wall clock and processor time).
# Usage: partidas_pesadas.sh <parchis-texto> [N] [extra options...]
programa=$1
partidas=${2:-1000}
shift 2 2>/dev/null
for cuenta in 1 2; do
    for barrera in "" --barrera-companeros; do
        for seis in 1 2 3; do
            printf 'cuenta %s seis %s %-20s ' "$cuenta" "$seis" "${barrera:-sin-barrera-companeros}"
            "$programa" --partidas "$partidas" --semilla 12 --silencioso --dados 2 --fichas 8 \
                --parejas --comer-obligatorio --cuenta "$cuenta" --seis "$seis" $barrera --tiempo-proceso "$@" |
                awk '/^Partidas por segundo/ { pps = $4 }
                     /^Decisión del ordenador: / { sub(/^Decisión del ordenador: /, ""); d = $0 }
                     /^Decisión del ordenador, tiempo de proceso: / { sub(/^[^:]*: /, ""); c = $0 }
                     END { print pps " partidas/s, reloj: " d "; proceso: " c }'
        done
    done
done
