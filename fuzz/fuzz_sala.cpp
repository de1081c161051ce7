// The room server's opening lines, as any caller on the internet may send
// them: nothing may crash or read past the line, a line taken must name a
// role with a well-formed code, and writing it back must read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sala/apertura.h"

namespace {

using namespace parchis::sala;

void Exige(bool condicion) {
    if (!condicion) std::abort();
}

std::string Escribe(const Apertura& a) {
    switch (a.Quien) {
    case Papel::Administrador:
        return "PARCHIS-SALA 1 ADMINISTRADOR";
    case Papel::Cliente:
        return "PARCHIS-SALA 1 CLIENTE " + a.Codigo + " " + std::to_string(a.Puerto);
    case Papel::Enlace:
        return "PARCHIS-SALA 1 ENLACE " + a.Codigo + " " + a.Clave + " " + std::to_string(a.Id);
    default:
        return {};
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t largo) {
    const std::string_view todo(reinterpret_cast<const char*>(datos), largo);
    // Each line of the input is one caller's opening.
    std::size_t inicio = 0;
    while (inicio <= todo.size()) {
        const std::size_t fin = std::min(todo.find('\n', inicio), todo.size());
        const std::string linea(todo.substr(inicio, fin - inicio));   // its own buffer: ASan sees overreads
        const Apertura a = LeeApertura(linea);
        Exige(linea.size() <= LongitudMaximaApertura + 1 || a.Quien == Papel::Ninguno);
        if (a.Quien != Papel::Ninguno) {
            Exige(a.Quien == Papel::Administrador || NormalizaCodigo(a.Codigo) == a.Codigo);
            Exige(a.Quien != Papel::Cliente || (a.Puerto >= 1 && a.Puerto <= 65535));
            Exige(a.Quien != Papel::Enlace || (a.Clave.size() == LongitudClave && a.Id > 0));
            const Apertura otra = LeeApertura(Escribe(a));
            Exige(otra.Quien == a.Quien && otra.Codigo == a.Codigo && otra.Clave == a.Clave &&
                  otra.Puerto == a.Puerto && otra.Id == a.Id);
        }
        const std::string codigo = NormalizaCodigo(linea);
        Exige(codigo.empty() || (codigo.size() == LongitudCodigo && NormalizaCodigo(codigo) == codigo));
        inicio = fin + 1;
    }
    return 0;
}
