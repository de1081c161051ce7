// The two looks of the board.  The classic one is compared pixel for pixel
// with pictures kept in tests/ui/referencias (PARCHIS_GRABA_REFERENCIAS=1
// writes them again); the other is checked for what a player relies on.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "common/posicion.h"
#include "rules/tablero.h"
#include "ui/board/tablero.h"

namespace parchis {
namespace {

// A position that shows every kind of thing the static board draws: names,
// a status text, pieces alone and paired on track, corridor and exit
// squares, full and partial boxes and homes, and both dice.
Partida PosicionDeMuestra() {
    Partida p = prueba::PartidaVacia();
    p.Nombres = {"", "Carmen", "Luis", "María", "Ordenador"};
    prueba::Pon(p, 1, 1, 5);
    prueba::Pon(p, 3, 1, 5);
    prueba::Pon(p, 2, 1, 30);
    prueba::Pon(p, 2, 2, 9);
    prueba::Pon(p, 4, 1, 12);
    prueba::Pon(p, 4, 2, 12);
    prueba::Pon(p, 1, 2, 97);
    prueba::Pon(p, 3, 2, 84);
    prueba::Pon(p, 3, 3, 84);
    prueba::Pon(p, 2, 3, 92);
    return p;
}

QImage Dibuja(Tablero& t, int ancho, int alto) {
    t.Prepara(ancho, alto);
    t.AsignaColores(0);
    t.DibujaTablero(4);
    const Partida p = PosicionDeMuestra();
    t.RedibujaMesa(p, QStringLiteral("  Luis lanza el dado  "));
    t.DibujaDados(2, 2, 5, 6);
    return t.Superficie().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(AspectoClasico, IgualQueLasReferencias) {
    for (const QSize pantalla : {QSize(800, 600), QSize(1024, 768)}) {
        Tablero t{{}};
        const QImage img = Dibuja(t, pantalla.width(), pantalla.height());
        const QString fichero = QStringLiteral(DIRECTORIO_REFERENCIAS "/clasico-%1x%2.png")
                                    .arg(pantalla.width())
                                    .arg(pantalla.height());
        if (qEnvironmentVariableIsSet("PARCHIS_GRABA_REFERENCIAS")) ASSERT_TRUE(img.save(fichero));
        const QImage ref = QImage(fichero).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(ref.isNull()) << fichero.toStdString();
        EXPECT_TRUE(img == ref) << fichero.toStdString();
    }
}

}  // namespace
}  // namespace parchis
