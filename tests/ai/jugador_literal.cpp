#include "jugador_literal.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <vector>

#include "ai/probabilidad.h"
#include "valoracion_literal.h"
#include "core/estado.h"
#include "rules/movimiento.h"
#include "rules/tablero.h"

namespace parchis::prueba {

namespace {

// --- scratch copies --------------------------------------------------------------

// The scratch files of the original design were plain writes: no temporary
// file, no flush to the disk.  GuardarEstado syncs every save, which would
// make the baseline measure the disk rather than the design.
void EscribeSinSincronizar(const std::string& ruta, const std::string& contenido) {
    if (std::FILE* f = std::fopen(ruta.c_str(), "wb")) {
        std::fwrite(contenido.data(), 1, contenido.size(), f);
        std::fclose(f);
    }
}

class Borrador {
public:
    Borrador(Partida& p, CopiaBorrador modo) : p_(p), modo_(modo) {}
    void Guarda(const std::string& nombre) {
        if (modo_ == CopiaBorrador::Texto) textos_[nombre] = ContenidoFichero(p_);
        else EscribeSinSincronizar(p_.Carpeta + nombre, ContenidoFichero(p_));
    }
    void Carga(const std::string& nombre) {
        if (modo_ == CopiaBorrador::Texto) LeerEstado(p_, textos_[nombre]);
        else CargarEstado(p_, nombre);
    }
    void BorraTodo() {
        if (modo_ != CopiaBorrador::Ficheros) return;
        std::error_code error;
        for (const auto& e : std::filesystem::directory_iterator(p_.Carpeta, error)) {
            const std::string n = e.path().filename().string();
            if (n.size() > 4 && n.substr(n.size() - 4) == ".SIM") std::filesystem::remove(e.path(), error);
        }
    }

private:
    Partida& p_;
    CopiaBorrador modo_;
    std::map<std::string, std::string> textos_;
};

std::string NombreProfundidad(int prof) {
    const std::string dos = std::to_string(prof);
    return "ZRV34S" + (dos.size() < 2 ? "0" + dos : dos) + ".SIM";
}

// --- the candidate table -------------------------------------------------------------

struct Fila {
    int ficha, valor, origen;
    float rasgo[12];
    float total;
};

class Literal {
public:
    Literal(Partida& p, const RelojBusqueda& reloj, CopiaBorrador modo)
        : p_(p), reloj_(reloj), borrador_(p, modo) {}

    bool Elige();

private:
    bool Forzada();
    std::vector<std::vector<int>> Secuencias();
    void Busca(int prof, std::size_t posicion, int pendiente);
    void Candidato(int movimientos);
    void Escoge();
    int Ultimo() const { return p_.ModoValores >= 2 ? std::min<int>(p_.ModoValores, 4) : 0; }
    bool Usado(int i) const { return i == 0 ? p_.ValoresUsados != 0 : p_.ValorUsado[i]; }

    Partida& p_;
    RelojBusqueda reloj_;
    Borrador borrador_;
    Partida antes_;
    Fijos fijos_{};
    std::vector<int> secuencia_;
    // The search stacks: value, piece, origin per depth.
    int valorPila_[92] = {}, fichaPila_[92] = {}, origenPila_[92] = {}, destinoPila_[92] = {};
    int comidoPila_[92] = {};
    bool marca_ = false;
    std::vector<Fila> tabla_;
};

bool Literal::Forzada() {
    auto& e = p_.JugadaElegida;
    const int t = p_.Turno;
    if (!p_.SalidaCon5) return false;
    bool especial = p_.SalidaDoble == 2;
    if (!especial && p_.EnEspera[t] == p_.NumFichas) {
        if (p_.PrimeraFicha == 3) {
            especial = PuedeMover(p_, t, p_.ValorCuenta, 0);
        } else if (p_.PrimeraFicha == 2) {
            especial = PuedeMover(p_, t, p_.ValorCuenta, 0);
            if (!especial && p_.NumDados == 2 && p_.MetodoCuenta == 2)
                especial = PuedeMover(p_, t, p_.Dado1, 0) || PuedeMover(p_, t, p_.Dado2, 0);
        }
    }
    if (especial) {
        e.Origen = 0;
        p_.NumFichasMovibles = 1;
        p_.NumValoresDesglose = 1;
        if (p_.PrimeraFicha == 3) {
            e.Tipo = 10;
            e.Ficha = 1;
            e.Destino = static_cast<Entero>(AvanzaCasillas(t, p_.ValorCuenta, CasillaSalida[t]));
        } else {
            if (p_.SalidaDoble == 0) p_.SalidaDoble = 1;
            e.Tipo = p_.SalidaDoble == 1 ? 8 : 9;
            e.Ficha = p_.SalidaDoble;
            e.Destino = static_cast<Entero>(CasillaSalida[t]);
            if (p_.SalidaDoble == 2) p_.SalidaDoble = 0;
        }
        return true;
    }
    if (p_.EnEspera[t] == p_.NumFichas && p_.PrimeraFicha == 3) p_.ModoValores = 0;
    if (!(p_.EnEspera[t] >= 1 && p_.SalidaObligatoria && p_.TipoJugada != 5)) {
        p_.SacarObligado = false;
        return false;
    }
    e.Origen = 0;
    e.Destino = static_cast<Entero>(CasillaSalida[t]);
    if (p_.NumDados == 2 && p_.MetodoSalida == 1) {
        for (int i = 0; i <= Ultimo(); ++i) {
            if (p_.ValoresCuenta[i] == 5 && !Usado(i) && PuedeMover(p_, t, 5, 0)) {
                e.Ficha = p_.SiguienteSalida[t];
                p_.ValorCuenta = 5;
                e.Valor = 5;
                e.Indice = static_cast<Entero>(i);
                e.Tipo = i == 0 ? 3 : 4;
                p_.NumFichasMovibles = 1;
                p_.NumValoresDesglose = 1;
                p_.SacarObligado = true;
                return true;
            }
        }
    }
    if (p_.ValoresUsados == 0 && PuedeMover(p_, t, p_.ValorCuenta, 0)) {
        e.Ficha = p_.SiguienteSalida[t];
        e.Tipo = 3;
        p_.NumFichasMovibles = 1;
        p_.NumValoresDesglose = 1;
        p_.SacarObligado = true;
        return true;
    }
    p_.SacarObligado = false;
    return false;
}

// Permutes the string of digits: every choice of first digit, then the
// orderings of the rest.
void Permuta(const std::string& prefijo, const std::string& resto, std::vector<std::string>& salida) {
    if (resto.empty()) {
        salida.push_back(prefijo);
        return;
    }
    for (std::size_t i = 0; i < resto.size(); ++i)
        Permuta(prefijo + resto[i], resto.substr(0, i) + resto.substr(i + 1), salida);
}

std::vector<std::vector<int>> Literal::Secuencias() {
    std::vector<std::vector<int>> s;
    if (p_.NumDados == 1 || p_.MetodoCuenta == 1 || p_.ValoresUsados == p_.ModoValores) {
        if (p_.TipoJugada != 5) s.push_back({p_.ValorCuenta});
        return s;
    }
    if (p_.ValoresUsados == 0) s.push_back({p_.ValoresCuenta[0]});
    std::string digitos;
    for (int i = 1; i <= Ultimo(); ++i)
        if (!p_.ValorUsado[i]) digitos += static_cast<char>('0' + p_.ValoresCuenta[i]);
    if (digitos.empty()) return s;
    std::vector<std::string> ordenes;
    Permuta("", digitos, ordenes);
    for (const auto& o : ordenes) {
        std::vector<int> v;
        for (char c : o) v.push_back(c - '0');
        s.push_back(v);
    }
    return s;
}

void Literal::Candidato(int movimientos) {
    Fila fila{};
    fila.ficha = fichaPila_[1];
    fila.valor = valorPila_[1];
    fila.origen = origenPila_[1];
    const int excluida = destinoPila_[1];
    int comidasSocio = 0;
    for (int d = 1; d <= movimientos; ++d) {
        if (fijos_.parejas && comidoPila_[d] == fijos_.socio && comidoPila_[d] != 0) ++comidasSocio;
    }
    const int c = (p_.Caracter[fijos_.j] >= 1 && p_.Caracter[fijos_.j] <= 3 ? p_.Caracter[fijos_.j] : 2) - 1;
    const int nivel = p_.Nivel[fijos_.j];
    const double nv = nivel / 100.0;
    const int j = fijos_.j;
    const int n = fijos_.n;
    const Sumas despues = SumaFichas(p_, fijos_, excluida);
    const Sumas antes = SumaFichas(antes_, fijos_, excluida);
    const double peso1[3] = {0.18, 0.15, 0.12}, peso2[3] = {0.13, 0.15, 0.17}, peso3[3] = {0.12, 0.10, 0.08};
    fila.rasgo[1] = static_cast<float>((despues.neto - antes.neto) * peso1[c] * nv);
    fila.rasgo[2] = static_cast<float>((despues.s[1] - antes.s[1]) * peso2[c] * nv);
    fila.rasgo[3] = static_cast<float>((despues.s[2] - antes.s[2]) * peso3[c] * nv);
    fila.rasgo[4] = static_cast<float>((despues.s[3] - antes.s[3]) * 0.2 * nv);
    double r5 = Progreso(p_, j) - Progreso(antes_, j);
    if (fijos_.parejas) r5 += Progreso(p_, fijos_.socio) - Progreso(antes_, fijos_.socio);
    fila.rasgo[5] = static_cast<float>(r5 * 2.5 * nv);
    const double r6 = -(MediaRivales(p_, antes_, fijos_) - MediaRivales(antes_, antes_, fijos_));
    fila.rasgo[6] = static_cast<float>(r6 * 2.0 * nv);
    if (nivel >= 41) {
        double suma = 0;
        int resguardadas = 0, expuestas = 0;
        for (int k = 1; k <= n; ++k) {
            const bool a = Resguardada(antes_, fijos_, antes_.Fichas[j][k]);
            const bool d = Resguardada(p_, fijos_, p_.Fichas[j][k]);
            if (a == d) continue;
            const double parte = std::min(CasillasRecorridas(p_, j, k), 63) / 63.0 / n * 100.0;
            if (d) {
                suma += parte;
                ++resguardadas;
            } else {
                suma -= parte;
                ++expuestas;
            }
        }
        if (resguardadas != expuestas) suma *= std::abs(resguardadas - expuestas);
        const double factor[3] = {1, 0.6, 0.2};
        fila.rasgo[7] = static_cast<float>(suma * 0.1 * factor[c]);
        if (p_.EnEspera[j] != antes_.EnEspera[j]) {
            const int base[3] = {4, 6, 8};
            int bruto = p_.EnEspera[j] * (n == 4 ? 2 : 1) + base[c];
            if (nivel >= 76 && p_.EnEspera[j] == 1)
                bruto += p_.SeisConTodas == 1 ? 3 : (p_.SeisConTodas == 2 ? 6 : 0);
            const double b = p_.SalidaCon5 ? bruto : bruto / 4.0;
            fila.rasgo[8] = static_cast<float>(b * 0.11);
        }
    }
    if (nivel >= 61 && marca_) {
        bool queda = false;
        for (int k = 1; k <= n; ++k)
            if (CasillasRecorridas(p_, j, k) < 62) queda = true;
        const double r9[3] = {-0.9, -0.6, -0.3};
        if (queda) fila.rasgo[9] = static_cast<float>(r9[c]);
    }
    if (nivel >= 91 && movimientos == 1 && CasillasRecorridas(antes_, j, fila.ficha) >= 63) {
        const double r10[3] = {-0.1, -0.25, -0.4};
        fila.rasgo[10] = static_cast<float>(r10[c]);
    }
    if (nivel >= 81 && fijos_.parejas && comidasSocio > 0) {
        const double f11[3] = {0.4, 0.8, 1.2};
        fila.rasgo[11] = static_cast<float>((Progreso(antes_, j) - Progreso(antes_, fijos_.socio) - 5) *
                                            comidasSocio * f11[c]);
    }
    fila.total = 0;
    for (int i = 1; i <= 11; ++i) fila.total += fila.rasgo[i];
    tabla_.push_back(fila);
    marca_ = false;
}

void Literal::Busca(int prof, std::size_t posicion, int pendiente) {
    int valor = pendiente;
    if (valor == 0) {
        if (posicion >= secuencia_.size() || prof > 90) {
            if (prof > 1) Candidato(prof - 1);
            return;
        }
        valor = secuencia_[posicion++];
    } else if (prof > 90) {
        Candidato(prof - 1);
        return;
    }
    const int t = p_.Turno;
    borrador_.Guarda(NombreProfundidad(prof));
    FichasMovibles(p_, valor, 0);
    bool movibles[9];
    for (int k = 0; k <= 8; ++k) movibles[k] = p_.FichaMovible[k];
    bool probada = false;
    for (int k = 1; k <= Piezas(p_); ++k) {
        if (!movibles[k]) continue;
        if (probada) borrador_.Carga(NombreProfundidad(prof));
        probada = true;
        valorPila_[prof] = valor;
        fichaPila_[prof] = k;
        origenPila_[prof] = p_.Fichas[t][k];
        PuedeMover(p_, t, valor, origenPila_[prof], k);
        const int destino = p_.CasillaDestino;
        if (destino < 1) continue;
        destinoPila_[prof] = destino;
        auto& huecos = p_.Destinos[k];
        for (int h = 1; h <= 5; ++h) {
            if (huecos[h] == destino) break;
            if (huecos[h] == 0) {
                huecos[h] = static_cast<Entero>(destino);
                break;
            }
        }
        // A simulated move does not touch the next piece to leave a box.
        const auto siguienteSalida = p_.SiguienteSalida;
        AplicaJugada(p_, origenPila_[prof], destino, k);
        p_.SiguienteSalida = siguienteSalida;
        comidoPila_[prof] = p_.JugadorComido;
        Busca(prof + 1, posicion, p_.Bonificacion);
    }
    if (!probada) {
        // An uncountable bonus is lost, the rest of the sequence is not.
        if (pendiente != 0 && prof > 1) Busca(prof, posicion, 0);
        else if (prof > 1) Candidato(prof - 1);
    } else if (prof > 1) {
        marca_ = true;
    }
}

void Literal::Escoge() {
    auto& e = p_.JugadaElegida;
    if (tabla_.empty()) return;
    float mejor = -std::numeric_limits<float>::infinity();
    std::size_t elegida = 0;
    for (std::size_t i = 0; i < tabla_.size(); ++i)
        if (tabla_[i].total >= mejor) {
            mejor = tabla_[i].total;
            elegida = i;
        }
    const int t = p_.Turno;
    e.Ficha = static_cast<Entero>(tabla_[elegida].ficha);
    e.Valor = static_cast<Entero>(tabla_[elegida].valor);
    for (int i = 0; i <= Ultimo(); ++i)
        if (!Usado(i) && p_.ValoresCuenta[i] == e.Valor) e.Indice = static_cast<Entero>(i);
    e.Origen = p_.Fichas[t][e.Ficha];
    PuedeMover(p_, t, e.Valor, e.Origen);
    e.Destino = p_.CasillaDestino;
    e.Tipo = p_.TipoJugada;
    if (p_.TipoJugada == 0) e.Tipo = e.Valor == p_.ValoresCuenta[0] ? 3 : 4;
    bool mismaFicha = true, mismoValor = true, total = false, sacar = false;
    for (const Fila& f : tabla_) {
        if (f.ficha != tabla_[0].ficha) mismaFicha = false;
        if (f.valor != tabla_[0].valor) mismoValor = false;
        if (f.valor == p_.ValoresCuenta[0]) total = true;
        if (f.origen == 0) sacar = true;
    }
    p_.NumFichasMovibles = mismaFicha ? 1 : 99;
    p_.NumValoresDesglose = mismoValor ? 1 : 99;
    p_.DesgloseObligado = !(p_.ValoresUsados == 0 && total);
    p_.PuedeSacar = sacar;
}

bool Literal::Elige() {
    auto& e = p_.JugadaElegida;
    e = EleccionJugada{0, p_.ValorCuenta, 0, 0, 0, 0};
    p_.NumFichasMovibles = 0;
    p_.NumValoresDesglose = 0;
    p_.DesgloseObligado = false;
    p_.PuedeSacar = false;
    p_.HayCapturaPosible = false;
    for (auto& d : p_.Destinos) d.fill(0);
    if (p_.Turno < 1 || p_.Turno > 4) return false;
    if (Forzada()) {
        p_.PuedeSacar = true;
        p_.DesgloseObligado = !(p_.ValoresUsados == 0 && e.Valor == p_.ValoresCuenta[0]);
        return false;
    }
    std::vector<std::vector<int>> secuencias = Secuencias();
    const int bono = p_.TipoJugada == 5 ? p_.ValorCuenta : 0;
    if (secuencias.empty() && bono != 0) secuencias.push_back({});
    p_.LeyendoSimulacion = true;
    borrador_.Guarda("ZRVEL34.SIM");
    const double inicio = reloj_();
    for (const auto& s : secuencias) {
        const int v = bono != 0 ? bono : (s.empty() ? 0 : s[0]);
        for (int k = 1; k <= Piezas(p_) && v != 0; ++k)
            if (PuedeMover(p_, p_.Turno, v, p_.Fichas[p_.Turno][k], k) && ComeFicha(p_, p_.Turno, p_.CasillaDestino))
                p_.HayCapturaPosible = true;
    }
    antes_ = p_;
    fijos_ = CalculaFijos(antes_);
    bool aviso = false;
    for (const auto& s : secuencias) {
        if (reloj_() - inicio > 40) {
            ++p_.CortesBusqueda;
            aviso = p_.CortesBusqueda == 3;
            break;
        }
        secuencia_ = s;
        Busca(1, 0, bono);
        borrador_.Carga("ZRVEL34.SIM");
    }
    borrador_.BorraTodo();
    p_.LeyendoSimulacion = false;
    Escoge();
    return aviso;
}

}  // namespace

bool EligeJugadaLiteral(Partida& p, const RelojBusqueda& reloj, CopiaBorrador copia) {
    Literal l(p, reloj, copia);
    return l.Elige();
}

}  // namespace parchis::prueba
