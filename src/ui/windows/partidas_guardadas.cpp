#include "ui/windows/partidas_guardadas.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "ui/common/estilo.h"
namespace parchis {

namespace {

ServiciosControl ServiciosDe(Interfaz& ui) {
    return {[&ui](int n) { ui.TocaSonido(n, true); }, [&ui](int u) { ui.Pausa(u); }};
}

struct TextosModo {
    const char* Boton;
    const char* Tooltip;
};

TextosModo TextosDe(ModoPartidas modo) {
    switch (modo) {
        case ModoPartidas::Cargar: return {"Cargar", "Cargar la partida seleccionada en la lista"};
        case ModoPartidas::Guardar: return {"Guardar", "Guardar la partida actual"};
        default: return {"Borrar", "Borrar la partida seleccionada en la lista"};
    }
}

}  // namespace

void AbrePartidasGuardadas(QWidget* padre, Partida& p, Interfaz& ui, ModoPartidas modo) {
    VentanaPartidas v(padre, p, ui, modo);
    v.exec();
}

VentanaPartidas::VentanaPartidas(QWidget* padre, Partida& p, Interfaz& ui, ModoPartidas modo)
    : VentanaAjustes(padre, ServiciosDe(ui), QString::fromUtf8(TituloPartidas(modo)), AyudaPartidas(modo),
                     QStringLiteral("Ayuda"), QStringLiteral("Salir")),
      p_(p), dialogo_(p, ui, modo) {
    auto* caja = new QVBoxLayout(Cuerpo());
    caja->setContentsMargins(0, 0, 0, 0);
    mensaje_ = new QLabel(Cuerpo());
    mensaje_->setObjectName(QStringLiteral("Tex_Mensaje"));
    mensaje_->setWordWrap(true);
    mensaje_->setMinimumHeight(mensaje_->fontMetrics().lineSpacing() * 3 + 6);
    caja->addWidget(mensaje_);
    nombre_ = new QLineEdit(Cuerpo());
    nombre_->setObjectName(QStringLiteral("Txt_Nombre"));
    HojaSegunAspecto(nombre_,
                     QStringLiteral("QLineEdit { background: #faf8f0; border: 1px solid #771a12; padding: 2px 4px;"
                                    " color: #202020; }"),
                     QStringLiteral("QLineEdit { background: #fffdf8; border: 1px solid #b99670; border-radius: 4px;"
                                    " padding: 2px 4px; color: #3a2a20; }"
                                    "QLineEdit:focus { border: 2px solid #b0703c; padding: 1px 3px; }"));
    caja->addWidget(nombre_);
    lista_ = new QListWidget(Cuerpo());
    lista_->setObjectName(QStringLiteral("Lis_Partidas"));
    // The modern look's list comes from the program's style sheet.
    HojaSegunAspecto(lista_,
                     QStringLiteral("QListWidget { background: #faf8f0; color: #2a2420; border: 1px solid #771a12; }"
                                    "QListWidget::item:selected { background: #a0c3a0; color: #202020; }"),
                     QString());
    caja->addWidget(lista_, 1);
    const TextosModo textos = TextosDe(modo);
    boton_ = new BotonPulsador(this, Servicios(), QString::fromUtf8(textos.Boton),
                               [this] { Resuelve(dialogo_.Acciona()); });
    boton_->setToolTip(QString::fromUtf8(textos.Tooltip));
    AnadeBoton(boton_);
    connect(nombre_, &QLineEdit::textChanged, this, [this](const QString& t) {
        dialogo_.CambiaNombre(t.toStdString());
        Actualiza();
    });
    connect(nombre_, &QLineEdit::returnPressed, this, [this] { Resuelve(dialogo_.Intro()); });
    connect(lista_, &QListWidget::itemClicked, this, [this](QListWidgetItem* i) { nombre_->setText(i->text()); });
    connect(lista_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) {
        nombre_->setText(i->text());
        Resuelve(dialogo_.DobleClic());
    });
    RellenaLista();
    Actualiza();
    PreparaFoco(nombre_);
    resize(440, 420);
}

void VentanaPartidas::RellenaLista() {
    lista_->clear();
    for (const auto& nombre : ListaPartidas(p_.Carpeta)) lista_->addItem(QString::fromStdString(nombre));
}

void VentanaPartidas::Actualiza() {
    mensaje_->setText(QString::fromStdString(dialogo_.LineaMensaje()));
    boton_->PonActivo(dialogo_.BotonActivo());
}

void VentanaPartidas::Resuelve(DialogoPartidas::Resultado r) {
    if (r == DialogoPartidas::Resultado::Cerrar) Sal();
    if (r == DialogoPartidas::Resultado::Borrada) {
        RellenaLista();
        nombre_->clear();
    }
    Actualiza();
}

}  // namespace parchis
