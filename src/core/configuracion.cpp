#include "core/configuracion.h"

#include <cerrno>
#include <sys/stat.h>

#include "core/estado.h"
#include "core/fichero.h"

namespace parchis {

namespace {

bool EsCarpeta(const std::string& ruta) {
    struct stat datos{};
    return stat(ruta.empty() ? "." : ruta.c_str(), &datos) == 0 && S_ISDIR(datos.st_mode);
}

std::string SinBarraFinal(std::string ruta) {
    while (ruta.size() > 1 && ruta.back() == '/') ruta.pop_back();
    return ruta;
}

}  // namespace

Entero CodigoErrorCarga(int error, const std::string& carpeta) {
    switch (error) {
        case ENOMEM: return 7;
        case ENOENT: return EsCarpeta(carpeta) ? 53 : 76;
        case ENOTDIR: return 76;
        case EIO: case ENXIO: case ENODEV: case ENOMEDIUM: return 68;
        case EOVERFLOW: case EFBIG: return 6;
        case EACCES: case EPERM: case EISDIR: case EROFS: case ELOOP: return 75;
        case EMFILE: case ENFILE: return 67;
        case ENAMETOOLONG: return 52;
        default: return 57;
    }
}

std::optional<AvisoUsuario> AvisoErrorCarga(Entero codigo, const std::string& carpeta) {
    std::string texto;
    switch (codigo) {
        case 6: case 53: return std::nullopt;
        case 7: texto = "CID ERROR 7 : Insuficiente memoria"; break;
        case 68: texto = "CID ERROR 68: Unidad " + SinBarraFinal(carpeta) + ": no preparada"; break;
        case 76: texto = "CID ERROR 76: No existe el fichero de inicialización ZRVEL34.INI"; break;
        default: texto = "CID ERROR " + std::to_string(codigo); break;
    }
    return AvisoUsuario{"Error en la carga de datos iniciales", texto, 3, 1, 0};
}

const char* NombrePorDefecto(int j) {
    static const char* const nombres[] = {"", "Carmen", "Roberto", "María", "Luis"};
    return j >= 1 && j <= 4 ? nombres[j] : "";
}

void AplicaValoresPorDefecto(Partida& p) {
    for (int j = 1; j <= 4; ++j) {
        p.Nombres[j] = NombrePorDefecto(j);
        p.Nivel[j] = 50;
        p.Control[j] = j == 4 ? 1 : 2;
        p.Caracter[j] = 2;
        p.Estado[j] = 1;
    }
    p.Sonido = p.PausaEntreJugadas = p.TutorAutomatico = p.IndicarDestino = true;
    p.JugarEnRed = false;
    p.Sentido = 2;
    p.ModoRed = 2;
    p.MiPuerto = 1;
    p.ModoJuego = 1;
    p.NumDados = 1;
    p.FichasPorJugador = 1;
    p.NumFichas = 4;
    p.SeisConTodas = 1;
    p.SalidaCon5 = p.SalidaObligatoria = p.BonoComerSaliendo = true;
    p.BarreraSalida = p.BarreraSeguro = p.BarreraBlancas = true;
    p.BarreraCompaneros = p.ComerObligatorio = false;
    p.PrimeraFicha = 2;
    p.MetodoSalida = 1;
    p.MetodoCuenta = 2;
    p.Velocidad = 50;
    p.PartidaIniciada = false;
    // Derived from Estado, so the file written with the defaults agrees.
    CuentaJugadores(p);
}

ResultadoConfiguracion LeerConfiguracion(Partida& p) {
    ResultadoConfiguracion resultado;
    p.ConservarIni = false;
    std::string contenido;
    const int error = LeeFichero(p.Carpeta + FicheroConfiguracion, contenido);
    if (error == 0) {
        LeerEstado(p, contenido);
        return resultado;
    }
    resultado.FaltaIni = CodigoErrorCarga(error, p.Carpeta);
    resultado.Aviso = AvisoErrorCarga(resultado.FaltaIni, p.Carpeta);
    AplicaValoresPorDefecto(p);
    p.ConservarIni = error != ENOENT && error != ENOTDIR;
    GuardarConfiguracion(p);
    return resultado;
}

bool GuardarConfiguracion(const Partida& p) {
    return !p.ConservarIni && GuardarEstado(p, FicheroConfiguracion);
}

bool SePuedeGuardarConfiguracion(const Partida& p) {
    return !p.ConservarIni && SePuedeReemplazar(p.Carpeta + FicheroConfiguracion);
}

}  // namespace parchis
