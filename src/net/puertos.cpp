#include "net/puertos.h"

#include <cstdlib>

namespace parchis {

namespace {

constexpr int PuertoMasBajo = 49921;    // client of "Mi puerto" 1
constexpr int PuertoMasAlto = 49924;    // the administrator
constexpr int MinimoPermitido = 1024;
constexpr int MaximoPermitido = 65535;

}  // namespace

int DesplazamientoPuertos(const char* texto) {
    if (texto == nullptr || *texto == '\0') return 0;
    const char* c = texto;
    const bool negativo = *c == '-';
    if (*c == '-' || *c == '+') ++c;
    if (*c == '\0') return 0;
    long valor = 0;
    for (; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return 0;
        valor = valor * 10 + (*c - '0');
        if (valor > MaximoPermitido) return 0;
    }
    if (negativo) valor = -valor;
    if (PuertoMasBajo + valor < MinimoPermitido || PuertoMasAlto + valor > MaximoPermitido) return 0;
    return static_cast<int>(valor);
}

int DesplazamientoPuertos() { return DesplazamientoPuertos(std::getenv(VariableDesplazamientoPuertos)); }

int PuertoAdministrador() { return PuertoMasAlto + DesplazamientoPuertos(); }

int PuertoCliente(int miPuerto) { return 49920 + miPuerto + DesplazamientoPuertos(); }

int PuertoSala() {
    const int puerto = 49930 + DesplazamientoPuertos();
    return puerto <= 65535 ? puerto : 49930;
}

}  // namespace parchis
