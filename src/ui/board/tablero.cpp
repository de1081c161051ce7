#include "ui/board/tablero.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "rules/tablero.h"
#include "ui/board/sprites.h"

namespace parchis {

namespace {

bool EsCasa(int s) { return s == 76 || s == 84 || s == 92 || s == 100; }

QString Nombre(const std::string& n) { return QString::fromStdString(n); }

}  // namespace

Tablero::Tablero(std::function<void(const QRect&)> refresca) : refresca_(std::move(refresca)) {}

void Tablero::Prepara(int anchoPantalla, int altoPantalla, double dpr) {
    me_ = CalculaMedidas(anchoPantalla, altoPantalla);
    dpr_ = dpr > 1.5 ? 2 : 1;
    const int lado = static_cast<int>(std::lround(me_.LadoLienzo * dpr_));
    for (QPixmap* pm : {&superficie_, &vacio_, &lleno_}) {
        *pm = QPixmap(lado, lado);
        pm->setDevicePixelRatio(dpr_);
        pm->fill(Qt::white);
    }
}

QColor Tablero::PixelEn(int x, int y) const {
    if (!QRect(0, 0, me_.LadoLienzo, me_.LadoLienzo).contains(x, y)) return {};
    const QRectF f = Fuente(QRect(x, y, 1, 1));
    return superficie_.copy(f.toRect()).toImage().pixelColor(0, 0);
}

void Tablero::AsignaAspecto(Aspecto a) {
    aspecto_ = a;
    pintor_ = &PintorDe(a);
    AsignaColores(puestoMesa_);
}

void Tablero::AsignaColores(int puestoMesa) {
    puestoMesa_ = puestoMesa;
    colores_ = pintor_->Colores(puestoMesa);
    marcas_ = MarcasSegunPuesto(puestoMesa);
}

void Tablero::DibujaTablero(int numFichas) {
    {
        QPainter p(&vacio_);
        pintor_->TableroVacio(p, me_, colores_, marcas_, numFichas);
    }
    superficie_ = vacio_.copy();
    superficie_.setDevicePixelRatio(dpr_);
    RefrescaTodo();
}

void Tablero::DibujaNombres(const Partida& p) {
    QPainter pintor(&superficie_);
    for (int j = 1; j <= 4; ++j) {
        const QRect r = Caja(RectanguloNombre(me_, j));
        pintor.setCompositionMode(QPainter::CompositionMode_Source);
        pintor.drawPixmap(QRectF(r), vacio_, Fuente(r));
        pintor.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (p.Estado[j] == 1) pintor_->Placa(pintor, RectanguloNombre(me_, j), Nombre(p.Nombres[j]), colores_[j]);
    }
    pintor.end();
    for (int j = 1; j <= 4; ++j) Refresca(Caja(RectanguloNombre(me_, j)));
}

void Tablero::MuestraMensaje(const QString& texto) {
    // The bar's place is cleared first: a look may paint it translucent.
    RestauraDeVacio(Caja(RectanguloBarra(me_)));
    {
        QPainter p(&superficie_);
        pintor_->Barra(p, me_, texto);
    }
    Refresca(Caja(RectanguloBarra(me_)));
}

void Tablero::RedibujaMesa(const Partida& p, const std::optional<QString>& texto) {
    Instantanea();
    superficie_ = vacio_.copy();
    superficie_.setDevicePixelRatio(dpr_);
    DibujaNombres(p);
    if (texto) MuestraMensaje(*texto);
    for (int s = 1; s <= NumCasillas; ++s) DibujaFichasCasilla(p, s);
    for (int j = 1; j <= 4; ++j) {
        RestauraDeInstantanea(Caja(RectanguloDados(me_, p.NumDados, j)));
        if (p.Estado[j] == 1) {
            DibujaCuadroEspera(p, j);
            DibujaCasa(p, j);
        }
    }
    RefrescaTodo();
}

Punto Tablero::Centro(const Partida& p, int casilla, int jugador, int ordenEspera, int ordenCasa) const {
    return CentroCasilla(me_, p.NumFichas, casilla, jugador, ordenEspera, ordenCasa);
}

void Tablero::DibujaFicha(int x, int y, int jugador) {
    const QRect caja = Caja(CajaFicha(me_, x, y));
    if (!recorte_.isEmpty() && !recorte_.intersects(caja)) return;
    QPainter p(&superficie_);
    if (!recorte_.isEmpty()) p.setClipRegion(recorte_);
    pintor_->Ficha(p, me_, x, y, colores_[jugador], marcas_[jugador]);
}

void Tablero::DibujaFichasCasilla(const Partida& p, int s) {
    if (s <= 0 || s > NumCasillas || EsCasa(s)) return;
    const Casilla& c = p.Casillas[s];
    const Punto centro = Centro(p, s, 0, 0, 0);
    MedidaCasilla h{};
    if (c.Jugador[1] != 0 && c.Jugador[2] != 0) h = MedidasCasilla(me_, s);
    if (c.Jugador[1]) DibujaFicha(centro.x - h.DesplX, centro.y - h.DesplY, c.Jugador[1]);
    if (c.Jugador[2]) DibujaFicha(centro.x + h.DesplX, centro.y + h.DesplY, c.Jugador[2]);
    // A third occupant only exists for an instant during a capture.
    if (c.Jugador[3]) DibujaFicha(centro.x, centro.y, c.Jugador[3]);
}

void Tablero::DibujaCuadroEspera(const Partida& p, int j, const std::function<void()>& trasCada) {
    for (int k = 1; k <= p.EnEspera[j]; ++k) {
        const Punto c = Centro(p, 0, j, k, 0);
        DibujaFicha(c.x, c.y, j);
        if (trasCada) trasCada();
    }
}

void Tablero::DibujaCasa(const Partida& p, int j, const std::function<void()>& trasCada) {
    for (int k = 1; k <= p.EnCasa[j]; ++k) {
        const Punto c = Centro(p, CasillaCasa[j], j, 0, k);
        DibujaFicha(c.x, c.y, j);
        if (trasCada) trasCada();
    }
}

QRect Tablero::ZonaFila(const Partida& p, int casilla, int j) const {
    const int n = std::max<int>(1, p.NumFichas);
    const Punto a = casilla == 0 ? Centro(p, 0, j, 1, 0) : Centro(p, casilla, j, 0, 1);
    const Punto b = casilla == 0 ? Centro(p, 0, j, n, 0) : Centro(p, casilla, j, 0, n);
    // The pieces' whole boxes: a rim reaches one pixel past the radius on
    // the right and below.
    return Caja(CajaFicha(me_, a.x, a.y)).united(Caja(CajaFicha(me_, b.x, b.y)));
}

void Tablero::RehaceZona(const Partida& p, const QRegion& zona) {
    for (const QRect& r : zona) RestauraDeVacio(r);
    recorte_ = zona;
    for (int s = 1; s <= NumCasillas; ++s) DibujaFichasCasilla(p, s);
    for (int j = 1; j <= 4; ++j) {
        if (p.Estado[j] != 1) continue;
        DibujaCuadroEspera(p, j);
        DibujaCasa(p, j);
    }
    recorte_ = QRegion();
    Refresca(zona.boundingRect());
}

void Tablero::RehaceCuadroEspera(const Partida& p, int j) { RehaceZona(p, ZonaFila(p, 0, j)); }

void Tablero::RehaceCasilla(const Partida& p, int s) {
    if (s <= 0 || s > NumCasillas) return;
    if (EsCasa(s)) {
        const int j = s == 100 ? 1 : s == 92 ? 2 : s == 84 ? 3 : 4;
        RehaceZona(p, ZonaFila(p, s, j));
        return;
    }
    // The squares cut by a diagonal overlap their neighbour's rectangle:
    // the pair is redrawn together.
    int pareja = 0;
    if (s == 8 || s == 25 || s == 42 || s == 59) pareja = s + 1;
    if (s == 9 || s == 26 || s == 43 || s == 60) pareja = s - 1;
    QRegion zona(RectanguloCasilla(p, s));
    if (pareja) zona += RectanguloCasilla(p, pareja);
    RehaceZona(p, zona);
}

QRect Tablero::RectanguloCasilla(const Partida& p, int s) const {
    const Punto c = Centro(p, s, 0, 0, 0);
    const MedidaCasilla h = MedidasCasilla(me_, s);
    return QRect(QPoint(c.x - h.MitadX, c.y - h.MitadY), QPoint(c.x + h.MitadX, c.y + h.MitadY));
}

void Tablero::DibujaDados(int j, int numDados, int d1, int d2) {
    if (d1 == 0 && d2 == 0) return;
    const QRect area = Caja(RectanguloDados(me_, numDados, j));
    if (!pintor_->DadosSobreNegro()) RestauraDeVacio(area);
    {
        QPainter p(&superficie_);
        if (pintor_->DadosSobreNegro()) p.fillRect(area, Qt::black);
        for (int i = 1; i <= numDados; ++i) pintor_->Dado(p, me_, numDados, j, i, i == 1 ? d1 : d2);
    }
    Refresca(area);
}

void Tablero::BorraDados(int numDados) {
    for (int j = 1; j <= 4; ++j) {
        const QRect area = Caja(RectanguloDados(me_, numDados, j));
        RestauraDeVacio(area);
        Refresca(area);
    }
}

void Tablero::DibujaImagen(const QPixmap& imagen, int x, int y) {
    QPainter p(&superficie_);
    p.drawPixmap(x, y, imagen);
}

void Tablero::Instantanea() {
    lleno_ = superficie_.copy();
    lleno_.setDevicePixelRatio(dpr_);
}

QRectF Tablero::Fuente(const QRect& r) const {
    return QRectF(r.x() * dpr_, r.y() * dpr_, r.width() * dpr_, r.height() * dpr_);
}

void Tablero::Copia(const QPixmap& desde, const QRect& r) {
    QPainter p(&superficie_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawPixmap(QRectF(r), desde, Fuente(r));
}

void Tablero::RestauraDeInstantanea(const QRect& r) { Copia(lleno_, r); }

void Tablero::RestauraDeVacio(const QRect& r) { Copia(vacio_, r); }

void Tablero::Refresca(const QRect& r) {
    if (refresca_) refresca_(r);
}

void Tablero::RefrescaTodo() { Refresca(QRect(0, 0, me_.LadoLienzo, me_.LadoLienzo)); }

}  // namespace parchis
