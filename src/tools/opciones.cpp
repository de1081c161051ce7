#include "tools/opciones.h"

#include <cstdlib>
#include <map>

namespace parchis::texto {

const char* const TextoAyuda =
    "Uso: parchis-texto [opciones]\n"
    "Juega partidas entre jugadores del ordenador y las muestra en la terminal.\n"
    "  --partidas N        número de partidas (1)\n"
    "  --semilla S         semilla de los dados (la hora si no se da)\n"
    "  --silencioso        sólo el resumen final\n"
    "  --comprobar         comprueba la posición y el registro tras cada jugada\n"
    "  --tiempo-proceso    mide también el tiempo de proceso de cada decisión\n"
    "                      y lista las de más de 5 ms\n"
    "  --carpeta DIR       carpeta del histórico (una temporal si no se da)\n"
    "  --analiza FICHERO   posibilidades de ganar de cada jugador en una partida\n"
    "                      guardada o pospuesta, y cómo van sus dados\n"
    "  --margen P          con --analiza, margen del 95 % en puntos, de 1 a 20 (2);\n"
    "                      (con 5, unas seis veces menos partidas simuladas)\n"
    "  --dados 1|2         --fichas 4|8          --parejas | --individual\n"
    "  --cuenta 1|2        --salida 1|2          --seis 1|2|3      --primera 1|2|3\n"
    "  --sentido 1|2       --desactiva J\n"
    "  --sin-salida-con-5  --sin-salida-obligatoria  --sin-bono-saliendo\n"
    "  --sin-barrera-salida  --sin-barrera-seguro  --sin-barrera-blancas\n"
    "  --barrera-companeros  --comer-obligatorio\n"
    "  --nivel J=N         nivel 0..10 del jugador J (1..4)\n"
    "  --caracter J=C      carácter del jugador J: 1 conservador, 2 medio, 3 agresivo\n";

namespace {

// Options that take a value, and those that stand alone.
const char* const ConValor[] = {"--dados",  "--fichas",  "--cuenta",   "--salida", "--seis",
                                "--primera", "--sentido", "--desactiva", "--nivel",  "--caracter"};
const char* const Interruptores[] = {
    "--parejas",           "--individual",         "--sin-salida-con-5", "--sin-salida-obligatoria",
    "--sin-bono-saliendo", "--sin-barrera-salida", "--sin-barrera-seguro", "--sin-barrera-blancas",
    "--barrera-companeros", "--comer-obligatorio"};

bool Entre(const std::string& texto, long minimo, long maximo, long& valor) {
    char* fin = nullptr;
    valor = std::strtol(texto.c_str(), &fin, 10);
    return !texto.empty() && *fin == '\0' && valor >= minimo && valor <= maximo;
}

template <std::size_t N>
bool Es(const std::string& opcion, const char* const (&lista)[N]) {
    for (const char* o : lista)
        if (opcion == o) return true;
    return false;
}

// "J=N" for --nivel and --caracter.
bool JugadorYValor(const std::string& texto, long minimo, long maximo, int& jugador, long& valor) {
    const auto igual = texto.find('=');
    long j = 0;
    if (igual == std::string::npos || !Entre(texto.substr(0, igual), 1, 4, j)) return false;
    jugador = static_cast<int>(j);
    return Entre(texto.substr(igual + 1), minimo, maximo, valor);
}

std::string Interruptor(const std::string& o, Partida& p) {
    if (o == "--parejas") p.ModoJuego = 2;
    if (o == "--individual") p.ModoJuego = 1;
    if (o == "--sin-salida-con-5") p.SalidaCon5 = false;
    if (o == "--sin-salida-obligatoria") p.SalidaObligatoria = false;
    if (o == "--sin-bono-saliendo") p.BonoComerSaliendo = false;
    if (o == "--sin-barrera-salida") p.BarreraSalida = false;
    if (o == "--sin-barrera-seguro") p.BarreraSeguro = false;
    if (o == "--sin-barrera-blancas") p.BarreraBlancas = false;
    if (o == "--barrera-companeros") p.BarreraCompaneros = true;
    if (o == "--comer-obligatorio") p.ComerObligatorio = true;
    return {};
}

std::string ConNumero(const std::string& o, const std::string& v, Partida& p) {
    const std::map<std::string, std::pair<Entero Partida::*, long>> campos = {
        {"--dados", {&Partida::NumDados, 2}},     {"--cuenta", {&Partida::MetodoCuenta, 2}},
        {"--salida", {&Partida::MetodoSalida, 2}}, {"--seis", {&Partida::SeisConTodas, 3}},
        {"--primera", {&Partida::PrimeraFicha, 3}}, {"--sentido", {&Partida::Sentido, 2}}};
    long n = 0;
    if (o == "--fichas") {
        if (!Entre(v, 4, 8, n) || (n != 4 && n != 8)) return "--fichas admite 4 u 8";
        p.FichasPorJugador = n == 8 ? 2 : 1;
        p.NumFichas = static_cast<Entero>(n);
        return {};
    }
    if (o == "--desactiva") {
        if (!Entre(v, 1, 4, n)) return "--desactiva admite un jugador de 1 a 4";
        p.Estado[n] = 2;
        return {};
    }
    int j = 0;
    if (o == "--nivel") {
        if (!JugadorYValor(v, 0, 10, j, n)) return "--nivel admite J=N con J de 1 a 4 y N de 0 a 10";
        p.Nivel[j] = static_cast<Entero>(n * 10);
        return {};
    }
    if (o == "--caracter") {
        if (!JugadorYValor(v, 1, 3, j, n)) return "--caracter admite J=C con J de 1 a 4 y C de 1 a 3";
        p.Caracter[j] = static_cast<Entero>(n);
        return {};
    }
    const auto& [campo, maximo] = campos.at(o);
    if (!Entre(v, 1, maximo, n)) return o + " admite de 1 a " + std::to_string(maximo);
    p.*campo = static_cast<Entero>(n);
    return {};
}

}  // namespace

std::optional<Opciones> LeeOpciones(int argc, char** argv, std::string& error) {
    Opciones o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        long n = 0;
        if (a == "--ayuda" || a == "-h" || a == "--help") {
            o.Ayuda = true;
        } else if (a == "--silencioso") {
            o.Silencioso = true;
        } else if (a == "--comprobar") {
            o.Comprobar = true;
        } else if (a == "--tiempo-proceso") {
            o.TiempoProceso = true;
        } else if (Es(a, Interruptores)) {
            o.Cambios.push_back(a);
        } else if (a == "--partidas" || a == "--semilla" || a == "--carpeta" || a == "--analiza" ||
                   a == "--margen" || Es(a, ConValor)) {
            // The next option is never taken for a value ("--carpeta --silencioso"),
            // nor is an empty one ("--analiza \"$f\"" with $f unset).
            if (i + 1 >= argc || *argv[i + 1] == '\0' || std::string(argv[i + 1]).rfind("--", 0) == 0) {
                error = a + " necesita un valor (--ayuda muestra las opciones)";
                return std::nullopt;
            }
            const std::string v = argv[++i];
            if (a == "--partidas" && !Entre(v, 1, 100'000'000, n)) {
                error = "--partidas admite de 1 a 100000000";
                return std::nullopt;
            }
            if (a == "--semilla" && !Entre(v, 0, 2'000'000'000, n)) {
                error = "--semilla admite de 0 a 2000000000";
                return std::nullopt;
            }
            if (a == "--margen" && !Entre(v, 1, 20, n)) {
                error = "--margen admite de 1 a 20 puntos";
                return std::nullopt;
            }
            if (a == "--partidas") o.Partidas = n;
            else if (a == "--margen") o.Margen = static_cast<int>(n);
            else if (a == "--semilla") o.Semilla = static_cast<std::uint64_t>(n);
            else if (a == "--carpeta") o.Carpeta = v;
            else if (a == "--analiza") o.Analiza = v;
            else o.Cambios.insert(o.Cambios.end(), {a, v});
        } else {
            error = "opción no válida: " + a + " (--ayuda muestra las opciones)";
            return std::nullopt;
        }
    }
    return o;
}

std::string AplicaCambios(const Opciones& o, Partida& p) {
    for (std::size_t i = 0; i < o.Cambios.size(); ++i) {
        const std::string& c = o.Cambios[i];
        const std::string error = Es(c, Interruptores) ? Interruptor(c, p) : ConNumero(c, o.Cambios[++i], p);
        if (!error.empty()) return error;
    }
    return {};
}

}  // namespace parchis::texto
