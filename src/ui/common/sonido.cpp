#include "ui/common/sonido.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QUrl>
#include <QtEndian>

namespace parchis {

namespace {

// Milliseconds of PCM data in a wave file, from its format and data chunks.
double DuracionWav(const QByteArray& wav) {
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE") return 0;
    quint32 bytesPorSegundo = 0;
    qsizetype pos = 12;
    while (pos + 8 <= wav.size()) {
        const QByteArray id = wav.mid(pos, 4);
        const quint32 largo = qFromLittleEndian<quint32>(wav.constData() + pos + 4);
        if (id == "fmt " && pos + 20 <= wav.size())
            bytesPorSegundo = qFromLittleEndian<quint32>(wav.constData() + pos + 16);
        if (id == "data") return bytesPorSegundo ? 1000.0 * largo / bytesPorSegundo : 0;
        pos += 8 + largo + (largo & 1);
    }
    return 0;
}

QString RutaSonido(int numero) { return QStringLiteral(":/sonidos/%1.wav").arg(numero); }

// A machine without audio is normal for this program: the multimedia
// back end's complaints about it are not shown.
QtMessageHandler manejadorPrevio = nullptr;

void FiltraAvisosDeAudio(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
    if (texto.startsWith(QLatin1String("PulseAudioService")) ||
        texto.startsWith(QLatin1String("No audio device")) ||
        texto.startsWith(QLatin1String("QSoundEffect")))
        return;
    if (manejadorPrevio) manejadorPrevio(tipo, contexto, texto);
}

}  // namespace

Sonidos::Sonidos(std::function<void(double)> espera) : espera_(std::move(espera)) {
    if (!manejadorPrevio) manejadorPrevio = qInstallMessageHandler(FiltraAvisosDeAudio);
    const bool hayAudio = !QMediaDevices::audioOutputs().isEmpty();
    for (int numero : Numeros) {
        QFile f(RutaSonido(numero));
        if (!f.open(QIODevice::ReadOnly)) continue;
        duraciones_[numero] = DuracionWav(f.readAll());
        if (!hayAudio) continue;
        auto efecto = std::make_unique<QSoundEffect>();
        efecto->setSource(QUrl(QStringLiteral("qrc") + RutaSonido(numero)));
        efectos_[numero] = std::move(efecto);
    }
}

Sonidos::~Sonidos() = default;

double Sonidos::Duracion(int numero) const {
    auto it = duraciones_.find(numero);
    return it == duraciones_.end() ? 0 : it->second;
}

void Sonidos::Toca(bool activo, int modo, int numero) {
    if (!activo) return;
    if (sonando_) sonando_->stop();
    sonando_ = nullptr;
    if (!duraciones_.count(numero)) return;
    ultimo_ = numero;
    if (auto it = efectos_.find(numero); it != efectos_.end()) {
        sonando_ = it->second.get();
        sonando_->play();
    }
    if (modo != 1) espera_(Duracion(numero));
}

}  // namespace parchis
