#include "platform/dialogs.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>

namespace qvr {

namespace {
std::shared_ptr<Dialogos>& actual() {
    static std::shared_ptr<Dialogos> d = std::make_shared<DialogosConsola>();
    return d;
}

FabricaDialogos& conPantalla() {
    static FabricaDialogos f;
    return f;
}
}  // namespace

Respuesta primerBoton(Botones b) {
    switch (b) {
        case Botones::Ok:
        case Botones::OkCancelar:
            return Respuesta::Ok;
        case Botones::SiNo:
        case Botones::SiNoCancelar:
            return Respuesta::Si;
        case Botones::ReintentarCancelar:
            return Respuesta::Reintentar;
    }
    return Respuesta::Ok;
}

Respuesta Dialogos::muestra(const QString& texto, const QString& titulo, Icono icono, Botones botones) {
    return muestra(Mensaje{texto, titulo, icono, botones}, primerBoton(botones));
}

Respuesta DialogosConsola::muestra(const Mensaje& m, Respuesta defecto) {
    QByteArray linea = (m.titulo.isEmpty() ? QString() : m.titulo + ": ").toUtf8() + m.texto.toUtf8();
    std::fprintf(stderr, "%s\n", linea.constData());
    std::fflush(stderr);
    return defecto;
}

Respuesta DialogosScript::muestra(const Mensaje& m, Respuesta defecto) {
    mostrados.push_back(m);
    if (respuestas.empty()) return defecto;
    Respuesta r = respuestas.front();
    respuestas.pop_front();
    return r;
}

QStringList DialogosScript::textos() const {
    QStringList out;
    for (const auto& m : mostrados) out << m.texto;
    return out;
}

Dialogos& dialogos() { return *actual(); }

std::shared_ptr<Dialogos> instalaDialogos(std::shared_ptr<Dialogos> d) {
    auto previo = actual();
    actual() = d ? std::move(d) : std::make_shared<DialogosConsola>();
    return previo;
}

void instalaDialogosConPantalla(FabricaDialogos fabrica) { conPantalla() = std::move(fabrica); }

std::shared_ptr<Dialogos> dialogosParaLineaDeComandos() {
    // Asked by name: this part of the platform links no widgets.
    const QCoreApplication* app = QCoreApplication::instance();
    const bool hayPantalla = app && app->inherits("QApplication") &&
                             QGuiApplication::platformName() != "offscreen" &&
                             QGuiApplication::platformName() != "minimal";
    if (hayPantalla && conPantalla()) return conPantalla()();
    return std::make_shared<DialogosConsola>();
}

}  // namespace qvr
