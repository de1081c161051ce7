#include "ui/windows/reglas.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include "flow/textos_ajustes.h"
#include "ui/common/estilo.h"

namespace parchis {

namespace {

ServiciosControl ServiciosDe(Interfaz& ui) {
    return {[&ui](int n) { ui.TocaSonido(n, true); }, [&ui](int u) { ui.Pausa(u); }};
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

void AbreVentanaReglas(QWidget* padre, Partida& p, Interfaz& ui) {
    p.PedirNuevaPartida = false;
    VentanaReglas v(padre, p, ui);
    v.exec();
}

VentanaReglas::VentanaReglas(QWidget* padre, Partida& p, Interfaz& ui)
    : VentanaAjustes(padre, ServiciosDe(ui), QStringLiteral(" Normas de juego"), 2141,
                     QStringLiteral("Ayuda sobre Normas de juego"), QStringLiteral("Salir de Normas de juego")),
      p_(p), ui_(ui), copia_(CopiaDeReglas(p)) {
    auto* caja = new QVBoxLayout(Cuerpo());
    caja->setContentsMargins(0, 0, 0, 0);
    paginas_ = new QTabWidget(Cuerpo());
    HojaSegunAspecto(
        paginas_,
        QStringLiteral(
            "QTabWidget::pane { border: 1px solid #771a12; background: #e8dcc4; }"
            "QTabBar::tab { background: #c8b898; border: 1px solid #771a12; padding: 4px 10px; color: #323c32; }"
            "QTabBar::tab:selected { background: #a0c3a0; font-weight: bold; }"),
        QStringLiteral(
            "QTabWidget::pane { border: 1px solid #b99670; border-radius: 6px; background: #fbf4e6; top: -1px; }"
            "QTabBar::tab { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #efe2c8, stop:1 #e0ccaa);"
            " border: 1px solid #b99670; border-bottom: none; border-top-left-radius: 6px;"
            " border-top-right-radius: 6px; padding: 4px 10px; margin-right: 2px; color: #5a4636; }"
            "QTabBar::tab:selected { background: #fbf4e6; color: #3a2a20; font-weight: bold; }"));
    caja->addWidget(paginas_);
    std::vector<QVBoxLayout*> cajas;
    for (const char* titulo : PaginasReglas) {
        auto* pagina = new QWidget(paginas_);
        auto* c = new QVBoxLayout(pagina);
        c->setContentsMargins(10, 10, 10, 10);
        c->setSpacing(6);
        cajas.push_back(c);
        paginas_->addTab(pagina, QString::fromUtf8(titulo));
    }
    const ServiciosControl s = Servicios();
    for (const ControlRegla& c : ControlesReglas()) {
        const int n = c.Numero;
        auto* pagina = paginas_->widget(c.Pagina);
        ControlComun* w = nullptr;
        const auto cambia = [this, n] {
            const bool hecho = CambiaRegla(p_, ui_, n);
            Refresca();
            return hecho;
        };
        if (c.Interruptor)
            w = new Interruptor(pagina, s, QString(), [cambia] { cambia(); });
        else
            w = new Selector(pagina, s, QString(), cambia);
        w->setObjectName(QStringLiteral("Regla%1").arg(n));
        cajas[c.Pagina]->addWidget(w);
        controles_.push_back({&c, w});
    }
    for (auto* c : cajas) c->addStretch();
    Refresca();
    PreparaFoco(paginas_);
    setMinimumWidth(560);
}

ControlComun* VentanaReglas::Control(int numero) const {
    for (const auto& [regla, w] : controles_)
        if (regla->Numero == numero) return w;
    return nullptr;
}

void VentanaReglas::Refresca() {
    for (const auto& [regla, w] : controles_) {
        w->PonTitulo(Q(TextoOpcion(p_, regla->Numero)));
        w->setVisible(ReglaVisible(p_, *regla));
        if (regla->Interruptor) {
            static_cast<Interruptor*>(w)->PonValor(p_.*regla->Interruptor);
        } else {
            const auto textos = TextosValores(p_, regla->Numero);
            const int v = p_.*regla->Valor;
            static_cast<Selector*>(w)->PonValor(v >= 1 && v <= static_cast<int>(textos.size()) ? Q(textos[v - 1])
                                                                                                : QString());
        }
    }
}

bool VentanaReglas::PuedeSalir() {
    const bool sale = SalidaReglas(p_, ui_, copia_);
    Refresca();
    return sale;
}

}  // namespace parchis
