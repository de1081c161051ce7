#include "ui/board/pintor.h"

#include <QFont>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <algorithm>
#include <map>
#include <tuple>
#include <cmath>

#include "rules/tablero.h"
#include "ui/board/forma.h"
#include "ui/board/sprites.h"

namespace parchis {

namespace {

// Today's look: the painting functions of pintura.h as they are.
class PintorClasico final : public Pintor {
public:
    ColoresMesa Colores(int puestoMesa) const override { return ColoresSegunPuesto(puestoMesa); }
    void TableroVacio(QPainter& p, const Medidas& me, const ColoresMesa& colores, const Marcas&,
                      int numFichas) const override {
        PintaTableroVacio(p, me, colores, numFichas);
    }
    void Ficha(QPainter& p, const Medidas& me, int x, int y, const QColor& color, int) const override {
        PintaFicha(p, me, x, y, color);
    }
    bool DadosSobreNegro() const override { return true; }
    void Dado(QPainter& p, const Medidas& me, int numDados, int j, int i, int valor) const override {
        PintaDado(p, EsquinaDado(me, numDados, j, i), valor, SpritesMesa(p.device()->devicePixelRatioF()).Punto);
    }
    void Barra(QPainter& p, const Medidas& me, const QString& texto) const override { PintaBarra(p, me, texto); }
    void Placa(QPainter& p, const Rectangulo& r, const QString& nombre, const QColor&) const override {
        PintaPlaca(p, r, nombre);
    }
};

// The modern look: a wooden frame round a cream board, softened seat
// colours, shaded pieces with a mark per colour, large ivory dice.
const QColor Crema(247, 240, 225);
const QColor CasillaClara(253, 250, 242);
const QColor LineaSuave(176, 158, 128);
const QColor SeguroFondo(236, 229, 212);
const QColor TintaNumero(140, 122, 98);
const QColor Tinta(58, 42, 32);
const QColor Marfil(255, 252, 243);

// Light from the upper left: the colour lighter there, darker at the edge.
QRadialGradient Relieve(QPointF centro, double radio, const QColor& color, double luz = 135, double sombra = 125) {
    QRadialGradient g(centro, radio, centro - QPointF(radio * 0.4, radio * 0.45));
    g.setColorAt(0, color.lighter(static_cast<int>(luz)));
    g.setColorAt(0.55, color);
    g.setColorAt(1, color.darker(static_cast<int>(sombra)));
    return g;
}

QFont Letra(double pixeles, bool negrita = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixeles))));
    f.setBold(negrita);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// The mark of colour m (1 green, 2 red, 3 blue, 4 yellow): a triangle, a
// diamond, a ring and a star, centred on `o` with radius `r`.
QPainterPath FormaMarca(int m, QPointF o, double r) {
    QPainterPath c;
    auto poligono = [&](int puntas, double interior, double giro) {
        QPolygonF pol;
        const int n = interior > 0 ? 2 * puntas : puntas;
        for (int i = 0; i < n; ++i) {
            const double ang = giro + i * 2 * M_PI / n;
            const double radio = interior > 0 && i % 2 ? r * interior : r;
            pol << o + QPointF(radio * std::cos(ang), radio * std::sin(ang));
        }
        pol << pol.first();
        c.addPolygon(pol);
    };
    switch (m) {
        case 1: poligono(3, 0, -M_PI / 2); break;
        case 2: poligono(4, 0, 0); break;
        case 3:
            c.addEllipse(o, r * 0.85, r * 0.85);
            c.addEllipse(o, r * 0.4, r * 0.4);
            break;
        default: poligono(5, 0.45, -M_PI / 2); break;
    }
    return c;
}

QSvgRenderer& Madera() {
    static QSvgRenderer r(QStringLiteral(":/apariencia/madera.svg"));
    return r;
}

class PintorModerno final : public Pintor {
public:
    ColoresMesa Colores(int puestoMesa) const override {
        ColoresMesa c{};
        const Marcas m = MarcasSegunPuesto(puestoMesa);
        for (int j = 1; j <= 4; ++j) c[j] = ColorModerno(m[j]);
        return c;
    }

    void TableroVacio(QPainter& p, const Medidas& me, const ColoresMesa& col, const Marcas& marcas,
                      int numFichas) const override {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const Rejilla r(me);
        const int L = me.LadoLienzo;
        // The wood is rendered once per size, at the surface's resolution.
        const double dpr = p.device()->devicePixelRatioF();
        const int lado = static_cast<int>(std::lround(L * dpr));
        static QPixmap madera;
        if (madera.width() != lado || madera.devicePixelRatio() != dpr) {
            madera = QPixmap(lado, lado);
            madera.setDevicePixelRatio(dpr);
            QPainter q(&madera);
            Madera().render(&q, QRectF(0, 0, L, L));
        }
        p.drawPixmap(QPointF(0, 0), madera);
        // The frame's bevel and the board's bed, a little sunk.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 230, 190, 70), 2));
        p.drawRect(QRectF(1, 1, L - 2, L - 2));
        p.setPen(QPen(QColor(30, 15, 5, 120), 1));
        p.drawRect(QRectF(0.5, 0.5, L - 1, L - 1));
        const QRectF tablero(me.Margen, me.Margen, me.LadoTablero, me.LadoTablero);
        for (int i = 6; i >= 1; --i) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 10, 0, 16));
            p.drawRoundedRect(tablero.adjusted(-i + 2, -i + 2, i + 2, i + 2), i, i);
        }
        p.setPen(QPen(QColor(60, 35, 15), 2));
        p.setBrush(Crema);
        p.drawRect(tablero.adjusted(-1, -1, 1, 1));
        Barra(p, me, QString());
        for (int s = 1; s <= 99; ++s)
            if (s != 76 && s != 84 && s != 92) Casilla(p, me, r, s, col, marcas);
        Centro(p, me, r, col);
        for (int j = 1; j <= 4; ++j) Esquina(p, me, j, col[j], numFichas);
        Numeros(p, me);
        p.restore();
    }

    // Each piece is painted once per size, colour and resolution, then
    // copied: the centres are whole pixels, so the copy is the painting.
    void Ficha(QPainter& p, const Medidas& me, int x, int y, const QColor& color, int marca) const override {
        const int d = me.DiametroFicha;
        const double dpr = p.device()->devicePixelRatioF();
        static std::map<std::tuple<int, double, QRgb, int>, QPixmap> hechas;
        QPixmap& pm = hechas[{d, dpr, color.rgba(), marca}];
        if (pm.isNull()) {
            const int lado = static_cast<int>(std::lround((d + 1) * dpr));
            pm = QPixmap(lado, lado);
            pm.setDevicePixelRatio(dpr);
            pm.fill(Qt::transparent);
            QPainter q(&pm);
            PintaFicha(q, d, d / 2, d / 2, color, marca);
        }
        p.drawPixmap(QPointF(x - d / 2, y - d / 2), pm);
    }

    // Inside the same box as the classic piece: the disc a little smaller,
    // its shadow down and to the right.
    static void PintaFicha(QPainter& p, int diametro, int x, int y, const QColor& color, int marca) {
        Medidas me;
        me.DiametroFicha = diametro;
        const double radio = me.DiametroFicha / 2.0 - 0.6;
        const QPointF centro(x + 0.2, y + 0.2);
        const double caida = std::max(1.0, me.DiametroFicha / 22.0);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 70));
        p.drawEllipse(centro + QPointF(caida * 0.8, caida), radio, radio);
        p.setBrush(Relieve(centro, radio, color, 150, 140));
        p.setPen(QPen(color.darker(190), std::max(1.0, radio / 9)));
        p.drawEllipse(centro, radio - 0.5, radio - 0.5);
        // A raised rim: a lighter ring inside the edge.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 110), std::max(1.0, radio / 10)));
        p.drawEllipse(centro, radio * 0.72, radio * 0.72);
        // The colour's own mark, dark on yellow, light on the others.
        const QColor tinta = marca == 4 ? QColor(110, 75, 0, 220) : QColor(255, 255, 255, 225);
        p.setPen(Qt::NoPen);
        p.setBrush(tinta);
        p.setBrush(tinta);
        QPainterPath forma = FormaMarca(marca, centro, radio * 0.36);
        forma.setFillRule(Qt::OddEvenFill);
        p.drawPath(forma);
        p.restore();
    }

    bool DadosSobreNegro() const override { return false; }

    void Dado(QPainter& p, const Medidas& me, int numDados, int j, int i, int valor) const override {
        const Rectangulo c = CajaDadoModerno(me, numDados, j, i);
        const double lado = c.ancho;
        const QRectF cara(c.x + 0.5, c.y + 0.5, lado - lado * 0.07, lado - lado * 0.07);
        const double curva = lado * 0.2;
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        for (int k = 3; k >= 1; --k) {
            p.setBrush(QColor(0, 0, 0, 28));
            p.drawRoundedRect(cara.translated(lado * 0.022 * k, lado * 0.025 * k), curva, curva);
        }
        QLinearGradient g(cara.topLeft(), cara.bottomRight());
        g.setColorAt(0, Marfil);
        g.setColorAt(0.6, QColor(244, 237, 222));
        g.setColorAt(1, QColor(222, 211, 189));
        p.setBrush(g);
        p.setPen(QPen(QColor(160, 140, 110), std::max(1.0, lado / 50)));
        p.drawRoundedRect(cara, curva, curva);
        p.setPen(QPen(QColor(255, 255, 255, 200), std::max(1.0, lado / 40)));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(cara.adjusted(lado * 0.05, lado * 0.05, -lado * 0.05, -lado * 0.05), curva * 0.75,
                          curva * 0.75);
        const double u = cara.width();
        const double rp = u * 0.085;
        const double puntos[7][2] = {{0.26, 0.26}, {0.74, 0.74}, {0.26, 0.74}, {0.74, 0.26},
                                     {0.5, 0.5},   {0.26, 0.5},  {0.74, 0.5}};
        for (int i = 0; i < 7; ++i) {
            if (!PuntoVisible(i, valor)) continue;
            const QPointF o = cara.topLeft() + QPointF(u * puntos[i][0], u * puntos[i][1]);
            QRadialGradient hueco(o, rp, o + QPointF(rp * 0.35, rp * 0.4));
            hueco.setColorAt(0, QColor(70, 55, 45));
            hueco.setColorAt(1, QColor(25, 18, 14));
            p.setPen(Qt::NoPen);
            p.setBrush(hueco);
            p.drawEllipse(o, rp, rp);
        }
        p.restore();
    }

    void Barra(QPainter& p, const Medidas& me, const QString& texto) const override {
        const Rectangulo b = RectanguloBarra(me);
        const QRectF r(b.x + 0.5, b.y + 0.5, b.ancho - 1, b.alto - 1);
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(255, 228, 190, 90), 1));
        p.setBrush(QColor(40, 24, 14, 200));
        p.drawRoundedRect(r, b.alto / 2.0, b.alto / 2.0);
        if (!texto.trimmed().isEmpty()) {
            QFont letra = Letra(12.0 * b.alto / AltoBarra, true);
            const QRectF dentro = r.adjusted(6, 0, -6, 0);
            const QString limpio = TextoQueCabe(letra, texto.trimmed(), static_cast<int>(dentro.width()) - 4);
            p.setFont(letra);
            p.setPen(QColor(255, 244, 222));
            p.setClipRect(dentro);
            p.drawText(r, Qt::AlignCenter, limpio);
        }
        p.restore();
    }

    void Placa(QPainter& p, const Rectangulo& r, const QString& nombre, const QColor& color) const override {
        const QRectF caja(r.x + 0.5, r.y + 0.5, r.ancho - 1, r.alto - 1);
        const QString texto = nombre.trimmed();
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(color.darker(170), 1));
        p.setBrush(QColor(255, 250, 238, 240));
        p.drawRoundedRect(caja, caja.height() / 2, caja.height() / 2);
        const double punto = caja.height() * 0.27;
        const QPointF o(caja.left() + caja.height() / 2, caja.center().y());
        p.setBrush(Relieve(o, punto, color));
        p.setPen(QPen(color.darker(170), 1));
        p.drawEllipse(o, punto, punto);
        // A long name in a small plate shrinks rather than being cut.
        const QRectF zona = caja.adjusted(caja.height() - 2, 0, -caja.height() / 3, 0);
        double tam = std::round(13.0 * r.alto / 20);
        QFont f = Letra(tam, true);
        while (QFontMetricsF(f).horizontalAdvance(texto) > zona.width() && tam > 7) f = Letra(--tam, true);
        p.setFont(f);
        p.setPen(Tinta);
        p.drawText(zona, Qt::AlignCenter, texto);
        p.restore();
    }

private:
    void Casilla(QPainter& p, const Medidas& me, const Rejilla& r, int s, const ColoresMesa& col,
                 const Marcas&) const {
        QColor relleno = CasillaClara;
        QColor linea = LineaSuave;
        if (const int j = DuenoPasillo(s)) {
            relleno = Tinte(col[j], 0.5);
            linea = col[j].darker(140);
        }
        const int salida = DuenoSalida(s);
        if (salida) {
            relleno = Tinte(col[salida], 0.15);
            linea = col[salida].darker(150);
        } else if (EsSeguro(s)) {
            relleno = SeguroFondo;
        }
        const QPolygon pol = PoligonoCasilla(me, r, s);
        p.setPen(QPen(linea, 1));
        p.setBrush(relleno);
        p.drawPolygon(QPolygonF(pol).translated(0.5, 0.5));
        if (EsSeguro(s)) {
            // The safe mark: a ring with a small star where the pieces stand.
            const Punto c = CentroCasilla(me, 4, s, 1, 1, 1);
            const QPointF o(c.x + 0.5, c.y + 0.5);
            const double radio = me.LadoCasilla * 0.4;
            const QColor tono = salida ? col[salida].darker(130) : QColor(170, 150, 118);
            p.setPen(QPen(tono, std::max(1.2, me.LadoCasilla / 18.0)));
            p.setBrush(salida ? Tinte(col[salida], 0.55) : QColor(250, 246, 236));
            p.drawEllipse(o, radio, radio);
            p.setPen(Qt::NoPen);
            p.setBrush(tono);
            QPainterPath estrella = FormaMarca(4, o, radio * 0.55);
            p.drawPath(estrella);
        }
    }

    void Centro(QPainter& p, const Medidas& me, const Rejilla& r, const ColoresMesa& col) const {
        const int M = r.M, s0 = r.s0, s1 = r.s1;
        const QPolygon casas[5] = {
            {},
            QPolygon({r.P(s0, s0), r.P(s0, s1), r.P(M, M)}),
            QPolygon({r.P(s0, s0), r.P(s1, s0), r.P(M, M)}),
            QPolygon({r.P(s1, s0), r.P(s1, s1), r.P(M, M)}),
            QPolygon({r.P(s0, s1), r.P(s1, s1), r.P(M, M)}),
        };
        const QPointF o = r.P(M, M) + QPointF(0.5, 0.5);
        for (int j = 1; j <= 4; ++j) {
            const QPolygonF t = QPolygonF(casas[j]).translated(0.5, 0.5);
            const QPointF base = (t[0] + t[1]) / 2;
            QLinearGradient g(base, o);
            g.setColorAt(0, Tinte(col[j], 0.2));
            g.setColorAt(1, col[j].darker(115));
            p.setBrush(g);
            p.setPen(QPen(col[j].darker(160), 1));
            p.drawPolygon(t);
        }
        // A medallion in the middle.
        const double R = me.LadoCasilla * 0.85;
        p.setPen(QPen(QColor(90, 60, 30), 1.5));
        p.setBrush(Relieve(o, R, QColor(236, 214, 170), 120, 115));
        p.drawEllipse(o, R, R);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 100, 50));
        p.drawPath(FormaMarca(4, o, R * 0.62));
    }

    void Esquina(QPainter& p, const Medidas& me, int j, const QColor& color, int numFichas) const {
        const int a = me.AnchoBrazo;
        const QRectF bloque(me.OrigenX[j] + 0.5, me.OrigenY[j] + 0.5, a - 1, a - 1);
        QRadialGradient g(bloque.center(), a * 0.75, bloque.topLeft() + QPointF(a * 0.3, a * 0.3));
        g.setColorAt(0, Tinte(color, 0.25));
        g.setColorAt(1, color.darker(118));
        p.setPen(QPen(color.darker(170), 1));
        p.setBrush(g);
        p.drawRect(bloque);
        // An inner bevel.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 70), 2));
        p.drawRoundedRect(bloque.adjusted(5, 5, -5, -5), 8, 8);
        // The tray where the waiting pieces stand.
        const Punto primera = CentroCasilla(me, numFichas, 0, j, 1, 0);
        const Punto ultima = CentroCasilla(me, numFichas, 0, j, numFichas, 0);
        const int margen = me.DiametroFicha / 2 + 4;
        const QRectF banda = QRectF(QPointF(std::min(primera.x, ultima.x), std::min(primera.y, ultima.y)),
                                    QPointF(std::max(primera.x, ultima.x) + 1, std::max(primera.y, ultima.y) + 1))
                                 .adjusted(-margen, -margen, margen, margen);
        p.save();
        p.setClipRect(bloque.adjusted(1, 1, -1, -1));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 45));
        p.drawRoundedRect(banda.translated(0, 1.5), margen, margen);
        p.setBrush(Tinte(color, 0.55));
        p.setPen(QPen(color.darker(140), 1));
        p.drawRoundedRect(banda, margen, margen);
        p.restore();
        // The dice's well.
        const QPointF centro = QRectF(me.OrigenX[j], me.OrigenY[j], a, a).center();
        const double radio = a * 0.27;
        QRadialGradient pozo(centro, radio, centro + QPointF(radio * 0.3, radio * 0.35));
        pozo.setColorAt(0, Tinte(color, 0.45));
        pozo.setColorAt(1, color.darker(112));
        p.setPen(QPen(color.darker(150), 1.5));
        p.setBrush(pozo);
        p.drawEllipse(centro, radio, radio);
    }

    void Numeros(QPainter& p, const Medidas& me) const {
        const QFont letra = Letra(std::max(8.0, me.LadoCasilla * 0.36));
        p.setFont(letra);
        p.setPen(TintaNumero);
        const QFontMetrics fm(letra);
        for (int s = 1; s <= 68; ++s) {
            const QString texto = QString::number(s);
            const QSize caja(fm.horizontalAdvance(texto), fm.ascent());
            const QPoint q = PosicionNumero(me, s, caja);
            p.drawText(QRect(q.x() - 20, q.y() - 12, 40, 24), Qt::AlignCenter, texto);
        }
    }
};

}  // namespace

const Pintor& PintorDe(Aspecto a) {
    static const PintorClasico clasico;
    static const PintorModerno moderno;
    return a == Aspecto::Moderno ? static_cast<const Pintor&>(moderno) : clasico;
}

QColor ColorModerno(int marca) {
    switch (marca) {
        // Chosen to stay apart under the common red-green deficiencies (in a
        // simulation of deuteranopia and protanopia the closest pair, green
        // and red, still differs by 28 in CIELAB, mostly in lightness) and
        // from the squares (39 or more); each piece also bears its mark.
        case 1: return QColor(20, 160, 120);
        case 2: return QColor(196, 52, 40);
        case 3: return QColor(50, 100, 200);
        case 4: return QColor(240, 196, 50);
        default: return QColor(128, 128, 128);
    }
}

Rectangulo CajaDadoModerno(const Medidas& me, int numDados, int j, int i) {
    const Rectangulo area = RectanguloDados(me, numDados, j);
    int lado = std::max(52, Redondea(1.6 * me.LadoCasilla));
    lado = std::min(lado, numDados == 2 ? static_cast<int>(area.ancho / 2.15) : area.ancho * 9 / 10);
    const double cx = area.x + area.ancho / 2.0, cy = area.y + area.alto / 2.0;
    const double o = numDados == 2 ? (i == 1 ? -0.55 : 0.55) * lado : 0;
    return {static_cast<int>(std::floor(cx + o - lado / 2.0)), static_cast<int>(std::floor(cy + o - lado / 2.0)), lado,
            lado};
}

}  // namespace parchis
