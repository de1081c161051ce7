#include "ui/common/estilo.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace parchis {

namespace {

Aspecto vigente = Aspecto::Clasico;

std::function<void(Aspecto)>& Aviso() {
    static std::function<void(Aspecto)> aviso;
    return aviso;
}

}  // namespace

QString HojaDeEstilo(Aspecto a) {
    if (a == Aspecto::Clasico) return {};
    return QStringLiteral(
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbf3e4, stop:1 #e8d6b8);"
        " color: #3a2a20; border: 1px solid #8a6a48; border-radius: 6px; padding: 4px 14px;"
        " font-weight: bold; min-height: 20px; }"
        "QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffaf0, stop:1 #f0e0c4); }"
        "QPushButton:pressed { background: #dcc6a2; }"
        "QPushButton:focus { border: 2px solid #5c3a22; }"
        "QPushButton:disabled { color: #a89888; border-color: #c8b8a0; }"
        "QListWidget, QTableWidget, QTableView, QTreeView, QTextBrowser, QTextEdit, QPlainTextEdit {"
        " background: #fbf6ec; color: #3a2a20; border: 1px solid #a08060; border-radius: 6px;"
        " selection-background-color: #e2c79a; selection-color: #2a1a10; }"
        "QHeaderView::section { background: #efe2c8; color: #3a2a20; border: none;"
        " border-bottom: 1px solid #a08060; padding: 3px 6px; font-weight: bold; }"
        "QScrollBar:vertical { background: #f1e6d2; width: 12px; margin: 0; border-radius: 6px; }"
        "QScrollBar::handle:vertical { background: #b89570; min-height: 24px; border-radius: 5px; margin: 1px; }"
        "QScrollBar:horizontal { background: #f1e6d2; height: 12px; margin: 0; border-radius: 6px; }"
        "QScrollBar::handle:horizontal { background: #b89570; min-width: 24px; border-radius: 5px; margin: 1px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
        "QToolTip { background: #3a2a20; color: #fff4e0; border: 1px solid #c8a478; padding: 3px;"
        " border-radius: 4px; }");
}

void HojaSegunAspecto(QWidget* w, const QString& clasica, const QString& moderna) {
    w->setProperty("hojaClasica", clasica);
    w->setProperty("hojaModerna", moderna);
    w->setStyleSheet(vigente == Aspecto::Moderno ? moderna : clasica);
}

void AplicaAspecto(Aspecto a) {
    vigente = a;
    if (qApp) {
        qApp->setStyleSheet(HojaDeEstilo(a));
        // The open windows: their own sheets, and the drawn controls repainted.
        for (QWidget* w : QApplication::allWidgets()) {
            const QVariant hoja = w->property(a == Aspecto::Moderno ? "hojaModerna" : "hojaClasica");
            if (hoja.isValid()) w->setStyleSheet(hoja.toString());
            w->update();
        }
    }
    if (Aviso()) Aviso()(a);
}

Aspecto AspectoVigente() { return vigente; }

void AvisaCambiosDeAspecto(std::function<void(Aspecto)> aviso) { Aviso() = std::move(aviso); }

bool EligeAspecto(const std::string& carpeta, Aspecto a) {
    AplicaAspecto(a);
    return carpeta.empty() || EscribeAspecto(carpeta, a);
}

}  // namespace parchis
