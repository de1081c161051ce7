#include "ui/windows/ajustes_jugadores.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include "flow/textos_ajustes.h"
#include "net/puertos.h"
#include "ui/board/pintor.h"
#include "ui/board/pintura.h"
#include "ui/common/estilo.h"
#include "ui/windows/tablerito.h"

namespace parchis {

namespace {

ServiciosControl ServiciosDe(Interfaz& ui) {
    return {[&ui](int n) { ui.TocaSonido(n, true); }, [&ui](int u) { ui.Pausa(u); }};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

// This computer's IPv4 address on the first interface that is up and is not
// the loopback; empty when there is none.
std::string MiDireccion() {
    ifaddrs* lista = nullptr;
    if (getifaddrs(&lista) != 0) return {};
    std::string direccion;
    for (ifaddrs* i = lista; i && direccion.empty(); i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET || (i->ifa_flags & IFF_LOOPBACK) ||
            !(i->ifa_flags & IFF_UP))
            continue;
        char texto[INET_ADDRSTRLEN] = {};
        const auto* a = reinterpret_cast<const sockaddr_in*>(i->ifa_addr);
        if (inet_ntop(AF_INET, &a->sin_addr, texto, sizeof texto)) direccion = texto;
    }
    freeifaddrs(lista);
    return direccion;
}

QLabel* Rotulo(QWidget* padre) {
    auto* l = new QLabel(padre);
    HojaSegunAspecto(l, QStringLiteral("color: #323c32; padding: 2px 4px;"),
                     QStringLiteral("color: #3a2a20; padding: 2px 4px;"));
    return l;
}

}  // namespace

void AbreVentanaJugadores(QWidget* padre, Partida& p, Interfaz& ui, std::function<bool(int)> conectado) {
    p.PedirNuevaPartida = p.PedirInicioRed = p.PedirRestaurarAnterior = false;
    VentanaJugadores v(padre, p, ui, std::move(conectado));
    v.exec();
}

VentanaJugadores::VentanaJugadores(QWidget* padre, Partida& p, Interfaz& ui, std::function<bool(int)> conectado)
    : VentanaAjustes(padre, ServiciosDe(ui), QStringLiteral(" Personalizar"), 2121,
                     QStringLiteral("Ayuda sobre Personalizar"), QStringLiteral("Salir de Personalizar")),
      p_(p), ui_(ui), conectado_(std::move(conectado)), copia_(EmpiezaAjustesJugadores(p)) {
    auto* rejilla = new QGridLayout(Cuerpo());
    rejilla->setContentsMargins(0, 0, 0, 0);
    rejilla->setSpacing(8);
    for (int j = 1; j <= 4; ++j) rejilla->addWidget(Columna(j), 0, j - 1);
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(Preferencias());
    tablerito_ = new Tablerito(Cuerpo(), p_);
    abajo->addWidget(tablerito_, 1);
    abajo->addWidget(Red());
    rejilla->addLayout(abajo, 1, 0, 1, 4);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Refresca();
    PreparaFoco(nombre_[1]->Campo());
}

Selector* VentanaJugadores::NuevoSelector(QWidget* padre, int numero, AjusteJugador a, int j) {
    auto* s = new Selector(padre, Servicios(), Q(TextoOpcion(p_, numero)), [this, a, j] {
        const bool hecho = CambiaAjusteJugador(p_, ui_, a, j);
        Refresca();
        return hecho;
    });
    s->setObjectName(QStringLiteral("Opcion%1").arg(numero));
    return s;
}

Interruptor* VentanaJugadores::NuevoInterruptor(QWidget* padre, int numero, AjusteJugador a) {
    auto* s = new Interruptor(padre, Servicios(), Q(TextoOpcion(p_, numero)), [this, a] {
        CambiaAjusteJugador(p_, ui_, a);
        Refresca();
    });
    s->setObjectName(QStringLiteral("Opcion%1").arg(numero));
    return s;
}

QWidget* VentanaJugadores::Columna(int j) {
    auto* columna = new QWidget(Cuerpo());
    auto* caja = new QVBoxLayout(columna);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->setSpacing(3);
    cabecera_[j] = new QLabel(columna);
    cabecera_[j]->setAlignment(Qt::AlignCenter);
    caja->addWidget(cabecera_[j]);
    nombre_[j] = new CampoTexto(columna, QStringLiteral(" Nombre del jugador  "), LargoNombreJugador,
                                [this, j](const QString& t) {
                                    p_.Nombres[j] = NombreCorregido(t.toStdString());
                                    Refresca();
                                });
    caja->addWidget(nombre_[j]);
    estado_[j] = NuevoSelector(columna, 10 + j, AjusteJugador::Estado, j);
    control_[j] = NuevoSelector(columna, 20 + j, AjusteJugador::Control, j);
    caracter_[j] = NuevoSelector(columna, 30 + j, AjusteJugador::Caracter, j);
    nivel_[j] = new Mando(columna, Servicios(), Q(TextoOpcion(p_, 70 + j)), 0, 10, [this, j](int v) {
        const bool hecho = CambiaAjusteJugador(p_, ui_, AjusteJugador::Nivel, j, v * 10);
        Refresca();
        return hecho;
    });
    for (QWidget* w : {static_cast<QWidget*>(estado_[j]), static_cast<QWidget*>(control_[j]),
                       static_cast<QWidget*>(caracter_[j]), static_cast<QWidget*>(nivel_[j])})
        caja->addWidget(w);
    return columna;
}

QWidget* VentanaJugadores::Preferencias() {
    auto* zona = new QWidget(Cuerpo());
    auto* fila = new QHBoxLayout(zona);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(8);
    auto* izquierda = new QVBoxLayout;
    auto* derecha = new QVBoxLayout;
    for (auto* c : {izquierda, derecha}) {
        c->setSpacing(3);
        fila->addLayout(c);
    }
    sentido_ = NuevoSelector(zona, 1, AjusteJugador::Sentido);
    velocidad_ = new Mando(zona, Servicios(), Q(TextoOpcion(p_, 75)), 0, 100, [this](int v) {
        CambiaAjusteJugador(p_, ui_, AjusteJugador::Velocidad, 0, v);
        Refresca();
        return true;
    });
    auto* girar = new BotonPulsador(zona, Servicios(), Q(TextoOpcion(p_, 41)), [this] {
        CambiaAjusteJugador(p_, ui_, AjusteJugador::GiraColores);
        Refresca();
    });
    girar->setObjectName(QStringLiteral("Opcion41"));
    // The board's look: applied at once, kept in the data folder.
    auto nombreAspecto = [](Aspecto a) {
        return a == Aspecto::Moderno ? QStringLiteral("Moderno") : QStringLiteral("Clásico");
    };
    aspecto_ = new Selector(zona, Servicios(), QStringLiteral(" Aspecto del tablero "), [this, nombreAspecto] {
        const Aspecto a = AspectoVigente() == Aspecto::Moderno ? Aspecto::Clasico : Aspecto::Moderno;
        EligeAspecto(p_.Carpeta, a);
        aspecto_->PonValor(nombreAspecto(a));
        Refresca();
        return true;
    });
    aspecto_->setObjectName(QStringLiteral("AspectoTablero"));
    aspecto_->setToolTip(QStringLiteral("Aspecto del tablero: Clásico o Moderno"));
    aspecto_->PonValor(nombreAspecto(AspectoVigente()));
    sonido_ = NuevoInterruptor(zona, 51, AjusteJugador::Sonido);
    pausa_ = NuevoInterruptor(zona, 52, AjusteJugador::Pausa);
    tutor_ = NuevoInterruptor(zona, 53, AjusteJugador::Tutor);
    destino_ = NuevoInterruptor(zona, 67, AjusteJugador::Destino);
    for (QWidget* w : {static_cast<QWidget*>(sentido_), static_cast<QWidget*>(velocidad_),
                       static_cast<QWidget*>(girar), static_cast<QWidget*>(aspecto_)})
        izquierda->addWidget(w);
    for (QWidget* w : {sonido_, pausa_, tutor_, destino_}) derecha->addWidget(w);
    izquierda->addStretch();
    derecha->addStretch();
    return zona;
}

QWidget* VentanaJugadores::Red() {
    auto* zona = new QWidget(Cuerpo());
    auto* caja = new QVBoxLayout(zona);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->setSpacing(3);
    jugarEnRed_ = NuevoInterruptor(zona, 54, AjusteJugador::JugarEnRed);
    modoRed_ = NuevoSelector(zona, 2, AjusteJugador::ModoRed);
    puerto_ = NuevoSelector(zona, 35, AjusteJugador::MiPuerto);
    puertoFijo_ = Rotulo(zona);
    puertoFijo_->setText(QStringLiteral("Mi puerto..: %1").arg(PuertoAdministrador()));
    ip_ = new CampoTexto(zona, QStringLiteral(" IP del Administrador"), LargoIP,
                         [this](const QString& t) { PonIPAdministrador(p_, t.toStdString()); });
    miIP_ = Rotulo(zona);
    miIP_->setWordWrap(true);
    // A room on a server on the internet: nobody opens a port on a router.
    porSala_ = new Interruptor(zona, Servicios(), QStringLiteral("  Jugar por sala"), [this] {
        CambiaAjusteJugador(p_, ui_, AjusteJugador::PorSala);
        Refresca();
    });
    porSala_->setObjectName(QStringLiteral("Opcion55"));
    porSala_->setToolTip(QStringLiteral(
        "Jugar a través de un servidor de salas de internet: el Administrador abre una sala y\n"
        "dicta su código a los demás jugadores. Nadie tiene que abrir puertos en su router."));
    servidorSala_ = new CampoTexto(zona, QStringLiteral(" Servidor de salas"), LargoServidorSala,
                                   [this](const QString& t) { PonServidorSala(p_, t.toStdString()); });
    servidorSala_->setToolTip(QStringLiteral(
        "Dirección del servidor de salas (parchis-sala), con su puerto si no es el %1:\n"
        "por ejemplo salas.ejemplo.org o 203.0.113.5:%1. Todos los jugadores escriben la misma.")
                                  .arg(PuertoSala()));
    codigoSala_ = new CampoTexto(zona, QStringLiteral(" Código de la sala"), LargoCodigoSala + 1,
                                 [this](const QString& t) { PonCodigoSala(p_, t.toStdString()); });
    codigoSala_->setToolTip(QStringLiteral(
        "Las seis letras o cifras que el Administrador ve en su pantalla al abrir la sala."));
    for (QWidget* w : {static_cast<QWidget*>(jugarEnRed_), static_cast<QWidget*>(modoRed_),
                       static_cast<QWidget*>(porSala_), static_cast<QWidget*>(servidorSala_),
                       static_cast<QWidget*>(codigoSala_), static_cast<QWidget*>(puerto_),
                       static_cast<QWidget*>(puertoFijo_), static_cast<QWidget*>(ip_),
                       static_cast<QWidget*>(miIP_)})
        caja->addWidget(w);
    caja->addStretch();
    zona->setFixedWidth(165);
    return zona;
}

void VentanaJugadores::Refresca() {
    const auto valor = [this](int numero, int v) {
        const auto textos = TextosValores(p_, numero);
        return v >= 1 && v <= static_cast<int>(textos.size()) ? Q(textos[v - 1]) : QString();
    };
    const ColoresMesa colores = PintorDe(AspectoVigente()).Colores(p_.PuestoMesa);
    // The administrator sees, over each remote seat, whether its player is
    // connected.
    const bool marcas = conectado_ && p_.JugarEnRed && p_.ModoRed == 1;
    for (int j = 1; j <= 4; ++j) {
        const bool remoto = marcas && j <= 3 && p_.Control[j] == 3;
        cabecera_[j]->setText(!remoto             ? QString()
                              : conectado_(j)     ? QStringLiteral("Conectado")
                                                  : QStringLiteral("Pendiente de conexión"));
        cabecera_[j]->setFixedHeight(marcas ? 16 : 8);
        if (EsModerno())
            cabecera_[j]->setStyleSheet(
                QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2);"
                               " color: %3; font-size: 10px; font-weight: bold; border: 1px solid %4;"
                               " border-radius: 4px;")
                    .arg(colores[j].lighter(115).name(), colores[j].name(), ColorLetraSobre(colores[j]).name(),
                         colores[j].darker(150).name()));
        else
            cabecera_[j]->setStyleSheet(
                QStringLiteral("background: %1; color: %2; font-size: 10px; font-weight: bold;"
                               " border: 1px solid #771a12;")
                    .arg(colores[j].name(), colores[j].lightness() > 150 ? "#202020" : "#ffffff"));
        nombre_[j]->PonTexto(Q(p_.Nombres[j]));
        estado_[j]->PonValor(valor(11, p_.Estado[j]));
        control_[j]->PonValor(valor(21, p_.Control[j]));
        caracter_[j]->PonValor(valor(31, p_.Caracter[j]));
        nivel_[j]->PonValor((p_.Nivel[j] + 5) / 10);
    }
    sentido_->PonValor(valor(1, p_.Sentido));
    velocidad_->PonValor(p_.Velocidad);
    sonido_->PonValor(p_.Sonido);
    pausa_->PonValor(p_.PausaEntreJugadas);
    tutor_->PonValor(p_.TutorAutomatico);
    destino_->PonValor(p_.IndicarDestino);
    jugarEnRed_->PonValor(p_.JugarEnRed);
    const bool cliente = p_.ModoRed == 2;
    modoRed_->PonValor(valor(2, p_.ModoRed));
    // The port in use, which the shift of the ports may move.
    const bool puertoValido = p_.MiPuerto >= 1 && p_.MiPuerto <= 3;
    puerto_->PonValor(puertoValido ? QString::number(PuertoCliente(p_.MiPuerto)) : QString());
    modoRed_->setVisible(p_.JugarEnRed);
    const bool sala = p_.JugarEnRed && p_.JugarPorSala;
    porSala_->PonValor(p_.JugarPorSala);
    porSala_->setVisible(p_.JugarEnRed);
    servidorSala_->setVisible(sala);
    codigoSala_->setVisible(sala && cliente);
    if (!servidorSala_->Campo()->hasFocus()) servidorSala_->PonTexto(Q(p_.ServidorSala));
    if (!codigoSala_->Campo()->hasFocus()) codigoSala_->PonTexto(Q(p_.CodigoSala));
    puerto_->setVisible(p_.JugarEnRed && cliente);
    ip_->setVisible(p_.JugarEnRed && cliente && !sala);
    puertoFijo_->setVisible(p_.JugarEnRed && !cliente && !sala);
    miIP_->setVisible(p_.JugarEnRed && !sala);
    if (p_.JugarEnRed) {
        const std::string ip = MiDireccion();
        miIP_->setText(Q("Mi IP..: " + ip + (DireccionPrivada(ip) ? "  (Privada)" : "  (Pública)")));
    }
    if (!ip_->Campo()->hasFocus()) ip_->PonTexto(Q(p_.IPAdministrador));
    tablerito_->update();
}

bool VentanaJugadores::PuedeSalir() {
    const bool sale = SalidaAjustesJugadores(p_, ui_, copia_);
    Refresca();
    return sale;
}

}  // namespace parchis
