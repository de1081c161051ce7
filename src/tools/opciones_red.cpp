#include "tools/opciones_red.h"

#include <cstdlib>
#include <iostream>

namespace parchis::texto {

const char* const AyudaRed =
    "Juego en red (dirección y puertos: ver PARCHIS_DESPLAZAMIENTO_PUERTOS en el README):\n"
    "  --administrador N   administra una partida en red y espera N clientes (1..3),\n"
    "                      que se sientan en los puestos 1..N por orden de llegada\n"
    "  --cliente IP        se une a la partida del Administrador en IP\n"
    "  --puesto-propio K   \"Mi puerto\" del cliente (1..3)\n"
    "  --espera-maxima S   segundos sin noticias de la red antes de abandonar (60)\n"
    "  --sala SERVIDOR     juega a través de una sala de parchis-sala en SERVIDOR[:PUERTO];\n"
    "                      el Administrador abre la sala y escribe su código\n"
    "  --codigo C          el cliente entra en la sala de código C (con --sala, o con\n"
    "                      --cliente SERVIDOR)\n";

namespace {

bool Numero(const char* texto, long minimo, long maximo, int& valor) {
    char* fin = nullptr;
    const long n = std::strtol(texto, &fin, 10);
    if (*texto == '\0' || *fin != '\0' || n < minimo || n > maximo) return false;
    valor = static_cast<int>(n);
    return true;
}

}  // namespace

bool SeparaOpcionesRed(int& argc, char** argv, OpcionesRed& red, std::string& error) {
    int quedan = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool propia = a == "--administrador" || a == "--cliente" || a == "--puesto-propio" ||
                            a == "--espera-maxima" || a == "--sala" || a == "--codigo";
        if (!propia) {
            argv[quedan++] = argv[i];
            continue;
        }
        if (i + 1 >= argc || *argv[i + 1] == '\0' || std::string(argv[i + 1]).rfind("--", 0) == 0) {
            error = a + " necesita un valor (--ayuda muestra las opciones)";
            return false;
        }
        const char* v = argv[++i];
        bool bien = true;
        if (a == "--administrador") bien = Numero(v, 1, 3, red.Clientes);
        if (a == "--puesto-propio") bien = Numero(v, 1, 3, red.PuestoPropio);
        if (a == "--espera-maxima") bien = Numero(v, 1, 86400, red.EsperaMaxima);
        if (a == "--cliente") red.Administrador = v;
        if (a == "--sala") red.Sala = v;
        if (a == "--codigo") red.Codigo = v;
        if (!bien) {
            error = a == "--espera-maxima" ? a + " admite de 1 a 86400 segundos" : a + " admite de 1 a 3";
            return false;
        }
    }
    argc = quedan;
    argv[argc] = nullptr;
    // A client through a room names the server with either option.
    if (!red.Codigo.empty()) {
        if (red.Sala.empty()) red.Sala = red.Administrador;
        if (red.Administrador.empty()) red.Administrador = red.Sala;
    }
    if (red.Clientes > 0 && !red.Administrador.empty())
        error = "--administrador y --cliente no se pueden usar a la vez";
    else if (!red.Administrador.empty() && red.PuestoPropio == 0)
        error = "--cliente necesita --puesto-propio";
    else if (!red.Codigo.empty() && red.Clientes > 0)
        error = "--codigo es para un cliente: el Administrador recibe el código de la sala";
    else if (!red.Codigo.empty() && red.Sala.empty())
        error = "--codigo necesita --sala SERVIDOR";
    else if (!red.Sala.empty() && red.Clientes == 0 && red.Codigo.empty())
        error = "un cliente con --sala necesita --codigo";
#ifndef PARCHIS_RED
    else if (red.Activa())
        error = "este parchis-texto se ha construido sin juego en red (falta Qt 6 Network)";
#endif
    return error.empty();
}

#ifndef PARCHIS_RED
int JuegaEnRed(const OpcionesRed&, const Opciones&, Partida&, std::uint64_t) { return 2; }
#endif

}  // namespace parchis::texto
