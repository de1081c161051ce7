#include "ui/mainwindow/paneles_red.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace parchis {

namespace {

constexpr int AnchoEspera = 440;

const QColor Papel(244, 234, 216);
const QColor Granate(119, 26, 18);
const QColor Claro(224, 128, 96);

// The game's texts break lines with CR LF.
QString Lineas(const std::string& texto) {
    return QString::fromStdString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* Banda(QWidget* padre, const QString& texto = {}) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QStringLiteral("Tex_Titulo"));
    l->setStyleSheet(QStringLiteral(
        "background: #a0c3a0; color: #323c32; font-weight: bold; border: 1px solid #771a12; padding: 4px 8px;"));
    return l;
}

QLabel* Cuerpo(QWidget* padre) {
    auto* l = new QLabel(padre);
    l->setObjectName(QStringLiteral("Tex_Mensaje"));
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setStyleSheet(QStringLiteral("color: #202020; padding: 2px 6px;"));
    return l;
}

// The paper and the double frame of the program's dialogs.
void PintaPapel(QWidget* w) {
    QPainter p(w);
    p.fillRect(w->rect(), Papel);
    p.setPen(Granate);
    p.drawRect(w->rect().adjusted(0, 0, -1, -1));
    p.setPen(Claro);
    p.drawRect(w->rect().adjusted(3, 3, -4, -4));
}

}  // namespace

// --- the waiting panel -------------------------------------------------------------------

PanelEsperaRed::PanelEsperaRed(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_EsperaRed"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    titulo_ = Banda(this);
    texto_ = Cuerpo(this);
    // The lines of players line up on their blank-padded names.
    QFont fija(QStringLiteral("Monospace"));
    fija.setStyleHint(QFont::TypeWriter);
    fija.setPixelSize(12);
    texto_->setFont(fija);
    // The room's code, to be read out over the phone: large, in two groups
    // of three, and copied whole by the button.
    sala_ = new QWidget(this);
    auto* fila = new QHBoxLayout(sala_);
    fila->setContentsMargins(0, 0, 0, 0);
    auto* rotulo = new QLabel(QStringLiteral("Código de la sala:"), sala_);
    rotulo->setStyleSheet(QStringLiteral("color: #323c32; font-weight: bold;"));
    codigoGrande_ = new QLabel(sala_);
    codigoGrande_->setObjectName(QStringLiteral("Tex_CodigoSala"));
    QFont grande(QStringLiteral("Monospace"));
    grande.setStyleHint(QFont::TypeWriter);
    grande.setPixelSize(34);
    grande.setBold(true);
    codigoGrande_->setFont(grande);
    codigoGrande_->setStyleSheet(QStringLiteral("color: #771a12;"));
    codigoGrande_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    copiar_ = new QPushButton(QStringLiteral("Copiar"), sala_);
    copiar_->setObjectName(QStringLiteral("Cmd_CopiarCodigo"));
    copiar_->setToolTip(QStringLiteral("Copiar el código de la sala para enviárselo a los demás jugadores"));
    copiar_->setCursor(Qt::PointingHandCursor);
    connect(copiar_, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(codigo_);
        copiar_->setText(QStringLiteral("Copiado"));
    });
    fila->addWidget(rotulo);
    fila->addWidget(codigoGrande_, 1, Qt::AlignCenter);
    fila->addWidget(copiar_);
    sala_->setToolTip(QStringLiteral(
        "Los demás jugadores escriben este código en Personalizar, con \"Jugar por sala\" y el modo Cliente."));
    sala_->hide();
    hide();
}

void PanelEsperaRed::PonCodigo(const QString& codigo) {
    if (codigo == codigo_) return;
    codigo_ = codigo;
    codigoGrande_->setText(codigo.left(3) + QLatin1Char(' ') + codigo.mid(3));
    copiar_->setText(QStringLiteral("Copiar"));
    // Only the button takes clicks, and only while there is a code to copy.
    setAttribute(Qt::WA_TransparentForMouseEvents, codigo.isEmpty());
}

// Sized for the lines asked for, or for more when the words wrap into more;
// centred on the board.
void PanelEsperaRed::Muestra(const std::string& titulo, const std::string& texto, int lineas) {
    titulo_->setText(QString::fromStdString(titulo));
    texto_->setText(Lineas(texto));
    const int ancho = AnchoEspera - 20;
    const int alto = std::max(texto_->fontMetrics().lineSpacing() * std::max(1, lineas),
                              texto_->heightForWidth(ancho)) + 8;
    const int altoTitulo = titulo_->sizeHint().height();
    titulo_->setGeometry(10, 10, ancho, altoTitulo);
    texto_->setGeometry(10, 10 + altoTitulo + 6, ancho, alto);
    const int altoSala = codigo_.isEmpty() ? 0 : sala_->sizeHint().height() + 6;
    sala_->setGeometry(10, 10 + altoTitulo + 6 + alto + 4, ancho, altoSala);
    sala_->setVisible(!codigo_.isEmpty());
    resize(AnchoEspera, altoTitulo + alto + altoSala + 26);
    if (parentWidget()) {
        const int lado = std::min(parentWidget()->width(), parentWidget()->height());
        move((lado - width()) / 2, (lado - height()) / 2);
    }
    show();
    raise();
}

QString PanelEsperaRed::Texto() const { return texto_->text(); }

void PanelEsperaRed::paintEvent(QPaintEvent*) { PintaPapel(this); }

// --- the connection request ------------------------------------------------------------

PanelPeticion::PanelPeticion(QWidget* padre, const ServiciosControl& s, const QString& tituloSelector,
                             std::function<void()> ayuda)
    : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_Peticion"));
    setFixedSize(AnchoPeticion, AltoPeticion);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(10, 10, 10, 10);
    caja->setSpacing(6);
    caja->addWidget(Banda(this, QStringLiteral("Juego en red")));
    texto_ = Cuerpo(this);
    caja->addWidget(texto_, 1);
    puestos_ = new Selector(this, s, tituloSelector, [this] {
        if (opciones_.empty()) return false;
        PonOpcion((opcion_ + 1) % static_cast<int>(opciones_.size()));
        return true;
    });
    puestos_->setObjectName(QStringLiteral("Selector36"));
    caja->addWidget(puestos_);
    auto* fila = new QHBoxLayout;
    auto* bAyuda = new BotonPulsador(this, s, QStringLiteral("Ayuda"), std::move(ayuda));
    bAyuda->setObjectName(QStringLiteral("Pic_BotAyuda"));
    si_ = new BotonPulsador(this, s, QStringLiteral("Sí"), [this] { respuesta_ = opcion_; });
    si_->setObjectName(QStringLiteral("Pic_Si"));
    si_->setToolTip(QStringLiteral("Aceptar la conexión en el puesto elegido"));
    no_ = new BotonPulsador(this, s, QStringLiteral("No"), [this] { respuesta_ = -1; });
    no_->setObjectName(QStringLiteral("Pic_No"));
    no_->setToolTip(QStringLiteral("Rechazar la conexión"));
    fila->addWidget(bAyuda);
    fila->addStretch();
    fila->addWidget(si_);
    fila->addWidget(no_);
    caja->addLayout(fila);
    hide();
}

void PanelPeticion::Muestra(const std::string& texto, const std::vector<std::string>& opciones) {
    texto_->setText(Lineas(texto));
    opciones_.clear();
    for (const std::string& o : opciones) opciones_.push_back(QString::fromStdString(o));
    respuesta_ = -2;
    PonOpcion(0);
    // Only one way out: the answer.
    si_->PonActivo(!opciones_.empty());
    if (parentWidget())
        move((parentWidget()->width() - width()) / 2, (parentWidget()->height() - height()) / 2);
    show();
    raise();
    (opciones_.empty() ? no_ : static_cast<QWidget*>(puestos_))->setFocus();
}

void PanelPeticion::PonOpcion(int i) {
    opcion_ = i;
    puestos_->PonValor(i < static_cast<int>(opciones_.size()) ? opciones_[i] : QString());
}

void PanelPeticion::paintEvent(QPaintEvent*) { PintaPapel(this); }

// --- the turn display --------------------------------------------------------------------

PanelTurnoRed::PanelTurnoRed(QWidget* padre) : QWidget(padre) {
    setObjectName(QStringLiteral("Pic_TexTurno"));
    hide();
}

void PanelTurnoRed::Muestra(const std::string& nombre, int segundos) {
    const QString n = QString::fromStdString(nombre).trimmed();
    const QString t = n.isEmpty() ? QString()
                                   : QStringLiteral("%1:%2").arg(segundos / 60).arg(segundos % 60, 2, 10, QLatin1Char('0'));
    if (n == nombre_ && t == tiempo_) return;
    nombre_ = n;
    tiempo_ = t;
    update();
}

void PanelTurnoRed::paintEvent(QPaintEvent*) {
    QPainter p(this);
    PintaMarcoTitulo(p, rect(), {}, {});
    QFont letra = font();
    letra.setPixelSize(12);
    p.setFont(letra);
    p.setPen(QColor(50, 60, 50));
    const int alto = (height() - 6) / 3;
    p.drawText(QRect(4, 3, width() - 8, alto), Qt::AlignCenter, QStringLiteral("Turno  de"));
    letra.setBold(true);
    p.setFont(letra);
    p.setPen(Granate);
    p.drawText(QRect(4, 3 + alto, width() - 8, alto), Qt::AlignCenter, nombre_);
    p.setPen(QColor(50, 60, 50));
    p.drawText(QRect(4, 3 + 2 * alto, width() - 8, alto), Qt::AlignCenter, tiempo_);
}

}  // namespace parchis
