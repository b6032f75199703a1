#include "platform/printer.h"

namespace qvr {

namespace {

FabricaImpresora& fabrica() {
    static FabricaImpresora f;
    return f;
}

FabricaImpresora& predeterminada() {
    static FabricaImpresora f;
    return f;
}

}  // namespace

QString mensajeSinImpresora() {
    return QStringLiteral(
        "No hay ninguna impresora instalada en este equipo.\n\n¿Desea guardar las páginas en un archivo PDF?");
}

std::unique_ptr<Impresora> abreImpresora() {
    if (fabrica()) return fabrica()();
    if (predeterminada()) return predeterminada()();
    return nullptr;
}

FabricaImpresora instalaImpresora(FabricaImpresora f) {
    FabricaImpresora previa = std::move(fabrica());
    fabrica() = std::move(f);
    return previa;
}

void instalaImpresoraPredeterminada(FabricaImpresora f) { predeterminada() = std::move(f); }

}  // namespace qvr
