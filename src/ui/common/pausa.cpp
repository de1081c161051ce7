#include "ui/common/pausa.h"

#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace parchis {

double FactorPausa(int velocidad) {
    double f = std::pow((100 - velocidad) / 50.0, 1.5);
    if (f > 1) f = f * f;
    return std::round(f * 10000) / 10000;
}

namespace {

int esperasEnCurso = 0;

}  // namespace

bool EnEspera() { return esperasEnCurso > 0; }

void EsperaSinEntrada(double ms) {
    if (ms < 1) return;
    ++esperasEnCurso;
    QEventLoop bucle;
    QTimer reloj;
    reloj.setSingleShot(true);
    reloj.setTimerType(Qt::PreciseTimer);
    QObject::connect(&reloj, &QTimer::timeout, &bucle, &QEventLoop::quit);
    reloj.start(static_cast<int>(std::ceil(ms)));
    bucle.exec(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    --esperasEnCurso;
}

void Pausa(int unidades, int velocidad) { EsperaSinEntrada(unidades * FactorPausa(velocidad)); }

}  // namespace parchis
