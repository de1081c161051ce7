#!/bin/sh
# Network play end to end: one administrator and three clients, each a
# parchis-texto of its own on 127.0.0.1 with computer players at every seat,
# play whole games; every program must print the same digest of every game.
# With "cortes", a client is killed and started again at random moments:
# the games go on, and every digest a client prints must be the
# administrator's.
# With SALA=<parchis-sala> the four meet in a room of a server of their
# own instead (a cut client comes back with the same code); SEMILLA=S fixes
# the dice (the administrator's S, client k's S+k); HUELLAS=<file> keeps
# the administrator's digests.
# Usage: red_extremo.sh <parchis-texto> [games] [cortes]
programa=$1
partidas=${2:-3}
cortes=$3
espera=60
trabajo=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$trabajo"' EXIT
# Ports away from the defaults and from other runs on this machine.
PARCHIS_DESPLAZAMIENTO_PUERTOS=-$((10000 + ($$ % 3000) * 5))
export PARCHIS_DESPLAZAMIENTO_PUERTOS

semilla() { [ -n "$SEMILLA" ] && echo "--semilla $((SEMILLA + $1))"; }
sala=""
if [ -n "$SALA" ]; then
    "$SALA" --direccion 127.0.0.1 2>"$trabajo/sala.err" &
    servidor=$!
    sala="--sala 127.0.0.1"
fi

cliente() {  # cliente <seat> <run> <games>: one client, its output in c<seat>.<run>
    exec "$programa" --cliente 127.0.0.1 --puesto-propio "$1" --partidas "$3" --comprobar $(semilla "$1") \
        $sala ${codigo:+--codigo $codigo} \
        --silencioso --espera-maxima $espera --carpeta "$trabajo/c$1" >"$trabajo/c$1.$2.out" 2>&1
}

[ -z "$SALA" ] || sleep 0.3
"$programa" --administrador 3 --partidas "$partidas" --comprobar --silencioso --espera-maxima $espera \
    $(semilla 0) $sala --carpeta "$trabajo/admin" >"$trabajo/admin.out" 2>&1 &
admin=$!
if [ -n "$SALA" ]; then   # the clients are given the room's code
    for i in $(seq 100); do
        codigo=$(sed -n 's/^Código de sala: //p' "$trabajo/admin.out")
        [ -n "$codigo" ] && break
        sleep 0.1
    done
    [ -n "$codigo" ] || { echo "FALLO: el administrador no ha abierto sala"; cat "$trabajo/admin.out" "$trabajo/sala.err"; exit 1; }
fi
# Callers are seated in the order they come: with fixed dice each client
# must play the same seat every run, so the next one starts once the
# administrator holds the previous one's connection (through a room it also
# holds its own to the server).
conexiones_admin() { ss -tnpH state established 2>/dev/null | grep -c "pid=$admin,"; }
propias=0; [ -z "$SALA" ] || propias=1
for k in 1 2 3; do
    cliente $k 0 "$partidas" & eval "c$k=\$!"
    if [ -n "$SEMILLA" ]; then
        for i in $(seq 100); do
            [ "$(conexiones_admin)" -ge $((k + propias)) ] && break
            sleep 0.1
        done
        sleep 0.5
    fi
done

partidas_admin() { grep -c "^Huella:" "$trabajo/admin.out"; }
cortados=0
if [ -n "$cortes" ]; then
    while [ "$(partidas_admin)" -lt "$partidas" ] && kill -0 $admin 2>/dev/null; do
        sleep "$(awk -v s=$$$cortados 'BEGIN { srand(s); printf "%.2f", 0.5 + 4 * rand() }')"
        [ "$(partidas_admin)" -lt "$partidas" ] || break
        k=$(( (cortados % 3) + 1 ))
        eval "pid=\$c$k"
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        cortados=$((cortados + 1))
        # It cannot know how many games are left: it is stopped at the end.
        cliente $k $cortados 100000000 & eval "c$k=\$!"
    done
    while [ "$(partidas_admin)" -lt "$partidas" ] && kill -0 $admin 2>/dev/null; do sleep 0.2; done
    sleep 2
    for k in 1 2 3; do eval "kill -TERM \$c$k" 2>/dev/null; done
fi

fallos=0
wait $admin || { echo "FALLO: el administrador terminó con error"; cat "$trabajo/admin.out"; fallos=1; }
grep "^Huella:" "$trabajo/admin.out" >"$trabajo/huellas"
for k in 1 2 3; do
    eval "pid=\$c$k"
    codigo=0
    wait "$pid" || codigo=$?
    for salida in "$trabajo"/c$k.*.out; do
        grep '^Huella:' "$salida" >"$trabajo/h" || true
        if [ -z "$cortes" ] && { [ $codigo -ne 0 ] || ! cmp -s "$trabajo/h" "$trabajo/huellas"; }; then
            echo "FALLO: el cliente $k difiere del administrador (código $codigo)"
            diff "$trabajo/huellas" "$trabajo/h" | head; tail -n 5 "$salida"; fallos=1
        fi
        # After a cut only whole games count; each must be the administrator's.
        if [ -n "$(grep -vxF -f "$trabajo/huellas" "$trabajo/h")" ]; then
            echo "FALLO: $salida tiene partidas que el administrador no jugó"; fallos=1
        fi
    done
done
[ -z "$HUELLAS" ] || cp "$trabajo/huellas" "$HUELLAS"
if [ -n "$SALA" ]; then
    # The server logs the room closed once it has read the administrator's
    # word, which a loaded machine may take a moment to do.
    for i in $(seq 50); do grep -q "cerrada" "$trabajo/sala.err" && break; sleep 0.1; done
    kill -TERM $servidor; wait $servidor
    grep -q "cerrada" "$trabajo/sala.err" || { echo "FALLO: la sala no consta como cerrada"; cat "$trabajo/sala.err"; fallos=1; }
fi
n=$(wc -l <"$trabajo/huellas")
[ "$n" -eq "$partidas" ] || { echo "FALLO: $n huellas del administrador, se esperaban $partidas"; fallos=1; }
jugadas=$(awk -F', ' '{ split($2, a, " "); s += a[1] } END { print s + 0 }' "$trabajo/huellas")
vueltas=$(cat "$trabajo"/c*.out | grep -c '^Huella:')
echo "red_extremo${SALA:+ (sala)}: $n partidas, $jugadas jugadas, $cortados cortes, $vueltas partidas completas en los clientes," \
    "$( [ $fallos -eq 0 ] && echo 'ninguna diferencia' || echo 'CON DIFERENCIAS')"
exit $fallos
