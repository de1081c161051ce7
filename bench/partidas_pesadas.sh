#!/bin/sh
# Whole games under the heaviest rule sets (two dice counted together and
# apart, eight pieces, pairs with and without partner barriers, every way a
# 6 with everything counts, compulsory capture), N games each (1000), one
# summary line of decision times per set (wall clock and processor time).
# This machine now and then stops a program for 100 ms, which lands on
# whatever decision runs then; so every set is played twice, and its
# slowest decision is the slowest of those over 5 ms in both runs, each
# taken at its shorter time ("repetida").
# Usage: partidas_pesadas.sh <parchis-texto> [N] [extra options...]
programa=$1
partidas=${2:-1000}
shift 2 2>/dev/null
juega() {
    "$programa" --partidas "$partidas" --semilla 12 --silencioso --dados 2 --fichas 8 \
        --parejas --comer-obligatorio --cuenta "$cuenta" --seis "$seis" $barrera --tiempo-proceso "$@"
}
for cuenta in 1 2; do
    for barrera in "" --barrera-companeros; do
        for seis in 1 2 3; do
            printf 'cuenta %s seis %s %-20s ' "$cuenta" "$seis" "${barrera:-sin-barrera-companeros}"
            { juega "$@"; echo "=== segunda"; juega "$@"; } |
                awk '/^=== segunda/ { segunda = 1; next }
                     /^Partidas por segundo/ && !segunda { pps = $4 }
                     /^Decisión del ordenador: / && !segunda { sub(/^Decisión del ordenador: /, ""); d = $0 }
                     /^Decisión del ordenador, tiempo de proceso: / && !segunda { sub(/^[^:]*: /, ""); c = $0 }
                     /^Decisión lenta: / {
                         n = $3; ms = $(NF - 3) + 0
                         if (!segunda) { t[n] = ms; donde[n] = $4 " " $5 " " $6 " " $7; sub(/,$/, "", donde[n]) }
                         else if (n in t) { m = ms < t[n] ? ms : t[n]; if (m > peor) { peor = m; dp = donde[n] } }
                     }
                     END { r = peor > 0 ? sprintf("%.3f ms %s", peor, dp) : "ninguna de más de 5 ms"
                           print pps " partidas/s, reloj: " d "; proceso: " c "; peor repetida: " r }'
        done
    done
done
