#include "net/instantanea.h"

#include <array>

#include "core/codificacion.h"
#include "core/estado.h"
#include "flow/red.h"

namespace parchis {

namespace {

// A value no field of the state line can be read as: still there after
// reading, the field could not be converted.
constexpr Entero NoLeido = 32767;

using CampoPuesto = std::array<Entero, 5> Partida::*;
using CampoEntero = Entero Partida::*;
using CampoBooleano = bool Partida::*;

constexpr std::array<CampoPuesto, 4> CamposPuesto{&Partida::Nivel, &Partida::Estado,
                                                  &Partida::Control, &Partida::Caracter};
constexpr std::array<CampoEntero, 8> CamposEnteros{
    &Partida::Sentido,          &Partida::ModoJuego,    &Partida::NumDados,
    &Partida::FichasPorJugador, &Partida::SeisConTodas, &Partida::PrimeraFicha,
    &Partida::MetodoSalida,     &Partida::MetodoCuenta};
constexpr std::array<CampoBooleano, 10> CamposBooleanos{
    &Partida::PausaEntreJugadas, &Partida::SalidaCon5,       &Partida::SalidaObligatoria,
    &Partida::BonoComerSaliendo, &Partida::BarreraSalida,    &Partida::BarreraSeguro,
    &Partida::BarreraBlancas,    &Partida::ComerObligatorio, &Partida::IndicarDestino,
    &Partida::BarreraCompaneros};

// The record the line is read into: every field taken starts unread, and
// every boolean at `booleanos`, so that a boolean the line does not hold
// shows as a difference between two readings.
Partida Borrador(bool booleanos) {
    Partida b;
    b.LeyendoSimulacion = true;   // read only: the validation comes later
    for (int j = 1; j <= 4; ++j)
        for (CampoPuesto c : CamposPuesto) (b.*c)[j] = NoLeido;
    for (CampoEntero c : CamposEnteros) b.*c = NoLeido;
    for (CampoBooleano c : CamposBooleanos) b.*c = booleanos;
    return b;
}

// The writer never puts a quote or a control character in the line.
bool LineaEscribible(const std::string& linea) {
    if (CuentaCaracteres(linea) != 900) return false;
    for (char c : linea)
        if (c == '"' || (static_cast<unsigned char>(c) < 0x20) || c == 0x7F) return false;
    return true;
}

// The line read and validated into `leida`; false when a field taken is
// missing, unreadable or put back to a default by the validation.
bool LeeInstantanea(const std::string& linea, Partida& leida) {
    if (!LineaEscribible(linea)) return false;
    // The reader takes the bytes of a file: one per character.  The game
    // under way and its move number are not taken, and left out they keep
    // the reader from sizing a log for them.
    std::string bytes = Windows1252DesdeUtf8(linea);
    bytes.replace(839, 2, " 0");     // PartidaIniciada
    bytes.replace(841, 4, "0000");   // NumJugada
    Partida a = Borrador(false);
    Partida b = Borrador(true);
    LeerEstado(a, bytes);
    LeerEstado(b, bytes);
    for (CampoBooleano c : CamposBooleanos)
        if (a.*c != b.*c) return false;
    Partida v = a;
    v.LeyendoSimulacion = false;
    ValidaPartida(v);
    for (int j = 1; j <= 4; ++j)
        for (CampoPuesto c : CamposPuesto)
            if ((a.*c)[j] != (v.*c)[j]) return false;
    for (CampoEntero c : CamposEnteros)
        if (a.*c != v.*c) return false;
    leida = std::move(v);
    return true;
}

}  // namespace

bool AplicarInstantanea(Partida& p, const std::string& linea, bool propioAutomatico) {
    Partida l;
    if (p.PuestoAdmin < 1 || p.PuestoAdmin > 3 || !LeeInstantanea(linea, l)) return false;
    for (int i = 1; i <= 4; ++i) {
        const int j = ConvertirPuesto(p, i);
        p.Nombres[j] = l.Nombres[i];
        for (CampoPuesto c : CamposPuesto) (p.*c)[j] = (l.*c)[i];
        if (i == 4) p.Control[j] = 3;
        if (j == 4) p.Control[j] = propioAutomatico ? 2 : 1;
    }
    for (CampoBooleano c : CamposBooleanos) p.*c = l.*c;
    for (CampoEntero c : CamposEnteros) p.*c = l.*c;
    // The counts follow the fields just taken, as the validation leaves
    // them: a snapshot sent just before they were recounted may hold old ones.
    p.NumFichas = l.NumFichas;
    CuentaJugadores(p);
    p.IdPartida = l.IdPartida;
    return true;
}

}  // namespace parchis
