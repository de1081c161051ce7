#!/usr/bin/env python3
"""Synthesises the game's sounds into resources/sonidos/<number>.wav.

Every sound is made here from sine waves, filtered noise and envelopes, so
the program carries no recorded audio.  The output is deterministic (fixed
noise seed): running the script again gives the same files, byte for byte.

    python3 tools/genera-sonidos.py [output folder]
"""
import math
import os
import random
import struct
import sys
import wave

TASA = 22050


def silencio(segundos):
    return [0.0] * int(TASA * segundos)


def tono(frecuencia, segundos, volumen=0.5, ataque=0.005, caida=8.0, armonicos=(1.0,)):
    """A tone with a short attack and an exponential decay."""
    muestras = []
    for i in range(int(TASA * segundos)):
        t = i / TASA
        env = min(1.0, t / ataque) * math.exp(-caida * t)
        v = sum(a * math.sin(2 * math.pi * frecuencia * (k + 1) * t)
                for k, a in enumerate(armonicos))
        muestras.append(volumen * env * v / sum(armonicos))
    return muestras


def barrido(f0, f1, segundos, volumen=0.5, caida=4.0):
    """A tone gliding from f0 to f1."""
    muestras, fase = [], 0.0
    n = int(TASA * segundos)
    for i in range(n):
        t = i / TASA
        f = f0 + (f1 - f0) * i / n
        fase += 2 * math.pi * f / TASA
        env = min(1.0, t / 0.01) * math.exp(-caida * t)
        muestras.append(volumen * env * (math.sin(fase) + 0.3 * math.sin(2 * fase)) / 1.3)
    return muestras


def ruido(segundos, volumen, caida, suavizado, azar):
    """Noise through a one-pole low-pass filter (suavizado 0..1)."""
    muestras, previo = [], 0.0
    for i in range(int(TASA * segundos)):
        t = i / TASA
        previo = previo * suavizado + (azar.uniform(-1, 1)) * (1 - suavizado)
        muestras.append(volumen * math.exp(-caida * t) * previo * 3)
    return muestras


def golpe(frecuencia, volumen, azar, segundos=0.045):
    """A wooden knock: a fast-decaying tone with a click of noise."""
    return mezcla(tono(frecuencia, segundos, volumen, 0.0008, 90.0, (1.0, 0.5, 0.25)),
                  ruido(segundos, volumen * 0.5, 160.0, 0.3, azar))


def mezcla(*pistas, desplazamientos=None):
    desplazamientos = desplazamientos or [0] * len(pistas)
    largo = max(len(p) + int(d * TASA) for p, d in zip(pistas, desplazamientos))
    salida = [0.0] * largo
    for pista, d in zip(pistas, desplazamientos):
        inicio = int(d * TASA)
        for i, v in enumerate(pista):
            salida[inicio + i] += v
    return salida


def traqueteo(golpes, azar, segundos):
    """Dice rattling: knocks at random moments and pitches."""
    pistas, tiempos = [], []
    for _ in range(golpes):
        pistas.append(golpe(azar.uniform(900, 1900), azar.uniform(0.25, 0.5), azar, 0.03))
        tiempos.append(azar.uniform(0, segundos - 0.03))
    return mezcla(*pistas, desplazamientos=tiempos)


def acorde(notas, segundos, separacion, volumen):
    pistas = [tono(f, segundos, volumen, 0.01, 3.0, (1.0, 0.4, 0.15)) for f in notas]
    return mezcla(*pistas, desplazamientos=[i * separacion for i in range(len(notas))])


def sonidos():
    azar = random.Random(34)
    return {
        1: golpe(700, 0.6, azar, 0.06),                          # a piece touches a square
        5: traqueteo(7, azar, 0.28),                              # the throw begins
        6: golpe(1500, 0.45, azar, 0.04),                         # switch on, button down
        7: golpe(1000, 0.4, azar, 0.04),                          # switch off, button up
        9: mezcla(golpe(1200, 0.35, azar, 0.035), golpe(800, 0.3, azar, 0.035),
                  desplazamientos=[0, 0.03]),                     # a button is pressed
        10: ruido(0.22, 0.35, 14.0, 0.85, azar),                  # a page turns
        11: mezcla(barrido(700, 180, 0.45, 0.55, 5.0), golpe(300, 0.6, azar, 0.08)),  # capture
        12: acorde([880, 1318.5], 0.25, 0.06, 0.3),               # the tutor points
        13: barrido(300, 900, 0.25, 0.4, 6.0),                    # straight to a square
        14: acorde([523.25, 659.25, 783.99, 1046.5], 1.3, 0.16, 0.3),  # end of the game
        15: acorde([660, 990], 0.18, 0.05, 0.3),                  # the computer points
        17: traqueteo(5, azar, 0.14),                             # dice tumbling
        18: traqueteo(6, azar, 0.16),
        19: traqueteo(4, azar, 0.12),
    }


def escribe(ruta, muestras):
    pico = max(1e-9, max(abs(v) for v in muestras))
    escala = min(1.0, 0.9 / pico)
    datos = b"".join(struct.pack("<h", int(max(-1, min(1, v * escala)) * 32767))
                     for v in muestras + silencio(0.01))
    with wave.open(ruta, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(TASA)
        w.writeframes(datos)


def main():
    raiz = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    carpeta = sys.argv[1] if len(sys.argv) > 1 else os.path.join(raiz, "resources", "sonidos")
    os.makedirs(carpeta, exist_ok=True)
    for numero, muestras in sonidos().items():
        escribe(os.path.join(carpeta, f"{numero}.wav"), muestras)


if __name__ == "__main__":
    main()
