#!/bin/sh
# The terminal tool refuses what it cannot do: options without their value,
# values out of range, a history or an output it cannot write, a port it
# cannot listen on (said even when silent), a file with no game to analyse;
# a caller that hangs up before the game is no reason to stop;
# stopped by a signal, in network play too, it leaves no temporary folder
# behind; the analysis of a saved game repeats with its seed.
# Usage: parchis_texto.sh <parchis-texto>
programa=$1
guardada=$(cd "$(dirname "$0")" && pwd)/partida_media.par
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
cd "$trabajo" || exit 1
fallos=0
PARCHIS_DESPLAZAMIENTO_PUERTOS=-$((10000 + ($$ % 3000) * 5))
export PARCHIS_DESPLAZAMIENTO_PUERTOS

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
espera 2 "--analiza necesita un valor" --analiza ""
espera 2 "--parejas necesita a los cuatro jugadores" --parejas --desactiva 3
espera 2 "--cliente necesita un valor" --cliente "" --puesto-propio 1
espera 2 "--partidas admite de 1 a 100000000" --partidas 0
espera 2 "--semilla admite de 0 a 2000000000" --semilla -1
espera 2 "--administrador admite de 1 a 3" --administrador 4
espera 2 "--cliente necesita --puesto-propio" --cliente 127.0.0.1
espera 2 "--sala admite SERVIDOR o SERVIDOR:PUERTO" --sala 127.0.0.1:99999 --administrador 1
: > fichero
espera 1 "no se puede escribir el histórico" --silencioso --carpeta fichero/sub
[ -e ./--silencioso ] && { echo "FALLO: se creó la carpeta --silencioso"; fallos=$((fallos + 1)); }

for opciones in "--silencioso --semilla 1" "--help"; do
    "$programa" $opciones >/dev/full 2>errores
    [ $? -ne 0 ] && grep -qF "no se ha podido escribir la salida" errores ||
        { echo "FALLO: $opciones a /dev/full"; fallos=$((fallos + 1)); }
done
# No file may grow (the errors go through a pipe): every record of the
# history is lost.
mkdir llena
( trap '' XFSZ; ulimit -f 0; "$programa" --silencioso --partidas 2 --carpeta llena 2>&1 >/dev/null; echo "código $?" ) |
    cat >errores
grep -qx "código 1" errores && [ "$(grep -c "Error al actualizar el Histórico" errores)" -eq 2 ] ||
    { echo "FALLO: histórico perdido: $(cat errores)"; fallos=$((fallos + 1)); }

# detiene <signal> <options...>: stopped a second after it starts.
detiene() {
    senal=$1
    shift
    rm -rf tmp && mkdir tmp
    TMPDIR="$trabajo/tmp" "$programa" "$@" >/dev/null 2>&1 &
    pid=$!
    sleep 1
    kill -s "$senal" "$pid"
    wait "$pid"
    [ -z "$(ls tmp)" ] || { echo "FALLO: tras SIG$senal ($*) queda $(ls tmp)"; fallos=$((fallos + 1)); }
}
for senal in TERM INT HUP; do detiene $senal --silencioso --partidas 100000000; done
for senal in TERM INT; do detiene $senal --silencioso --administrador 1 --espera-maxima 30; done
rm -rf tmp && mkdir tmp
TMPDIR="$trabajo/tmp" "$programa" --partidas 5 | head -c 10 >/dev/null
[ -z "$(ls tmp)" ] || { echo "FALLO: tras SIGPIPE queda $(ls tmp)"; fallos=$((fallos + 1)); }

# The port is taken by a first administrator; the second one says so.
"$programa" --silencioso --administrador 1 --espera-maxima 30 --carpeta uno >/dev/null 2>&1 &
primero=$!
sleep 1
"$programa" --silencioso --administrador 1 --espera-maxima 5 --carpeta dos >/dev/null 2>errores
grep -qF "No se puede escuchar en el puerto" errores ||
    { echo "FALLO: el error de red no llega: $(cat errores)"; fallos=$((fallos + 1)); }
kill "$primero"
wait "$primero"

# A caller that connects and hangs up at once (a port scanner) does not end
# an administrator still waiting for its players: the real client comes
# after it, and they play their game.
"$programa" --silencioso --administrador 1 --espera-maxima 30 --carpeta tres >/dev/null 2>errores &
primero=$!
sleep 1
bash -c "exec 3<>/dev/tcp/127.0.0.1/$((49924 + PARCHIS_DESPLAZAMIENTO_PUERTOS))" 2>/dev/null
sleep 1
"$programa" --silencioso --cliente 127.0.0.1 --puesto-propio 1 --espera-maxima 30 --carpeta cuatro >/dev/null 2>&1 &&
    wait "$primero" || { echo "FALLO: una llamada cortada detiene al administrador: $(cat errores)"; fallos=$((fallos + 1)); }

# The decision times of the summary: the mean, the 99th and 99.9th
# percentiles and the worst, the percentiles in order and none past the worst.
"$programa" --silencioso --semilla 3 --partidas 20 --dados 2 --fichas 8 >salida
awk '/^Decisión/ { gsub(/ms,/, "ms"); gsub(/,/, "."); for (i = 1; i <= NF; ++i) if ($i == "ms") t[++n] = $(i - 1) }
     END { exit !(n >= 4 && t[2] + 0 <= t[3] + 0 && t[3] + 0 <= t[4] + 0 && t[1] + 0 <= t[4] + 0) }' salida ||
    { echo "FALLO: tiempos de decisión: $(grep Decisión salida)"; fallos=$((fallos + 1)); }

# A saved game at move 82 with the default rules; all but the time repeats,
# and every seat is within the margin asked for.
"$programa" --analiza "$guardada" --semilla 5 --margen 5 | sed 's/ en [0-9.]* s:/:/' >analisis1 &&
    "$programa" --analiza "$guardada" --semilla 5 --margen 5 | sed 's/ en [0-9.]* s:/:/' >analisis2 &&
    cmp -s analisis1 analisis2 &&
    grep -q "Posibilidades de ganar" analisis1 && [ "$(grep -c ' % ± [0-4],[0-9]$\| % ± 5,0$' analisis1)" -eq 4 ] ||
    { echo "FALLO: --analiza: $(cat analisis1)"; fallos=$((fallos + 1)); }
espera 2 "--margen admite de 1 a 20 puntos" --analiza "$guardada" --margen 0
head -c 1000 "$guardada" >cortada
espera 1 "no contiene una partida en juego" --analiza cortada
espera 1 "no se puede leer" --analiza no-existe

[ "$fallos" -eq 0 ] && echo "parchis-texto: todo correcto"
exit "$fallos"
