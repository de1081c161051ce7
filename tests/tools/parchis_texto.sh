#!/bin/sh
# The terminal tool refuses what it cannot do: options without their value,
# values out of range, a history or an output it cannot write, a file with no
# game to analyse; stopped by a signal it leaves no temporary folder behind;
# the analysis of a saved game repeats with its seed.
# Usage: parchis_texto.sh <parchis-texto>
programa=$1
guardada=$(cd "$(dirname "$0")" && pwd)/partida_media.par
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
cd "$trabajo" || exit 1
fallos=0

# espera <exit code> <text expected in the errors> <options...>
espera() {
    codigo=$1 texto=$2
    shift 2
    "$programa" "$@" >/dev/null 2>errores
    real=$?
    if [ "$real" -ne "$codigo" ] || ! grep -qF -- "$texto" errores; then
        echo "FALLO: $* -> $real ($(cat errores)), se esperaba $codigo y \"$texto\""
        fallos=$((fallos + 1))
    fi
}

espera 2 "--carpeta necesita un valor" --carpeta --silencioso
espera 2 "--nivel necesita un valor" --nivel
espera 2 "--partidas admite de 1 a 100000000" --partidas 0
espera 2 "--semilla admite de 0 a 2000000000" --semilla -1
espera 2 "--administrador admite de 1 a 3" --administrador 4
espera 2 "--cliente necesita --puesto-propio" --cliente 127.0.0.1
: > fichero
espera 1 "no se puede escribir el histórico" --silencioso --carpeta fichero/sub
[ -e ./--silencioso ] && { echo "FALLO: se creó la carpeta --silencioso"; fallos=$((fallos + 1)); }

"$programa" --silencioso --semilla 1 >/dev/full 2>errores
[ $? -ne 0 ] && grep -qF "no se ha podido escribir la salida" errores ||
    { echo "FALLO: salida a /dev/full"; fallos=$((fallos + 1)); }

for senal in TERM INT; do
    mkdir "tmp$senal"
    TMPDIR="$trabajo/tmp$senal" "$programa" --silencioso --partidas 100000000 >/dev/null &
    pid=$!
    sleep 1
    kill -s "$senal" "$pid"
    wait "$pid"
    if [ -n "$(ls "tmp$senal")" ]; then
        echo "FALLO: tras SIG$senal queda $(ls "tmp$senal")"
        fallos=$((fallos + 1))
    fi
done

# The decision times of the summary: the mean, the 99th and 99.9th
# percentiles and the worst, the percentiles in order and none past the worst.
"$programa" --silencioso --semilla 3 --partidas 20 --dados 2 --fichas 8 >salida
awk '/^Decisión/ { gsub(/ms,/, "ms"); gsub(/,/, "."); for (i = 1; i <= NF; ++i) if ($i == "ms") t[++n] = $(i - 1) }
     END { exit !(n >= 4 && t[2] + 0 <= t[3] + 0 && t[3] + 0 <= t[4] + 0 && t[1] + 0 <= t[4] + 0) }' salida ||
    { echo "FALLO: tiempos de decisión: $(grep Decisión salida)"; fallos=$((fallos + 1)); }

# A saved game at move 82 with the default rules; all but the time repeats.
"$programa" --analiza "$guardada" --semilla 5 | sed 's/ en [0-9.]* s:/:/' >analisis1 &&
    "$programa" --analiza "$guardada" --semilla 5 | sed 's/ en [0-9.]* s:/:/' >analisis2 &&
    cmp -s analisis1 analisis2 &&
    grep -q "Posibilidades de ganar" analisis1 && [ "$(grep -c ' % ± ' analisis1)" -eq 4 ] ||
    { echo "FALLO: --analiza: $(cat analisis1)"; fallos=$((fallos + 1)); }
head -c 1000 "$guardada" >cortada
espera 1 "no contiene una partida en juego" --analiza cortada
espera 1 "no se puede leer" --analiza no-existe

[ "$fallos" -eq 0 ] && echo "parchis-texto: todo correcto"
exit "$fallos"
